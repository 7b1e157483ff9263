// The CON/RTS tab in the real main window: choosing files, the launch's swap-in, DeCON, DeRTS and
// the exit's return of the originals, checked on the bytes of the game's files.
#include "app/widgets/frmMain.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "ControlDriver.h"
#include "FakeGameRunner.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The real files, with every write's target noted in order.
class RecordingFiles : public DiskFiles
{
public:
    QStringList written;
    bool write(const QString &path, const QByteArray &data) override
    {
        written << QFileInfo(resolve(path)).fileName();
        return DiskFiles::write(path, data);
    }
};

// The game's four files as a DOS install leaves them, in mixed letter case.
const QList<QPair<QString, QByteArray>> GameFiles = {{"USER.CON", "original user\r\n"},
                                                     {"Game.con", "original game\r\n"},
                                                     {"defs.CON", "original defs\r\n"},
                                                     {"DUKE.RTS", QByteArray("original rts\0\xff", 14)}};

struct Rig : ControlDriver
{
    QTemporaryDir game, mine, program;
    MemorySettingsStore store;
    RecordingFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    explicit Rig(bool load = true)
    {
        for (const auto &[name, data] : GameFiles)
            put(game.filePath(name), data);
        put(game.filePath("duke3d.exe"), "");
        platform.runner = &runner;
        platform.programDir = program.path();
        m.DukePath = game.path();
        if (load)
            this->load();
    }
    void load()
    {
        m.LoadPreferences();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        // as the first show of the editor tab and the CON/RTS panel does
        window->conEditorPage().ensureBuilt();
        window->conRtsPanel().ensureBuilt();
        setRoot(window.get());
    }
    QString mineFile(const QString &name, const QByteArray &data)
    {
        put(mine.filePath(name), data);
        return mine.filePath(name);
    }
    // Chooses a file with one of the four Select buttons.
    void choose(const char *button, const QString &path)
    {
        prompts.chosenPaths.enqueue(path);
        this->button(button)->click();
    }
    bool launch()
    {
        tick("chkSingle");
        ControlDriver::choose("cmbEpisode", "LA Meltdown");
        ControlDriver::choose("cmbLevel", "DEATH ROW");
        const int before = runner.requests.size();
        this->button("cmdLaunch")->click();
        return runner.requests.size() == before + 1;
    }
    QByteArray gameFile(const QString &name) const { return bytes(game.filePath(name)); }
    QStringList entries() const { return QDir(game.path()).entryList(QDir::Files, QDir::Name); }
    StockStore &stock() { return window->stockStore(); }
    QString listed(const char *list) const
    {
        auto *l = get<QListWidget>(list);
        return l->count() ? l->item(0)->text() : QString();
    }
    bool untouchedBut(const QStringList &changed) const
    {
        for (const auto &[name, data] : GameFiles)
            if (!changed.contains(name) && gameFile(name) != data)
                return false;
        return true;
    }
};

} // namespace

