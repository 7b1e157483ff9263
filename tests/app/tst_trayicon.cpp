#include "app/widgets/MainMenus.h"
#include "app/widgets/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// A window with the main window's own menus, the tray menu among them.
struct TrayRig
{
    QMainWindow main;
    MainMenus menus{main};
    QMenu *menu = menus.mnuSystemTray;
    QAction *unhide = menus.mnuSysUnhide;
    QAction *launch = menus.mnuSysLaunch;
    QAction *show = menus.mnuSysShow;
    QAction *exit = menus.mnuSysExit;
    TrayIcon tray{&main, menus};

    explicit TrayRig(bool trayExists = true)
    {
        main.setWindowTitle(QStringLiteral("Zentrel"));
        tray.trayAvailable = [trayExists] { return trayExists; };
        main.show();
    }
};

class TestTrayIcon : public QObject
{
    Q_OBJECT
private slots:
    void addHidesTheWindowBehindOneIcon()
    {
        TrayRig r;
        r.tray.AddTrayIcon();
        QVERIFY(r.tray.iconShown());
        QVERIFY(!r.main.isVisible());
        QCOMPARE(r.tray.icon().toolTip(), QStringLiteral("Zentrel"));
        QVERIFY(!r.tray.InTray); // AddTrayIcon leaves InTray to the relaunch
    }

    void withoutATrayTheWindowIsMinimisedNotHidden()
    {
        TrayRig r(false);
        r.tray.AddTrayIcon();
        QVERIFY(!r.tray.iconShown());
        QVERIFY(r.main.isVisible());
        QTRY_VERIFY(r.main.isMinimized());
    }

    // On Wayland nothing could bring a minimised window back without a tray: it stays as it is.
    void withoutATrayOnWaylandTheWindowStays()
    {
        TrayRig r(false);
        r.tray.minimisingStrands = true;
        r.tray.AddTrayIcon();
        QVERIFY(!r.tray.iconShown());
        QVERIFY(r.main.isVisible() && !r.main.isMinimized());
        QVERIFY(!(r.main.windowState() & Qt::WindowMinimized));
    }

    // A double-click, a single click on trays that report only that (StatusNotifierItem trays),
    // and Show all bring the window back and leave the tray.
    void leavingTheTray_data()
    {
        QTest::addColumn<int>("reason"); // -1: the menu's Show Zentrel
        QTest::newRow("double-click") << int(QSystemTrayIcon::DoubleClick);
        QTest::newRow("single click (Trigger)") << int(QSystemTrayIcon::Trigger);
        QTest::newRow("Show Zentrel") << -1;
    }
    void leavingTheTray()
    {
        QFETCH(int, reason);
        TrayRig r;
        r.tray.AddTrayIcon();
        r.tray.InTray = true;
        if (reason >= 0)
            emit r.tray.icon().activated(QSystemTrayIcon::ActivationReason(reason));
        else
            r.show->trigger();
        QVERIFY(r.main.isVisible());
        QVERIFY(!r.tray.iconShown());
        QVERIFY(!r.tray.InTray);
    }

    void middleClickDoesNothing()
    {
        TrayRig r;
        r.tray.AddTrayIcon();
        emit r.tray.icon().activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(r.tray.iconShown());
        QVERIFY(!r.main.isVisible());
    }

    void relaunchMarksInTrayBeforeLaunching()
    {
        TrayRig r;
        r.tray.AddTrayIcon();
        QList<bool> inTrayAtLaunch;
        QObject::connect(&r.tray, &TrayIcon::relaunchRequested, [&] { inTrayAtLaunch << r.tray.InTray; });
        r.launch->trigger();
        QCOMPARE(inTrayAtLaunch, QList<bool>{true});
        QVERIFY(r.tray.iconShown());
    }

    void menuItemsReachTheirCommands()
    {
        TrayRig r;
        QSignalSpy unhide(&r.tray, &TrayIcon::unhideRequested);
        QSignalSpy exit(&r.tray, &TrayIcon::exitRequested);
        r.tray.setUnhideEnabled(true);
        QVERIFY(r.unhide->isEnabled());
        r.unhide->trigger();
        r.exit->trigger();
        QCOMPARE(unhide.size(), 1);
        QCOMPARE(exit.size(), 1);
        r.tray.setUnhideEnabled(false);
        QVERIFY(!r.unhide->isEnabled());
    }

    // Right-click opens the menu; while it is open another tray event does nothing.
    void rightClickOpensTheMenuAndBlocksOtherEvents()
    {
        TrayRig r;
        r.tray.AddTrayIcon();
        bool opened = false, unhideEnabled = true;
        QTimer::singleShot(50, [&] {
            opened = r.menu->isVisible();
            unhideEnabled = r.unhide->isEnabled();
            emit r.tray.icon().activated(QSystemTrayIcon::DoubleClick); // busy: ignored
            r.menu->close();
        });
        emit r.tray.icon().activated(QSystemTrayIcon::Context);
        QVERIFY(opened);
        QVERIFY(!unhideEnabled);
        QVERIFY(r.tray.iconShown());
        QVERIFY(!r.main.isVisible());

        emit r.tray.icon().activated(QSystemTrayIcon::DoubleClick); // no longer busy
        QVERIFY(r.main.isVisible());
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
