#include "FakeGameRunner.h"
#include "LaunchFixture.h"

#include "launch/widgets/EarlyExitWatch.h"
#include "launch/widgets/LaunchHost.h"
#include "launch/widgets/Launcher.h"

#include <QTemporaryDir>
#include <QtTest>

// The main window's side of the launch, recorded in the order the launch asked for it.
struct RecordingLaunchHost : LaunchHost
{
    QStringList steps;
    QStringList started; // what gameStarted said
    bool trayAlready = false;
    ChosenFiles chosen;
    ChosenFiles chosenFiles() const override { return chosen; }
    void showMainWindowNormal() override { steps << "normal"; }
    void minimizeMainWindow() override { steps << "minimized"; }
    bool inTray() const override { return trayAlready; }
    void addTrayIcon() override { steps << "tray"; }
    void editNetworkKeys() override { steps << "keys"; }
    void watchGame(qint64 pid, const QString &, bool) override { steps << QString("watch %1").arg(pid); }
    void startGameTimer() override { steps << "timer"; }
    void gameStarted(const QString &what) override { started << what; }
    void exitCommand() override { steps << "exit"; }
};

// The launch procedure with the panels driven by name and a recording game runner.
struct LaunchRig : LaunchFixture
{
    QTemporaryDir game;
    FakeGameRunner runner;
    RecordingLaunchHost launchHost;
    QStringList &steps = launchHost.steps;
    Launcher launcher{module1, options, launchHost, &window};

    LaunchRig()
    {
        platform.runner = &runner;
        module1.DukePath = game.path();
        module1.DukeWin = "0";
    }
    void gameFile(const QString &name)
    {
        QFile f(game.filePath(name));
        f.open(QIODevice::WriteOnly);
    }
    void singleEpisodeLevel()
    {
        tick("chkSingle");
        choose("cmbEpisode", "LA Meltdown");
        choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
    }
    void network(const char *gameType, const QString &players)
    {
        tick("chkMulti");
        tick(gameType);
        choose("cmbNumPlayers", players);
    }
};

