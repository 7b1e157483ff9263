// Bad bytes given straight to the readers the start-up runs: what the whole-program suite saw,
// pinned down without a display.
#include "confiles/GrpDirectory.h"
#include "platform/IniSettingsStore.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

class TestReaders : public QObject
{
    Q_OBJECT
private slots:
    // A line with bytes Zentrel never writes is somebody else's: not read, and never rewritten
    // by a save of the same key (which goes onto a line of its own).
    void settingsLinesWithBrokenBytesAreKeptNotRead_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("invalid byte at the end") << QByteArray("LastVersion=15\xFF");
        QTest::newRow("invalid byte in the name") << QByteArray("Last\xFEVersion=15");
        QTest::newRow("cut-off sequence") << QByteArray("LastVersion=15\xC3");
        QTest::newRow("overlong encoding") << QByteArray("LastVersion=\xC0\xB1");
        QTest::newRow("NUL") << QByteArray("LastVersion=15\0x", 16);
    }
    void settingsLinesWithBrokenBytesAreKeptNotRead()
    {
        QFETCH(QByteArray, line);
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        QVERIFY(writeFile(path, "[Prefs]\n" + line + "\nSplash=No\n"));
        IniSettingsStore store(path);
        QCOMPARE(store.value("Prefs", "LastVersion"), QString());
        QCOMPARE(store.value("Prefs", "Splash"), QString("No"));
        QVERIFY(store.setValue("Prefs", "LastVersion", "13d"));
        QCOMPARE(readFile(path), "[Prefs]\n" + line + "\nSplash=No\nLastVersion=13d\n");
        QCOMPARE(IniSettingsStore(path).value("Prefs", "LastVersion"), QString("13d"));
    }

    // A header claiming millions of files is no GRP: told at once, without reading them.
    void grpHeaderClaimingMillionsOfFilesIsNoGrp()
    {
        QTemporaryDir dir;
        const QString grp = dir.filePath("DUKE3D.GRP");
        QFile f(grp);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(qint64(2) << 30)); // holes: no disk used
        QVERIFY(f.seek(12));
        QCOMPARE(f.write(QByteArray("\x00\xE1\xF5\x05", 4)), 4); // 100,000,000 files
        f.close();
        QElapsedTimer t;
        t.start();
        QVERIFY(!GrpDirectory::names(grp));
        QVERIFY(!GrpDirectory::isVersion15(dir.path()));
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));

        // A real directory of that shape is still read.
        QByteArray small(12, 'G');
        small += QByteArray("\x02\x00\x00\x00", 4);
        small += QByteArray("E4L1.MAP").leftJustified(12, '\0') + QByteArray(4, '\0');
        small += QByteArray("GAME.CON").leftJustified(12, '\0') + QByteArray(4, '\0');
        QVERIFY(writeFile(grp, small));
        QCOMPARE(GrpDirectory::names(grp), std::optional<QStringList>(QStringList{"E4L1.MAP", "GAME.CON"}));
        QCOMPARE(GrpDirectory::isVersion15(dir.path()), std::optional<bool>(true));
    }
};

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_readers.moc"
