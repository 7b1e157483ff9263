#include "coneditor/widgets/TextBufferView.h"

#include "coneditor/TextBuffer.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

namespace {

constexpr char16_t ControlPictures = 0x2400; // U+2400..U+241F stand for bytes 0x00..0x1F
constexpr char16_t DeletePicture = 0x2421;   // stands for 0x7F

QChar shownAs(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 && u != u'\t')
        return QChar(char16_t(ControlPictures + u));
    if (u == 0x7F)
        return QChar(DeletePicture);
    return c;
}

bool isBlockBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

} // namespace

TextBufferView::TextBufferView(TextBuffer &buffer, QPlainTextEdit &edit, QObject *parent)
    : QObject(parent)
    , m_buffer(buffer)
    , m_edit(edit)
    , m_doc(edit.document())
{
    showWholeText();
    connectSignals();
    m_edit.viewport()->installEventFilter(this);
}

void TextBufferView::connectSignals()
{
    connect(&m_buffer, &TextBuffer::textReset, this, &TextBufferView::showWholeText);
    connect(&m_buffer, &TextBuffer::textReplaced, this, &TextBufferView::onBufferReplaced);
    connect(&m_buffer, &TextBuffer::selectionChanged, this, &TextBufferView::showSelection);
    connect(m_doc, &QTextDocument::contentsChange, this, &TextBufferView::onContentsChange);
    connect(&m_edit, &QPlainTextEdit::cursorPositionChanged, this, &TextBufferView::onViewCursorMoved);
    connect(&m_edit, &QPlainTextEdit::selectionChanged, this, &TextBufferView::onViewCursorMoved);
}

QString TextBufferView::displayLine(QStringView modelLine)
{
    QString shown(modelLine.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < modelLine.size(); ++i)
        shown[i] = shownAs(modelLine[i]);
    return shown;
}

QString TextBufferView::modelText(QStringView shown, const QString &lineEnd)
{
    QString model;
    model.reserve(shown.size());
    for (const QChar c : shown) {
        const char16_t u = c.unicode();
        if (isBlockBreak(c))
            model += lineEnd;
        else if (u >= ControlPictures && u < ControlPictures + 0x20)
            model += QChar(char16_t(u - ControlPictures));
        else if (u == DeletePicture)
            model += QChar(char16_t(0x7F));
        else
            model += c; // the buffer stores what no byte can hold as "?"
    }
    return model;
}

bool TextBufferView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit.viewport() && event->type() == QEvent::MouseButtonPress)
        emit userClicked();
    return QObject::eventFilter(watched, event);
}

void TextBufferView::rebuildLines()
{
    const QString &text = m_buffer.Text();
    m_lines.clear();
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0) {
            m_lines.push_back({start, text.size() - start, 0});
            return;
        }
        const bool crlf = lf > start && text.at(lf - 1) == QLatin1Char('\r');
        m_lines.push_back({start, lf - start - (crlf ? 1 : 0), crlf ? 2 : 1});
        start = lf + 1;
    }
}

qsizetype TextBufferView::lineOf(qsizetype offset) const
{
    const auto after = std::upper_bound(m_lines.begin(), m_lines.end(), offset,
                                        [](qsizetype o, const Line &line) { return o < line.start; });
    return std::max<qsizetype>(0, (after - m_lines.begin()) - 1);
}

int TextBufferView::viewPosition(qsizetype offset) const
{
    const qsizetype n = lineOf(offset);
    const Line &line = m_lines[n];
    const QTextBlock block = m_doc->findBlockByNumber(int(n));
    return block.position() + int(std::min(offset - line.start, line.length));
}

qsizetype TextBufferView::modelOffset(int viewPosition) const
{
    const QTextBlock block = m_doc->findBlock(viewPosition);
    const qsizetype n = std::clamp<qsizetype>(block.blockNumber(), 0, qsizetype(m_lines.size()) - 1);
    const Line &line = m_lines[n];
    return line.start + std::min<qsizetype>(viewPosition - block.position(), line.length);
}

QString TextBufferView::displayLines(qsizetype first, qsizetype last) const
{
    const QString &text = m_buffer.Text();
    QString shown;
    for (qsizetype n = first; n <= last; ++n) {
        if (n > first)
            shown += QLatin1Char('\n');
        shown += displayLine(QStringView(text).mid(m_lines[n].start, m_lines[n].length));
    }
    return shown;
}

void TextBufferView::showWholeText()
{
    rebuildLines();
    const QScopedValueRollback guard(m_syncing, true);
    m_edit.setPlainText(displayLines(0, qsizetype(m_lines.size()) - 1));
    m_refreshQueued = false;
}

void TextBufferView::onBufferReplaced(qsizetype position, qsizetype removed, qsizetype added)
{
    if (m_syncing)
        return;
    // Redraw the whole lines the change touched: a replacement may split or join lines, or turn a
    // lone CR and a new LF into one line end.
    const qsizetype first = lineOf(position);
    const qsizetype lastBefore = lineOf(position + removed);
    rebuildLines();
    const qsizetype lastAfter = lineOf(position + added);

    const QScopedValueRollback guard(m_syncing, true);
    QTextCursor cursor(m_doc);
    cursor.setPosition(m_doc->findBlockByNumber(int(first)).position());
    const QTextBlock end = m_doc->findBlockByNumber(int(lastBefore));
    cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(displayLines(first, lastAfter));
}

