#include "platform/DiskFiles.h"

#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestDiskFiles : public QObject
{
    Q_OBJECT
private slots:
    void resolvesLetterCase_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("resolved");
        QTest::addColumn<bool>("isFile");
        QTest::addColumn<bool>("isDir");
        QTest::newRow("upper on disk") << "user.con" << "USER.CON" << true << false;
        QTest::newRow("exact") << "USER.CON" << "USER.CON" << true << false;
        QTest::newRow("lower on disk") << "GAME.CON" << "game.con" << true << false;
        QTest::newRow("mixed on disk") << "defs.con" << "Defs.Con" << true << false;
        QTest::newRow("exact wins over other case") << "Mixed.txt" << "Mixed.txt" << true << false;
        QTest::newRow("exact wins, upper") << "MIXED.TXT" << "MIXED.TXT" << true << false;
        QTest::newRow("no exact: first in name order") << "mixed.TXT" << "MIXED.TXT" << true << false;
        QTest::newRow("directory") << "MAPS" << "Maps" << false << true;
        QTest::newRow("missing keeps spelling") << "New.con" << "New.con" << false << false;
        QTest::newRow("trailing separator") << "Maps/" << "Maps/" << false << true;
    }
    void resolvesLetterCase()
    {
        QFETCH(QString, asked);
        QFETCH(QString, resolved);
        QFETCH(bool, isFile);
        QFETCH(bool, isDir);
        QTemporaryDir dir;
        for (const char *name : {"USER.CON", "game.con", "Defs.Con", "Mixed.txt", "MIXED.TXT"})
            writeFile(dir.filePath(name), name);
        QVERIFY(QDir(dir.path()).mkdir("Maps"));

        DiskFiles files;
        QCOMPARE(files.resolve(dir.filePath(asked)), dir.filePath(resolved));
        QCOMPARE(files.exists(dir.filePath(asked)), isFile);
        QCOMPARE(files.dirExists(dir.filePath(asked)), isDir);
        if (isFile)
            QCOMPARE(files.read(dir.filePath(asked)).value_or("<none>"), readFile(dir.filePath(resolved)));
    }

    void fileAndFolderOfOneNameInOtherCases()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("duke"));
        writeFile(dir.filePath("DUKE"), "file");
        DiskFiles files;
        QVERIFY(files.exists(dir.filePath("Duke")));
        QVERIFY(files.dirExists(dir.filePath("Duke")));
        QCOMPARE(files.read(dir.filePath("Duke")).value_or("<none>"), QByteArray("file"));
    }

    void writesAndCopiesReplaceTheExistingEntry()
    {
        QTemporaryDir game, mine;
        writeFile(game.filePath("USER.CON"), "stock");
        writeFile(mine.filePath("User.con"), "mine");
        DiskFiles files;

        QVERIFY(files.copy(mine.filePath("USER.CON"), game.filePath("User.con")));
        QCOMPARE(entries(game.path()), QStringList{"USER.CON"});
        QCOMPARE(readFile(game.filePath("USER.CON")), QByteArray("mine"));

        QVERIFY(files.write(game.filePath("user.con"), "written"));
        QCOMPARE(entries(game.path()), QStringList{"USER.CON"});
        QCOMPARE(readFile(game.filePath("USER.CON")), QByteArray("written"));

        QVERIFY(files.copy(game.filePath("USER.CON"), game.filePath("user.con"))); // onto itself
        QCOMPARE(readFile(game.filePath("USER.CON")), QByteArray("written"));

        QVERIFY(files.copy(game.filePath("user.con"), game.filePath("KVuser.con"))); // new file: given name
        QCOMPARE(entries(game.path()), (QStringList{"KVuser.con", "USER.CON"}));

        QVERIFY(files.remove(game.filePath("kvUSER.CON")));
        QCOMPARE(entries(game.path()), QStringList{"USER.CON"});
    }

    // A write or copy over a game file first clears the stale leftovers of interrupted saves of
    // that file (as it stands on disk), and of no other.
    void writesClearStaleTemporariesOfTheirFile()
    {
        QTemporaryDir game;
        writeFile(game.filePath("DUKE3D.CFG"), "old");
        const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
        for (const char *name : {"DUKE3D.CFG.Ab12Cd", "COMMIT.DAT.Ab12Cd", "DUKE3D.CFG.keepme1"}) {
            writeFile(game.filePath(name), "x");
            QFile f(game.filePath(name));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        DiskFiles files;
        QVERIFY(files.write(game.filePath("duke3d.cfg"), "new"));
        QCOMPARE(entries(game.path()), (QStringList{"COMMIT.DAT.Ab12Cd", "DUKE3D.CFG", "DUKE3D.CFG.keepme1"}));
        QVERIFY(files.copy(game.filePath("DUKE3D.CFG"), game.filePath("commit.dat")));
        QCOMPARE(entries(game.path()), (QStringList{"DUKE3D.CFG", "DUKE3D.CFG.keepme1", "commit.dat"}));
    }

    void readOnlyIsTheOwnerWriteBit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("DUKE3D.CFG");
        writeFile(path, "cfg");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                | QFile::WriteGroup | QFile::ReadOther));
        DiskFiles files;
        QVERIFY(!files.isReadOnly(dir.filePath("duke3d.cfg")));
        QVERIFY(files.setReadOnly(dir.filePath("duke3d.cfg"), true));
        QVERIFY(files.isReadOnly(path));
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther);
        QVERIFY(files.setReadOnly(path, false));
        QVERIFY(!files.isReadOnly(path));
        QVERIFY(QFile::permissions(path) & QFile::WriteOwner);
    }

    void failuresKeepTheOldFile()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        QTemporaryDir dir, other;
        const QString path = dir.filePath("GAME.CON");
        writeFile(path, "old");
        writeFile(other.filePath("new.con"), "new");
        DiskFiles files;

        QVERIFY(files.setReadOnly(path, true));
        QVERIFY(!files.write(dir.filePath("game.con"), "new"));
        QVERIFY2(files.errorString().contains(path), qPrintable(files.errorString()));
        QCOMPARE(readFile(path), QByteArray("old"));
        QVERIFY(files.setReadOnly(path, false));

        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!files.write(path, "new"));
        QVERIFY2(files.errorString().contains(path), qPrintable(files.errorString()));
        QVERIFY(!files.copy(other.filePath("NEW.CON"), dir.filePath("game.con")));
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList{"GAME.CON"});
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        QVERIFY(QFile::setPermissions(other.filePath("new.con"), {}));
        QVERIFY(!files.read(other.filePath("NEW.CON")).has_value());
        QVERIFY2(files.errorString().contains(other.filePath("new.con")), qPrintable(files.errorString()));
    }

    void missingFilesAreReported()
    {
        QTemporaryDir dir;
        DiskFiles files;
        const QString missing = dir.filePath("nothing.sav");
        QVERIFY(!files.read(missing).has_value());
        QVERIFY(files.errorString().contains(QDir::toNativeSeparators(missing)));
        QVERIFY(!files.remove(missing));
        QVERIFY(!files.copy(missing, dir.filePath("copy.sav")));
        QVERIFY(!files.setReadOnly(missing, true));
        QVERIFY(!QFile::exists(dir.filePath("copy.sav")));
        QVERIFY(!files.write(dir.path(), "data")); // a folder is not overwritten
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void listsWithDosWildcards_data()
    {
        QTest::addColumn<QString>("wildcard");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("star, any case") << "Game*.sav" << QStringList{"Game0.sav", "GAME1.SAV", "game2.Sav", "Game10.sav"};
        QTest::newRow("question mark") << "game?.sav" << QStringList{"Game0.sav", "GAME1.SAV", "game2.Sav"};
        QTest::newRow("star dot star takes names without dot") << "*.*"
            << QStringList{"[x].map", "Game0.sav", "GAME1.SAV", "Game10.sav", "game2.Sav", "gamex.txt", "readme", "x.map"};
        QTest::newRow("extension") << "*.TXT" << QStringList{"gamex.txt"};
        QTest::newRow("brackets are literal") << "[x].map" << QStringList{"[x].map"};
        QTest::newRow("dot is literal") << "x.map" << QStringList{"x.map"};
        QTest::newRow("no match") << "*.con" << QStringList{};
    }
    void listsWithDosWildcards()
    {
        QFETCH(QString, wildcard);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Saves"));
        const QString saves = dir.filePath("Saves");
        for (const char *name : {"Game0.sav", "GAME1.SAV", "game2.Sav", "Game10.sav", "gamex.txt", "readme",
                                 "[x].map", "x.map", ".hidden.sav"})
            writeFile(saves + "/" + name, "x");
        QVERIFY(QDir(saves).mkdir("Game3.sav")); // folders are not listed

        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(DiskFiles().list(dir.filePath("SAVES"), wildcard), names);
    }
};

int main(int argc, char **argv)
{
    Unprivileged::dropIfAsked(argc, argv);
    QCoreApplication app(argc, argv);
    TestDiskFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diskfiles.moc"
