#include "coneditor/TextBuffer.h"

#include "platform/Files.h"

#include <cstring>

#include <algorithm>
#include <iterator>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Case folding of the 256 characters a byte can be. Within Latin-1 every character folds to one
// of them, except the micro sign, whose fold (Greek mu) no byte can hold: it matches only itself.
struct Latin1Fold
{
    uchar of[256];
    Latin1Fold()
    {
        for (int c = 0; c < 256; ++c) {
            const char32_t folded = QChar::toCaseFolded(char32_t(c));
            of[c] = folded <= 0xFF ? uchar(folded) : uchar(c);
        }
    }
};
const Latin1Fold fold;

QByteArray folded(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    const char16_t *from = reinterpret_cast<const char16_t *>(text.constData());
    char *to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        to[i] = char(fold.of[from[i] & 0xFF]);
    return out;
}

bool isLatin1(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace

TextBuffer::TextBuffer(Files &files, QObject *parent)
    : QObject(parent)
    , m_files(files)
{
}

QString TextBuffer::latin1Only(const QString &text)
{
    const auto wide = [](QChar c) { return c.unicode() > 0xFF; };
    if (std::none_of(text.begin(), text.end(), wide))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!wide(c)) {
            out += c;
            continue;
        }
        // One byte for one character, even when it takes a surrogate pair.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out += QLatin1Char('?');
    }
    return out;
}

bool TextBuffer::setFileName(const QString &path)
{
    const std::optional<QByteArray> bytes = m_files.read(path);
    if (!bytes) {
        m_error = m_files.errorString();
        return false;
    }
    m_fileName = path;
    resetText(fromBytes(*bytes));
    return true;
}

void TextBuffer::setText(const QString &text)
{
    resetText(latin1Only(text));
}

void TextBuffer::resetText(const QString &text)
{
    m_text = text;
    m_foldedValid = false;
    m_selStart = 0;
    m_selLength = 0;
    emit textReset();
    emit textChanged();
    emit selectionChanged();
}

qsizetype TextBuffer::Find(const QString &what, qsizetype start, bool wholeWord)
{
    if (what.isEmpty() || start < 0 || start > m_text.size())
        return -1;
    // A needle beyond Latin-1 can still match by Unicode folding (Greek mu and the micro sign).
    const bool narrow = isLatin1(what);
    qsizetype at = start;
    const QByteArray needle = narrow ? folded(what) : QByteArray();
    const auto next = [&](qsizetype from) -> qsizetype {
        if (!narrow)
            return m_text.indexOf(what, from, Qt::CaseInsensitive);
        const QByteArray &haystack = foldedText();
        const void *hit = ::memmem(haystack.constData() + from, size_t(haystack.size() - from), needle.constData(),
                                   size_t(needle.size()));
        return hit ? static_cast<const char *>(hit) - haystack.constData() : -1;
    };
    while ((at = next(at)) >= 0) {
        const qsizetype end = at + what.size();
        const bool free = !wholeWord
            || ((at == 0 || !isWordChar(m_text.at(at - 1))) && (end == m_text.size() || !isWordChar(m_text.at(end))));
        if (free) {
            select(at, what.size());
            return at;
        }
        ++at;
    }
    return -1;
}

void TextBuffer::Span(QStringView charSet, SpanDirection direction, bool negate)
{
    const auto passes = [&](QChar c) { return charSet.contains(c) != negate; };
    qsizetype start = m_selStart;
    qsizetype end = m_selStart + m_selLength;
    if (direction == SpanForward) {
        while (end < m_text.size() && passes(m_text.at(end)))
            ++end;
    } else {
        while (start > 0 && passes(m_text.at(start - 1)))
            --start;
    }
    select(start, end - start);
}

void TextBuffer::setSelStart(qsizetype position)
{
    select(std::clamp<qsizetype>(position, 0, m_text.size()), 0);
}

void TextBuffer::setSelLength(qsizetype length)
{
    select(m_selStart, std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart));
}

void TextBuffer::setSelection(qsizetype start, qsizetype length)
{
    start = std::clamp<qsizetype>(start, 0, m_text.size());
    select(start, std::clamp<qsizetype>(length, 0, m_text.size() - start));
}

void TextBuffer::select(qsizetype start, qsizetype length)
{
    if (start == m_selStart && length == m_selLength)
        return;
    m_selStart = start;
    m_selLength = length;
    emit selectionChanged();
}

void TextBuffer::setSelText(const QString &text)
{
    replace(m_selStart, m_selLength, text);
}

void TextBuffer::replace(qsizetype position, qsizetype length, const QString &text)
{
    position = std::clamp<qsizetype>(position, 0, m_text.size());
    length = std::clamp<qsizetype>(length, 0, m_text.size() - position);
    const QString added = latin1Only(text);
    if (QStringView(m_text).mid(position, length) != added) {
        m_text.replace(position, length, added);
        m_foldedValid = false;
        // The caret goes behind the new text before anyone hears of the change, so listeners
        // never see a selection that runs past the text.
        m_selStart = position + added.size();
        m_selLength = 0;
        emit textReplaced(position, length, added.size());
        emit textChanged();
        emit selectionChanged();
        return;
    }
    select(position + added.size(), 0);
}

const QByteArray &TextBuffer::foldedText() const
{
    if (!m_foldedValid) {
        m_folded = folded(m_text);
        m_foldedValid = true;
    }
    return m_folded;
}

bool TextBuffer::SaveFile(const QString &path)
{
    if (!m_files.write(path, toBytes(m_text))) {
        m_error = m_files.errorString();
        return false;
    }
    return true;
}

QString TextBuffer::lineEnd() const
{
    const qsizetype lf = m_text.indexOf(QLatin1Char('\n'));
    if (lf < 0 || (lf > 0 && m_text.at(lf - 1) == QLatin1Char('\r')))
        return QStringLiteral("\r\n");
    return QStringLiteral("\n");
}