void TextBufferView::showSelection()
{
    if (m_syncing)
        return;
    const QScopedValueRollback guard(m_syncing, true);
    QTextCursor cursor(m_doc);
    cursor.setPosition(viewPosition(m_buffer.SelStart()));
    cursor.setPosition(viewPosition(m_buffer.SelStart() + m_buffer.SelLength()), QTextCursor::KeepAnchor);
    m_edit.setTextCursor(cursor);
    m_edit.ensureCursorVisible();
}

void TextBufferView::onContentsChange(int position, int removed, int added)
{
    if (m_syncing)
        return;
    const int docEnd = m_doc->characterCount() - 1; // the document's own last block end is not text
    const int addedEnd = std::min(position + added, docEnd);

    // Where the change starts in the model: the blocks before it are untouched, so the new
    // document locates it in the old line table too.
    const QTextBlock block = m_doc->findBlock(position);
    qsizetype n = block.blockNumber();
    if (n < 0 || n >= qsizetype(m_lines.size())) {
        // Not a change this class can place (the document was swapped or rebuilt behind its
        // back): the model wins.
        showWholeText();
        return;
    }
    qsizetype column = position - block.position();
    const qsizetype from = m_lines[n].start + std::min(column, m_lines[n].length);

    // Where it ended in the old text: walk the removed characters line by line.
    const QString &text = m_buffer.Text();
    qsizetype rest = removed;
    qsizetype to = text.size();
    while (n < qsizetype(m_lines.size())) {
        const qsizetype inLine = m_lines[n].length - column;
        if (rest <= inLine) {
            to = m_lines[n].start + column + rest;
            break;
        }
        rest -= inLine + 1;
        ++n;
        column = 0;
    }

    QTextCursor cursor(m_doc);
    cursor.setPosition(position);
    cursor.setPosition(std::max(position, addedEnd), QTextCursor::KeepAnchor);
    const QString shown = cursor.selectedText();

    // Qt sometimes reports more than was changed; keep the untouched ends as they are, line ends
    // included, by comparing what the view showed with what it shows now.
    const QStringView old = QStringView(text).mid(from, to - from);
    QString oldShown;
    std::vector<qsizetype> oldOffsets; // model offset of each shown character
    for (qsizetype i = 0; i < old.size(); ++i) {
        oldOffsets.push_back(from + i);
        if (old[i] == QLatin1Char('\r') && i + 1 < old.size() && old[i + 1] == QLatin1Char('\n')) {
            oldShown += QChar::ParagraphSeparator;
            ++i;
        } else if (old[i] == QLatin1Char('\n')) {
            oldShown += QChar::ParagraphSeparator;
        } else {
            oldShown += shownAs(old[i]);
        }
    }
    oldOffsets.push_back(to);
    const auto same = [](QChar a, QChar b) { return a == b || (isBlockBreak(a) && isBlockBreak(b)); };
    qsizetype head = 0;
    while (head < oldShown.size() && head < shown.size() && same(oldShown[head], shown[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < oldShown.size() - head && tail < shown.size() - head
           && same(oldShown[oldShown.size() - 1 - tail], shown[shown.size() - 1 - tail]))
        ++tail;

    const qsizetype replaceFrom = oldOffsets[head];
    const qsizetype replaceTo = oldOffsets[oldShown.size() - tail];
    const QString typed = modelText(QStringView(shown).mid(head, shown.size() - head - tail), m_buffer.lineEnd());
    {
        const QScopedValueRollback guard(m_syncing, true);
        m_buffer.replace(replaceFrom, replaceTo - replaceFrom, typed);
    }
    rebuildLines();

    // A character no byte can hold was stored as "?"; show the view what the file will get.
    const bool narrowed = std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() > 0xFF; });
    if (narrowed && !m_refreshQueued) {
        m_refreshQueued = true;
        QTimer::singleShot(0, this, [this] {
            if (!m_refreshQueued)
                return;
            const qsizetype start = m_buffer.SelStart();
            const qsizetype length = m_buffer.SelLength();
            showWholeText();
            m_buffer.setSelection(start, length);
            showSelection();
        });
    }
    takeViewSelection();
}

void TextBufferView::onViewCursorMoved()
{
    if (m_syncing)
        return;
    takeViewSelection();
    emit userClicked();
}

void TextBufferView::takeViewSelection()
{
    if (m_refreshQueued)
        return; // the view and the model disagree until the queued redraw
    const QTextCursor cursor = m_edit.textCursor();
    const qsizetype start = modelOffset(cursor.selectionStart());
    const qsizetype end = modelOffset(cursor.selectionEnd());
    const QScopedValueRollback guard(m_syncing, true);
    m_buffer.setSelection(start, end - start);
}
