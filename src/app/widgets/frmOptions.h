#pragma once

#include <QDialog>

class MainWindowLink;
class Module1;

// "Options": the game directory and the default CON, RTS and MAP directories.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(Module1 &module1, MainWindowLink &mainWindow, QWidget *parent = nullptr);
    ~frmOptions() override;
};
