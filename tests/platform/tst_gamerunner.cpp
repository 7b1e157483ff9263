#include "platform/linux/DosBoxRunDirs.h"
#include "platform/linux/ProcessGameRunner.h"

#include "Prerequisites.h"

#include <QtTest>

// These tests run DOSBox for real, headless, with the stand-in DUKE3D.EXE and COMMIT.EXE, and
// compare what the DOS program received (its ARGS.TXT) byte for byte.
class TestGameRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void switchesArriveUnchanged_data();
    void switchesArriveUnchanged();
    void awkwardGameDirectoriesMount_data();
    void awkwardGameDirectoriesMount();
    void networkGameGoesThroughCommit();
    void playersOwnDriveCDoesNotInterfere();
    void refusedSwitchesStartNothing_data();
    void refusedSwitchesStartNothing();
    void missingProgramLeavesMessageToLaunch();
    void missingDosBoxSaysWhatToDo();
    void nativeProgramRunsDirectly();
    void programKindIsDecidedByContent();
    void runDirectoriesGoAfterDosBoxEnds();
    void dosBoxShowsTheGameOnly();
    void withoutADisplayDosBoxIsNotStarted();
    void theLastWordsOfADosBoxThatEnded();

private:
    QString makeGame(const QString &name, const QString &dukeFileName = QStringLiteral("DUKE3D.EXE"));
    GameRunner::Result runToEnd(const GameRunner::Request &request);
    static QByteArray readFile(const QString &path);

    QTemporaryDir m_tmp;
    QString m_stubs;
    QString m_runBase;
    QString m_settingsFile;
};

