#include "platform/IniSettingsStore.h"

#include "platform/StaleTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

// Far more than Zentrel ever writes; a bigger file is not ours and is left alone.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void appendEscaped(QByteArray &out, char c)
{
    static const char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[(uchar(c) >> 4) & 0xF];
    out += hex[uchar(c) & 0xF];
}

bool isControl(char c)
{
    return uchar(c) < 0x20 || uchar(c) == 0x7F;
}

// Reading trims the blanks around a value (players write "Key = Value"), so a value that
// begins or ends with a blank escapes it. A final "]" is escaped too: behind a hand-written key
// that begins with "[" it would make the line read as a section header.
QByteArray escapeValue(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool atEnd = i == 0 || i == utf8.size() - 1;
        if (c == '%' || isControl(c) || (atEnd && c == ' ') || (i == utf8.size() - 1 && c == ']'))
            appendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

// Names additionally escape what would make the line read as a header, a key end or a comment,
// and blanks at their ends, which reading trims.
QByteArray escapeName(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool atEnd = i == 0 || i == utf8.size() - 1;
        if (c == '%' || c == '=' || c == '[' || c == ']' || isControl(c) || (atEnd && c == ' ')
            || (i == 0 && (c == ';' || c == '#')))
            appendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// %XX becomes its byte; a '%' not followed by two hex digits stands for itself.
QString unescape(QByteArrayView bytes)
{
    if (!bytes.contains('%'))
        return QString::fromUtf8(bytes);
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && hexDigit(bytes[i + 1]) >= 0 && hexDigit(bytes[i + 2]) >= 0) {
            out += char(hexDigit(bytes[i + 1]) * 16 + hexDigit(bytes[i + 2]));
            i += 2;
        } else {
            out += bytes[i];
        }
    }
    return QString::fromUtf8(out);
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() only decodes when its result is turned into a string; until then no error is seen.
    [[maybe_unused]] const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

IniSettingsStore::IniSettingsStore(const QString &filePath)
    : m_path(filePath)
{
    load();
}

QString IniSettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Zentrel/Zentrel.ini");
}

void IniSettingsStore::load()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    QString reason;
    QByteArray data;
    if (QFileInfo(m_path).isDir())
        reason = QStringLiteral("it is a folder");
    else if (file.size() > MaxFileSize)
        reason = QStringLiteral("the file is too large to be Zentrel's settings");
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else {
        data = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        m_readable = false;
        m_readError = QStringLiteral("Zentrel could not read its settings from %1: %2. "
                                     "The file is left as it is, and changes made now are not saved.")
                          .arg(QDir::toNativeSeparators(m_path), reason);
        m_error = m_readError;
        return;
    }

    // Text editors may begin the file with UTF-8's byte-order mark: read past it, keep it.
    static const QByteArray Bom("\xEF\xBB\xBF");
    if (data.startsWith(Bom)) {
        m_bom = true;
        data.remove(0, Bom.size());
    }

    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype nl = data.indexOf('\n', start);
        QByteArray raw = nl < 0 ? data.mid(start) : data.mid(start, nl - start);
        QByteArray eol;
        if (nl >= 0) {
            eol = "\n";
            if (raw.endsWith('\r')) {
                raw.chop(1);
                eol = "\r\n";
            }
        }
        m_lines.append(parseLine(raw, eol));
        start = nl < 0 ? data.size() : nl + 1;
    }
}

IniSettingsStore::Line IniSettingsStore::parseLine(const QByteArray &raw, const QByteArray &eol)
{
    Line line;
    line.raw = raw;
    line.eol = eol;
    // Lines with bytes Zentrel never writes (broken UTF-8, NULs) are somebody else's: kept, not read.
    if (raw.contains('\0') || !isValidUtf8(raw))
        return line;
    const QByteArray trimmed = raw.trimmed();
    if (trimmed.startsWith('[') && trimmed.endsWith(']') && trimmed.size() >= 2) {
        line.type = Line::Type::Section;
        // Blanks typed inside the brackets go; escaped ones are part of the name.
        line.name = unescape(QByteArrayView(trimmed).sliced(1, trimmed.size() - 2).trimmed());
        return line;
    }
    if (trimmed.startsWith(';') || trimmed.startsWith('#'))
        return line;
    const qsizetype eq = raw.indexOf('=');
    if (eq < 0)
        return line;
    line.type = Line::Type::Key;
    line.name = unescape(raw.left(eq).trimmed());
    // "Key = Value", "Key=Value" and a line that ends in a lone CR all read the same value.
    line.value = unescape(QByteArrayView(raw).sliced(eq + 1).trimmed());
    return line;
}

QByteArray IniSettingsStore::lineEnd() const
{
    for (const Line &line : m_lines) {
        if (!line.eol.isEmpty())
            return line.eol;
    }
    return "\n";
}

