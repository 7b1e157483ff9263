#include "coneditor/TextBuffer.h"
#include "launch/NetworkKeys.h"
#include "platform/DiskFiles.h"

#include "Unprivileged.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace NetworkKeys;

namespace {

// The game's files as the setup program writes them: CRLF, other keys around ours, a byte above
// 0x7F, and a key whose name ends in one of ours.
const QByteArray Cfg = "[Setup]\r\nSetupVersion = \"1.3D\"\r\n[Comm Setup]\r\nComPort = 2\r\n"
                       "SocketNumber = 0x4321\r\nNumberPlayers = 4\r\n"
                       "[Comm Setup]\r\n; caf\xE9 \r\nPlayerName = \"DUKE\"\r\nRTSName = \"DUKE.RTS\"\r\n";
const QByteArray Commit = "[Commit]\r\nCOMMTYPE = 3\r\nMaxNumPlayers = 8\r\nNumPlayers = 4\r\n"
                          "SOCKETNUMBER = 17185\r\nLAUNCHNAME = \"DUKE3D.EXE\"\r\n\x1a";

const QDateTime Old = QDateTime::fromSecsSinceEpoch(1000000000);

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    file.close();
    return file.open(QIODevice::ReadWrite) && file.setFileTime(Old, QFileDevice::FileModificationTime);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray replaced(QByteArray data, const QByteArray &from, const QByteArray &to)
{
    return from == to ? data : data.replace(from, to);
}

bool untouched(const QString &path, const QByteArray &original)
{
    return readFile(path) == original && QFileInfo(path).lastModified() == Old;
}

// A game directory with DUKE3D.CFG and COMMIT.DAT in upper case, as DOS installs leave them.
struct GameDir
{
    QTemporaryDir dir;
    QString cfg() const { return dir.filePath("DUKE3D.CFG"); }
    QString commit() const { return dir.filePath("COMMIT.DAT"); }
    bool make(const QByteArray &cfgData = Cfg, const QByteArray &commitData = Commit)
    {
        return dir.isValid() && writeFile(cfg(), cfgData) && writeFile(commit(), commitData);
    }
};

NetworkValues saved(const QString &socket, const QString &count)
{
    NetworkValues v;
    v.SavedSocket = socket;
    v.SavedPlayerCount = count;
    v.SavedPlayerName = "DUKE";
    return v;
}

} // namespace

class TestNetworkKeys : public QObject
{
    Q_OBJECT
private slots:
    void readCfgKeys_data()
    {
        QTest::addColumn<QByteArray>("cfg");
        QTest::newRow("crlf") << Cfg;
        QTest::newRow("lf") << QByteArray(Cfg).replace("\r\n", "\n");
        // Written by hand: no blank after "=", a blank after the name's closing quote.
        QTest::newRow("no blank after =") << QByteArray(Cfg)
                                                 .replace("SocketNumber = 0x4321", "SocketNumber =0x4321")
                                                 .replace("NumberPlayers = 4", "NumberPlayers =4");
        QTest::newRow("blank after the name") << QByteArray(Cfg).replace("\"DUKE\"\r\n", "\"DUKE\" \r\n");
    }
    void readCfgKeys()
    {
        QFETCH(QByteArray, cfg);
        GameDir game;
        QVERIFY(game.make(cfg));
        DiskFiles files;
        NetworkValues values;
        QVERIFY(ReadCfgKeys(files, game.dir.path(), values).ok());
        QCOMPARE(values.SavedSocket, QString("4321"));
        QCOMPARE(values.SavedPlayerCount, QString("4"));
        QCOMPARE(values.SavedPlayerName, QString("DUKE"));
        QVERIFY(untouched(game.cfg(), cfg));
    }

