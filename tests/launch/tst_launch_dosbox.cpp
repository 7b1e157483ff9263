// The whole launch for real: the main window's controls set by the test, Launch pressed, DOSBox
// (headless) runs the stand-in game or network launcher, which records the switches it received.
#include "ControlDriver.h"
#include "DosBoxGame.h"
#include "Prerequisites.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "core/Module1.h"
#include "app/widgets/frmMain.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "launch/widgets/LaunchOptions.h"
#include "app/widgets/MainMenus.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

struct DosBoxRig : ControlDriver
{
    QTemporaryDir home;
    DosBoxGameDir game;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    RecordingRunner runner{home.path(), true}; // DOSBox leaves with the program
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    explicit DosBoxRig(const char *version = "13d")
    {
        if (!game.ready())
            qFatal("%s", qPrintable(game.why()));
        qputenv("HOME", home.path().toUtf8());
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        platform.runner = &runner;
        m.DukePath = game.path();
        m.DukeWin = "0";
        store.setValue("Prefs", "LastVersion", version);
        m.LastVersion = QByteArrayView(version) == "15" ? 15 : 13;
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        // as the first show of the editor tab and the CON/RTS panel does
        window->conEditorPage().ensureBuilt();
        window->conRtsPanel().ensureBuilt();
        setRoot(window.get());
    }
    void write(const QString &name, const QByteArray &data) { QVERIFY(game.write(name, data)); }
    QByteArray read(const QString &name) { return game.read(name); }
    // Presses Launch and waits until DOSBox has run the program and left.
    bool launch()
    {
        get<QAbstractButton>("cmdLaunch")->click();
        if (!runner.lastStarted(prompts.texts()))
            return false;
        return waitGone(runner.lastPid(), 30000);
    }
};

class TestLaunchDosBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::DosBox, Need::DosStubs);
    }

    void singlePlayer()
    {
        DosBoxRig rig;
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "LA Meltdown");
        rig.choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
        rig.tick("optLvl2");
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /v1 /l1 /s1"));
        QVERIFY(rig.prompts.shown.isEmpty());
        // The options were cleared after the start.
        QVERIFY(rig.get<QAbstractButton>("chkSingle")->isChecked());
        QCOMPARE(rig.get<QComboBox>("cmbEpisode")->currentIndex(), -1);
    }

    void singlePlayerWithFakePlayers()
    {
        DosBoxRig rig;
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "Shrapnel City");
        rig.choose("cmbLevel", "L.A. RUMBLE");
        rig.tick("chkFakeMulti");
        rig.choose("cmbMulti", "4");
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /v3 /l4 /s0 /q4"));
    }

    void networkCoopWritesTheKeysAndRunsTheLauncher()
    {
        DosBoxRig rig;
        rig.tick("chkMulti");
        rig.tick("optCoop");
        QCOMPARE(rig.get<QComboBox>("cmbNumPlayers")->currentText(), QString("4")); // from duke3d.cfg
        rig.get<QLineEdit>("txtName")->setText("ace");
        QLineEdit *socket = rig.get<QLineEdit>("txtSocket");
        socket->setFocus();
        socket->selectAll();
        QTest::keyClick(socket, Qt::Key_Backspace);
        QTest::keyClicks(socket, "1234");
        QCOMPARE(socket->text(), QString("1234"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("COMMIT.TXT"), QByteArray(" -name ACE /c2 /i1"));
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" -name ACE /c2 /i1"));
        QByteArray cfg = DosBoxGameDir::Cfg;
        cfg.replace("0x4321", "0x1234");
        QCOMPARE(rig.read("duke3d.cfg"), cfg);
        QByteArray commit = DosBoxGameDir::Commit;
        commit.replace("17185", "4660");
        QCOMPARE(rig.read("commit.dat"), commit);
        QVERIFY(rig.prompts.shown.isEmpty());
    }

    void networkDukeMatchWithLevelAndSkill()
    {
        DosBoxRig rig;
        rig.tick("chkMulti");
        rig.tick("optDukeNOSpawn");
        rig.choose("cmbNumPlayers", "6");
        rig.choose("cmbMepis", "Lunar Apocalypse");
        rig.choose("cmbMlev", "WARP FACTOR");
        rig.tick("optMSk4");
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /v2 /l3 /s3 /c1 /i0 /m"));
        QByteArray cfg = DosBoxGameDir::Cfg;
        cfg.replace("NumberPlayers = 4", "NumberPlayers = 6");
        QCOMPARE(rig.read("duke3d.cfg"), cfg);
        QByteArray commit = DosBoxGameDir::Commit;
        commit.replace("NumPlayers = 4", "NumPlayers = 6");
        QCOMPARE(rig.read("commit.dat"), commit);
    }

    // "Use This Con When Launching Duke3d": the game finds the editor's text, unsaved change
    // included, as its User.con when it runs.
    void editedUserConReachesTheGame()
    {
        DosBoxRig rig;
        rig.tick("chkUseCon");
        TextBuffer &buffer = rig.window->conEditorPage().buffer();
        buffer.setText(QStringLiteral("// edited in Zentrel\r\ndefine MAXPLAYERHEALTH 150\r\n"));
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "LA Meltdown");
        rig.choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /v1 /l1 /s0"));
        QCOMPARE(rig.read("User.con"), QByteArray("// edited in Zentrel\r\ndefine MAXPLAYERHEALTH 150\r\n"));
    }

    // The saved game of slot 3 under 1.4/1.5: the game gets its slot switch and nothing else.
    void savedGameReachesTheGame()
    {
        DosBoxRig rig("15");
        rig.write("GAME3.SAV", QByteArray(26, '\0') + "BEFORE THE BOSS" + '\0');
        rig.window->launchOptions().ScanSavedGames();
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "Lunar Apocalypse");
        rig.choose("cmbSaved", "3 BEFORE THE BOSS");
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" /3"));
    }

    // A map chosen after episode, level and skill: only the map switch reaches the game, and the
    // game directory's copy is the chosen file, byte for byte.
    void userMapReachesTheGame()
    {
        QTemporaryDir maps;
        QByteArray map("BUILD\x07\x00\x00\x00");
        for (int i = 0; i < 4096; ++i)
            map.append(char(i * 7));
        const QString mapFile = maps.filePath("Stadium.MAP");
        {
            QFile f(mapFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(map);
        }
        DosBoxRig rig;
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "Lunar Apocalypse");
        rig.choose("cmbLevel", "WARP FACTOR");
        rig.tick("optLvl3");
        rig.prompts.chosenPaths.enqueue(mapFile);
        rig.button("cmdSmap")->click();
        QVERIFY(rig.launch());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray(" -map Kvuser.map"));
        QCOMPARE(rig.read("KVuser.map"), map);
    }

    // Launch > Build, off until BUILD.EXE is there, then run in DOSBox with the game directory
    // current: the stand-in writes TOOL.TXT where DOS is.
    void buildRunsInTheGameDirectory()
    {
        DosBoxRig rig;
        QAction *build = rig.window->menus().mnuLaunchBUild;
        QVERIFY(!build->isEnabled());
        QVERIFY(rig.game.addTool("BUILD.EXE"));
        rig.window->RefreshMainMenus();
        QVERIFY(build->isEnabled());
        build->trigger();
        QVERIFY(rig.runner.lastStarted(rig.prompts.texts()));
        QVERIFY(rig.runner.results.last().inDosBox);
        QVERIFY(waitGone(rig.runner.lastPid(), 30000));
        QCOMPARE(rig.read("TOOL.TXT"), QByteArray());
        QVERIFY(rig.prompts.shown.isEmpty());
    }

    // Without an X11 display DOSBox could not show the game: refused before the window or a file
    // changes.
    void withoutADisplayTheLaunchChangesNothing()
    {
        DosBoxRig rig;
        rig.m.DukeWin = "1";
        rig.window->show();
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        qunsetenv("SDL_VIDEODRIVER");
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "LA Meltdown");
        rig.choose("cmbLevel", "DEATH ROW");
        QVERIFY(!rig.launch());
        qputenv("SDL_VIDEODRIVER", "dummy");
        if (!display.isEmpty())
            qputenv("DISPLAY", display);
        QCOMPARE(rig.prompts.texts(),
                 QStringList{"DOSBox needs an X11 display to show the game, and this session has none (DISPLAY is "
                             "not set). Turn on Xwayland in your desktop's settings, or log in to an X11 session, "
                             "and launch again."});
        QVERIFY(rig.window->isVisible() && !rig.window->isMinimized());
        QCOMPARE(rig.read("ARGS.TXT"), QByteArray("<missing>"));
        QCOMPARE(rig.get<QComboBox>("cmbLevel")->currentText(), QString("DEATH ROW"));
    }

    void missingGameProgramKeepsTheOptions()
    {
        DosBoxRig rig;
        QFile::remove(rig.game.filePath("DUKE3D.EXE"));
        rig.tick("chkSingle");
        rig.choose("cmbEpisode", "LA Meltdown");
        rig.choose("cmbLevel", "DEATH ROW");
        QVERIFY(!rig.launch());
        QCOMPARE(rig.prompts.texts(), QStringList{rig.game.path() + "/duke3d.exe not found"});
        QCOMPARE(rig.get<QComboBox>("cmbLevel")->currentText(), QString("DEATH ROW"));
    }
};

QTEST_MAIN(TestLaunchDosBox)
#include "tst_launch_dosbox.moc"