QList<QString> IniSettingsStore::sectionsOfLines() const
{
    QList<QString> sections;
    sections.reserve(m_lines.size());
    QString current;
    for (const Line &line : m_lines) {
        if (line.type == Line::Type::Section)
            current = line.name;
        sections.append(current);
    }
    return sections;
}

int IniSettingsStore::findKey(const QString &section, const QString &key) const
{
    const QList<QString> sections = sectionsOfLines();
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.type == Line::Type::Key && sameName(line.name, key) && sameName(sections[i], section))
            return i;
    }
    return -1;
}

// After the section's last key, or right after its header; -1 when the section does not exist.
int IniSettingsStore::insertPosition(const QString &section) const
{
    const QList<QString> sections = sectionsOfLines();
    int position = section.isEmpty() ? 0 : -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (!sameName(sections[i], section))
            continue;
        const Line::Type type = m_lines[i].type;
        if (type == Line::Type::Key || (type == Line::Type::Section && position < 0))
            position = i + 1;
    }
    return position;
}

QString IniSettingsStore::value(const QString &section, const QString &key) const
{
    const int i = findKey(section, key);
    return i < 0 ? QString() : m_lines[i].value;
}

bool IniSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    const int i = findKey(section, key);
    if (i >= 0) {
        Line &line = m_lines[i];
        if (line.value == value && !m_dirty)
            return true;
        // The name part stays as it was written, blanks after "=" included; only the value is new.
        const qsizetype eq = line.raw.indexOf('=');
        qsizetype start = eq + 1;
        while (start < line.raw.size() && (line.raw[start] == ' ' || line.raw[start] == '\t'))
            ++start;
        line.raw = line.raw.left(start) + escapeValue(value);
        line.value = value;
        return save();
    }

    Line line;
    line.raw = escapeName(key) + '=' + escapeValue(value);
    line.eol = lineEnd();
    line.type = Line::Type::Key;
    line.name = key;
    line.value = value;

    int position = insertPosition(section);
    if (position < 0) {
        if (!m_lines.isEmpty()) {
            if (m_lines.last().eol.isEmpty())
                m_lines.last().eol = lineEnd();
            if (!m_lines.last().raw.trimmed().isEmpty()) {
                Line blank;
                blank.eol = lineEnd();
                m_lines.append(blank);
            }
        }
        Line header;
        header.raw = '[' + escapeName(section) + ']';
        header.eol = lineEnd();
        header.type = Line::Type::Section;
        header.name = section;
        m_lines.append(header);
        position = m_lines.size();
    } else if (position > 0 && m_lines[position - 1].eol.isEmpty()) {
        m_lines[position - 1].eol = lineEnd(); // the file's last line had no line end
    }
    m_lines.insert(position, line);
    return save();
}

bool IniSettingsStore::remove(const QString &section, const QString &key)
{
    bool removed = false;
    for (int i = findKey(section, key); i >= 0; i = findKey(section, key)) {
        m_lines.removeAt(i);
        removed = true;
    }
    return removed || m_dirty ? save() : true;
}

bool IniSettingsStore::removeSection(const QString &section)
{
    // Headers, keys and blank lines of the section go; lines the store does not understand stay.
    const QList<QString> sections = sectionsOfLines();
    QList<Line> kept;
    bool removed = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        const bool blank = line.type == Line::Type::Other && line.raw.trimmed().isEmpty();
        const bool drop = sameName(sections[i], section)
            && (line.type != Line::Type::Other || (blank && !section.isEmpty()));
        if (drop)
            removed = removed || line.type != Line::Type::Other;
        else
            kept.append(line);
    }
    if (!removed)
        return m_dirty ? save() : true;
    m_lines = kept;
    return save();
}

QStringList IniSettingsStore::keys(const QString &section) const
{
    const QList<QString> sections = sectionsOfLines();
    QStringList names;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.type != Line::Type::Key || !sameName(sections[i], section))
            continue;
        if (!names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

bool IniSettingsStore::save()
{
    m_dirty = true;
    const QString shownPath = QDir::toNativeSeparators(m_path);
    if (!m_readable) {
        m_error = QStringLiteral("Zentrel could not save its settings to %1: the file could not be read "
                                 "earlier, and saving now would overwrite what it holds.")
                      .arg(shownPath);
        return false;
    }
    const QString dir = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(dir)) {
        m_error = QStringLiteral("Zentrel could not save its settings to %1: the folder %2 could not be created.")
                      .arg(shownPath, QDir::toNativeSeparators(dir));
        return false;
    }
    QByteArray data = m_bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const Line &line : std::as_const(m_lines))
        data += line.raw + line.eol;
    StaleTemporaries::removeFor(m_path);
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(data); // a short write makes commit() fail
        if (file.commit()) {
            m_dirty = false;
            m_error.clear();
            return true;
        }
    }
    m_error = QStringLiteral("Zentrel could not save its settings to %1: %2.").arg(shownPath, file.errorString());
    return false;
}
