// Placeholder until the dialog is built.
#include "app/widgets/frmOptions.h"
frmOptions::frmOptions(Module1 &, MainWindowLink &, QWidget *parent) : QDialog(parent) {}
frmOptions::~frmOptions() = default;
