#include "coneditor/TextBuffer.h"
#include "platform/DiskFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray allHighBytes()
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes += char(b);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestTextBuffer : public QObject
{
    Q_OBJECT
private slots:
    void loadSaveIsByteExact_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf") << QByteArray("define A 1\r\ndefine B 2\r\n");
        QTest::newRow("lf") << QByteArray("define A 1\ndefine B 2\n");
        QTest::newRow("mixed, lone CR, no final line end")
            << QByteArray("one\r\ntwo\nthree\rfour\r\n\r\nfive");
        QTest::newRow("high bytes and nbsp") << QByteArray("// \xA0\xE9\r\n") + allHighBytes() + "\r\n";
        QTest::newRow("trailing ^Z") << QByteArray("define A 1\r\n\x1a");
        QTest::newRow("NUL and controls") << QByteArray("a\0b\x01\x7f\tc\r\n", 10);
        QTest::newRow("empty") << QByteArray();
    }
    void loadSaveIsByteExact()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString in = dir.filePath("USER.CON");
        QVERIFY(writeFile(in, bytes));
        DiskFiles files;
        TextBuffer buffer(files);
        QVERIFY2(buffer.setFileName(dir.filePath("user.con")), qPrintable(buffer.errorString()));
        QCOMPARE(buffer.FileName(), dir.filePath("user.con"));
        QCOMPARE(buffer.Text().size(), bytes.size()); // one character per byte: positions are offsets
        QVERIFY(buffer.SaveFile(dir.filePath("OUT.CON")));
        QCOMPARE(readFile(dir.filePath("OUT.CON")), bytes);
        // Saving over the loaded name replaces the existing entry, in its own letter case.
        QVERIFY(buffer.SaveFile(dir.filePath("user.con")));
        QCOMPARE(QDir(dir.path()).entryList({"*.con"}, QDir::Files, QDir::Name),
                 QStringList({"OUT.CON", "USER.CON"}));
        QCOMPARE(readFile(in), bytes);
    }

    void failedLoadLeavesBufferAlone()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("a.con"), "define A 1\r\n"));
        DiskFiles files;
        TextBuffer buffer(files);
        QVERIFY(buffer.setFileName(dir.filePath("a.con")));
        buffer.setSelection(7, 1);
        QSignalSpy changed(&buffer, &TextBuffer::textChanged);
        QVERIFY(!buffer.setFileName(dir.filePath("missing.con")));
        QVERIFY(!buffer.errorString().isEmpty());
        QCOMPARE(buffer.Text(), QString("define A 1\r\n"));
        QCOMPARE(buffer.FileName(), dir.filePath("a.con"));
        QCOMPARE(buffer.SelStart(), 7);
        QCOMPARE(buffer.SelLength(), 1);
        QCOMPARE(changed.count(), 0);
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("expected");
        QTest::newRow("ignores case") << "define MaxPlayerHealth 100" << "MAXPLAYERHEALTH" << false << 7;
        QTest::newRow("latin-1 case") << QString::fromLatin1("x \xC9t\xE9") << QString::fromLatin1("\xE9T\xC9")
                                      << false << 2;
        QTest::newRow("prefix inside a word") << "define SWEARFREQUENCY 100" << "SWEAR" << false << 7;
        QTest::newRow("whole word skips longer names")
            << "define MAXPLAYERHEALTH2 5\ndefine MAXPLAYERHEALTH 100" << "MAXPLAYERHEALTH" << true << 33;
        QTest::newRow("underscore is a word character") << "A_B B" << "B" << true << 4;
        QTest::newRow("digit before") << "1B B" << "B" << true << 3;
        QTest::newRow("at the very ends") << "B" << "B" << true << 0;
        QTest::newRow("punctuation is no word") << "(B)" << "B" << true << 1;
        QTest::newRow("missing") << "define A 1" << "B" << false << -1;
        QTest::newRow("only inside words") << "AB BA" << "B" << true << -1;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(bool, wholeWord);
        QFETCH(int, expected);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText(text);
        buffer.setSelection(1, 1);
        QCOMPARE(buffer.Find(what, 0, wholeWord), expected);
        QCOMPARE(buffer.SelStart(), expected < 0 ? 1 : expected);
        QCOMPARE(buffer.SelLength(), expected < 0 ? 1 : what.size());
    }

    void span_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("set");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("negate");
        QTest::addColumn<QString>("selected");
        // text: "ab  cd/ef\r\ngh"
        QTest::newRow("forward to a stop") << 0 << 1 << "/\n" << true << true << "ab  cd";
        QTest::newRow("forward to the text's end") << 11 << 0 << "/" << true << true << "gh";
        QTest::newRow("forward over the set") << 2 << 0 << " " << true << false << "  ";
        QTest::newRow("backward from the start") << 5 << 1 << " " << false << true << "cd";
        QTest::newRow("backward over the set") << 4 << 0 << " " << false << false << "  ";
        QTest::newRow("backward to the text's start") << 2 << 0 << " " << false << true << "ab";
        QTest::newRow("nothing passes") << 2 << 0 << " " << true << true << "";
    }
    void span()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, set);
        QFETCH(bool, forward);
        QFETCH(bool, negate);
        QFETCH(QString, selected);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText("ab  cd/ef\r\ngh");
        buffer.setSelection(start, length);
        buffer.Span(set, forward ? TextBuffer::SpanForward : TextBuffer::SpanBackward, negate);
        QCOMPARE(buffer.SelText(), selected);
    }

    void selectionAndChanges()
    {
        DiskFiles files;
        TextBuffer buffer(files);
        QSignalSpy changed(&buffer, &TextBuffer::textChanged);
        buffer.setText("define A 100\r\n");
        QCOMPARE(changed.count(), 1);

        buffer.setSelStart(99); // clamped to the end
        QCOMPARE(buffer.SelStart(), 14);
        buffer.setSelStart(9);
        buffer.setSelLength(3);
        QCOMPARE(buffer.SelText(), QString("100"));
        buffer.setSelLength(0);
        QCOMPARE(buffer.SelStart(), 9);
        QCOMPARE(buffer.SelLength(), 0);

        buffer.setSelLength(3);
        buffer.setSelText("150");
        QCOMPARE(buffer.Text(), QString("define A 150\r\n"));
        QCOMPARE(buffer.SelStart(), 12);
        QCOMPARE(buffer.SelLength(), 0);
        QCOMPARE(changed.count(), 2);

        // The same text over itself moves the caret but changes nothing.
        buffer.setSelection(9, 3);
        buffer.setSelText("150");
        QCOMPARE(buffer.SelStart(), 12);
        QCOMPARE(changed.count(), 2);

        // What no byte can hold is stored as "?", one per character.
        buffer.setSelText(QString::fromUtf8("\u20ac\U0001F600"));
        QCOMPARE(buffer.Text(), QString("define A 150??\r\n"));
        QCOMPARE(changed.count(), 3);

        buffer.setText("");
        QCOMPARE(buffer.Text(), QString());
        QCOMPARE(changed.count(), 4);
    }

    void lineEndOfTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("crlf") << "a\r\nb\n" << "\r\n";
        QTest::newRow("lf") << "a\nb\r\n" << "\n";
        QTest::newRow("no line end") << "a" << "\r\n";
    }
    void lineEndOfTheFile()
    {
        QFETCH(QString, text);
        QFETCH(QString, lineEnd);
        DiskFiles files;
        TextBuffer buffer(files);
        buffer.setText(text);
        QCOMPARE(buffer.lineEnd(), lineEnd);
    }
};

QTEST_GUILESS_MAIN(TestTextBuffer)
#include "tst_textbuffer.moc"
