#include "app/GameSupervisor.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "FakeGameWindows.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr GameWindows::Handle kGame = 0x400003;
constexpr GameWindows::Handle kOther = 0x600001;
constexpr GameWindows::Handle kCommit = 0x500007;
constexpr qint64 kPid = 4242;
} // namespace

class TestGameSupervisor : public QObject
{
    Q_OBJECT

    MemorySettingsStore settings;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{settings, files, prompts, QString()};

    struct Rig
    {
        Module1 module;
        FakeGameWindows windows;
        GameSupervisor supervisor;
        bool multi = false;
        explicit Rig(Platform &p) : module(p), supervisor(module, windows)
        {
            module.FinishedTitle = QStringLiteral("Finished - Duke3d");
            supervisor.multiPlayerTicked = [this] { return multi; };
        }
        // A running game that the player has had in front: supervision is watching.
        void watching(const QString &close, const QString &hide)
        {
            module.CloseDosWin = close;
            module.HideDosWin = hide;
            windows.windows[kGame] = {kPid, QStringLiteral("Duke3d")};
            windows.front = {true, kGame};
            supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
            supervisor.tmrTopWin_Timer();
        }
    };

private slots:
    void timersCarryTheirNamesAndIntervals()
    {
        Rig r(platform);
        QCOMPARE(r.supervisor.tmrTopWin.objectName(), QStringLiteral("tmrTopWin"));
        QCOMPARE(r.supervisor.tmrTopWin.interval(), 5000);
        QCOMPARE(r.supervisor.tmrChkWin.objectName(), QStringLiteral("tmrChkWin"));
        QCOMPARE(r.supervisor.tmrChkWin.interval(), 2000);
        QVERIFY(!r.supervisor.tmrTopWin.isActive() && !r.supervisor.tmrChkWin.isActive());
    }

    void watchGameRegistersTheProcessAndWaitsForTheForeground()
    {
        Rig r(platform);
        r.windows.windows[kCommit] = {77, QStringLiteral("Commit")};
        r.windows.front = {true, kOther};
        r.supervisor.WatchGame(77, QStringLiteral("COMMIT.EXE"), true);
        QCOMPARE(r.windows.registered.size(), 1);
        QCOMPARE(r.windows.registered[0].pid, 77);
        QCOMPARE(r.supervisor.GameWindow, kCommit); // no "Duke3d": the launcher's window
        QVERIFY(r.supervisor.tmrTopWin.isActive());

        r.supervisor.tmrTopWin_Timer(); // not in front yet: keep waiting
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
        QVERIFY(r.supervisor.tmrTopWin.isActive());

        r.windows.front = {true, kCommit};
        r.supervisor.tmrTopWin_Timer();
        QVERIFY(r.supervisor.tmrChkWin.isActive());
        QVERIFY(r.supervisor.tmrTopWin.isActive()); // until tmrChkWin's first tick
        r.supervisor.tmrChkWin_Timer();
        QVERIFY(!r.supervisor.tmrTopWin.isActive());
    }

    // DOSBox opens its window a moment after the process starts.
    void aWindowThatComesUpLateIsStillFound()
    {
        Rig r(platform);
        r.supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(r.supervisor.GameWindow, GameWindows::Handle(0));
        r.supervisor.tmrTopWin_Timer();
        QVERIFY(r.supervisor.tmrTopWin.isActive());

        r.windows.windows[kGame] = {kPid, QStringLiteral("Duke3d")};
        r.windows.front = {true, kGame};
        r.supervisor.tmrTopWin_Timer();
        QCOMPARE(r.supervisor.GameWindow, kGame);
        QVERIFY(r.supervisor.tmrChkWin.isActive());
    }

    void aWindowNeverFoundEndsTheWait()
    {
        Rig r(platform);
        r.supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
        for (int i = 0; i <= GameSupervisor::kLookupTicks; ++i)
            r.supervisor.tmrTopWin_Timer();
        QVERIFY(!r.supervisor.tmrTopWin.isActive());
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
    }

    void checkTimerStopsWhenTheWindowIsGone()
    {
        Rig r(platform);
        r.watching(QStringLiteral("No"), QStringLiteral("No"));
        r.windows.windows.remove(kGame);
        r.supervisor.tmrChkWin_Timer();
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
        QVERIFY(!r.supervisor.tmrTopWin.isActive());
    }

