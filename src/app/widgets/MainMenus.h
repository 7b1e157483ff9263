#pragma once

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar and its tray pop-up menu. Every menu and item carries the object
// name the rest of the program looks it up by; the handlers are connected by the main window and
// the features that own them.
struct MainMenus
{
    explicit MainMenus(QMainWindow &window);

    QMenu *mnuFile;
    QAction *mnuFileExit;

    QMenu *mnuView;
    QAction *mnuViewOptions;
    QAction *mnuViewPrefs;

    QMenu *mnuLaunch;
    QAction *mnuLaunchUnhide;
    QAction *mnuLaunchDuke;
    QAction *mnuLaunchSetup;
    QAction *mnuLaunchBUild;
    QAction *mnuLaunchPlan;

    QMenu *mnuPopup; // "Game Timer": also the pop-up menu of the timer label
    QAction *mnuPopupCancel;
    QAction *mnuPopupPause;
    QAction *mnuPopupStart;

    QMenu *mnuVersion;
    QAction *mnuVersion13d;
    QAction *mnuVersion15;

    QMenu *munUserDef;
    QAction *mnuUserDef;
    QAction *mnuUserDefSpace0; // hidden separator; the user menus follow it

    QMenu *mnuHelp;
    QAction *mnuHelpDuke;
    QAction *mnuHelpDuke3d;
    QAction *mnuHelpBuild;
    QAction *mnuHelpSpace;
    QMenu *mnuHelpWeb;
    QAction *mnuHelpWebMain;
    QAction *mnuHelpWebFaq;
    QAction *mnuHelpAbout;

    // The tray icon's menu: owned by the window, never part of the menu bar.
    QMenu *mnuSystemTray;
    QAction *mnuSysUnhide;
    QAction *mnuSysLaunch;
    QAction *mnuSysShow;
    QAction *space;
    QAction *mnuSysExit;
};
