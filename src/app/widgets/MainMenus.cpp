#include "app/widgets/MainMenus.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu *addMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name) + QLatin1String("Action"));
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption, bool enabled = true)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    return action;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

} // namespace

MainMenus::MainMenus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();

    mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    mnuFileExit = addItem(mnuFile, "mnuFileExit", QStringLiteral("&Exit"));

    mnuView = addMenu(bar, "mnuView", QStringLiteral("&View"));
    mnuViewOptions = addItem(mnuView, "mnuViewOptions", QStringLiteral("&Options"));
    mnuViewPrefs = addItem(mnuView, "mnuViewPrefs", QStringLiteral("&Preferences"));

    // The tools start disabled: RefreshMainMenus enables those whose programs exist.
    mnuLaunch = addMenu(bar, "mnuLaunch", QStringLiteral("&Launch"));
    mnuLaunchUnhide = addItem(mnuLaunch, "mnuLaunchUnhide", QStringLiteral("&Unhide Duke3D"), false);
    mnuLaunchDuke = addItem(mnuLaunch, "mnuLaunchDuke", QStringLiteral("&Duke3D"), false);
    // What a launch would do, without launching: offered always, a refusal is worth reading too.
    mnuLaunchPlan = addItem(mnuLaunch, "mnuLaunchPlan", QStringLiteral("Show Launch &Plan"));
    mnuLaunchSetup = addItem(mnuLaunch, "mnuLaunchSetup", QStringLiteral("&Duke3D Setup"), false);
    mnuLaunchBUild = addItem(mnuLaunch, "mnuLaunchBUild", QStringLiteral("&Build"), false);

    mnuPopup = addMenu(bar, "mnuPopup", QStringLiteral("&Game Timer"));
    mnuPopupCancel = addItem(mnuPopup, "mnuPopupCancel", QStringLiteral("&Cancel Timer"), false);
    mnuPopupPause = addItem(mnuPopup, "mnuPopupPause", QStringLiteral("&Pause"), false);
    mnuPopupStart = addItem(mnuPopup, "mnuPopupStart", QStringLiteral("&Start"), false);

    // Checkable, but not an exclusive QActionGroup: the version commands tick one item and untick
    // the other themselves, also when the ticked item is chosen again.
    mnuVersion = addMenu(bar, "mnuVersion", QStringLiteral("&Duke Version"));
    mnuVersion13d = addItem(mnuVersion, "mnuVersion13d", QStringLiteral("&Version 1.3d"));
    mnuVersion15 = addItem(mnuVersion, "mnuVersion15", QStringLiteral("&Version 1.4 / 1.5"));
    mnuVersion13d->setCheckable(true);
    mnuVersion15->setCheckable(true);

    munUserDef = addMenu(bar, "munUserDef", QStringLiteral("&User Defined"));
    mnuUserDef = addItem(munUserDef, "mnuUserDef", QStringLiteral("&Menu Manager"));
    mnuUserDefSpace0 = addSeparator(munUserDef, "mnuUserDefSpace_0");
    mnuUserDefSpace0->setVisible(false);

    mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuHelpDuke = addItem(mnuHelp, "mnuHelpDuke", QStringLiteral("&Zentrel Help"));
    mnuHelpDuke3d = addItem(mnuHelp, "mnuHelpDuke3d", QStringLiteral("Duke3d &Help File "), false);
    mnuHelpBuild = addItem(mnuHelp, "mnuHelpBuild", QStringLiteral("&Build Help FIle"), false);
    mnuHelpSpace = addSeparator(mnuHelp, "mnuHelpSpace");
    mnuHelpWeb = addMenu(mnuHelp, "mnuHelpWeb", QStringLiteral("Zentrel on the &Web"));
    mnuHelp->addMenu(mnuHelpWeb);
    mnuHelpWebMain = addItem(mnuHelpWeb, "mnuHelpWebMain", QStringLiteral("DO98 &Main Web Page"));
    mnuHelpWebFaq = addItem(mnuHelpWeb, "mnuHelpWebFaq", QStringLiteral("&Frequently Asked Questions"));
    mnuHelpAbout = addItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About Zentrel"));

    mnuSystemTray = addMenu(&window, "mnuSystemTray", QStringLiteral("SysTray"));
    mnuSysUnhide = addItem(mnuSystemTray, "mnuSysUnhide", QStringLiteral("&Unhide Duke3d"), false);
    mnuSysLaunch = addItem(mnuSystemTray, "mnuSysLaunch", QStringLiteral("&Relaunch Duke3d"));
    mnuSysShow = addItem(mnuSystemTray, "mnuSysShow", QStringLiteral("&Show Zentrel"));
    space = addSeparator(mnuSystemTray, "space");
    mnuSysExit = addItem(mnuSystemTray, "mnuSysExit", QStringLiteral("&Exit"));
}
