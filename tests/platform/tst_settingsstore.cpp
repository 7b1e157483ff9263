#include "platform/IniSettingsStore.h"

#include "Unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

constexpr const char *SaveLoopFlag = "-zentrel-save-loop";
constexpr int BigSize = 8 * 1024 * 1024;

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

// The child of killDuringSave: flips a small value until it is killed. Every save rewrites the
// whole large file, so most of the time goes into writing it.
int saveLoop(const QString &path)
{
    IniSettingsStore store(path);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        if (!store.setValue("Flip", "Side", round % 2 ? "B" : "A"))
            return 2;
    }
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void defaultPathFollowsXdgConfigHome()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QCOMPARE(IniSettingsStore::defaultPath(), config.path() + "/Zentrel/Zentrel.ini");
    }

    void namesMatchInAnyCaseAndKeepFirstSpelling()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        IniSettingsStore store(path);
        QVERIFY(store.setValue("Prefs", "CONPref", "Yes"));
        QCOMPARE(store.value("prefs", "CONpref"), QString("Yes"));
        QVERIFY(store.setValue("PREFS", "conpref", "No"));
        QCOMPARE(readFile(path), QByteArray("[Prefs]\nCONPref=No\n"));
        QCOMPARE(IniSettingsStore(path).keys("prefs"), QStringList{"CONPref"});
    }

    void layoutOrderAndRemoval()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        {
            IniSettingsStore store(path);
            store.setValue("Paths", "DukePath", "/games/duke");
            store.setValue("Prefs", "Splash", "Yes");
            store.setValue("Paths", "CONPath", "/cons");
            store.setValue("MenuName", "2", "Two");
            store.setValue("MenuName", "1", "One");
            QCOMPARE(store.value("Paths", "MAPPath"), QString());
            QCOMPARE(store.value("Nowhere", "x"), QString());
        }
        QCOMPARE(readFile(path), QByteArray("[Paths]\nDukePath=/games/duke\nCONPath=/cons\n\n"
                                            "[Prefs]\nSplash=Yes\n\n"
                                            "[MenuName]\n2=Two\n1=One\n"));
        IniSettingsStore store(path);
        QCOMPARE(store.keys("menuname"), (QStringList{"2", "1"}));
        QVERIFY(store.remove("paths", "dukepath"));
        QVERIFY(store.removeSection("MENUNAME"));
        QVERIFY(store.setValue("MenuName", "1", "Again"));
        QCOMPARE(readFile(path), QByteArray("[Paths]\nCONPath=/cons\n\n[Prefs]\nSplash=Yes\n\n[MenuName]\n1=Again\n"));
    }

    void valuesAndNamesSurviveReload_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("equals") << "Key" << "a=b==c";
        QTest::newRow("percent") << "Key" << "100% and %41 and %";
        QTest::newRow("brackets") << "Key" << "[Paths]";
        QTest::newRow("non-ASCII") << "Ключ ✓" << "Größe — 日本";
        QTest::newRow("line breaks") << "Key" << "one\ntwo\r\nthree\r";
        QTest::newRow("controls") << "Key" << QString("tab\there, nul") + QChar(0) + "end";
        QTest::newRow("outer blanks") << "Key" << "  blanks around  ";
        QTest::newRow("empty") << "Key" << "";
        QTest::newRow("key with =[]%") << "a=b[c]%d" << "v";
        QTest::newRow("key with line break") << "two\nlines" << "v";
        QTest::newRow("key with outer blanks") << " spaced " << "v";
        QTest::newRow("comment-like keys") << "#hash" << ";semi";
    }
    void valuesAndNamesSurviveReload()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        QVERIFY(IniSettingsStore(path).setValue("Sec", key, value));
        QVERIFY(IniSettingsStore(path).setValue("Sec", "After", "x")); // nothing bled into the next line

        IniSettingsStore reloaded(path);
        QCOMPARE(reloaded.value("Sec", key), value);
        QCOMPARE(reloaded.keys("Sec"), (QStringList{key, "After"}));
        QCOMPARE(reloaded.value("Sec", "After"), QString("x"));
        QCOMPARE(readFile(path).count('\n'), 3);
    }

    // Players edit the file by hand (Zentrel's own messages send them there): what they write
    // reads as they meant it.
    void valuesReadAsPlayersWriteThem_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks around =") << QByteArray("[Prefs]\nSplash = No\n") << "Prefs" << "Splash" << "No";
        QTest::newRow("blank before =") << QByteArray("[Prefs]\nDukeWin =2\n") << "Prefs" << "DukeWin" << "2";
        QTest::newRow("trailing blanks and tab") << QByteArray("[Paths]\nDukePath= /games/duke \t\n") << "Paths"
                                                 << "DukePath" << "/games/duke";
        QTest::newRow("blanks inside the brackets") << QByteArray("[ Paths ]\nDukePath=/d\n") << "Paths"
                                                    << "DukePath" << "/d";
        QTest::newRow("lone CR ends the last line") << QByteArray("[Paths]\nDukePath=/games/duke\r") << "Paths"
                                                    << "DukePath" << "/games/duke";
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF[Prefs]\r\nLastVersion=15\r\n") << "Prefs"
                                               << "LastVersion" << "15";
    }
    void valuesReadAsPlayersWriteThem()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        writeFile(path, file);
        {
            IniSettingsStore store(path);
            QCOMPARE(store.value(section, key), value);
            // A save of another key reads the same value afterwards and keeps the player's lines.
            QVERIFY(store.setValue(section, "Other", "x"));
            QCOMPARE(store.value(section, key), value);
        }
        IniSettingsStore reloaded(path);
        QCOMPARE(reloaded.value(section, key), value);
        QCOMPARE(reloaded.keys(section), (QStringList{key, "Other"}));
        const QByteArray saved = readFile(path);
        QVERIFY2(saved.startsWith(file.left(file.indexOf('\n'))), saved.constData()); // BOM and header kept
        QCOMPARE(saved.count("[Prefs]") + saved.count("[Paths]") + saved.count("[ Paths ]"), 1);

        // Rewritten by Zentrel, the line keeps its blanks around "=".
        QVERIFY(reloaded.setValue(section, key, "new"));
        QCOMPARE(IniSettingsStore(path).value(section, key), QString("new"));
        if (file.contains(" = "))
            QVERIFY(readFile(path).contains(key.toUtf8() + " = new"));
    }

    // A hand-written key that begins with "[" stays a key whatever value is written into it: a
    // value ending in "]" would make its line a section header, and the keys after it another
    // section's.
    void handWrittenBracketKeyStaysAKey()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        writeFile(path, "[Prefs]\n[Old=1\nSplash=No\n");
        QVERIFY(IniSettingsStore(path).setValue("Prefs", "[Old", "x]"));
        IniSettingsStore reloaded(path);
        QCOMPARE(reloaded.value("Prefs", "[Old"), QString("x]"));
        QCOMPARE(reloaded.value("Prefs", "Splash"), QString("No"));
        QCOMPARE(reloaded.keys("Prefs"), (QStringList{"[Old", "Splash"}));
    }

    // Section names round-trip exactly, blanks at their ends and line breaks included.
    void sectionNamesSurviveReload_data()
    {
        QTest::addColumn<QString>("section");
        QTest::newRow("outer blanks") << " Prefs ";
        QTest::newRow("a carriage return") << "\r";
        QTest::newRow("brackets and equals") << "[a]=b";
    }
    void sectionNamesSurviveReload()
    {
        QFETCH(QString, section);
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        QVERIFY(IniSettingsStore(path).setValue(section, "Key", "v"));
        IniSettingsStore reloaded(path);
        QCOMPARE(reloaded.value(section, "Key"), QString("v"));
        QCOMPARE(reloaded.value(section.trimmed(), "Key"), section == section.trimmed() ? QString("v") : QString());
    }

    // Leftovers of saves killed between QSaveFile's link and rename go at the next save; nothing
    // else does, and a temporary that may still be written (young) stays.
    void staleTemporariesOfOurFileGo()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
        const QStringList stale{"Zentrel.ini.a1B2c3", "Zentrel.ini.ZZZZZZ"};
        const QStringList kept{"Zentrel.ini.young1", "Zentrel.ini.bak", "Zentrel.ini.a1B2c", "Zentrel.ini.a1B2c3d",
                               "Other.ini.a1B2c3"};
        for (const QString &name : stale + kept) {
            writeFile(dir.filePath(name), "x");
            if (name != "Zentrel.ini.young1") {
                QFile f(dir.filePath(name));
                QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
            }
        }
        QVERIFY(IniSettingsStore(path).setValue("Prefs", "Splash", "Yes"));
        for (const QString &name : stale)
            QVERIFY2(!QFile::exists(dir.filePath(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(dir.filePath(name)), qPrintable(name));
    }

    void foreignLinesAreKeptByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        const QByteArray head = QByteArray("; written by hand\r\nstray=before any section\r\n[Prefs]\r\n"
                                           "Splash=No\r\n\xff\xfe binary \x80 junk\r\n", 67)
            + QByteArray("nul\0line=1\r\n", 12) + "HideDosWin = Yes\r\n# comment\r\n\r\n";
        const QByteArray tail = QByteArray("[Paths]\r\n  DukePath=/games/duke\r\nno equals sign\r\nlast=1");
        writeFile(path, head + tail);

        IniSettingsStore store(path);
        QVERIFY(store.errorString().isEmpty());
        QCOMPARE(store.value("", "stray"), QString("before any section"));
        QCOMPARE(store.value("Prefs", "HideDosWin"), QString("Yes"));
        QCOMPARE(store.value("Paths", "dukepath"), QString("/games/duke"));
        QCOMPARE(store.keys("Prefs"), (QStringList{"Splash", "HideDosWin"}));

        QVERIFY(store.setValue("Prefs", "Splash", "Yes"));
        QVERIFY(store.setValue("Paths", "MAPPath", "/maps"));
        QVERIFY(store.setValue("Prefs", "DukeWin", "2"));
        QByteArray expected = head + tail + "\r\nMAPPath=/maps\r\n";
        expected.replace("Splash=No", "Splash=Yes");
        expected.replace("HideDosWin = Yes\r\n", "HideDosWin = Yes\r\nDukeWin=2\r\n");
        QCOMPARE(readFile(path), expected);
    }

    void unreadableFileIsNeverOverwritten()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        writeFile(path, "[Paths]\nDukePath=/games/duke\n");
        QVERIFY(QFile::setPermissions(path, {}));

        IniSettingsStore store(path);
        QVERIFY(store.errorString().contains(path));
        QCOMPARE(store.value("Paths", "DukePath"), QString());
        QVERIFY(!store.setValue("Paths", "DukePath", "/elsewhere"));
        QVERIFY(store.errorString().startsWith("Zentrel could not save its settings to " + path));
        QCOMPARE(store.value("Paths", "DukePath"), QString("/elsewhere"));

        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(!store.setValue("Prefs", "Splash", "Yes")); // readable now, but still not ours to overwrite
        QCOMPARE(readFile(path), QByteArray("[Paths]\nDukePath=/games/duke\n"));
    }

    void folderInPlaceOfFileIsReportedAndKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        QVERIFY(QDir().mkdir(path));
        IniSettingsStore store(path);
        QVERIFY(!store.errorString().isEmpty());
        QVERIFY(!store.setValue("Prefs", "Splash", "Yes"));
        QVERIFY(QFileInfo(path).isDir());
    }

    void readOnlyFolderFailsClearlyAndRetriesLater()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        writeFile(path, "[Prefs]\nSplash=Yes\n");
        IniSettingsStore store(path);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));

        QVERIFY(!store.setValue("Prefs", "Splash", "No"));
        QVERIFY2(store.errorString().startsWith("Zentrel could not save its settings to " + path + ": "),
                 qPrintable(store.errorString()));
        QCOMPARE(store.value("Prefs", "Splash"), QString("No"));
        QCOMPARE(readFile(path), QByteArray("[Prefs]\nSplash=Yes\n"));

        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(store.setValue("Prefs", "Splash", "No")); // same value, but the failed change is still owed
        QVERIFY(store.errorString().isEmpty());
        QCOMPARE(readFile(path), QByteArray("[Prefs]\nSplash=No\n"));
    }

    void folderIsCreatedOnFirstSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("config/Zentrel/Zentrel.ini");
        IniSettingsStore store(path);
        QVERIFY(store.errorString().isEmpty());
        QVERIFY(!QFile::exists(path));
        QVERIFY(store.setValue("Prefs", "Splash", "Yes"));
        QCOMPARE(readFile(path), QByteArray("[Prefs]\nSplash=Yes\n"));
    }

    // A save killed at any moment leaves the old or the new file, never a cut one.
    void killDuringSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrel.ini");
        const QString big(BigSize, 'x');
        {
            IniSettingsStore store(path);
            QVERIFY(store.setValue("Big", "Data", big));
            QVERIFY(store.setValue("Flip", "Side", "B"));
            QVERIFY(store.setValue("Tail", "End", "yes"));
        }
        for (int kill = 0; kill < 24; ++kill) {
            const int delayMs = kill * 37 % 120; // spread over the save cycle
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(SaveLoopFlag), path});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(20000));
            QTest::qSleep(delayMs);
            QCOMPARE(child.state(), QProcess::Running); // killed while still saving
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished());

            IniSettingsStore reloaded(path);
            QVERIFY(reloaded.value("Big", "Data") == big);
            QVERIFY(reloaded.value("Flip", "Side") == "A" || reloaded.value("Flip", "Side") == "B");
            QCOMPARE(reloaded.value("Tail", "End"), QString("yes"));
        }
        // Whatever temporaries the kills left are gone after the next save once they are stale.
        const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QVERIFY(IniSettingsStore(path).setValue("Flip", "Side", "C"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Zentrel.ini"});
    }
};

int main(int argc, char **argv)
{
    Unprivileged::dropIfAsked(argc, argv);
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], SaveLoopFlag) == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]));
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsstore.moc"
