#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"
#include "platform/DiskFiles.h"

#include <QSignalSpy>
#include <QtTest>

using namespace DefineEditing;

class TestDefineEditing : public QObject
{
    Q_OBJECT
private slots:
    // Find the name, show its value, then type 150 into the value box: only the value changes.
    void locateAndWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("after");
        QTest::newRow("comment after two spaces")
            << "define MAXPLAYERHEALTH 100  // health\r\n" << "MAXPLAYERHEALTH" << "100"
            << "define MAXPLAYERHEALTH 150  // health\r\n";
        QTest::newRow("value directly before /") << "define A 100/2\n" << "A" << "100" << "define A 150/2\n";
        QTest::newRow("no comment, crlf") << "define A 100\r\ndefine B 7\r\n" << "A" << "100"
                                          << "define A 150\r\ndefine B 7\r\n";
        QTest::newRow("trailing blanks, crlf") << "define A 100  \r\n" << "A" << "100" << "define A 150  \r\n";
        QTest::newRow("last line without line end") << "define A 100" << "A" << "100" << "define A 150";
        QTest::newRow("name only: the name is the value") << "define LONELY\r\n" << "LONELY" << "LONELY"
                                                          << "define 150\r\n";
        QTest::newRow("tab parts words") << "define A\t100\t// c\r\n" << "A" << "100" << "define A\t150\t// c\r\n";
        QTest::newRow("second line of a crlf file") << "define A 1 // a\r\ndefine B 5 // b\r\n" << "B" << "5"
                                                    << "define A 1 // a\r\ndefine B 150 // b\r\n";
        QTest::newRow("found by a prefix") << "define SWEARFREQUENCY 100 // x\n" << "SWEAR" << "100"
                                           << "define SWEARFREQUENCY 150 // x\n";
        const QString far = QString("// filler line\r\n").repeated(3000); // 48,000 bytes
        QTest::newRow("beyond 32767") << far + "define FAR 9\r\n" << "FAR" << "9" << far + "define FAR 150\r\n";
    }
    void locateAndWrite()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QFETCH(QString, after);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText(text);
        QSignalSpy changed(&buffer, &TextBuffer::textChanged);

        const qsizetype at = buffer.Find(name, 0);
        QVERIFY(at >= 0);
        QCOMPARE(ShowDefineValue(buffer, at), std::optional<QString>(shown));
        QCOMPARE(buffer.SelText(), shown);
        // Filling the box writes the same value back: no change of the text.
        QVERIFY(ValueBoxWriteBack(buffer, shown).wrote);
        QCOMPARE(buffer.SelText(), shown);
        QCOMPARE(changed.count(), 0);

        ValueBoxWriteBack(buffer, "150");
        QCOMPARE(buffer.Text(), after);
        QCOMPARE(buffer.SelText(), QString("150"));
        QCOMPARE(changed.count(), 1);
    }

    void valueBoxWriteBack_data()
    {
        QTest::addColumn<QString>("value"); // the selected value on the define line
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("line");  // the define line afterwards
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("boxShows"); // the text the box is set to, "-" for none
        QTest::newRow("typed value") << "100" << "150" << "define A 150 // c" << "150" << "-";
        QTest::newRow("empty box writes 0") << "100" << "" << "define A 0 // c" << "0" << "0";
        QTest::newRow("one space writes 0") << "100" << " " << "define A 0 // c" << "0" << "0";
        QTest::newRow("blank marker writes nothing") << "100" << "  " << "define A 100 // c" << "100" << "-";
        QTest::newRow("YES blocks typing") << "YES" << "5" << "define A YES // c" << "YES" << "-";
        QTest::newRow("NO blocks clearing") << "NO" << "" << "define A NO // c" << "NO" << "-";
        QTest::newRow("lower-case yes is a value") << "yes" << "5" << "define A 5 // c" << "5" << "-";
        QTest::newRow("any text goes in, all of it selected") << "100" << "a b" << "define A a b // c" << "a b"
                                                              << "-";
    }
    void valueBoxWriteBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, box);
        QFETCH(QString, line);
        QFETCH(QString, selected);
        QFETCH(QString, boxShows);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("define A " + value + " // c\r\n");
        ShowDefineValue(buffer, buffer.Find("A", 0, true));
        QCOMPARE(buffer.SelText(), value);

        const WriteBack result = ValueBoxWriteBack(buffer, box);
        QCOMPARE(buffer.Text(), line + "\r\n");
        QCOMPARE(buffer.SelText(), selected);
        QCOMPARE(result.boxText.value_or("-"), boxShows);
        // The box then shows "0" and its change handling runs again: still "0", still selected.
        if (result.boxText) {
            ValueBoxWriteBack(buffer, *result.boxText);
            QCOMPARE(buffer.Text(), line + "\r\n");
            QCOMPARE(buffer.SelText(), selected);
        }
    }

    // The box reports every keystroke; a blank typed inside the value never leaves a word behind.
    void typedKeystrokesReplaceWhatWasWritten()
    {
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("define MAXPLAYERHEALTH 100  // hp\r\n");
        ShowDefineValue(buffer, buffer.Find("MAXPLAYERHEALTH", 0, true));
        for (const char *box : {"1", "15", "15 ", "15 0"})
            ValueBoxWriteBack(buffer, box);
        QCOMPARE(buffer.Text(), QString("define MAXPLAYERHEALTH 15 0  // hp\r\n"));
        QCOMPARE(buffer.SelText(), QString("15 0"));
    }

    void pickedEntry()
    {
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("define A 100 // c\ndefine B YES\n");
        ShowDefineValue(buffer, buffer.Find("A", 0, true));
        QVERIFY(PickedEntryWriteBack(buffer, "0")); // the first entry is written like any other
        QCOMPARE(buffer.Text(), QString("define A 0 // c\ndefine B YES\n"));
        QCOMPARE(buffer.SelText(), QString("0"));

        ShowDefineValue(buffer, buffer.Find("B", 0, true));
        QVERIFY(!PickedEntryWriteBack(buffer, "0"));
        QCOMPARE(buffer.Text(), QString("define A 0 // c\ndefine B YES\n"));
    }

    void yesNo_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("selected");
        QTest::newRow("0 writes YES") << 0 << "define SWEAR YES // s\r\n" << "YES";
        QTest::newRow("1 writes NO") << 1 << "define SWEAR NO // s\r\n" << "NO";
        QTest::newRow("3 only selects") << 3 << "define SWEAR NO // s\r\n" << "NO";
    }
    void yesNo()
    {
        QFETCH(int, mode);
        QFETCH(QString, line);
        QFETCH(QString, selected);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("define SWEAR NO // s\r\n");
        QVERIFY(buffer.Find("SWEAR", 0, true) >= 0);
        SetYesNoValue(buffer, mode);
        QCOMPARE(buffer.Text(), line);
        QCOMPARE(buffer.SelText(), selected);
        QVERIFY(selectionIsYesNo(buffer));
    }

    // A define that is not in the text: nothing is shown, the old value stays selected and the
    // next edit in the box goes to it.
    void missingDefineKeepsTheSelection()
    {
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("define A 100\r\ndefine B 200\r\n");
        ShowDefineValue(buffer, buffer.Find("B", 0, true));
        QCOMPARE(ShowDefineValue(buffer, buffer.Find("NOSUCHDEFINE", 0, true)), std::nullopt);
        QCOMPARE(buffer.SelText(), QString("200"));
        ValueBoxWriteBack(buffer, "7");
        QCOMPARE(buffer.Text(), QString("define A 100\r\ndefine B 7\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDefineEditing)
#include "tst_defineediting.moc"
