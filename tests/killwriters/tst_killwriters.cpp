// kill -9 at any moment of any of Zentrel's writes leaves every file it writes old or new, whole,
// and the next start leaves no temporary behind. A child process (this program, started with a
// flag) writes in a loop through Zentrel's own code and is killed at random moments. The game's
// CON and RTS replacements have a suite of their own (confiles.replacementkill).
#include "confiles/StockStore.h"
#include "coneditor/TextBuffer.h"
#include "core/Module1.h"
#include "launch/NetworkKeys.h"
#include "launch/widgets/UserMapChooser.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/StaleTemporaries.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr const char *ChildFlag = "-zentrel-write-loop";
constexpr int DefaultKills = 200;
constexpr int MaxDelayMs = 20; // a child's round of writes takes a few milliseconds

int killsPerWriter()
{
    const int wanted = qEnvironmentVariableIntValue("ZENTREL_KILLS");
    return wanted > 0 ? wanted : DefaultKills;
}

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Text lines that make a file large enough for a kill to land inside its write.
QByteArray filler(const char *pattern, int lines, const char *eol)
{
    QByteArray out;
    for (int i = 0; i < lines; ++i)
        out += QByteArray(pattern).replace("#", QByteArray::number(i)) + eol;
    return out;
}

// A writer: the files it starts from, and round n of its writes, which toggles every file it
// watches between two versions (even and odd rounds).
struct Writer
{
    std::function<void(const QString &root)> setup;
    std::function<bool(const QString &root, int round)> step; // false: the write reported a failure
    QStringList watched;                                      // relative to the root
};

const char *const SettingsRow = "settings save";
const char *const KeysRow = "network keys (duke3d.cfg, commit.dat)";
const char *const NameRow = "player name at exit";
const char *const MapRow = "user map copy";
const char *const EditorRow = "editor save";

Writer writer(const QString &name)
{
    if (name == SettingsRow) {
        return {[](const QString &root) {
                    put(root + "/config/Zentrel.ini",
                        "[Prefs]\nDukeWin=1\n[Recent]\n" + filler("Item#=C:\\GAMES\\MAPS\\LEVEL#.MAP", 4000, "\n"));
                },
                [](const QString &root, int round) {
                    IniSettingsStore store(root + "/config/Zentrel.ini");
                    return store.setValue("Big", "Value", QString(64 * 1024, round % 2 ? u'B' : u'A'));
                },
                {"config/Zentrel.ini"}};
    }
    if (name == KeysRow || name == NameRow) {
        Writer w;
        w.setup = [](const QString &root) {
            put(root + "/game/DUKE3D.CFG",
                filler("; setup line # of the game", 6000, "\r\n")
                    + "[Comm Setup]\r\nComPort = 2\r\nSocketNumber = 0x1A2B\r\nNumberPlayers = 2\r\n"
                      "PlayerName = \"DUKE\"\r\n");
            put(root + "/game/commit.dat",
                "[Commit]\r\nCOMMTYPE = 3\r\nSOCKETNUMBER = 6699\r\nMaxNumPlayers = 8\r\nNumPlayers = 2\r\n"
                    + filler("; commit line #", 3000, "\r\n"));
        };
        if (name == KeysRow) {
            w.step = [](const QString &root, int round) {
                DiskFiles files;
                NetworkValues values;
                return NetworkKeys::EditNetworkKeys(files, root + "/game", values, round % 2 ? "3C4D" : "1A2B",
                                                    round % 2 ? "4" : "2")
                    .ok();
            };
            w.watched = QStringList{"game/DUKE3D.CFG", "game/commit.dat"};
        } else {
            w.step = [](const QString &root, int round) {
                DiskFiles files;
                NetworkValues values;
                values.TypedPlayerName = round % 2 ? "nukem" : "duke";
                return NetworkKeys::WritePlayerName(files, root + "/game", values).ok();
            };
            w.watched = QStringList{"game/DUKE3D.CFG"};
        }
        return w;
    }
    if (name == MapRow) {
        return {[](const QString &root) {
                    put(root + "/maps/one.map", QByteArray(1024 * 1024, '\1') + "one");
                    put(root + "/maps/two.map", QByteArray(1024 * 1024, '\2') + "two");
                    QDir().mkpath(root + "/game");
                },
                [](const QString &root, int round) {
                    DiskFiles files;
                    return files.copy(root + (round % 2 ? "/maps/two.map" : "/maps/one.map"),
                                      Module1::JoinPath(root + "/game", UserMapChooser::copyName()));
                },
                {"game/" + UserMapChooser::copyName()}};
    }
    if (name == EditorRow) {
        return {[](const QString &root) { QDir().mkpath(root + "/cons"); },
                [](const QString &root, int round) {
                    DiskFiles files;
                    TextBuffer buffer(files);
                    // CRLF lines, bytes above 0x7F and a trailing ^Z, as old CON files have them.
                    buffer.setText(QString::fromLatin1(filler(round % 2 ? "define B# 1 // \xE9t\xE9" : "define A# 2",
                                                              20000, "\r\n")
                                                       + "\x1A"));
                    return buffer.SaveFile(root + "/cons/MYUSER.CON");
                },
                {"cons/MYUSER.CON"}};
    }
    qFatal("no writer %s", qPrintable(name));
}

