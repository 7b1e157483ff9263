// The player's originals kept by Zentrel: captured once per game directory, never overwritten,
// found beside the program first, and a damaged copy never handed out.
#include "confiles/GrpDirectory.h"
#include "confiles/StockStore.h"
#include "platform/DiskFiles.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtEndian>
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

// A GRP directory of these entries (sizes 0) and as many data bytes as asked.
QByteArray grp(const QStringList &names, int countOverride = -1)
{
    QByteArray out = "KenSilverman";
    char count[4];
    qToLittleEndian<quint32>(countOverride < 0 ? names.size() : countOverride, count);
    out.append(count, 4);
    for (const QString &name : names) {
        QByteArray entry = name.toLatin1().leftJustified(12, '\0', true);
        entry.append(QByteArray(4, '\0'));
        out += entry;
    }
    return out;
}

struct Game
{
    QTemporaryDir dir;
    // The files of a game directory in the letter case a DOS install leaves them.
    Game(const QByteArray &user = "user v1", const QByteArray &rts = "rts v1")
    {
        put(dir.filePath("USER.CON"), user);
        put(dir.filePath("Game.con"), "game v1");
        put(dir.filePath("defs.CON"), "defs v1");
        put(dir.filePath("DUKE.RTS"), rts);
    }
    QString path() const { return dir.path(); }
};

} // namespace

class TestStockStore : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;
    DiskFiles files;

    StockStore store(const QString &programDir = {}) { return StockStore(files, tmp.filePath("store"), programDir); }

private slots:
    void init() { QDir(tmp.filePath("store")).removeRecursively(); }

    void grpDirectoryTellsTheVersion_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("version"); // -1 none, 0 1.3d, 1 1.4/1.5
        QTest::newRow("1.4/1.5 lists E4L1.MAP") << grp({"E1L1.MAP", "E4L1.MAP", "GAME.CON"}) << 1;
        QTest::newRow("1.3d has no fourth episode") << grp({"E1L1.MAP", "E3L11.MAP"}) << 0;
        QTest::newRow("lower case name") << grp({"e4l1.map"}) << 1;
        QTest::newRow("count beyond the file") << grp({"E4L1.MAP"}, 1000) << -1;
        QTest::newRow("huge count") << grp({"E4L1.MAP"}, 0x7fffffff) << -1;
        QTest::newRow("too short") << QByteArray("KenSilverman") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
    }
    void grpDirectoryTellsTheVersion()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, version);
        QTemporaryDir game;
        put(game.filePath("Duke3D.grp"), file);
        const std::optional<bool> v15 = GrpDirectory::isVersion15(game.path());
        QCOMPARE(v15.has_value() ? int(*v15) : -1, version);
    }

    // The first sight of a game directory keeps its four files, byte for byte, under the stock
    // names of its version; a later sight (after a swap-in changed them) keeps nothing.
    void capturedOnceAndNeverOverwritten()
    {
        Game game;
        put(game.dir.filePath("DUKE3D.GRP"), grp({"E4L1.MAP"}));
        StockStore s = store();
        const StockStore::Capture first = s.captureIfNew(game.path(), false);
        QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
        QVERIFY(first.newDirectory);
        QVERIFY(first.version15); // from the GRP, not the ticked version
        QCOMPARE(first.stored, (QStringList{"KVuserp.dat", "KVgamep.dat", "KVdefsp.dat", "KVDukep.dat"}));
        QCOMPARE(bytes(s.versionDir(true) + "/KVuserp.dat"), QByteArray("user v1"));
        QCOMPARE(bytes(s.versionDir(true) + "/KVDukep.dat"), QByteArray("rts v1"));
        const StockStore::Manifest manifest = s.manifest(true);
        QCOMPARE(manifest.entries.size(), 4);
        QCOMPARE(manifest.entries[0].sha256,
                 QCryptographicHash::hash("user v1", QCryptographicHash::Sha256).toHex());
        QCOMPARE(manifest.entries[0].source, game.dir.filePath("USER.CON"));

        put(game.dir.filePath("USER.CON"), "swapped in");
        for (bool ticked : {false, true}) {
            const StockStore::Capture again = s.captureIfNew(game.path(), ticked);
            QVERIFY(!again.newDirectory && again.stored.isEmpty());
        }
        QVERIFY(s.hasCaptured(game.path() + "/")); // the same directory however written
        QCOMPARE(bytes(*s.find(StockNames::Role::User, true)), QByteArray("user v1"));

        // Another directory of that version fills only names still missing.
        Game other("user v2", "rts v2");
        QVERIFY(QFile::remove(s.versionDir(true) + "/KVDukep.dat"));
        const StockStore::Capture second = s.captureIfNew(other.path(), true);
        QCOMPARE(second.stored, QStringList{"KVDukep.dat"});
        QCOMPARE(bytes(s.versionDir(true) + "/KVuserp.dat"), QByteArray("user v1"));
        QCOMPARE(bytes(*s.find(StockNames::Role::Rts, true)), QByteArray("rts v2"));
    }

    // Without a GRP the version ticked at that moment decides; only files that exist are kept.
    void noGrpTakesTheTickedVersion()
    {
        QTemporaryDir game;
        put(game.filePath("user.con"), "u");
        StockStore s = store();
        const StockStore::Capture c = s.captureIfNew(game.path(), false);
        QVERIFY(!c.version15);
        QCOMPARE(c.stored, QStringList{"KVuser.dat"});
        QVERIFY(!s.find(StockNames::Role::Game, false));
    }

    // A copy installed beside the program is found first; a kept copy that no longer matches
    // its manifest is never handed out.
    void lookupOrderAndDamagedCopies()
    {
        Game game;
        QTemporaryDir program;
        StockStore s = store(program.path());
        s.captureIfNew(game.path(), false);
        QCOMPARE(*s.find(StockNames::Role::User, false), s.versionDir(false) + "/KVuser.dat");
        put(program.filePath("KVUSER.DAT"), "installed");
        QCOMPARE(*s.find(StockNames::Role::User, false), program.filePath("KVUSER.DAT"));

        put(s.versionDir(false) + "/KVgame.dat", "tampered");
        QVERIFY(!s.find(StockNames::Role::Game, false));
        QVERIFY(s.find(StockNames::Role::Defs, false));
        QVERIFY(s.describe(false).contains("DEFS.CON"));
        QVERIFY(!s.describe(false).contains("GAME.CON"));
        QVERIFY(s.describe(true).startsWith("No originals of version 1.4/1.5"));
    }

    // Paths with tabs, line breaks, % and blanks at the end go through the manifest unchanged;
    // damaged lines are dropped.
    void manifestRoundTrip()
    {
        StockStore::Manifest m;
        m.directories << "/games/duke\t3d%\n" << "/games/Duke " << " ";
        m.entries << StockStore::Entry{"KVuser.dat", 7, QByteArray(64, 'a'),
                                       QDateTime(QDate(2026, 12, 10), QTime(13, 0), Qt::UTC), "/games/a\tb/USER.CON "};
        const QByteArray text = StockStore::writeManifest(m) + "file\tbroken\n\nfile\tX\t-1\tzz\tt\ts\n";
        const StockStore::Manifest back = StockStore::parseManifest(text);
        QCOMPARE(back.directories, m.directories);
        QCOMPARE(back.entries.size(), 1);
        QCOMPARE(back.entries[0].source, m.entries[0].source);
        QCOMPARE(back.entries[0].captured, m.entries[0].captured);
    }
};

QTEST_GUILESS_MAIN(TestStockStore)
#include "tst_stockstore.moc"
