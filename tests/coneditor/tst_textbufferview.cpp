#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/TextBufferView.h"
#include "platform/DiskFiles.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

namespace {

// The blocks of the view joined by "\n", raw (toPlainText would turn a no-break space into a blank).
QString viewText(const QPlainTextEdit &edit)
{
    QStringList blocks;
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks.join('\n');
}

struct Fixture
{
    DiskFiles files;
    TextBuffer buffer{files};
    QPlainTextEdit edit;
    TextBufferView view{buffer, edit};

    explicit Fixture(const QString &text) { buffer.setText(text); }

    void typeAt(int position, const QString &text, int removed = 0)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position);
        cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
        edit.insertPlainText(text);
    }
};

} // namespace

class TestTextBufferView : public QObject
{
    Q_OBJECT
private slots:
    void showsEveryByteInOneColumn()
    {
        Fixture f(QString::fromLatin1("define A 1\r\nB\xA0\xE9\nC\rD\x1a"));
        QCOMPARE(f.edit.document()->blockCount(), 3);
        QCOMPARE(viewText(f.edit), QString::fromUtf8("define A 1\nB\u00a0\u00e9\nC\u240dD\u241a"));
    }

    // Edits in the view go into the model at the byte offsets they stand for.
    void editsMapIntoTheModel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position"); // in the view
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("caret"); // in the model
        QTest::addColumn<QString>("shown"); // the view's lines joined by "\n"
        QTest::newRow("type in a crlf line") << "define A 1\r\ndefine B 2\r\n" << 20 << 0 << "0"
                                             << "define A 1\r\ndefine B 02\r\n" << 22 << "define A 1\ndefine B 02\n";
        QTest::newRow("new line gets the file's crlf") << "ab\r\ncd\nef" << 4 << 0 << "\n"
                                                       << "ab\r\nc\r\nd\nef" << 7 << "ab\nc\nd\nef";
        QTest::newRow("new line gets the file's lf") << "ab\ncd\r\nef" << 1 << 0 << "\n" << "a\nb\ncd\r\nef" << 2
                                                     << "a\nb\ncd\nef";
        QTest::newRow("join lines drops the whole crlf") << "ab\r\ncd\r\n" << 2 << 1 << "" << "abcd\r\n" << 2
                                                         << "abcd\n";
        QTest::newRow("replace across lines") << "ab\r\ncd\nef\r\n" << 1 << 5 << "X" << "aXef\r\n" << 2 << "aXef\n";
        QTest::newRow("keeps nbsp and high bytes") << QString::fromLatin1("\xA0x\xFF\r\n") << 1 << 1 << "y"
                                                   << QString::fromLatin1("\xA0y\xFF\r\n") << 2
                                                   << QString::fromUtf8("\u00a0y\u00ff\n");
        QTest::newRow("before a trailing ^Z") << "A\r\n\x1a" << 2 << 0 << "B" << "A\r\nB\x1a" << 4
                                              << QString::fromUtf8("A\nB\u241a");
        QTest::newRow("pasted control picture is the byte") << "A" << 1 << 0 << QString::fromUtf8("\u241a")
                                                            << "A\x1a" << 2 << QString::fromUtf8("A\u241a");
        QTest::newRow("what no byte holds becomes ?") << "A\r\n" << 1 << 0 << QString::fromUtf8("\u20ac")
                                                     << "A?\r\n" << 2 << "A?\n";
    }
    void editsMapIntoTheModel()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, removed);
        QFETCH(QString, typed);
        QFETCH(QString, model);
        QFETCH(int, caret);
        QFETCH(QString, shown);
        Fixture f(text);
        QSignalSpy changed(&f.buffer, &TextBuffer::textChanged);
        f.typeAt(position, typed, removed);
        QCOMPARE(f.buffer.Text(), model);
        QVERIFY(changed.count() >= 1);
        QTRY_COMPARE(viewText(f.edit), shown); // after the redraw of a "?"
        QCOMPARE(f.buffer.SelStart(), caret); // the view's caret is the buffer's
        QCOMPARE(f.buffer.SelLength(), 0);
    }

    void realKeysAndUndo()
    {
        Fixture f("define A 1\r\ndefine B 2\r\n");
        f.edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.edit));
        QTextCursor cursor(f.edit.document());
        cursor.setPosition(10); // end of the first line
        f.edit.setTextCursor(cursor);
        QTest::keyClicks(&f.edit, "23");
        QTest::keyClick(&f.edit, Qt::Key_Return);
        QTest::keyClicks(&f.edit, "x");
        QCOMPARE(f.buffer.Text(), QString("define A 123\r\nx\r\ndefine B 2\r\n"));
        QTest::keyClick(&f.edit, Qt::Key_Backspace);
        QTest::keyClick(&f.edit, Qt::Key_Backspace);
        QCOMPARE(f.buffer.Text(), QString("define A 123\r\ndefine B 2\r\n"));
        while (f.edit.document()->isUndoAvailable())
            f.edit.undo();
        QCOMPARE(viewText(f.edit), QString("define A 1\ndefine B 2\n"));
        QCOMPARE(f.buffer.Text(), QString("define A 1\r\ndefine B 2\r\n"));
    }

    // Changes made by the editor's routines show in the view, with the value selected.
    void modelChangesShowInTheView()
    {
        Fixture f("define A 100 // a\r\ndefine B 2\n");
        f.buffer.setSelection(9, 3);
        QCOMPARE(f.edit.textCursor().selectedText(), QString("100"));
        f.buffer.setSelText("1\r\n2\n3");
        QCOMPARE(viewText(f.edit), QString("define A 1\n2\n3 // a\ndefine B 2\n"));
        f.buffer.setSelection(f.buffer.Find("B", 0, true), 1);
        QCOMPARE(f.edit.textCursor().selectedText(), QString("B"));
        // A CR now meets an LF: the view turns it into a line end.
        f.buffer.setText("ab\r");
        f.buffer.setSelStart(3);
        f.buffer.setSelText("\ncd");
        QCOMPARE(viewText(f.edit), QString("ab\ncd"));
        f.buffer.setSelection(0, 1);
        f.buffer.setSelText("");
        QCOMPARE(viewText(f.edit), QString("b\ncd"));
    }

    void clicksAreReported()
    {
        Fixture f("define A 1\r\ndefine B 2\r\n");
        f.edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.edit));
        QSignalSpy clicked(&f.view, &TextBufferView::userClicked);
        f.buffer.setSelection(9, 1); // the editor's own moves are no clicks
        QCOMPARE(clicked.count(), 0);
        const QRect second = f.edit.cursorRect(QTextCursor(f.edit.document()->findBlockByNumber(1)));
        QTest::mouseClick(f.edit.viewport(), Qt::LeftButton, {}, QPoint(second.left() + 1, second.center().y()));
        QVERIFY(clicked.count() >= 1);
        QCOMPARE(f.buffer.SelStart(), 12); // the start of the second line, past the CRLF
    }
};

QTEST_MAIN(TestTextBufferView)
#include "tst_textbufferview.moc"