class TestLauncher : public QObject
{
    Q_OBJECT
private slots:
    void checksInOrder_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing ticked") << "" << "Please Select Either Single Or Multi Player";
        QTest::newRow("single, nothing chosen") << "single" << "Please Select Single Player Options";
        QTest::newRow("episode without level") << "episode" << "Please Select a Level";
        QTest::newRow("multi without game type") << "multi" << "Please Select A GameType For Multi Player";
        QTest::newRow("multi without players")
            << "multi+type" << "Please Select The Number Of Players For Multi Player";
        QTest::newRow("fake multi without count")
            << "single+level+fake" << "Please select the Number of Players for Fake Multi Player";
    }
    void checksInOrder()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        LaunchRig rig;
        if (setup.startsWith("single"))
            rig.tick("chkSingle");
        if (setup.contains("level"))
            rig.singleEpisodeLevel();
        if (setup == "episode") {
            rig.tick("chkSingle");
            rig.choose("cmbEpisode", "Shrapnel City");
        }
        if (setup.startsWith("multi"))
            rig.tick("chkMulti");
        if (setup.contains("type"))
            rig.tick("optCoop");
        if (setup.contains("fake"))
            rig.tick("chkFakeMulti");

        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.texts(), QStringList{message});
        QVERIFY(rig.runner.requests.isEmpty());
        QVERIFY(rig.steps.isEmpty());
    }

    void singlePlayerRunsTheGameAndClearsTheOptions()
    {
        LaunchRig rig;
        rig.singleEpisodeLevel();
        rig.tick("optLvl2");
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(rig.runner.requests.size(), 1);
        const GameRunner::Request r = rig.runner.requests[0];
        QCOMPARE(r.program, QString("duke3d.exe"));
        QCOMPARE(r.switches, QString(" /v1 /l1 /s1"));
        QCOMPARE(r.directory, rig.game.path());
        QVERIFY(!r.network);
        QCOMPARE(rig.module1.GameCommand, rig.game.path() + "/duke3d.exe /v1 /l1 /s1");
        QCOMPARE(rig.module1.FinishedTitle, QString("Finished - duke3d"));
        QCOMPARE(rig.steps, (QStringList{"normal", "watch 4242", "timer"}));
        // Cleared: single player stays on with nothing chosen.
        QVERIFY(rig.ticked("chkSingle"));
        QCOMPARE(rig.combo("cmbEpisode")->currentIndex(), -1);
        QCOMPARE(rig.cl().switches(), QString());
    }

    void networkGameRunsTheLauncherWithTheNameSwitch()
    {
        LaunchRig rig;
        rig.gameFile("DUKE3D.CFG");
        rig.gameFile("commit.dat");
        rig.net().SavedPlayerName = "DUKE";
        rig.network("optCoop", "4");
        rig.get<QLineEdit>("txtName")->setText("ace");
        QVERIFY(rig.launcher.Launch());
        const GameRunner::Request r = rig.runner.requests.value(0);
        QCOMPARE(r.program, QString("commit.exe"));
        QCOMPARE(r.switches, QString(" -name ACE /c2 /i1"));
        QVERIFY(r.network);
        QCOMPARE(rig.module1.FinishedTitle, QString("Finished - Duke3d"));
        QCOMPARE(rig.steps, (QStringList{"normal", "keys", "watch 4242", "timer"}));
    }

    // DOSBox's IPX reaches the other players through its tunnel: hosting by default, joining the
    // address of the settings.
    void networkGameOpensTheTunnelFirst_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("command");
        QTest::newRow("nothing set") << "" << "" << "" << "ipxnet startserver 213";
        QTest::newRow("host") << "Host" << "ignored;here" << "21313" << "ipxnet startserver 21313";
        QTest::newRow("join") << "Join" << "duke-lan" << "21313" << "ipxnet connect duke-lan 21313";
        QTest::newRow("join IPv6") << "join" << "::1" << "" << "ipxnet connect ::1 213";
    }
    void networkGameOpensTheTunnelFirst()
    {
        QFETCH(QString, role);
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, command);
        LaunchRig rig;
        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.store.setValue("Network", "Role", role);
        rig.store.setValue("Network", "Host", host);
        rig.store.setValue("Network", "Port", port);
        rig.network("optCoop", "2");
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(rig.runner.requests.value(0).dosCommandBefore, command);
    }

    void singlePlayerOpensNoTunnel()
    {
        LaunchRig rig;
        rig.store.setValue("Network", "Role", "Join");
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QVERIFY(rig.runner.requests.value(0).dosCommandBefore.isEmpty());
    }

    // Bad settings are refused before anything is written or started.
    void badNetworkSettingsChangeNothing_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::newRow("no address") << "" << "213";
        QTest::newRow("port 0") << "duke-lan" << "0";
        QTest::newRow("port 70000") << "duke-lan" << "70000";
        QTest::newRow("a;b") << "a;b" << "213";
        QTest::newRow("a>b") << "a>b" << "213";
        QTest::newRow("blank inside") << "duke lan" << "213";
        QTest::newRow("300 characters") << QString(300, QLatin1Char('x')) << "213";
    }
    void badNetworkSettingsChangeNothing()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        LaunchRig rig;
        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.store.setValue("Network", "Role", "Join");
        rig.store.setValue("Network", "Host", host);
        rig.store.setValue("Network", "Port", port);
        const int writes = rig.store.writes;
        rig.network("optCoop", "2");
        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.shown.size(), 1);
        QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QVERIFY(rig.prompts.shown[0].text.contains("View > Preferences"));
        QVERIFY(rig.runner.requests.isEmpty() && rig.runner.checked.isEmpty());
        QVERIFY(rig.steps.isEmpty()); // neither the window nor the network keys
        QCOMPARE(rig.store.writes, writes);
        QVERIFY(rig.ticked("optCoop"));
    }

    // A DOSBox gone within seconds never ran the game: the player is told, with its last lines.
    void aDosBoxThatEndsAtOnceIsReported()
    {
        LaunchRig rig;
        rig.runner.ended = {4242};
        rig.runner.output = "Error opening terminal: unknown.";
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QTRY_COMPARE(rig.prompts.texts(), QStringList{"DOSBox ended right after it started, so duke3d.exe did not "
                                                      "run. The last lines DOSBox wrote:\n\nError opening "
                                                      "terminal: unknown."});
        QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
    }

    void aDosBoxThatRunsOnIsNotReported()
    {
        const int watch = EarlyExitWatch::WatchMs;
        EarlyExitWatch::WatchMs = 300;
        LaunchRig rig;
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QVERIFY(rig.window.findChild<EarlyExitWatch *>());
        QTRY_VERIFY(!rig.window.findChild<EarlyExitWatch *>()); // the watch is over
        rig.runner.ended = {4242}; // ended later: a game that was played
        QCoreApplication::processEvents();
        QVERIFY(rig.prompts.shown.isEmpty());
        EarlyExitWatch::WatchMs = watch;
        QCOMPARE(EarlyExitWatch::message("duke3d.exe", {}),
                 QStringLiteral("DOSBox ended right after it started, so duke3d.exe did not run. DOSBox wrote nothing "
                                "about why."));
    }

    void nameEqualToTheSavedOneAddsNoSwitch()
    {
        LaunchRig rig;
        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.net().SavedPlayerName = "DUKE";
        rig.network("optDukeNOSpawn", "6");
        rig.tick("chkMulti", false); // the name box takes the saved name when multi is ticked again
        rig.network("optDukeNOSpawn", "6");
        rig.choose("cmbMepis", "Lunar Apocalypse");
        rig.choose("cmbMlev", "WARP FACTOR");
        rig.tick("optMSk4");
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(rig.runner.requests.value(0).switches, QString(" /v2 /l3 /s3 /c1 /i0 /m"));
    }

    void missingNetworkFileStopsBeforeAnythingChanges_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("missing");
        QTest::newRow("no duke3d.cfg") << "commit.dat" << "duke3d.cfg";
        QTest::newRow("no commit.dat") << "duke3d.cfg" << "commit.dat";
    }
    void missingNetworkFileStopsBeforeAnythingChanges()
    {
        QFETCH(QString, present);
        QFETCH(QString, missing);
        LaunchRig rig;
        rig.gameFile(present);
        rig.network("optCoop", "2");
        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.texts(), QStringList{"Could not locate " + rig.game.path() + "/" + missing + "!"});
        QVERIFY(rig.steps.isEmpty());
        QVERIFY(rig.ticked("optCoop"));
    }

    // The runner refuses (the program is not there, DOSBox is missing) before anything of the
    // window or the game's files changed, whatever the Launch Preference; a start that fails
    // after all keeps the options too.
    void refusedStartChangesNothing_data()
    {
        QTest::addColumn<QString>("dukeWin");
        QTest::addColumn<bool>("atStart"); // refused only by the start itself
        QTest::addColumn<QString>("runnerMessage");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("steps");
        for (const char *pref : {"0", "1", "2", "3"}) {
            QTest::addRow("program missing, preference %s", pref)
                << pref << false << "" << "%1/duke3d.exe not found" << QStringList{};
            QTest::addRow("DOSBox missing, preference %s", pref)
                << pref << false << "DOSBox is needed." << "DOSBox is needed." << QStringList{};
        }
        QTest::newRow("start fails after the check") << "1" << true << "" << "%1/duke3d.exe not found"
                                                     << QStringList{"minimized"};
    }
    void refusedStartChangesNothing()
    {
        QFETCH(QString, dukeWin);
        QFETCH(bool, atStart);
        QFETCH(QString, runnerMessage);
        QFETCH(QString, shown);
        QFETCH(QStringList, steps);
        LaunchRig rig;
        rig.module1.DukeWin = dukeWin;
        const GameRunner::Result refused{false, runnerMessage, 0, {}, false};
        if (atStart)
            rig.runner.answer = refused;
        else
            rig.runner.refuse = refused;
        rig.singleEpisodeLevel();
        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.texts(), QStringList{shown.contains("%1") ? shown.arg(rig.game.path()) : shown});
        QCOMPARE(rig.steps, steps);
        QCOMPARE(rig.runner.requests.size(), atStart ? 1 : 0);
        QCOMPARE(rig.cl().switches(), QString(" /v1 /l1 /s0"));
    }

    void launchPreference_data()
    {
        QTest::addColumn<QString>("dukeWin");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("0 normal") << "0" << QStringList{"normal", "watch 4242", "timer"} << true;
        QTest::newRow("1 minimized") << "1" << QStringList{"minimized", "watch 4242", "timer"} << true;
        QTest::newRow("2 tray") << "2" << QStringList{"tray", "watch 4242", "timer"} << true;
        QTest::newRow("3 closed") << "3" << QStringList{"watch 4242", "timer", "exit"} << false;
        QTest::newRow("other") << "x" << QStringList{"watch 4242", "timer"} << true;
    }
    void launchPreference()
    {
        QFETCH(QString, dukeWin);
        QFETCH(QStringList, steps);
        QFETCH(bool, cleared);
        LaunchRig rig;
        rig.module1.DukeWin = dukeWin;
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(rig.steps, steps);
        QCOMPARE(rig.cl().switches().isEmpty(), cleared);
    }

    // "Relaunch Duke3d" starts the game last launched again, although that launch cleared the
    // options; before any launch it is an ordinary launch.
    void relaunchRepeatsTheLastGame()
    {
        LaunchRig rig;
        QVERIFY(!rig.launcher.Relaunch());
        QCOMPARE(rig.prompts.texts(), QStringList{"Please Select Either Single Or Multi Player"});

        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.module1.DukeWin = "2";
        rig.network("optCoop", "4");
        rig.get<QLineEdit>("txtName")->setText("ace");
        QVERIFY(rig.launcher.Launch());
        QVERIFY(!rig.ticked("chkMulti")); // cleared
        rig.launchHost.trayAlready = true;
        rig.steps.clear();
        QVERIFY(rig.launcher.Relaunch());
        QCOMPARE(rig.runner.requests.size(), 2);
        QCOMPARE(rig.runner.requests[1].program, QString("commit.exe"));
        QCOMPARE(rig.runner.requests[1].switches, QString(" -name ACE /c2 /i1"));
        QVERIFY(rig.runner.requests[1].network);
        QCOMPARE(rig.steps, (QStringList{"watch 4242", "timer"})); // no second icon, the keys are written already
        QCOMPARE(rig.prompts.shown.size(), 1);
    }

    // The name box of a network game: empty sends no name; a name with a blank cannot be one word
    // on the game's command line and is refused before anything changes.
    void playerNameOnTheCommandLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("switches"); // "" when refused
        QTest::newRow("empty box: no -name") << "" << " /c2 /i1";
        QTest::newRow("typed name upper-cased") << "ace" << " -name ACE /c2 /i1";
        QTest::newRow("name with a blank") << "ace pilot" << "";
        QTest::newRow("only blanks") << "  " << "";
    }
    void playerNameOnTheCommandLine()
    {
        QFETCH(QString, typed);
        QFETCH(QString, switches);
        LaunchRig rig;
        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.net().SavedPlayerName = "DUKE";
        rig.network("optCoop", "2");
        rig.get<QLineEdit>("txtName")->setText(typed);
        QCOMPARE(rig.launcher.Launch(), !switches.isEmpty());
        if (switches.isEmpty()) {
            QCOMPARE(rig.prompts.shown.size(), 1);
            QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
            QVERIFY(rig.steps.isEmpty());
            QVERIFY(rig.runner.checked.isEmpty());
        } else {
            QCOMPARE(rig.runner.requests.value(0).switches, switches);
        }
    }

    // A relaunch from the tray while the window is in the tray adds no second icon.
    void alreadyInTheTrayAddsNoIcon()
    {
        LaunchRig rig;
        rig.module1.DukeWin = "2";
        rig.launchHost.trayAlready = true;
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(rig.steps, (QStringList{"watch 4242", "timer"}));
    }

    void switchesDosCannotCarryAreRefusedBeforeAnyChange()
    {
        LaunchRig rig;
        rig.gameFile("duke3d.cfg");
        rig.gameFile("commit.dat");
        rig.network("optCoop", "2");
        rig.get<QLineEdit>("txtName")->setText("a>b");
        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.shown.size(), 1);
        QVERIFY(rig.prompts.shown[0].text.contains('>'));
        QVERIFY(rig.steps.isEmpty());
        QVERIFY(rig.runner.requests.isEmpty());
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