void TestGameRunner::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    using Prerequisites::Need;
    REQUIRE_PREREQUISITES(Need::DosStubs, Need::DosBox);
    m_stubs = Prerequisites::dosStubDir();
    for (const char *dir : {"home", "config", "runtime", "games"})
        QVERIFY(QDir(m_tmp.path()).mkpath(dir));
    qputenv("HOME", QFile::encodeName(m_tmp.filePath("home")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_tmp.filePath("config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_tmp.filePath("runtime")));
    qputenv("SDL_VIDEODRIVER", "dummy");
    qputenv("SDL_AUDIODRIVER", "dummy");
    m_runBase = m_tmp.filePath("runtime");
    m_settingsFile = m_tmp.filePath("config/Zentrel/Zentrel.ini");
}

QString TestGameRunner::makeGame(const QString &name, const QString &dukeFileName)
{
    const QString dir = m_tmp.filePath("games/" + name);
    QDir(dir).removeRecursively(); // a function run again starts afresh
    if (!QDir().mkpath(dir) || !QFile::copy(m_stubs + "/DUKE3D.EXE", dir + "/" + dukeFileName)
        || !QFile::copy(m_stubs + "/COMMIT.EXE", dir + "/COMMIT.EXE"))
        return {};
    QFile wait(dir + "/WAIT.TXT"); // the stand-in game ends at once
    if (!wait.open(QIODevice::WriteOnly) || wait.write("0\r\n") != 3)
        return {};
    return dir;
}

QByteArray TestGameRunner::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

GameRunner::Result TestGameRunner::runToEnd(const GameRunner::Request &request)
{
    ProcessGameRunner runner(m_runBase);
    runner.setDosBox({}, m_settingsFile);
    const GameRunner::Result result = runner.start(request);
    if (result.started) {
        QDeadlineTimer deadline(20000);
        while (DosBoxRunDirs::processRunning(result.pid) && !deadline.hasExpired())
            QThread::msleep(50);
        if (DosBoxRunDirs::processRunning(result.pid))
            qWarning("process %lld still running after 20 s", result.pid);
    }
    return result;
}

void TestGameRunner::switchesArriveUnchanged_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QByteArray>("received");
    QTest::newRow("single player") << " /v1 /l1 /s1" << QByteArray(" /v1 /l1 /s1");
    QTest::newRow("user map, fake players") << " /q4 -map Kvuser.map" << QByteArray(" /q4 -map Kvuser.map");
    QTest::newRow("percent and variable") << " -name 100% /x%PATH%" << QByteArray(" -name 100% /x%PATH%");
    QTest::newRow("126 bytes") << " -name " + QString(119, 'K') << " -name " + QByteArray(119, 'K');
    QTest::newRow("no switches") << "" << QByteArray("");
}

void TestGameRunner::switchesArriveUnchanged()
{
    QFETCH(QString, switches);
    QFETCH(QByteArray, received);
    const QString game = makeGame(QTest::currentDataTag());
    const GameRunner::Result result = runToEnd({game, "duke3d.exe", switches, false, true});
    QVERIFY2(result.started, qPrintable(result.message));
    QVERIFY(result.inDosBox);
    QCOMPARE(result.programPath, game + "/DUKE3D.EXE");
    QCOMPARE(readFile(game + "/ARGS.TXT"), received);
}

void TestGameRunner::awkwardGameDirectoriesMount_data()
{
    QTest::addColumn<QString>("dirName");
    QTest::addColumn<QString>("dukeFileName");
    QTest::newRow("blanks") << "Duke Nukem 3D" << "DUKE3D.EXE";
    QTest::newRow("percent") << "100% %HOME% duke" << "Duke3D.exe";
    QTest::newRow("quotes") << "the \"real\" duke" << "duke3d.exe";
    QTest::newRow("non-ascii") << "Spi\u00e9le d\u00fcke" << "DUKE3D.EXE";
}

void TestGameRunner::awkwardGameDirectoriesMount()
{
    QFETCH(QString, dirName);
    QFETCH(QString, dukeFileName);
    const QString game = makeGame(dirName, dukeFileName);
    QVERIFY(!game.isEmpty());
    const GameRunner::Result result = runToEnd({game, "duke3d.exe", " /v2 /l3", false, true});
    QVERIFY2(result.started, qPrintable(result.message));
    QCOMPARE(result.programPath, game + "/" + dukeFileName);
    QCOMPARE(readFile(game + "/ARGS.TXT"), QByteArray(" /v2 /l3"));
}

void TestGameRunner::networkGameGoesThroughCommit()
{
    const QString game = makeGame("network");
    const QString switches = " -name ACE /c2 /i1";
    const GameRunner::Result result = runToEnd({game, "commit.exe", switches, true, true});
    QVERIFY2(result.started, qPrintable(result.message));
    QCOMPARE(readFile(game + "/COMMIT.TXT"), switches.toLatin1());
    QCOMPARE(readFile(game + "/ARGS.TXT"), switches.toLatin1()); // COMMIT ran the game on

    // DOSBox got its IPX emulation through the generated configuration.
    bool found = false;
    for (const QFileInfo &run : QDir(m_runBase).entryInfoList({"zentrel-dosbox-*"}, QDir::Dirs)) {
        if (readFile(run.filePath() + "/dosbox.pid").trimmed() == QByteArray::number(result.pid)) {
            found = true;
            QVERIFY(readFile(run.filePath() + "/zentrel.conf").contains("[ipx]\nipx=true\n"));
        }
    }
    QVERIFY(found);
}

void TestGameRunner::playersOwnDriveCDoesNotInterfere()
{
    // The player's own DOSBox settings (read through -userconf) mount C: somewhere else.
    const QString userConf = m_tmp.filePath("home/.dosbox/dosbox-0.74-3.conf");
    const QString other = makeGame("players drive c");
    const QString game = makeGame("the game");
    {
        QVERIFY(QDir().mkpath(QFileInfo(userConf).path()));
        QFile conf(userConf);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[autoexec]\nmount c \"" + QFile::encodeName(other) + "\"\n");
    }
    const GameRunner::Result result = runToEnd({game, "duke3d.exe", " /s4", false, true});
    QFile::remove(userConf);
    QVERIFY2(result.started, qPrintable(result.message));
    QCOMPARE(readFile(game + "/ARGS.TXT"), QByteArray(" /s4"));
    QVERIFY(!QFile::exists(other + "/ARGS.TXT"));
}

void TestGameRunner::refusedSwitchesStartNothing_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("named");
    QTest::newRow("127 bytes") << " -name " + QString(120, 'K') << "126";
    QTest::newRow("redirection") << " -name a>b" << ">";
    QTest::newRow("quote") << " -name \"x" << "double quote";
}

