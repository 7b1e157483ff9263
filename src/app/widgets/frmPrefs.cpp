// Placeholder until the dialog is built.
#include "app/widgets/frmPrefs.h"
frmPrefs::frmPrefs(Module1 &, QWidget *parent) : QDialog(parent) {}
frmPrefs::~frmPrefs() = default;
