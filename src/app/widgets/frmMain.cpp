// Placeholder until the main window is built.
#include "app/widgets/frmMain.h"
frmMain::frmMain(Module1 &module1, QWidget *parent) : QMainWindow(parent), m(module1) {}
frmMain::~frmMain() = default;
void frmMain::Form_Load() {}
void frmMain::RefreshMainMenus() {}
void frmMain::gameDirectoryConfigured() {}