    void readCfgKeysMissingFileOrKey()
    {
        GameDir game;
        QVERIFY(game.dir.isValid());
        DiskFiles files;
        NetworkValues values;
        QVERIFY(!ReadCfgKeys(files, game.dir.path(), values).ok());
        QCOMPARE(values.SavedSocket, QString());

        QVERIFY(game.make(QByteArray(Cfg).replace("NumberPlayers = 4\r\n", "")));
        const Outcome out = ReadCfgKeys(files, game.dir.path(), values);
        QVERIFY(out.error.contains("NumberPlayers ="));
        QCOMPARE(values.SavedSocket, QString("4321")); // the keys that are there are still read
        QCOMPARE(values.SavedPlayerCount, QString());
    }

    void selectKeyValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written"); // text after writing "6"
        QTest::newRow("crlf: CR stays out") << "NumPlayers = 4\r\nX = 1\r\n" << "4" << "NumPlayers = 6\r\nX = 1\r\n";
        QTest::newRow("lf") << "NumPlayers = 4\nX = 1\n" << "4" << "NumPlayers = 6\nX = 1\n";
        QTest::newRow("last line") << "NumPlayers = 12" << "12" << "NumPlayers = 6";
        QTest::newRow("empty value, crlf") << "NumPlayers =\r\nX\r\n" << "" << "NumPlayers =6\r\nX\r\n";
        QTest::newRow("ignores case, not inside a longer key")
            << "MaxNumPlayers = 8\r\nnumplayers = 4\r\n" << "4" << "MaxNumPlayers = 8\r\nnumplayers = 6\r\n";
        QTest::newRow("no blank after =") << "NumPlayers =4\r\n" << "4" << "NumPlayers =6\r\n";
        QTest::newRow("a second key on the line") << "NumPlayers = 2 ComPort = 1\r\n" << "2"
                                                  << "NumPlayers = 6 ComPort = 1\r\n";
        QTest::newRow("a blank after the value") << "NumPlayers = 4 \r\n" << "4" << "NumPlayers = 6 \r\n";
        QTest::newRow("a quoted value is one") << "NumPlayers = \"A B\" x\n" << "\"A B\"" << "NumPlayers = 6 x\n";
    }
    void selectKeyValue()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QFETCH(QString, written);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText(text);
        QVERIFY(SelectKeyValue(buffer, "NumPlayers ="));
        QCOMPARE(buffer.SelText(), value);
        buffer.setSelText("6");
        QCOMPARE(buffer.Text(), written);

        buffer.setSelection(1, 2);
        QVERIFY(!SelectKeyValue(buffer, "SOCKETNUMBER ="));
        QCOMPARE(buffer.SelStart(), 1);
        QCOMPARE(buffer.SelLength(), 2);
    }

    void socketDecimal_data()
    {
        QTest::addColumn<QString>("socket");
        QTest::addColumn<QString>("decimal");
        QTest::newRow("1234") << "1234" << "4660";
        QTest::newRow("one digit") << "7" << "7";
        QTest::newRow("10") << "10" << "16";
        QTest::newRow("8000, above signed 16 bits") << "8000" << "32768";
        QTest::newRow("9999") << "9999" << "39321";
        QTest::newRow("ffff") << "ffff" << "65535";
        QTest::newRow("placeholder") << "~" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("five digits") << "12345" << "";
        QTest::newRow("not hex") << "12G" << "";
        // What a number parser would take, but the box's rule does not.
        QTest::newRow("0x prefix") << "0x1" << "";
        QTest::newRow("leading blank") << " 1" << "";
        QTest::newRow("trailing blank") << "1 " << "";
        QTest::newRow("plus sign") << "+1" << "";
        QTest::newRow("embedded NUL") << QString("1") + QChar(0) << "";
    }
    void socketDecimal()
    {
        QFETCH(QString, socket);
        QFETCH(QString, decimal);
        QCOMPARE(NetworkKeys::socketDecimal(socket), decimal);
    }

    void editNetworkKeys_data()
    {
        QTest::addColumn<QString>("socketBox");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QByteArray>("cfgSocket");
        QTest::addColumn<QByteArray>("cfgCount");
        QTest::addColumn<QByteArray>("commitSocket");
        QTest::addColumn<QByteArray>("commitCount");
        QTest::newRow("socket 4321 -> 1234") << "1234" << "4" << QByteArray("0x1234") << QByteArray("4")
                                             << QByteArray("4660") << QByteArray("4");
        QTest::newRow("players 4 -> 6") << "4321" << "6" << QByteArray("0x4321") << QByteArray("6")
                                        << QByteArray("17185") << QByteArray("6");
        QTest::newRow("both") << "abcd" << "8" << QByteArray("0xabcd") << QByteArray("8") << QByteArray("43981")
                              << QByteArray("8");
        QTest::newRow("one-digit socket") << "7" << "4" << QByteArray("0x7") << QByteArray("4") << QByteArray("7")
                                          << QByteArray("4");
        QTest::newRow("socket 9999") << "9999" << "4" << QByteArray("0x9999") << QByteArray("4")
                                     << QByteArray("39321") << QByteArray("4");
        QTest::newRow("placeholder: no socket, players still") << "~" << "6" << QByteArray("0x4321")
                                                               << QByteArray("6") << QByteArray("17185")
                                                               << QByteArray("6");
        QTest::newRow("unchanged") << "4321" << "4" << QByteArray("0x4321") << QByteArray("4")
                                   << QByteArray("17185") << QByteArray("4");
        QTest::newRow("placeholder, players unchanged") << "~" << "4" << QByteArray("0x4321") << QByteArray("4")
                                                        << QByteArray("17185") << QByteArray("4");
    }
    void editNetworkKeys()
    {
        QFETCH(QString, socketBox);
        QFETCH(QString, count);
        QFETCH(QByteArray, cfgSocket);
        QFETCH(QByteArray, cfgCount);
        QFETCH(QByteArray, commitSocket);
        QFETCH(QByteArray, commitCount);
        GameDir game;
        QVERIFY(game.make());
        DiskFiles files;
        NetworkValues values = saved("4321", "4");

        const Outcome out = EditNetworkKeys(files, game.dir.path(), values, socketBox, count);
        QVERIFY2(out.ok(), qPrintable(out.error));

        const QByteArray cfg = replaced(replaced(Cfg, "= 0x4321\r", "= " + cfgSocket + "\r"),
                                        "NumberPlayers = 4\r", "NumberPlayers = " + cfgCount + "\r");
        const QByteArray commit = replaced(replaced(Commit, "= 17185\r", "= " + commitSocket + "\r"),
                                           "\nNumPlayers = 4\r", "\nNumPlayers = " + commitCount + "\r");
        // Every other byte stays; an unchanged file is not even rewritten.
        QCOMPARE(readFile(game.cfg()), cfg);
        QCOMPARE(readFile(game.commit()), commit);
        QCOMPARE(out.cfgWritten, cfg != Cfg);
        QCOMPARE(out.commitWritten, commit != Commit);
        if (cfg == Cfg)
            QCOMPARE(QFileInfo(game.cfg()).lastModified(), Old);
        if (commit == Commit)
            QCOMPARE(QFileInfo(game.commit()).lastModified(), Old);
        QCOMPARE(QDir(game.dir.path()).entryList(QDir::Files).size(), 2); // no stray files, no new case

        // The saved values follow what the files now hold, so the same launch again writes nothing.
        QCOMPARE(values.SavedSocket, socketBox == "~" ? QString("4321") : socketBox);
        QCOMPARE(values.SavedPlayerCount, count);
        QVERIFY(writeFile(game.cfg(), cfg) && writeFile(game.commit(), commit));
        QVERIFY(EditNetworkKeys(files, game.dir.path(), values, socketBox, count).ok());
        QVERIFY(untouched(game.cfg(), cfg));
        QVERIFY(untouched(game.commit(), commit));
    }

    // A kill between the two writes (or a file refused once) left duke3d.cfg new and commit.dat
    // old: each file is judged by its own value, so the next launch brings commit.dat in step
    // and leaves duke3d.cfg as it is.
    void filesOutOfStepAreBroughtInStep_data()
    {
        QTest::addColumn<QByteArray>("cfg");
        QTest::addColumn<QByteArray>("commit");
        QTest::addColumn<QByteArray>("commitAfter");
        QTest::newRow("socket written to duke3d.cfg only")
            << QByteArray(Cfg).replace("0x4321", "0x1234") << Commit << QByteArray(Commit).replace("17185", "4660");
        QTest::newRow("count written to duke3d.cfg only")
            << QByteArray(Cfg).replace("NumberPlayers = 4", "NumberPlayers = 6").replace("0x4321", "0x1234")
            << QByteArray(Commit).replace("17185", "4660")
            << QByteArray(Commit).replace("17185", "4660").replace("\nNumPlayers = 4", "\nNumPlayers = 6");
    }
    void filesOutOfStepAreBroughtInStep()
    {
        QFETCH(QByteArray, cfg);
        QFETCH(QByteArray, commit);
        QFETCH(QByteArray, commitAfter);
        GameDir game;
        QVERIFY(game.make(cfg, commit));
        DiskFiles files;
        NetworkValues values;
        QVERIFY(ReadCfgKeys(files, game.dir.path(), values).ok()); // the saved values are duke3d.cfg's
        const QString count = cfg.contains("NumberPlayers = 6") ? "6" : "4";
        const Outcome out = EditNetworkKeys(files, game.dir.path(), values, "1234", count);
        QVERIFY2(out.ok(), qPrintable(out.error));
        QVERIFY(untouched(game.cfg(), cfg));
        QCOMPARE(readFile(game.commit()), commitAfter);
        QVERIFY(out.commitWritten && !out.cfgWritten);
    }

    // A file without a needed key is left alone and the caller hears of it; the other file is written.
    void missingKeyWritesNothingToThatFile()
    {
        GameDir game;
        const QByteArray cfg = QByteArray(Cfg).replace("NumberPlayers = 4\r\n", "");
        QVERIFY(game.make(cfg));
        DiskFiles files;
        NetworkValues values = saved("4321", "4");
        const Outcome out = EditNetworkKeys(files, game.dir.path(), values, "4321", "6");
        QVERIFY(out.error.contains("NumberPlayers ="));
        QVERIFY(untouched(game.cfg(), cfg));
        QVERIFY(out.commitWritten);
        QCOMPARE(readFile(game.commit()), QByteArray(Commit).replace("\nNumPlayers = 4", "\nNumPlayers = 6"));
        QCOMPARE(values.SavedPlayerCount, QString("4")); // tried again at the next launch
    }

    void badSocketTextIsReported()
    {
        GameDir game;
        QVERIFY(game.make());
        DiskFiles files;
        NetworkValues values = saved("4321", "4");
        const Outcome out = EditNetworkKeys(files, game.dir.path(), values, "12G", "4");
        QVERIFY(out.error.contains("12G"));
        QVERIFY(untouched(game.cfg(), Cfg));
        QVERIFY(untouched(game.commit(), Commit));
    }

    // The keys are edited in a buffer of their own: the editor's unsaved USER.CON is not touched
    // and still counts as unsaved (and saved text stays saved).
    void editorTextSurvives()
    {
        GameDir game;
        QVERIFY(game.make());
        DiskFiles files;
        TextBuffer editor(files);
        bool conModified = false;
        connect(&editor, &TextBuffer::textChanged, this, [&] { conModified = true; });
        editor.setText("define A 100\r\n");
        conModified = true;
        NetworkValues values = saved("4321", "4");
        QVERIFY(EditNetworkKeys(files, game.dir.path(), values, "1234", "6").ok());
        QCOMPARE(editor.Text(), QString("define A 100\r\n"));
        QVERIFY(conModified);
        conModified = false;
        QVERIFY(EditNetworkKeys(files, game.dir.path(), values, "4321", "8").ok());
        QCOMPARE(editor.Text(), QString("define A 100\r\n"));
        QVERIFY(!conModified);
    }

    // The directory cannot take the new file: the write fails, the old files stay whole.
    void failedWriteKeepsTheOldFile()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        GameDir game;
        QVERIFY(game.make());
        QVERIFY(QFile::setPermissions(game.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        DiskFiles files;
        NetworkValues values = saved("4321", "4");
        const Outcome out = EditNetworkKeys(files, game.dir.path(), values, "1234", "6");
        QFile::setPermissions(game.dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                   | QFileDevice::ExeOwner);
        QVERIFY(!out.ok());
        QVERIFY(!out.cfgWritten && !out.commitWritten);
        QVERIFY(untouched(game.cfg(), Cfg));
        QVERIFY(untouched(game.commit(), Commit));
        QCOMPARE(values.SavedSocket, QString("4321"));
        QCOMPARE(values.SavedPlayerCount, QString("4"));
    }

    void readOnlyFileIsWritten()
    {
        ZENTREL_REQUIRE_UNPRIVILEGED();
        GameDir game;
        QVERIFY(game.make());
        DiskFiles files;
        QVERIFY(files.setReadOnly(game.cfg(), true));
        NetworkValues values = saved("4321", "4");
        QVERIFY(EditNetworkKeys(files, game.dir.path(), values, "4321", "6").ok());
        QVERIFY(readFile(game.cfg()).contains("NumberPlayers = 6\r\n"));
        QVERIFY(files.isReadOnly(game.cfg())); // read-only again, as the player had it
        QVERIFY(!files.isReadOnly(game.commit()));
    }

    void playerNameProblem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "ACE of spades-1%" << false;
        QTest::newRow("double quote") << "A\"B" << true;
        QTest::newRow("less than") << "A<B" << true;
        QTest::newRow("greater than") << "A>B" << true;
        QTest::newRow("pipe") << "A|B" << true;
        QTest::newRow("tab") << "A\tB" << true;
        QTest::newRow("DEL") << "A\x7f" << true;
        QTest::newRow("not ASCII") << QString::fromLatin1("J\xFCRGEN") << true;
        QTest::newRow("blanks only") << "   " << true;
    }
    void playerNameProblem()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QCOMPARE(!NetworkKeys::playerNameProblem(name).isEmpty(), refused);
    }

    void writePlayerName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("error");
        QTest::newRow("changed, upper-cased") << "ace" << QByteArray("PlayerName = \"ACE\"") << false;
        QTest::newRow("same as read") << "DUKE" << QByteArray("PlayerName = \"DUKE\"") << false;
        QTest::newRow("empty") << "" << QByteArray("PlayerName = \"DUKE\"") << false;
        QTest::newRow("refused") << "a\"b" << QByteArray("PlayerName = \"DUKE\"") << true;
    }
    void writePlayerName()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, line);
        QFETCH(bool, error);
        GameDir game;
        QVERIFY(game.make());
        DiskFiles files;
        NetworkValues values = saved("4321", "4");
        values.TypedPlayerName = typed;
        const Outcome out = WritePlayerName(files, game.dir.path(), values);
        QCOMPARE(!out.ok(), error);
        const QByteArray expected = QByteArray(Cfg).replace("PlayerName = \"DUKE\"", line);
        QCOMPARE(readFile(game.cfg()), expected);
        if (expected == Cfg)
            QCOMPARE(QFileInfo(game.cfg()).lastModified(), Old);
        else
            QCOMPARE(values.SavedPlayerName, QString("ACE"));
    }

    void writePlayerNameCreatesNoFile()
    {
        QTemporaryDir dir;
        DiskFiles files;
        NetworkValues values;
        values.TypedPlayerName = "ACE";
        QVERIFY(!WritePlayerName(files, dir.path(), values).ok());
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

int main(int argc, char **argv)
{
    Unprivileged::dropIfAsked(argc, argv);
    QCoreApplication app(argc, argv);
    TestNetworkKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_networkkeys.moc"
