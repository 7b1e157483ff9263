#pragma once

#include "app/MainWindowLink.h"

#include <QMainWindow>

class Module1;

// The main window "Zentrel": composes the option panels, the CON/RTS panel and the editor page,
// owns the menus and the main window's lifecycle (load, unload, exit).
class frmMain : public QMainWindow, public MainWindowLink
{
    Q_OBJECT
public:
    explicit frmMain(Module1 &module1, QWidget *parent = nullptr);
    ~frmMain() override;

    // Main-window load: run once, before the window is first shown or used.
    void Form_Load();
    void RefreshMainMenus();

    void gameDirectoryConfigured() override;
    QWidget *mainWindow() override { return this; }

private:
    Module1 &m;
};
