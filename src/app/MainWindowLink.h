#pragma once

class QWidget;

// What the configuration dialogs need from the main window. The main window is created and
// loaded on first use, so calling either function on the first start brings it into being.
class MainWindowLink
{
public:
    virtual ~MainWindowLink() = default;

    // Options OK: enable tbsOpt, tbsOptions, fraSingPl, cmdLaunch and cmdReset, then run
    // RefreshMainMenus.
    virtual void gameDirectoryConfigured() = 0;
    // The main window, loaded if it was not yet.
    virtual QWidget *mainWindow() = 0;
};
