#include "platform/DosCommandTail.h"

#include <QtTest>

class TestDosCommandTail : public QObject
{
    Q_OBJECT

private slots:
    void passedSwitches_data();
    void passedSwitches();
    void refusedSwitches_data();
    void refusedSwitches();
    void programNames_data();
    void programNames();
    void mountPaths_data();
    void mountPaths();
};

void TestDosCommandTail::passedSwitches_data()
{
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("shell");
    QTest::newRow("none") << "" << "";
    QTest::newRow("single player") << " /v1 /l1 /s1" << " /v1 /l1 /s1";
    QTest::newRow("user map") << " /q4 -map Kvuser.map" << " /q4 -map Kvuser.map";
    QTest::newRow("percent doubled") << " -name 100%" << " -name 100%%";
    QTest::newRow("variable stays literal") << " %PATH%" << " %%PATH%%";
    QTest::newRow("dos separators pass") << " a=b,c;d ^&'" << " a=b,c;d ^&'";
    QTest::newRow("126 bytes") << " -name " + QString(119, 'X') << " -name " + QString(119, 'X');
    QTest::newRow("126 bytes with percent") << QString(125, 'X') + "%" << QString(125, 'X') + "%%";
}

void TestDosCommandTail::passedSwitches()
{
    QFETCH(QString, tail);
    QFETCH(QString, shell);
    const DosCommandTail::Checked checked = DosCommandTail::switches(tail);
    QVERIFY2(checked.ok(), qPrintable(checked.error));
    QCOMPARE(checked.text, shell);
}

void TestDosCommandTail::refusedSwitches_data()
{
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("redirect out") << " -name a>b" << "\u201c>\u201d";
    QTest::newRow("redirect in") << " -name a<b" << "\u201c<\u201d";
    QTest::newRow("pipe") << " -name a|b" << "\u201c|\u201d";
    QTest::newRow("quote") << " -name \"ACE\"" << "double quote";
    QTest::newRow("tab") << " /v1\t/l1" << "code 9";
    QTest::newRow("line break") << " /v1\r\n" << "code 13";
    QTest::newRow("non-ascii") << " -name JOS\u00c9" << "\u201c\u00c9\u201d";
    QTest::newRow("127 bytes") << " -name " + QString(120, 'X') << "127";
}

void TestDosCommandTail::refusedSwitches()
{
    QFETCH(QString, tail);
    QFETCH(QString, named);
    const DosCommandTail::Checked checked = DosCommandTail::switches(tail);
    QVERIFY(!checked.ok());
    QVERIFY2(checked.error.contains(named), qPrintable(checked.error));
}

void TestDosCommandTail::programNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("dos"); // empty: refused
    QTest::newRow("lower case") << "duke3d.exe" << "DUKE3D.EXE";
    QTest::newRow("mixed case") << "Commit.Exe" << "COMMIT.EXE";
    QTest::newRow("no extension") << "GAME" << "GAME";
    QTest::newRow("long name") << "duke3d-v15.exe" << "";
    QTest::newRow("long extension") << "duke3d.exec" << "";
    QTest::newRow("blank") << "my game.exe" << "";
    QTest::newRow("percent") << "a%b.exe" << "";
    QTest::newRow("non-ascii") << "d\u00fcke.exe" << "";
}

void TestDosCommandTail::programNames()
{
    QFETCH(QString, file);
    QFETCH(QString, dos);
    const DosCommandTail::Checked checked = DosCommandTail::programName(file);
    QCOMPARE(checked.ok(), !dos.isEmpty());
    if (checked.ok())
        QCOMPARE(checked.text, dos);
    else
        QVERIFY(checked.error.contains(file));
}

void TestDosCommandTail::mountPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("command"); // empty: must go through a link
    QTest::newRow("plain") << "/games/duke3d" << "mount c \"/games/duke3d\"";
    QTest::newRow("blanks") << "/my games/duke 3d" << "mount c \"/my games/duke 3d\"";
    QTest::newRow("percent") << "/g/100%/%HOME%" << "mount c \"/g/100%%/%%HOME%%\"";
    QTest::newRow("redirect signs") << "/g/a>b|c<d" << "mount c \"/g/a>b|c<d\"";
    QTest::newRow("non-ascii") << "/spiele/d\u00fcke" << "mount c \"/spiele/d\u00fcke\"";
    QTest::newRow("quote") << "/g/\"x\"" << "";
    QTest::newRow("line break") << "/g/a\nb" << "";
    QTest::newRow("trailing blank") << "/g/duke " << "";
    QTest::newRow("very long") << "/" + QString(250, 'd') << "";
}

void TestDosCommandTail::mountPaths()
{
    QFETCH(QString, path);
    QFETCH(QString, command);
    QCOMPARE(DosCommandTail::canMountLiterally(path), !command.isEmpty());
    if (!command.isEmpty())
        QCOMPARE(DosCommandTail::mountCommand('C', path), command);
}

QTEST_GUILESS_MAIN(TestDosCommandTail)
#include "tst_doscommandtail.moc"
