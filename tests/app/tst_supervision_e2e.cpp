// The whole supervision chain for real: the main window launches the waiting stand-in game in a
// real DOSBox on a private Xvfb with openbox as window manager (and trayer as system tray), and
// the supervisor hides, closes or leaves the game's window as the preferences say.
#include "app/GameSupervisor.h"
#include "app/widgets/TrayIcon.h"

#include "DesktopGameRig.h"
#include "Prerequisites.h"
#include "X11Session.h"
#include "X11TestTools.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

QString g_home; // HOME of the test and of every DOSBox it starts

using namespace X11TestTools;

quint32 trayOwner()
{
    xcb_connection_t *c = qtConnection();
    auto *r =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom("_NET_SYSTEM_TRAY_S0")), nullptr);
    const quint32 owner = r ? r->owner : 0;
    std::free(r);
    return owner;
}

// Our tray icons docked in the system tray: Qt's visible icon windows that were reparented into
// a window of the tray's own X client (the owner of the tray selection).
int iconsInTray()
{
    const quint32 owner = trayOwner();
    if (owner == 0)
        return 0;
    const quint32 clientBits = ~xcb_get_setup(qtConnection())->resource_id_mask;
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->inherits("QSystemTrayIconSys") || !w->isVisible())
            continue;
        for (quint32 x = parentOf(w->winId()); x != 0 && x != rootWindow(); x = parentOf(x)) {
            if ((x & clientBits) == (owner & clientBits)) {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace

using Rig = DesktopGameRig;

class TestSupervisionE2E : public QObject
{
    Q_OBJECT

    X11Session &session;
    QTemporaryDir tmp;
    DesktopHelper openbox{QStringLiteral("openbox")};

    // Short supervision intervals keep most cases quick; one case runs with the real ones.
    static constexpr int kTop = 1000;
    static constexpr int kChk = 500;

public:
    explicit TestSupervisionE2E(X11Session &s) : session(s) {}

private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::Xvfb, Need::DosBox, Need::Openbox, Need::Xdotool, Need::Trayer, Need::DosStubs);
        QVERIFY2(session.started(), qPrintable(session.problem()));
        QVERIFY(tmp.isValid());

        QVERIFY(DesktopGameRig::writeQuietDosBoxSettings(g_home));

        QVERIFY(openbox.start());
        X11GameWindows probe;
        QVERIFY(probe.sharesQtConnection());
        QTRY_VERIFY_WITH_TIMEOUT(probe.windowManagerPresent(), 10000);
    }

    void cleanupTestCase()
    {
        openbox.stop();
    }

    // The player switches away from the running game: the game's window leaves the screen at the
    // next check, and Unhide brings it back without taking the focus from where the player is.
    void hideWhenThePlayerSwitchesAway_data()
    {
        QTest::addColumn<bool>("realIntervals");
        QTest::newRow("short intervals") << false;
        QTest::newRow("real intervals") << true;
    }
    void hideWhenThePlayerSwitchesAway()
    {
        QFETCH(bool, realIntervals);
        Rig rig("Yes", "No", "0", 600);
        QCOMPARE(rig.tmrTopWin()->interval(), 5000);
        QCOMPARE(rig.tmrChkWin()->interval(), 2000);
        if (!realIntervals)
            rig.setIntervals(kTop, kChk);
        const int chk = rig.tmrChkWin()->interval();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        QVERIFY(!rig.launchUnhide()->isEnabled());
        QVERIFY(!rig.sysUnhide()->isEnabled());

        rig.chooseSinglePlayer();
        QVERIFY(rig.launch());
        QVERIFY(rig.tmrTopWin()->isActive());
        const quint32 game = rig.gameWindow();
        QVERIFY(game);
        QVERIFY(rig.gameInFront(game));
        // A check with the game in front leaves it alone (and ends the wait for the foreground).
        QTRY_VERIFY_WITH_TIMEOUT(!rig.tmrTopWin()->isActive(), chk + 1000);
        QVERIFY(isMapped(game));
        QVERIFY(!rig.launchUnhide()->isEnabled());

        const quint32 main = quint32(rig.window->winId());
        QVERIFY(activate(main));
        // Within a check or so; how quickly is bench/supervision.sh's figure, not this test's.
        QTRY_VERIFY_WITH_TIMEOUT(!isMapped(game), chk + 5000);
        QTRY_COMPARE(wmState(game), int(Withdrawn)); // the window manager updates it a moment later
        QVERIFY(rig.launchUnhide()->isEnabled());
        QVERIFY(rig.sysUnhide()->isEnabled());
        QVERIFY(!rig.tmrChkWin()->isActive());
        QVERIFY(!processGone(rig.pid())); // hidden, not closed
        QCOMPARE(rig.windows.foreground().window, main);

        rig.launchUnhide()->trigger();
        QTRY_VERIFY(isMapped(game));
        QTRY_COMPARE(wmState(game), int(Normal));
        // The focus stays where the player is, also after the window manager had its say.
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(rig.windows.foreground().window, main);
            QTest::qWait(50);
        }
        QVERIFY(!rig.launchUnhide()->isEnabled());
        QVERIFY(!rig.sysUnhide()->isEnabled());
        QVERIFY(rig.tmrTopWin()->isActive()); // waits for the game to be in front again
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /v1 /l1 /s0"));
    }

    // Once the game has ended and DOSBox is back at its prompt, that window is closed at the next
    // check: DOSBox itself ends.
    void closeTheFinishedWindow_data()
    {
        QTest::addColumn<bool>("network");
        QTest::addColumn<QByteArray>("args");
        QTest::newRow("single player") << false << QByteArray(" /v1 /l1 /s0");
        QTest::newRow("network launcher") << true << QByteArray(" /c2 /i1");
    }
    void closeTheFinishedWindow()
    {
        QFETCH(bool, network);
        QFETCH(QByteArray, args);
        Rig rig("No", "Yes", "0", 3);
        rig.setIntervals(kTop, kChk);
        if (network) {
            rig.get<QAbstractButton>("chkMulti")->setChecked(true);
            rig.get<QAbstractButton>("optCoop")->setChecked(true);
            QCOMPARE(rig.get<QComboBox>("cmbNumPlayers")->currentText(), QStringLiteral("4"));
        } else {
            rig.chooseSinglePlayer();
        }
        QVERIFY(rig.launch());
        QCOMPARE(rig.m.FinishedTitle,
                 network ? QStringLiteral("Finished - Duke3d") : QStringLiteral("Finished - duke3d"));
        const quint32 game = rig.gameWindow();
        QVERIFY(game);
        QVERIFY(rig.gameInFront(game));

        // The game ends, its window shows "Finished", and the next check closes it: DOSBox goes.
        bool finishedSeen = false;
        QDeadlineTimer deadline(30000);
        while (!processGone(rig.pid()) && !deadline.hasExpired()) {
            finishedSeen = finishedSeen || rig.windows.findWindow(rig.m.FinishedTitle) != 0;
            QTest::qWait(20);
        }
        QVERIFY(processGone(rig.pid()));
        QVERIFY(finishedSeen);
        QVERIFY(!rig.tmrChkWin()->isActive());
        QVERIFY(!rig.tmrTopWin()->isActive());
        QVERIFY(!rig.launchUnhide()->isEnabled());
        QCOMPARE(rig.read("ARGS.TXT"), args);
        if (network) {
            QCOMPARE(rig.read("COMMIT.TXT"), args);
            QCOMPARE(rig.read("duke3d.cfg"), DosBoxGameDir::Cfg); // unchanged values are not written again
            QCOMPARE(rig.read("commit.dat"), DosBoxGameDir::Commit);
        }
        QVERIFY(rig.prompts.shown.isEmpty());
    }

    // Neither preference on: the window is left alone for as long as it exists, and the check
    // stops once it is gone.
    void bothOffLeaveTheWindowAlone()
    {
        Rig rig("No", "No", "0", 600);
        rig.setIntervals(kTop, kChk);
        rig.chooseSinglePlayer();
        QVERIFY(rig.launch());
        const quint32 game = rig.gameWindow();
        QVERIFY(game);
        QVERIFY(rig.gameInFront(game));

        QVERIFY(activate(quint32(rig.window->winId())));
        // Three checks with the player elsewhere leave the window where it is.
        int checks = 0;
        QObject::connect(rig.tmrChkWin(), &QTimer::timeout, [&] { ++checks; });
        QTRY_VERIFY_WITH_TIMEOUT(checks >= 3, 10 * kChk + 5000);
        QVERIFY(isMapped(game));
        QVERIFY(rig.tmrChkWin()->isActive());
        QVERIFY(!rig.launchUnhide()->isEnabled());
        QVERIFY(!rig.sysUnhide()->isEnabled());
        QVERIFY(!processGone(rig.pid()));

        rig.windows.requestClose(game);
        QVERIFY(waitGone(rig.pid(), 5000));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.tmrChkWin()->isActive(), kChk + 1500);
        QVERIFY(!rig.tmrTopWin()->isActive());
    }

    // Without a system tray, "Minimized to Tray" minimises: the window stays reachable.
    void minimizedToTrayWithoutATray()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        Rig rig("No", "No", "2", 600);
        rig.setIntervals(kTop, kChk);
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        rig.chooseSinglePlayer();
        QVERIFY(rig.launch());
        QTRY_VERIFY(rig.window->isMinimized());
        QVERIFY(rig.window->isVisible());
        QTRY_COMPARE(wmState(quint32(rig.window->winId())), int(Iconic));
        QVERIFY(!rig.tray().iconShown());
        QCOMPARE(iconsInTray(), 0);
        QVERIFY(rig.gameWindow());
    }

    // With trayer as the system tray: one icon after the launch and after a relaunch from the
    // tray menu, none once the main window is closed.
    void minimizedToTrayInARealTray()
    {
        DesktopHelper trayer(QStringLiteral("trayer"));
        QVERIFY(trayer.start());
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        QVERIFY(trayOwner() != 0);

        Rig rig("No", "No", "2", 600);
        rig.setIntervals(kTop, kChk);
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        const quint32 main = quint32(rig.window->winId());
        rig.chooseSinglePlayer();
        QVERIFY(rig.launch());
        QVERIFY(rig.tray().iconShown());
        QVERIFY(!rig.tray().InTray); // adding the icon does not count as being in the tray
        QTRY_COMPARE(iconsInTray(), 1);
        QVERIFY(!rig.window->isVisible());
        QTRY_COMPARE(wmState(main), int(Withdrawn));
        QVERIFY(rig.gameWindow());

        // The launch cleared the options; Relaunch starts the same game once more.
        QCOMPARE(rig.get<QComboBox>("cmbEpisode")->currentIndex(), -1);
        QVERIFY(QFile::remove(rig.game.filePath("ARGS.TXT")));
        rig.get<QAction>("mnuSysLaunch")->trigger();
        QVERIFY(rig.started());
        QCOMPARE(rig.runner.results.size(), 2);
        QTRY_COMPARE(rig.read("ARGS.TXT"), QByteArray(" /v1 /l1 /s0"));
        // The relaunched game's window is the one watched, not the first game's, still running.
        QTRY_VERIFY_WITH_TIMEOUT(windowOfProcess(rig.pid()) != 0, 10000);
        // Found at a look-up tick of tmrTopWin, however long the window took to come up.
        QTRY_COMPARE_WITH_TIMEOUT(windowPid(rig.supervisor().GameWindow), quint32(rig.pid()),
                                  kTop * (GameSupervisor::kLookupTicks + 1) + 5000);
        QVERIFY(rig.tray().InTray);
        QVERIFY(rig.tray().iconShown());
        QTRY_COMPARE(iconsInTray(), 1);
        QVERIFY(!rig.window->isVisible());

        rig.window->close();
        QVERIFY(!rig.tray().iconShown());
        QTRY_COMPARE(iconsInTray(), 0);
    }
};

int main(int argc, char **argv)
{
    // Every DOSBox inherits this environment: a private home, no sound, a real window.
    QTemporaryDir home;
    g_home = home.path();
    DesktopGameRig::prepareEnvironment(home.path());
    // Before the application: it needs the display.
    X11Session session;
    QApplication app(argc, argv);
    TestSupervisionE2E test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_supervision_e2e.moc"
