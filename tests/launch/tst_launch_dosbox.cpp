// The whole launch for real: the main window's controls set by the test, Launch pressed, DOSBox
// (headless) runs the stand-in game or network launcher, which records the switches it received.
#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "app/Module1.h"
#include "app/widgets/frmMain.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/linux/ProcessGameRunner.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// The real runner, told to let DOSBox leave with the program so the test can wait for it.
class ClosingRunner : public GameRunner
{
public:
    explicit ClosingRunner(const QString &runBase) : real(runBase) {}
    ProcessGameRunner real;
    QList<Result> results;
    void setDosBox(const QString &exe, const QString &file) override { real.setDosBox(exe, file); }
    Result start(const Request &request) override
    {
        Request r = request;
        r.closeWhenDone = true;
        results << real.start(r);
        return results.last();
    }
};

static const QByteArray kCfg = "[Setup]\r\nSetupVersion = \"1.4\"\r\n\r\n[Comm Setup]\r\nSocketNumber = 0x4321\r\n"
                               "NumberPlayers = 4\r\nPlayerName = \"DUKE\"\r\nRTSName = \"DUKE.RTS\"\r\n";
static const QByteArray kCommit = "[Commit]\r\nCOMMTYPE = 3\r\nNumPlayers = 4\r\nSOCKETNUMBER = 17185\r\n"
                                  "LAUNCHNAME = \"DUKE3D.EXE\"\r\n";

struct DosBoxRig : ControlDriver
{
    QTemporaryDir home;
    QTemporaryDir game;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    ClosingRunner runner{home.path()};
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    DosBoxRig()
    {
        qputenv("HOME", home.path().toUtf8());
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
        const QString stubs = QStringLiteral(ZENTREL_BIN_DIR "/../dosstub/");
        for (const char *name : {"DUKE3D.EXE", "COMMIT.EXE"})
            QFile::copy(stubs + name, game.filePath(name));
        write("WAIT.TXT", "0");
        write("duke3d.cfg", kCfg);
        write("commit.dat", kCommit);
        platform.runner = &runner;
        m.DukePath = game.path();
        m.DukeWin = "0";
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        setRoot(window.get());
    }
    void write(const QString &name, const QByteArray &data)
    {
        QFile f(game.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(data);
    }
    QByteArray read(const QString &name)
    {
        QFile f(game.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Presses Launch and waits until DOSBox has run the program and left.
    bool launch()
    {
        get<QAbstractButton>("cmdLaunch")->click();
        if (runner.results.isEmpty() || !runner.results.last().started) {
            qWarning() << "not started:" << prompts.texts()
                       << (runner.results.isEmpty() ? QString("no start") : runner.results.last().message);
            return false;
        }
        const qint64 pid = runner.results.last().pid;
        QDeadlineTimer deadline(30000);
        while (::kill(pid_t(pid), 0) == 0 && !deadline.hasExpired())
            QTest::qWait(50);
        return !deadline.hasExpired();
    }
};

class TestLaunchDosBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dosbox").isEmpty())
            QFAIL("DOSBox is not installed: scripts/bootstrap.sh installs it");
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
        QByteArray cfg = kCfg;
        cfg.replace("0x4321", "0x1234");
        QCOMPARE(rig.read("duke3d.cfg"), cfg);
        QByteArray commit = kCommit;
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
        QByteArray cfg = kCfg;
        cfg.replace("NumberPlayers = 4", "NumberPlayers = 6");
        QCOMPARE(rig.read("duke3d.cfg"), cfg);
        QByteArray commit = kCommit;
        commit.replace("NumPlayers = 4", "NumPlayers = 6");
        QCOMPARE(rig.read("commit.dat"), commit);
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
