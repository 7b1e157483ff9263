#include "launch/SavedGames.h"
#include "platform/DiskFiles.h"

#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A saved game's first bytes: 26 bytes of header, then the description bytes.
QByteArray saveFile(const QByteArray &description)
{
    return QByteArray(26, '\x01') + description;
}

bool write(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QStringList items(const QList<SavedGames::Entry> &entries)
{
    QStringList out;
    for (const SavedGames::Entry &e : entries)
        out << e.item();
    return out;
}

} // namespace

class TestSavedGames : public QObject
{
    Q_OBJECT
private slots:
    // The description runs from offset 26 to the first lower-case letter or digit; what is not
    // printable shows as one blank per run, blanks at the ends dropped.
    void description_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("up to a lower-case letter") << saveFile("HOLLYWOOD HOLOCAUSTxyz") << "HOLLYWOOD HOLOCAUST";
        QTest::newRow("up to a digit") << saveFile("LEVEL 3 AGAIN") << "LEVEL";
        QTest::newRow("punctuation kept") << saveFile("DUKE'S #1!") << "DUKE'S #";
        QTest::newRow("to the end of the file") << saveFile("THE END") << "THE END";
        QTest::newRow("zero padding and binary") << saveFile(QByteArray("MY GAME\0\0\0\xff\xfe", 12) + "X\x80Yz")
                                                 << "MY GAME X Y";
        QTest::newRow("binary only") << saveFile(QByteArray("\0\x02\x90\xff", 4)) << "";
        QTest::newRow("lower case at once") << saveFile("abc") << "";
        QTest::newRow("25 bytes") << QByteArray(25, 'A') << "";
        QTest::newRow("26 bytes") << QByteArray(26, 'A') << "";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("no end in sight: 64 bytes at most") << saveFile(QByteArray(1000, 'Q')) << QString(64, 'Q');
    }
    void description()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QCOMPARE(SavedGames::description(file), text);
    }

    // Only the game's slots, in name order, any letter case; whatever else is called like a
    // saved game is listed harmlessly or not at all, and big files are not read whole.
    void scanTheGameDirectory()
    {
        QTemporaryDir dir;
        const QString d = dir.path();
        QVERIFY(write(d + "/game3.sav", saveFile("SECOND")));
        QVERIFY(write(d + "/GAME0.SAV", saveFile("FIRST")));
        QVERIFY(write(d + "/Game1.Sav", {}));                              // 0 bytes
        QVERIFY(write(d + "/GAME2.SAV", QByteArray(25, 'Z')));             // shorter than the offset
        QVERIFY(write(d + "/GAME4.SAV", saveFile(QByteArray(10 << 20, 'B')))); // 10 MB
        QVERIFY(write(d + "/GAME.SAV", saveFile("NO SLOT")));
        QVERIFY(write(d + "/GAMEX.SAV", saveFile("NOT A SLOT")));
        QVERIFY(write(d + "/GAME5.BAK", saveFile("OTHER")));
        QVERIFY(QDir(d).mkdir("GAME9.SAV"));
        QCOMPARE(::mkfifo(qPrintable(d + "/GAME8.SAV"), 0600), 0); // reading would wait forever

        DiskFiles files;
        const QList<SavedGames::Entry> entries = SavedGames::scan(files, d);
        QCOMPARE(items(entries),
                 (QStringList{"0 FIRST", "1 ", "2 ", "3 SECOND", QStringLiteral("4 ") + QString(64, 'B')}));
        QCOMPARE(entries.at(3).fileName, QStringLiteral("game3.sav"));
        QVERIFY(SavedGames::scan(files, d + "/missing").isEmpty());
    }

    void unreadableFileIsListedWithoutDescription()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("GAME6.SAV"), saveFile("SECRET")));
        QVERIFY(QFile::setPermissions(dir.filePath("GAME6.SAV"), {}));
        DiskFiles files;
        QCOMPARE(items(SavedGames::scan(files, dir.path())), QStringList{"6 "});
    }
};

int main(int argc, char **argv)
{
    Unprivileged::dropIfAsked(argc, argv);
    QCoreApplication app(argc, argv);
    TestSavedGames test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savedgames.moc"