// The originals the first start keeps, each different.
const char *const Originals[] = {"USER.CON", "GAME.CON", "DEFS.CON", "DUKE.RTS"};
QByteArray original(int i)
{
    return QByteArray(32 * 1024, char('u' + i)) + Originals[i];
}

void makeGame(const QString &game)
{
    for (int i = 0; i < 4; ++i)
        put(game + '/' + Originals[i], original(i));
}

// The child: the writer's rounds, 1, 2, 3... until it is killed. For the capture, every round
// keeps the originals into a store of its own (stores/<round>), as a first start does.
int writeLoop(const QString &name, const QString &root)
{
    // The killed child never removes its private folders (TestEnvironment): the parent does.
    std::printf("ready %s\n", qgetenv("XDG_DATA_HOME").constData());
    std::fflush(stdout);
    if (name == "capture") {
        DiskFiles files;
        for (int round = 1;; ++round) {
            const QString store = root + "/stores/" + QString::number(round);
            QDir().mkpath(store);
            if (!StockStore(files, store, QString()).captureIfNew(root + "/game", false).error.isEmpty())
                return 2;
        }
    }
    const Writer w = writer(name);
    for (int round = 1;; ++round)
        if (!w.step(root, round))
            return 2;
}

// What an atomic write of one of the names leaves when it is killed before its rename: the name,
// a dot and six letters or digits.
bool isTemporaryOf(const QString &entry, const QStringList &names)
{
    for (const QString &name : names) {
        static const QRegularExpression suffix("^\\.[A-Za-z0-9]{6}$");
        if (entry.startsWith(name, Qt::CaseInsensitive) && suffix.match(entry.mid(name.size())).hasMatch())
            return true;
    }
    return false;
}

// What a kill left behind is stale by the time the player starts Zentrel again.
void age(const QString &dir)
{
    const QDateTime old = QDateTime::currentDateTime().addSecs(-10 * StaleTemporaries::StaleAfterSeconds);
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile f(info.filePath());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(old, QFileDevice::FileModificationTime);
    }
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

struct Tally
{
    int kills = 0;
    int torn = 0;        // neither version whole
    int missing = 0;     // gone
    int strays = 0;      // a file that is no temporary of a watched file
    int temporaries = 0; // left by kills, before the next start
    int leftAfterStart = 0;
    QElapsedTimer clock;
    Tally() { clock.start(); }
};

void report(const char *writerName, const Tally &t)
{
    qInfo("%s: %d kills, %d torn, %d missing, %d strays, %d temporaries left by kills, %d after the next start "
          "(%lld ms)",
          writerName, t.kills, t.torn, t.missing, t.strays, t.temporaries, t.leftAfterStart, t.clock.elapsed());
}

// Removing folders costs more than a kill on a busy disk: it runs beside the kills.
void removeAside(const QString &dir)
{
    QThreadPool::globalInstance()->start([dir] { QDir(dir).removeRecursively(); });
}

