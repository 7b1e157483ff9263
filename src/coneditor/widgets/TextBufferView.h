#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QPlainTextEdit;
class QTextDocument;
class TextBuffer;

// Shows a TextBuffer in a QPlainTextEdit and carries edits both ways. QPlainTextEdit cannot hold
// the file's bytes (it drops CR and counts CRLF as one position), so the buffer stays the model:
// each model line is one block of the view, shown without its line end, and control bytes are
// shown as their Unicode control pictures (^Z as U+241A) so that every byte keeps one column.
// Text typed in the view is mapped back into the model at the right byte offsets; untouched lines
// keep their own line ends and new lines get the file's line end. Change the text through the
// buffer, never through the QPlainTextEdit's own setters.
class TextBufferView : public QObject
{
    Q_OBJECT
public:
    TextBufferView(TextBuffer &buffer, QPlainTextEdit &edit, QObject *parent = nullptr);

    // How a line's bytes (without the line end) appear in the view, and back.
    static QString displayLine(QStringView modelLine);
    static QString modelText(QStringView shown, const QString &lineEnd);

signals:
    // The user clicked in the view or moved its caret: the selection may now lie anywhere.
    void userClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Line
    {
        qsizetype start;
        qsizetype length; // without the line end
        qsizetype endLength; // 0 (last line), 1 (LF) or 2 (CRLF)
    };

    void connectSignals();
    void rebuildLines();
    qsizetype lineOf(qsizetype offset) const;
    int viewPosition(qsizetype offset) const;
    qsizetype modelOffset(int viewPosition) const;
    QString displayLines(qsizetype first, qsizetype last) const;

    void showWholeText();
    void onBufferReplaced(qsizetype position, qsizetype removed, qsizetype added);
    void showSelection();
    void onContentsChange(int position, int removed, int added);
    void onViewCursorMoved();
    void takeViewSelection();

    TextBuffer &m_buffer;
    QPlainTextEdit &m_edit;
    QTextDocument *m_doc;
    std::vector<Line> m_lines;
    bool m_syncing = false;
    bool m_refreshQueued = false;
};
