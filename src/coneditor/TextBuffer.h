#pragma once

#include <QObject>
#include <QString>

class Files;

// The text of one game file and a selection in it. The file's bytes are held as Latin-1 text, one
// byte per character, so positions are byte offsets and saving writes back exactly the bytes that
// were loaded: CRLF, LF, mixed line ends, bytes 0x80-0xFF and a trailing ^Z all survive. A
// character that no byte can hold (outside Latin-1) is stored as "?".
class TextBuffer : public QObject
{
    Q_OBJECT
public:
    enum SpanDirection { SpanForward, SpanBackward };

    explicit TextBuffer(Files &files, QObject *parent = nullptr);

    // Loads a file (its name resolved in any letter case). On failure the text, the selection and
    // FileName stay as they were and errorString() says why.
    bool setFileName(const QString &path);
    QString FileName() const { return m_fileName; }

    QString Text() const { return m_text; }
    void setText(const QString &text);

    // Case-insensitive search from start; with wholeWord no letter, digit or underscore may touch
    // the match. A match becomes the selection and its position is returned; -1 leaves the
    // selection alone.
    qsizetype Find(const QString &what, qsizetype start = 0, bool wholeWord = false);

    // Grows the selection from its end (forward) or its start (backward) over the characters that
    // are in charSet (or, with negate, are not); the other end stays put.
    void Span(QStringView charSet, SpanDirection direction, bool negate);

    qsizetype SelStart() const { return m_selStart; }
    void setSelStart(qsizetype position); // caret there, selection emptied
    qsizetype SelLength() const { return m_selLength; }
    void setSelLength(qsizetype length);
    QString SelText() const { return m_text.mid(m_selStart, m_selLength); }
    // Replaces the selection and leaves the caret after the new text. Replacing a selection with
    // the same text moves the caret but is no change of the text.
    void setSelText(const QString &text);
    void setSelection(qsizetype start, qsizetype length);

    // Replaces a range (for the view, which maps typed text into the model); caret after it.
    void replace(qsizetype position, qsizetype length, const QString &text);

    // Writes the text atomically: on failure the old file is left whole and errorString() says why.
    bool SaveFile(const QString &path);

    QString errorString() const { return m_error; }

    // The line end new lines get: the file's own (that of its first line), CRLF when it has none.
    QString lineEnd() const;

    static QByteArray toBytes(const QString &text) { return text.toLatin1(); }
    static QString fromBytes(const QByteArray &bytes) { return QString::fromLatin1(bytes); }

signals:
    // Any change of the text: loads, assignments, replacements and typing in the view.
    void textChanged();
    // The whole text was replaced (load or Text assignment).
    void textReset();
    // A range was replaced: [position, position + removed) of the old text by added characters.
    void textReplaced(qsizetype position, qsizetype removed, qsizetype added);
    void selectionChanged();

private:
    static QString latin1Only(const QString &text);
    void resetText(const QString &text);
    void select(qsizetype start, qsizetype length);
    const QByteArray &foldedText() const;

    Files &m_files;
    QString m_text;
    QString m_fileName;
    QString m_error;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    // The text case-folded, one byte per character, for Find; rebuilt after a change.
    mutable QByteArray m_folded;
    mutable bool m_foldedValid = false;
};