    // The saved-game list is read again when the game has ended; once per launch, whichever way
    // the end shows and however many ticks see it.
    void gameEndedIsToldOncePerLaunch_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<bool>("windowGone"); // else the window shows DOSBox's prompt again
        QTest::newRow("window closed, no preference") << QStringLiteral("No") << true;
        QTest::newRow("finished, left open") << QStringLiteral("No") << false;
        QTest::newRow("finished, closed by Zentrel") << QStringLiteral("Yes") << false;
    }
    void gameEndedIsToldOncePerLaunch()
    {
        QFETCH(QString, close);
        QFETCH(bool, windowGone);
        Rig r(platform);
        QSignalSpy ended(&r.supervisor, &GameSupervisor::gameEnded);
        r.watching(close, QStringLiteral("No"));
        r.supervisor.tmrChkWin_Timer();
        QCOMPARE(ended.size(), 0); // still playing

        if (windowGone)
            r.windows.windows.remove(kGame);
        else
            r.windows.windows[kGame].title = QStringLiteral("Finished - Duke3d");
        r.supervisor.tmrChkWin_Timer();
        r.supervisor.tmrChkWin_Timer();
        r.windows.windows.remove(kGame);
        r.supervisor.tmrChkWin_Timer();
        QCOMPARE(ended.size(), 1);

        r.windows.windows[kGame] = {kPid, QStringLiteral("Duke3d")}; // the next launch
        r.supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
        r.supervisor.tmrTopWin_Timer();
        r.windows.windows.remove(kGame);
        r.supervisor.tmrChkWin_Timer();
        QCOMPARE(ended.size(), 2);
    }

    // A game whose window goes before the player ever had it in front has ended too.
    void gameGoneWhileWaitingForTheForegroundHasEnded()
    {
        Rig r(platform);
        QSignalSpy ended(&r.supervisor, &GameSupervisor::gameEnded);
        r.windows.windows[kGame] = {kPid, QStringLiteral("Duke3d")};
        r.windows.front = {true, kOther};
        r.supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
        r.supervisor.tmrTopWin_Timer();
        QCOMPARE(ended.size(), 0);
        r.windows.windows.remove(kGame);
        r.supervisor.tmrTopWin_Timer();
        QCOMPARE(ended.size(), 1);
        QVERIFY(!r.supervisor.tmrTopWin.isActive());
    }

    // The preference pair against the game still running (player away) and against the finished
    // window; what gets hidden or closed, and whether tmrChkWin keeps ticking.
    void decisionTable_data()
    {
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("hide");
        QTest::addColumn<bool>("finished");
        QTest::addColumn<bool>("expectHide");
        QTest::addColumn<bool>("expectClose");
        QTest::addColumn<bool>("stillTicking");
        QTest::newRow("hide only, away") << "No"
                                         << "Yes" << false << true << false << false;
        QTest::newRow("hide only, finished") << "No"
                                             << "Yes" << true << true << false << false;
        QTest::newRow("both, away: hide as fallback") << "Yes"
                                                      << "Yes" << false << true << false << false;
        QTest::newRow("both, finished") << "Yes"
                                        << "Yes" << true << false << true << false;
        QTest::newRow("close only, away") << "Yes"
                                          << "No" << false << false << false << true;
        QTest::newRow("close only, finished") << "Yes"
                                              << "No" << true << false << true << false;
        QTest::newRow("neither") << "No"
                                 << "No" << true << false << false << true;
        QTest::newRow("not exactly Yes") << "yes"
                                         << "YES" << true << false << false << true;
        QTest::newRow("empty preferences") << ""
                                           << "" << false << false << false << true;
    }
    void decisionTable()
    {
        QFETCH(QString, close);
        QFETCH(QString, hide);
        QFETCH(bool, finished);
        QFETCH(bool, expectHide);
        QFETCH(bool, expectClose);
        QFETCH(bool, stillTicking);

        Rig r(platform);
        QSignalSpy unhide(&r.supervisor, &GameSupervisor::unhideEnabledChanged);
        r.watching(close, hide);
        r.windows.front = {true, kOther};
        if (finished)
            r.windows.windows[kGame].title = QStringLiteral("Finished - Duke3d");
        r.supervisor.tmrChkWin_Timer();

        QCOMPARE(!r.windows.hidden.isEmpty(), expectHide);
        QCOMPARE(r.windows.closed,
                 expectClose ? QList<GameWindows::Handle>{kGame} : QList<GameWindows::Handle>{});
        QCOMPARE(r.supervisor.tmrChkWin.isActive(), stillTicking);
        QCOMPARE(r.supervisor.unhideEnabled(), expectHide);
        QCOMPARE(unhide.size(), expectHide ? 1 : 0);
    }

    // The game in front, or a foreground the system cannot tell: nothing is hidden.
    void noHideWhileInFrontOrUnknown_data()
    {
        QTest::addColumn<bool>("known");
        QTest::addColumn<quint32>("front");
        QTest::newRow("game in front") << true << quint32(kGame);
        QTest::newRow("unknown") << false << quint32(0);
    }
    void noHideWhileInFrontOrUnknown()
    {
        QFETCH(bool, known);
        QFETCH(quint32, front);
        Rig r(platform);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        r.windows.front = {known, front};
        r.supervisor.tmrChkWin_Timer();
        QVERIFY(r.windows.hidden.isEmpty());
        QVERIFY(r.supervisor.tmrChkWin.isActive());
        QVERIFY(!r.supervisor.unhideEnabled());
    }

    // No window titled "Duke3d" any more (the game ended, hide only): the hide of nothing does
    // nothing, yet both Unhide items come on and supervision stops.
    void hideOfAMissingWindowStillEnablesUnhide()
    {
        Rig r(platform);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        r.windows.windows[kGame].title = QStringLiteral("Finished - Duke3d");
        r.windows.front = {true, kOther};
        r.supervisor.tmrChkWin_Timer();
        QCOMPARE(r.supervisor.GameWindow, GameWindows::Handle(0));
        QCOMPARE(r.windows.hidden, QList<GameWindows::Handle>{0});
        QVERIFY(r.supervisor.unhideEnabled());
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
    }

    void unhideShowsTheWindowAndWaitsForTheForegroundAgain()
    {
        Rig r(platform);
        QSignalSpy unhide(&r.supervisor, &GameSupervisor::unhideEnabledChanged);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        r.windows.front = {true, kOther};
        r.supervisor.tmrChkWin_Timer();
        QVERIFY(!r.windows.windows[kGame].visible);

        r.supervisor.UnhideGame();
        QCOMPARE(r.windows.shown, QList<GameWindows::Handle>{kGame});
        QVERIFY(r.windows.windows[kGame].visible);
        QVERIFY(!r.supervisor.unhideEnabled());
        QCOMPARE(unhide.size(), 2);
        QCOMPARE(unhide.last().at(0).toBool(), false);
        QVERIFY(r.supervisor.tmrTopWin.isActive());
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
    }

    // Network game: the launcher's finished window is closed too, also when the game's is not
    // there (the launcher failed before starting the game).
    void networkGameClosesTheLauncherWindow_data()
    {
        QTest::addColumn<bool>("gameFinished");
        QTest::addColumn<QList<GameWindows::Handle>>("closed");
        QTest::newRow("both finished") << true << QList<GameWindows::Handle>{kGame, kCommit};
        QTest::newRow("only the launcher") << false << QList<GameWindows::Handle>{kCommit};
    }
    void networkGameClosesTheLauncherWindow()
    {
        QFETCH(bool, gameFinished);
        QFETCH(QList<GameWindows::Handle>, closed);
        Rig r(platform);
        r.multi = true;
        r.watching(QStringLiteral("Yes"), QStringLiteral("No"));
        r.windows.windows[kGame].title = gameFinished ? QStringLiteral("Finished - Duke3d") : QString();
        r.windows.windows[kCommit] = {kPid, QStringLiteral("Finished - Commit")};
        r.supervisor.tmrChkWin_Timer();
        QCOMPARE(r.windows.closed, closed);
        QVERIFY(!r.supervisor.tmrChkWin.isActive());
    }

    void finishedCommitIsIgnoredOutsideANetworkGame()
    {
        Rig r(platform);
        r.watching(QStringLiteral("Yes"), QStringLiteral("No"));
        r.windows.windows[kGame].title = QStringLiteral("Duke3d");
        r.windows.windows[kCommit] = {kPid, QStringLiteral("Finished - Commit")};
        r.supervisor.tmrChkWin_Timer();
        QVERIFY(r.windows.closed.isEmpty());
        QVERIFY(r.supervisor.tmrChkWin.isActive());
    }

    void exitShowsAHiddenGameAndEndsSupervision()
    {
        Rig r(platform);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        r.supervisor.ShowHiddenGame(); // nothing hidden: nothing shown
        QVERIFY(r.windows.shown.isEmpty());

        Rig h(platform);
        h.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        h.windows.front = {true, kOther};
        h.supervisor.tmrChkWin_Timer();
        h.supervisor.ShowHiddenGame();
        QCOMPARE(h.windows.shown, QList<GameWindows::Handle>{kGame});
        QVERIFY(!h.supervisor.tmrTopWin.isActive() && !h.supervisor.tmrChkWin.isActive());
        QVERIFY(!h.supervisor.unhideEnabled());
    }

    // A relaunch while the first game still runs: until the new game's window is up, the look-up
    // must not take the first game's window for it.
    void relaunchWatchesTheNewGameNotTheEarlierOne()
    {
        Rig r(platform);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        QCOMPARE(r.supervisor.GameWindow, kGame);

        constexpr qint64 kSecondPid = 5151;
        constexpr GameWindows::Handle kSecondGame = 0x700002;
        r.supervisor.WatchGame(kSecondPid, QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(r.supervisor.GameWindow, GameWindows::Handle(0)); // its window is not up yet
        r.supervisor.tmrTopWin_Timer();
        QCOMPARE(r.supervisor.GameWindow, GameWindows::Handle(0));

        r.windows.windows[kSecondGame] = {kSecondPid, QStringLiteral("Duke3d")};
        r.windows.front = {true, kSecondGame};
        r.supervisor.tmrTopWin_Timer();
        QCOMPARE(r.supervisor.GameWindow, kSecondGame);
        QVERIFY(r.supervisor.tmrChkWin.isActive());
    }

    // Only the processes Zentrel started count, whatever another program's window says.
    void windowsOfOtherProcessesAreNeverWatched()
    {
        Rig r(platform);
        r.windows.windows[kOther] = {999, QStringLiteral("Duke3d")};
        r.supervisor.WatchGame(kPid, QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(r.supervisor.GameWindow, GameWindows::Handle(0));
    }

    void unavailableWindowSystemIsToldOnce()
    {
        Rig r(platform);
        r.windows.up = false;
        r.windows.why = QStringLiteral("no display");
        QSignalSpy told(&r.supervisor, &GameSupervisor::supervisionUnavailable);
        r.module.HideDosWin = QStringLiteral("No");
        r.module.CloseDosWin = QStringLiteral("No");
        r.supervisor.WatchGame(1, QStringLiteral("DUKE3D.EXE"), true); // nothing asked: nothing to tell
        QCOMPARE(told.size(), 0);
        r.module.CloseDosWin = QStringLiteral("Yes");
        r.supervisor.WatchGame(2, QStringLiteral("DUKE3D.EXE"), true);
        r.supervisor.WatchGame(3, QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0][0].toString(), QStringLiteral("no display"));
    }

    // The real timers drive the same steps (short intervals so the test stays quick).
    void timersFireTheSteps()
    {
        Rig r(platform);
        r.supervisor.tmrTopWin.setInterval(10);
        r.supervisor.tmrChkWin.setInterval(10);
        r.watching(QStringLiteral("No"), QStringLiteral("Yes"));
        r.supervisor.tmrChkWin.stop();
        r.supervisor.tmrTopWin.start();
        QTRY_VERIFY(r.supervisor.tmrChkWin.isActive());
        r.windows.front = {true, kOther};
        QTRY_VERIFY(r.supervisor.unhideEnabled());
        QVERIFY(!r.supervisor.tmrTopWin.isActive());
    }
};

QTEST_GUILESS_MAIN(TestGameSupervisor)
#include "tst_gamesupervisor.moc"