// Starts the child, waits for its ready line, kills it at a random moment of its writes.
void killChild(const QString &name, const QString &root)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildFlag), name, root});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    while (!child.canReadLine() && child.waitForReadyRead(30000)) {
    }
    const QByteArray ready = child.readLine().trimmed();
    QVERIFY2(ready.startsWith("ready"), qPrintable("the child did not start: " + child.readAllStandardError()));
    QTest::qSleep(QRandomGenerator::global()->bounded(MaxDelayMs));
    QVERIFY2(child.state() == QProcess::Running,
             qPrintable("the child's write failed: " + child.readAllStandardError()));
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString privateRoot = QFileInfo(QString::fromLocal8Bit(ready.mid(6))).path();
    if (privateRoot.startsWith("/tmp/zentrel-test-"))
        removeAside(privateRoot);
}

} // namespace

class TestKillWriters : public QObject
{
    Q_OBJECT
private slots:
    void everyFileIsOldOrNewWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *row : {SettingsRow, KeysRow, NameRow, MapRow, EditorRow})
            QTest::newRow(row) << QString::fromLatin1(row);
    }
    void everyFileIsOldOrNewWhole()
    {
        QFETCH(QString, name);
        const Writer w = writer(name);

        // The two versions of every watched file, as Zentrel's own code writes them.
        QTemporaryDir scratch;
        w.setup(scratch.path());
        QHash<QString, QByteArray> even, odd;
        QVERIFY(w.step(scratch.path(), 0));
        for (const QString &file : w.watched)
            even[file] = get(scratch.filePath(file));
        QVERIFY(w.step(scratch.path(), 1));
        for (const QString &file : w.watched) {
            odd[file] = get(scratch.filePath(file));
            QVERIFY2(!even[file].isEmpty() && even[file] != odd[file], qPrintable(file + " does not change"));
        }
        QStringList dirs;
        for (const QString &file : w.watched)
            if (!dirs.contains(QFileInfo(file).path()))
                dirs << QFileInfo(file).path();
        QStringList names;
        for (const QString &file : w.watched)
            names << QFileInfo(file).fileName();

        QTemporaryDir root;
        w.setup(root.path());
        QVERIFY(w.step(root.path(), 0));
        Tally t;
        for (; t.kills < killsPerWriter(); ++t.kills) {
            killChild(name, root.path());
            if (QTest::currentTestFailed())
                return;
            for (const QString &file : w.watched) {
                const QString path = root.filePath(file);
                if (!QFileInfo::exists(path)) {
                    ++t.missing;
                    qWarning("%s missing after kill %d", qPrintable(file), t.kills);
                } else if (const QByteArray now = get(path); now != even[file] && now != odd[file]) {
                    ++t.torn;
                    qWarning("%s torn after kill %d: %lld bytes", qPrintable(file), t.kills, qlonglong(now.size()));
                }
            }
        }
        for (const QString &dir : dirs) {
            for (const QString &entry : entries(root.filePath(dir))) {
                if (isTemporaryOf(entry, names))
                    ++t.temporaries;
                else if (!entries(scratch.filePath(dir)).contains(entry))
                    ++t.strays;
            }
            age(root.filePath(dir));
        }
        // The next start writes each file again (one of the two rounds changes it, whichever
        // version it holds); that clears what the kills left.
        QVERIFY(w.step(root.path(), 0));
        QVERIFY(w.step(root.path(), 1));
        for (const QString &dir : dirs) {
            const QStringList left = entries(root.filePath(dir));
            for (const QString &entry : left)
                if (!entries(scratch.filePath(dir)).contains(entry))
                    ++t.leftAfterStart;
        }
        report(qPrintable(name), t);
        QCOMPARE(t.torn, 0);
        QCOMPARE(t.missing, 0);
        QCOMPARE(t.strays, 0);
        QCOMPARE(t.leftAfterStart, 0);
    }

    // The moment the kills below find: a first start killed after it kept a copy, before the
    // manifest named it. The next start must not take that copy for one kept before and skip it.
    void aCopyWithoutItsManifestLineIsKeptAgain()
    {
        QTemporaryDir root;
        makeGame(root.filePath("game"));
        put(root.filePath("store/13d/KVuser.dat"), original(0));
        put(root.filePath("store/13d/KVgame.dat"), "a copy from another game directory");
        DiskFiles files;
        StockStore store(files, root.filePath("store"), QString());
        const StockStore::Capture capture = store.captureIfNew(root.filePath("game"), false);
        QVERIFY2(capture.error.isEmpty(), qPrintable(capture.error));
        for (int i = 0; i < 4; ++i) {
            const std::optional<QString> found = store.find(StockNames::AllRoles[i], false);
            QVERIFY2(found, Originals[i]);
            QCOMPARE(get(*found), original(i));
        }
    }

    // A first start killed while it keeps the game's originals: the next start still keeps every
    // one of them whole, so Return to Original can put each back.
    void keptOriginalsSurviveAKill()
    {
        QTemporaryDir root;
        const QString game = root.filePath("game");
        makeGame(game);
        DiskFiles files;
        Tally t;
        int unlisted = 0; // copies a kill left without their line in the manifest
        for (; t.kills < killsPerWriter(); ++t.kills) {
            killChild("capture", root.path());
            if (QTest::currentTestFailed())
                return;
            // The store the child was keeping into when it was killed.
            int last = 0;
            for (const QString &dir : QDir(root.filePath("stores")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                last = std::max(last, dir.toInt());
            if (last == 0)
                continue; // killed before it began to keep anything
            const QString storeRoot = root.filePath("stores/" + QString::number(last));
            const QString kept = storeRoot + "/13d";
            {
                // Before the next start: whatever the manifest lists is whole.
                const StockStore::Manifest manifest = StockStore(files, storeRoot, QString()).manifest(false);
                for (int i = 0; i < 4; ++i) {
                    const QString stockName = StockNames::stockFile(StockNames::AllRoles[i], false);
                    const QString copy = kept + '/' + stockName;
                    const bool listed = std::any_of(manifest.entries.cbegin(), manifest.entries.cend(),
                                                    [&](const auto &e) { return e.stockName == stockName; });
                    if (listed && get(copy) != original(i))
                        ++t.torn;
                    if (!listed && QFileInfo::exists(copy))
                        ++unlisted;
                }
            }
            const QStringList keptNames{"manifest", "KVuser.dat", "KVgame.dat", "KVdefs.dat", "KVDuke.dat"};
            for (const QString &entry : entries(kept))
                if (isTemporaryOf(entry, keptNames))
                    ++t.temporaries;
            age(kept);
            StockStore next(files, storeRoot, QString());
            const StockStore::Capture capture = next.captureIfNew(game, false);
            QVERIFY2(capture.error.isEmpty(), qPrintable(capture.error));
            for (int i = 0; i < 4; ++i) {
                const std::optional<QString> found = next.find(StockNames::AllRoles[i], false);
                if (!found || get(*found) != original(i)) {
                    ++t.missing;
                    qWarning("the original %s is lost after kill %d", Originals[i], t.kills);
                }
            }
            const QStringList left = entries(kept);
            for (const QString &entry : left)
                if (!keptNames.contains(entry))
                    ++t.leftAfterStart;
            if (left.size() != keptNames.size())
                qWarning("after kill %d the store holds %s", t.kills, qPrintable(left.join(", ")));
            const QString done = root.filePath("done/" + QString::number(t.kills));
            QVERIFY(QDir().mkpath(root.filePath("done")) && QDir().rename(root.filePath("stores"), done));
            removeAside(done);
        }
        QThreadPool::globalInstance()->waitForDone(); // before the root goes
        report("keeping the originals", t);
        qInfo("%d kept copies were left without their manifest line by a kill", unlisted);
        QCOMPARE(t.torn, 0);
        QCOMPARE(t.missing, 0);
        QCOMPARE(t.leftAfterStart, 0);
    }
};

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], ChildFlag) == 0)
        return writeLoop(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    TestKillWriters test;
    const int failed = QTest::qExec(&test, argc, argv);
    QThreadPool::globalInstance()->waitForDone();
    return failed;
}

#include "tst_killwriters.moc"
