#include "FakeGameRunner.h"
#include "LaunchFixture.h"

#include "launch/widgets/Launcher.h"

#include <QTemporaryDir>
#include <QtTest>

// The launch procedure with the panels driven by name and a recording game runner.
struct LaunchRig : LaunchFixture
{
    QTemporaryDir game;
    FakeGameRunner runner;
    Launcher launcher{module1, options, &window};
    QStringList steps; // the main window's side, in the order the launch asked for it

    LaunchRig()
    {
        platform.runner = &runner;
        module1.DukePath = game.path();
        module1.DukeWin = "0";
        launcher.swapInChosenFiles = [this] { steps << "swap"; };
        launcher.showNormal = [this] { steps << "normal"; };
        launcher.showMinimized = [this] { steps << "minimized"; };
        launcher.addTrayIcon = [this] { steps << "tray"; };
        launcher.inTray = [] { return false; };
        launcher.editNetworkKeys = [this] { steps << "keys"; return true; };
        launcher.watchGame = [this](qint64 pid, const QString &, bool) { steps << QString("watch %1").arg(pid); };
        launcher.exitCommand = [this] { steps << "exit"; };
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
        QCOMPARE(rig.steps, (QStringList{"swap", "normal", "watch 4242"}));
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
        QCOMPARE(rig.steps, (QStringList{"swap", "normal", "keys", "watch 4242"}));
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

    void failedStartKeepsTheOptions_data()
    {
        QTest::addColumn<QString>("runnerMessage");
        QTest::addColumn<QString>("shown");
        QTest::newRow("program missing") << "" << "%1/duke3d.exe not found";
        QTest::newRow("runner explains") << "DOSBox is needed." << "DOSBox is needed.";
    }
    void failedStartKeepsTheOptions()
    {
        QFETCH(QString, runnerMessage);
        QFETCH(QString, shown);
        LaunchRig rig;
        rig.runner.answer = {false, runnerMessage, 0, {}, false};
        rig.launcher.timePicked = [] { return 5; };
        bool timerStarted = false;
        rig.launcher.startGameTimer = [&] { timerStarted = true; };
        rig.singleEpisodeLevel();
        QVERIFY(!rig.launcher.Launch());
        QCOMPARE(rig.prompts.texts(), QStringList{shown.arg(rig.game.path())});
        QVERIFY(!timerStarted);
        QCOMPARE(rig.cl().switches(), QString(" /v1 /l1 /s0"));
        QVERIFY(!rig.steps.contains("exit"));
    }

    void launchPreference_data()
    {
        QTest::addColumn<QString>("dukeWin");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("0 normal") << "0" << QStringList{"swap", "normal", "watch 4242"} << true;
        QTest::newRow("1 minimized") << "1" << QStringList{"swap", "minimized", "watch 4242"} << true;
        QTest::newRow("2 tray") << "2" << QStringList{"swap", "tray", "watch 4242"} << true;
        QTest::newRow("3 closed") << "3" << QStringList{"swap", "watch 4242", "exit"} << false;
        QTest::newRow("other") << "x" << QStringList{"swap", "watch 4242"} << true;
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

    void gameTimerStartsOnlyWithALimit()
    {
        LaunchRig rig;
        int started = 0;
        int minutes = 0;
        rig.launcher.timePicked = [&] { return minutes; };
        rig.launcher.startGameTimer = [&] { ++started; };
        rig.singleEpisodeLevel();
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(started, 0);
        minutes = 30;
        rig.choose("cmbEpisode", "LA Meltdown");
        rig.choose("cmbLevel", "DEATH ROW");
        QVERIFY(rig.launcher.Launch());
        QCOMPARE(started, 1);
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