class TestConRts : public QObject
{
    Q_OBJECT
private slots:
    // Each function keeps its originals afresh.
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Zentrel").removeRecursively();
    }

    void panelShowsFileNamesAndClears()
    {
        Rig rig;
        rig.choose("cmdUser", rig.mineFile("MY.CON", "u"));
        rig.choose("cmdGame", rig.mineFile("game2.con", "g"));
        rig.choose("cmdDefs", rig.mineFile("defs2.con", "d"));
        rig.choose("cmdRTS", rig.mineFile("loud.rts", "r"));
        QCOMPARE(rig.listed("lstUser"), QString("MY.CON"));
        QCOMPARE(rig.listed("lstGame"), QString("game2.con"));
        QCOMPARE(rig.listed("lstDefs"), QString("defs2.con"));
        QCOMPARE(rig.listed("lstRTS"), QString("loud.rts"));
        // The CON dialogs share one filter and start in CONPath.
        QCOMPARE(rig.prompts.chooserCaptions.size(), 4);

        rig.prompts.chosenPaths.enqueue(QString()); // cancelled: nothing changes
        rig.button("cmdUser")->click();
        QCOMPARE(rig.listed("lstUser"), QString("MY.CON"));
        QVERIFY(rig.m.DialogCancelled);

        rig.button("cmdConClear")->click();
        for (const char *list : {"lstUser", "lstGame", "lstDefs", "lstRTS"})
            QCOMPARE(rig.listed(list), QString());
        QVERIFY(rig.launch());
        QVERIFY(rig.untouchedBut({}));
    }

    // Only what was chosen is replaced, under the name it has on disk, whole.
    void swapInReplacesOnlyTheChosenFiles_data()
    {
        QTest::addColumn<QStringList>("chosen"); // buttons
        QTest::addColumn<QStringList>("changed"); // game files
        QTest::newRow("RTS only") << QStringList{"cmdRTS"} << QStringList{"DUKE.RTS"};
        QTest::newRow("all four") << QStringList{"cmdUser", "cmdGame", "cmdDefs", "cmdRTS"}
                                  << QStringList{"USER.CON", "Game.con", "defs.CON", "DUKE.RTS"};
        QTest::newRow("game and defs") << QStringList{"cmdGame", "cmdDefs"} << QStringList{"Game.con", "defs.CON"};
    }
    void swapInReplacesOnlyTheChosenFiles()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, changed);
        Rig rig;
        const QStringList before = rig.entries();
        QMap<QString, QByteArray> expected;
        for (int i = 0; i < chosen.size(); ++i) {
            const QByteArray data = "chosen " + chosen[i].toLatin1() + QByteArray(3000, char('a' + i));
            rig.choose(qPrintable(chosen[i]), rig.mineFile(chosen[i] + ".con", data));
            expected[changed[i]] = data;
        }
        QVERIFY(rig.launch());
        QVERIFY(rig.untouchedBut(changed));
        for (const QString &name : changed)
            QCOMPARE(rig.gameFile(name), expected[name]);
        QCOMPARE(rig.entries(), before); // no second spelling, no stray file
        // The launch cleared the choices: the next launch replaces nothing.
        for (const QString &name : changed)
            put(rig.game.filePath(name), "played");
        QVERIFY(rig.launch());
        for (const QString &name : changed)
            QCOMPARE(rig.gameFile(name), QByteArray("played"));
    }

    void choosingTwiceKeepsTheSecond()
    {
        Rig rig;
        rig.choose("cmdUser", rig.mineFile("first.con", "first"));
        rig.choose("cmdUser", rig.mineFile("second.con", "second"));
        QCOMPARE(rig.listed("lstUser"), QString("second.con"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("second"));
    }

    // The game's User.con read-only (as a return leaves it): replaced, and writable like its source.
    void readOnlyGameFileIsReplaced()
    {
        Rig rig;
        QVERIFY(rig.files.setReadOnly(rig.game.filePath("USER.CON"), true));
        rig.choose("cmdUser", rig.mineFile("mine.con", "mine"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("mine"));
        QVERIFY(!rig.files.isReadOnly(rig.game.filePath("USER.CON")));
    }

    // A chosen file that vanished since it was chosen stops the launch with a message naming it;
    // no game file changes, the window stays as it was, the choices stay for another try.
    void vanishedChosenFileStopsTheLaunch()
    {
        Rig rig;
        rig.m.DukeWin = "1";
        rig.choose("cmdRTS", rig.mineFile("loud.rts", "r"));
        const QString gone = rig.mineFile("gone.con", "g");
        rig.choose("cmdUser", gone);
        QVERIFY(QFile::remove(gone));
        rig.window->show();
        QVERIFY(!rig.launch());
        QCOMPARE(rig.prompts.shown.size(), 1);
        QVERIFY2(rig.prompts.texts()[0].contains(gone), qPrintable(rig.prompts.texts()[0]));
        QVERIFY(rig.untouchedBut({}));
        QVERIFY(!rig.window->isMinimized());
        QCOMPARE(rig.listed("lstUser"), QString("gone.con"));
    }

    // "Use This Con When Launching Duke3d": the editor's text, unsaved changes included, becomes
    // the game's User.con; choosing a user CON unticks it.
    void useThisConPutsTheEditorsTextIn()
    {
        Rig rig;
        rig.tick("chkUseCon");
        QCOMPARE(rig.listed("lstUser"), QString("CON EDITOR"));
        rig.window->conEditorPage().buffer().setText(QString::fromLatin1("define EDITED 1\r\n\xe9"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("define EDITED 1\r\n\xe9"));
        QVERIFY(!rig.ticked("chkUseCon")); // Clear All Options after the launch

        rig.tick("chkUseCon");
        rig.choose("cmdUser", rig.mineFile("mine.con", "mine"));
        QVERIFY(!rig.ticked("chkUseCon"));
        QCOMPARE(rig.listed("lstUser"), QString("mine.con"));
    }

    void deconAnsweredNoChangesNothing()
    {
        Rig rig;
        rig.choose("cmdUser", rig.mineFile("mine.con", "mine"));
        QVERIFY(rig.launch());
        rig.prompts.shown.clear();
        rig.prompts.answers.enqueue(Prompts::Answer::No);
        rig.button("cmdDeCon")->click();
        QCOMPARE(rig.prompts.texts(), QStringList{"Return USER, GAME, and DEFS cons to original?"});
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("mine"));
    }

    // DeCON with 1.4/1.5 and the "p" files beside the program: the three game files equal them
    // and are read-only.
    void deconPutsTheStockFilesBack()
    {
        Rig rig;
        rig.get<QAction>("mnuVersion15")->trigger();
        const QByteArray user = "stock user p", game = "stock game p", defs = "stock defs p";
        put(rig.program.filePath("KVuserp.dat"), user);
        put(rig.program.filePath("KVGAMEP.DAT"), game);
        put(rig.program.filePath("kvdefsp.dat"), defs);
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        rig.button("cmdDeCon")->click();
        QCOMPARE(rig.prompts.texts().last(), QString("USER, GAME, and DEFS cons have been returned to original."));
        QCOMPARE(rig.gameFile("USER.CON"), user);
        QCOMPARE(rig.gameFile("Game.con"), game);
        QCOMPARE(rig.gameFile("defs.CON"), defs);
        for (const char *name : {"USER.CON", "Game.con", "defs.CON"})
            QVERIFY2(rig.files.isReadOnly(rig.game.filePath(name)), name);
        QCOMPARE(rig.gameFile("DUKE.RTS"), GameFiles[3].second);
        // A later swap-in over the read-only files goes through.
        rig.choose("cmdGame", rig.mineFile("g.con", "mine"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.gameFile("Game.con"), QByteArray("mine"));
    }

    // DeCON with 1.3d and "KVgame.dat" nowhere: no game file changes, the message names it after
    // the place looked in, no success message.
    void deconWithAStockFileMissingChangesNothing()
    {
        Rig rig;
        QVERIFY(QFile::remove(rig.stock().versionDir(false) + "/KVgame.dat"));
        rig.choose("cmdUser", rig.mineFile("mine.con", "mine"));
        QVERIFY(rig.launch());
        rig.prompts.shown.clear();
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        rig.button("cmdDeCon")->click();
        QCOMPARE(rig.prompts.shown.size(), 2);
        QVERIFY2(rig.prompts.texts()[1].startsWith(rig.stock().versionDir(false) + "/KVgame.dat not found. DeCON aborted."),
                 qPrintable(rig.prompts.texts()[1]));
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("mine"));
        QVERIFY(!rig.files.isReadOnly(rig.game.filePath("USER.CON")));
    }

    // DeRTS takes "KVdukep.dat" in both versions; a 1.3d player's kept originals have only
    // "KVDuke.dat", which DeRTS then takes.
    void deRtsFallsBackToTheVersionsOwnCopy()
    {
        Rig rig;
        rig.choose("cmdRTS", rig.mineFile("loud.rts", "loud"));
        QVERIFY(rig.launch());
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        rig.button("cmdDeRTS")->click();
        QCOMPARE(rig.prompts.texts().last(), QString("DUKE.RTS has been returned to original."));
        QCOMPARE(rig.gameFile("DUKE.RTS"), GameFiles[3].second);
        QVERIFY(rig.files.isReadOnly(rig.game.filePath("DUKE.RTS")));

        put(rig.program.filePath("KVdukep.dat"), "rts p");
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        rig.button("cmdDeRTS")->click();
        QCOMPARE(rig.gameFile("DUKE.RTS"), QByteArray("rts p"));
    }

    // Exit with both preferences "Yes": DUKE.RTS comes back before the CONs, all from the
    // originals kept at the first start.
    void exitReturnsTheRtsBeforeTheCons()
    {
        Rig rig;
        rig.m.RTSpref = rig.m.CONpref = "Yes";
        for (const char *button : {"cmdUser", "cmdGame", "cmdDefs", "cmdRTS"})
            rig.choose(button, rig.mineFile(QString(button) + ".x", "swapped"));
        QVERIFY(rig.launch());
        rig.files.written.clear();
        rig.window->close();
        QCOMPARE(rig.files.written.mid(0, 4), (QStringList{"DUKE.RTS", "USER.CON", "Game.con", "defs.CON"}));
        QVERIFY(rig.untouchedBut({}));
    }

    // The demo: its stand-in CON and RTS files are kept as its originals at the first start, and
    // DeCON and DeRTS bring them back after a swap-in.
    void demoDeConRestoresTheDemosOriginals()
    {
        const QDir demo(QStringLiteral(ZENTREL_BIN_DIR "/../demo/game"));
        QVERIFY2(demo.exists("USER.CON"), "the demo game directory was not built");
        Rig rig(false);
        for (const QString &name : QDir(rig.game.path()).entryList(QDir::Files))
            QVERIFY(QFile::remove(rig.game.filePath(name)));
        QMap<QString, QByteArray> originals;
        for (const QString &name : demo.entryList(QDir::Files)) {
            originals[name] = bytes(demo.filePath(name));
            QVERIFY(QFile::copy(demo.filePath(name), rig.game.filePath(name)));
        }
        rig.load();
        for (const char *button : {"cmdUser", "cmdGame", "cmdDefs", "cmdRTS"})
            rig.choose(button, rig.mineFile(QString(button) + ".x", "swapped"));
        QVERIFY(rig.launch());
        QCOMPARE(rig.gameFile("USER.CON"), QByteArray("swapped"));
        for (const char *button : {"cmdDeCon", "cmdDeRTS"}) {
            rig.prompts.answers.enqueue(Prompts::Answer::Yes);
            rig.button(button)->click();
        }
        for (const char *name : {"USER.CON", "GAME.CON", "DEFS.CON", "DUKE.RTS"})
            QVERIFY2(rig.gameFile(name) == originals[name], name);
        QCOMPARE(rig.entries(), QStringList(originals.keys()));
    }

    // The originals kept are the player's, byte for byte, and stay so through swaps, returns and a
    // second configuration of the same directory.
    void keptOriginalsStayThePlayers()
    {
        Rig rig;
        StockStore &stock = rig.stock();
        const auto kept = [&](StockNames::Role role) { return bytes(*stock.find(role, false)); };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(kept(StockNames::AllRoles[i]), GameFiles[i].second);
        for (const char *button : {"cmdUser", "cmdRTS"})
            rig.choose(button, rig.mineFile(QString(button) + ".x", "swapped"));
        QVERIFY(rig.launch());
        rig.window->gameDirectoryConfigured(); // Options OK with the same directory
        rig.prompts.answers.enqueue(Prompts::Answer::Yes);
        rig.button("cmdDeCon")->click();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(kept(StockNames::AllRoles[i]), GameFiles[i].second);
        QCOMPARE(rig.get<QLabel>("lblOriginals")->text(), QString("Originals kept for 1.3d: USER.CON, GAME.CON, DEFS.CON, DUKE.RTS."));
        QVERIFY(rig.get<QWidget>("fraDeCon")->toolTip().contains(rig.game.path()));
    }
};

QTEST_MAIN(TestConRts)
#include "tst_conrts.moc"