void TestGameRunner::refusedSwitchesStartNothing()
{
    QFETCH(QString, switches);
    QFETCH(QString, named);
    const QString game = makeGame("refused");
    const QStringList before = QDir(game).entryList(QDir::Files);
    const GameRunner::Result result = runToEnd({game, "duke3d.exe", switches, false, true});
    QVERIFY(!result.started);
    QVERIFY2(result.message.contains(named), qPrintable(result.message));
    QCOMPARE(QDir(game).entryList(QDir::Files), before); // no ARGS.TXT, no file "B"
}

void TestGameRunner::missingProgramLeavesMessageToLaunch()
{
    const QString game = makeGame("no commit");
    QVERIFY(QFile::remove(game + "/COMMIT.EXE"));
    for (const QString &dir : {game, m_tmp.filePath("games/does not exist"), QString()}) {
        const GameRunner::Result result = runToEnd({dir, "commit.exe", " /c1", true, true});
        QVERIFY(!result.started);
        QVERIFY(result.message.isEmpty()); // the launch shows its own " not found"
    }
}

void TestGameRunner::missingDosBoxSaysWhatToDo()
{
    const QString game = makeGame("no dosbox");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_tmp.filePath("games")));
    ProcessGameRunner runner(m_runBase);
    runner.setDosBox({}, m_settingsFile);
    const QStringList runDirsBefore = QDir(m_runBase).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const std::optional<GameRunner::Result> asked = runner.refusal({game, "duke3d.exe", " /v1", false, true});
    const GameRunner::Result onPath = runner.start({game, "duke3d.exe", " /v1", false, true});
    runner.setDosBox(m_tmp.filePath("nowhere/dosbox"), m_settingsFile);
    const GameRunner::Result setPath = runner.start({game, "duke3d.exe", " /v1", false, true});
    qputenv("PATH", path);

    // Asked before the start, the runner says the same, and neither prepared anything.
    QVERIFY(asked && !asked->started);
    QCOMPARE(asked->message, onPath.message);
    QCOMPARE(QDir(m_runBase).entryList(QDir::Dirs | QDir::NoDotAndDotDot), runDirsBefore);
    QVERIFY(!onPath.started);
    QVERIFY2(onPath.message.contains("DOSBox is needed to run DUKE3D.EXE")
                 && onPath.message.contains("apt-get install dosbox")
                 && onPath.message.contains("[Paths]") && onPath.message.contains(m_settingsFile),
             qPrintable(onPath.message));
    QVERIFY(!setPath.started);
    QVERIFY2(setPath.message.contains(m_tmp.filePath("nowhere/dosbox")), qPrintable(setPath.message));
}

void TestGameRunner::nativeProgramRunsDirectly()
{
    const QString game = m_tmp.filePath("games/native");
    QVERIFY(QDir().mkpath(game));
    QFile script(game + "/Duke3D.exe");
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\npwd > args.txt\nfor a in \"$@\"; do echo \"[$a]\" >> args.txt; done\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));

    const GameRunner::Result result = runToEnd({game, "duke3d.exe", " -name A>B%  /v1", false, true});
    QVERIFY2(result.started, qPrintable(result.message));
    QVERIFY(!result.inDosBox);
    QCOMPARE(readFile(game + "/args.txt"), QFile::encodeName(game) + "\n[-name]\n[A>B%]\n[/v1]\n");
}

void TestGameRunner::programKindIsDecidedByContent()
{
    const QString dir = m_tmp.filePath("kinds");
    QVERIFY(QDir().mkpath(dir));
    auto make = [&](const QString &name, const QByteArray &content, bool executable) {
        QFile f(dir + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFile::ExeOwner);
        return f.fileName();
    };
    QVERIFY(ProcessGameRunner::isNativeProgram(make("elf", QByteArray("\x7f" "ELF\x02\x01", 6), false)));
    QVERIFY(ProcessGameRunner::isNativeProgram(make("script", "#!/bin/sh\n", true)));
    QVERIFY(!ProcessGameRunner::isNativeProgram(make("plain script", "#!/bin/sh\n", false)));
    QVERIFY(!ProcessGameRunner::isNativeProgram(m_stubs + "/DUKE3D.EXE"));
    QVERIFY(!ProcessGameRunner::isNativeProgram(make("mz", "MZ\x90\x00", true)));
}

void TestGameRunner::runDirectoriesGoAfterDosBoxEnds()
{
    // A game directory DOSBox mounts through a link in the run directory.
    const QString game = makeGame("linked \"duke\"");
    QVERIFY(!game.isEmpty());
    const GameRunner::Result result = runToEnd({game, "duke3d.exe", " /v1", false, true});
    QVERIFY2(result.started, qPrintable(result.message));
    QVERIFY(!QDir(m_runBase).entryList({"zentrel-dosbox-*"}, QDir::Dirs).isEmpty());

    // Once DOSBox has ended, the next start (here: its clean-up) removes the run directories,
    // links included, without touching the game directories behind the links.
    DosBoxRunDirs(m_runBase).removeEnded();
    QCOMPARE(QDir(m_runBase).entryList({"zentrel-dosbox-*"}, QDir::Dirs), QStringList());
    QVERIFY(QFile::exists(game + "/DUKE3D.EXE"));
    QVERIFY(QFile::exists(game + "/ARGS.TXT"));
}

// DOSBox echoes nothing of Zentrel's: its own commands are silent and the screen is cleared
// before the program starts; its prompt comes back once the program has ended.
void TestGameRunner::dosBoxShowsTheGameOnly()
{
    const QStringList args = ProcessGameRunner::dosBoxArguments("/run/z.conf", "/games/100% duke", "DUKE3D.EXE /v1",
                                                                true);
    QCOMPARE(args, (QStringList{"-userconf", "-conf", "/run/z.conf", "-c", "@echo off", "-c", "mount -u c >nul",
                                "-c", "mount c \"/games/100%% duke\" >nul", "-c", "c:", "-c", "cls", "-c",
                                "DUKE3D.EXE /v1", "-c", "@echo on", "-c", "exit"}));
    QCOMPARE(ProcessGameRunner::dosBoxArguments("c", "d", "P", false).last(), QString("@echo on"));
}

// No X11 display and no video driver of the player's: refused before anything is prepared.
void TestGameRunner::withoutADisplayDosBoxIsNotStarted()
{
    const QString game = makeGame("no display");
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    qunsetenv("SDL_VIDEODRIVER");
    ProcessGameRunner runner(m_runBase);
    runner.setDosBox({}, m_settingsFile);
    const QStringList runDirsBefore = QDir(m_runBase).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const GameRunner::Result refused = runner.start({game, "duke3d.exe", " /v1", false, true});
    qputenv("SDL_VIDEODRIVER", "x11"); // the X11 driver by name needs the display as much
    const GameRunner::Result byName = runner.start({game, "duke3d.exe", " /v1", false, true});
    qputenv("SDL_VIDEODRIVER", "dummy");
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
    const QString text = "DOSBox needs an X11 display to show the game, and this session has none (DISPLAY is not "
                         "set). Turn on Xwayland in your desktop's settings, or log in to an X11 session, and "
                         "launch again.";
    QVERIFY(!refused.started && !byName.started);
    QCOMPARE(refused.message, text);
    QCOMPARE(byName.message, text);
    QCOMPARE(QDir(m_runBase).entryList(QDir::Dirs | QDir::NoDotAndDotDot), runDirsBefore);
    QCOMPARE(readFile(game + "/ARGS.TXT"), QByteArray("<missing>"));
}

// A DOSBox that cannot start leaves its reason in its output: the runner has its last lines.
void TestGameRunner::theLastWordsOfADosBoxThatEnded()
{
    const QString game = makeGame("ends at once");
    const QString fake = m_tmp.filePath("games/dosbox-fails");
    {
        QFile script(fake);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor i in 1 2 3 4 5 6 7 8 9 10; do echo \"line $i\"; done\n"
                     "echo 'Error opening terminal: unknown.'\nexit 1\n");
    }
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProcessGameRunner runner(m_runBase);
    runner.setDosBox(fake, m_settingsFile);
    const GameRunner::Result started = runner.start({game, "duke3d.exe", " /v1", false, false});
    QVERIFY(started.started);
    QTRY_VERIFY_WITH_TIMEOUT(runner.hasEnded(started.pid), 10000);
    QCOMPARE(runner.lastOutput(started.pid, 3), QStringLiteral("line 9\nline 10\nError opening terminal: unknown."));
    QVERIFY(!runner.hasEnded(0) && runner.lastOutput(999999, 3).isEmpty());
}

QTEST_GUILESS_MAIN(TestGameRunner)
#include "tst_gamerunner.moc"
