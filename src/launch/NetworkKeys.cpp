#include "launch/NetworkKeys.h"

#include "core/Module1.h"
#include "coneditor/TextBuffer.h"
#include "platform/Files.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace NetworkKeys {

namespace {

const QString CfgSocket = QStringLiteral("SocketNumber =");
const QString CfgPlayers = QStringLiteral("NumberPlayers =");
const QString CfgPlayerName = QStringLiteral("PlayerName =");
const QString CommitSocket = QStringLiteral("SOCKETNUMBER =");
const QString CommitPlayers = QStringLiteral("NumPlayers =");

QString quoted(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

void addError(QString &errors, const QString &sentence)
{
    if (!sentence.isEmpty())
        errors += (errors.isEmpty() ? QString() : QStringLiteral("\n")) + sentence;
}

// One key file loaded into a buffer of its own. Values are set key by key; the file is saved only
// when every key was found and the text really changed.
class KeyFile
{
public:
    KeyFile(Files &files, const QString &path)
        : m_files(files)
        , m_buffer(files)
        , m_path(files.resolve(path))
    {
    }

    bool load(QString &errors)
    {
        if (m_buffer.setFileName(m_path)) {
            m_original = m_buffer.Text();
            return true;
        }
        addError(errors, m_buffer.errorString());
        return false;
    }

    std::optional<QString> value(const QString &key)
    {
        if (!SelectKeyValue(m_buffer, key)) {
            m_missing << key;
            return std::nullopt;
        }
        return m_buffer.SelText();
    }

    void set(const QString &key, const QString &newValue)
    {
        if (value(key))
            m_buffer.setSelText(newValue);
    }

    // Replaces the value value() selected last.
    void setSelected(const QString &newValue) { m_buffer.setSelText(newValue); }

    QString missingKeys() const
    {
        if (m_missing.isEmpty())
            return {};
        return QStringLiteral("%1 has no line for %2.")
            .arg(quoted(m_path), QLatin1Char('"') + m_missing.join(QStringLiteral("\", \"")) + QLatin1Char('"'));
    }

    // Returns whether the file now holds the edits (written, or nothing to write).
    bool save(QString &errors, bool *written)
    {
        *written = false;
        if (!m_missing.isEmpty()) {
            addError(errors, missingKeys() + QStringLiteral(" It was left unchanged."));
            return false;
        }
        if (m_buffer.Text() == m_original)
            return true;
        // A read-only file is made writable for the change the player asked for, and read-only
        // again afterwards, whether or not the write went through.
        const bool wasReadOnly = m_files.isReadOnly(m_path);
        if (wasReadOnly)
            m_files.setReadOnly(m_path, false);
        const bool saved = m_buffer.SaveFile(m_path);
        if (wasReadOnly)
            m_files.setReadOnly(m_path, true);
        if (!saved) {
            addError(errors, m_buffer.errorString());
            return false;
        }
        *written = true;
        return true;
    }

private:
    Files &m_files;
    TextBuffer m_buffer;
    QString m_path;
    QString m_original;
    QStringList m_missing;
};

QString stripped(QString text, QChar atStart, QChar atEnd)
{
    if (text.startsWith(atStart))
        text.remove(0, 1);
    if (text.endsWith(atEnd))
        text.chop(1);
    return text;
}

} // namespace

bool SelectKeyValue(TextBuffer &buffer, const QString &key)
{
    const QString text = buffer.Text();
    const qsizetype selStart = buffer.SelStart();
    const qsizetype selLength = buffer.SelLength();
    const auto wordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    // The key stands as a word of its own on its left ("NumPlayers =" is not found inside
    // "MaxNumPlayers ="); a key ending in "=" needs nothing on its right ("NumberPlayers =4").
    const bool rightBoundary = !key.isEmpty() && wordChar(key.back());
    qsizetype at = -1;
    for (qsizetype from = 0; (at = buffer.Find(key, from)) >= 0; from = at + 1) {
        const qsizetype end = at + key.size();
        if ((at == 0 || !wordChar(text.at(at - 1)))
            && (!rightBoundary || end == text.size() || !wordChar(text.at(end))))
            break;
    }
    if (at < 0) {
        buffer.setSelection(selStart, selLength); // nothing found: the selection stays
        return false;
    }
    // The value is one token, as the game reads it: a quoted text up to its closing quote, or
    // else everything up to the next blank. So a second key on the same line, a blank after the
    // value and the line end (LF or CRLF) all stay outside it.
    qsizetype start = at + key.size();
    while (start < text.size() && (text.at(start) == u' ' || text.at(start) == u'\t'))
        ++start;
    qsizetype end = start;
    const auto lineEnd = [&](qsizetype i) { return text.at(i) == u'\r' || text.at(i) == u'\n'; };
    if (start < text.size() && text.at(start) == u'"') {
        end = start + 1;
        while (end < text.size() && !lineEnd(end) && text.at(end) != u'"')
            ++end;
        if (end < text.size() && text.at(end) == u'"')
            ++end;
    } else {
        while (end < text.size() && !lineEnd(end) && text.at(end) != u' ' && text.at(end) != u'\t')
            ++end;
    }
    buffer.setSelection(start, end - start);
    return true;
}

Outcome ReadCfgKeys(Files &files, const QString &dukePath, NetworkValues &values)
{
    Outcome out;
    KeyFile cfg(files, Module1::JoinPath(dukePath, CfgName));
    if (!cfg.load(out.error))
        return out;
    if (const auto socket = cfg.value(CfgSocket)) {
        QString hex = *socket;
        if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            hex.remove(0, 2);
        values.SavedSocket = hex;
    }
    if (const auto count = cfg.value(CfgPlayers))
        values.SavedPlayerCount = *count;
    if (const auto name = cfg.value(CfgPlayerName))
        values.SavedPlayerName = stripped(*name, QLatin1Char('"'), QLatin1Char('"'));
    addError(out.error, cfg.missingKeys());
    return out;
}

bool isSocketText(const QString &text)
{
    if (text.isEmpty() || text.size() > 4)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

QString socketDecimal(const QString &socketText)
{
    // Exactly the box's rule: "0x1", " 1", "+1" or an embedded NUL, which a number parser would
    // take, are no socket.
    if (!isSocketText(socketText))
        return {};
    return QString::number(socketText.toUInt(nullptr, 16));
}

namespace {

// A number as a key file holds it: hexadecimal behind "0x" in duke3d.cfg, decimal elsewhere.
std::optional<uint> fileNumber(const QString &value, bool hex)
{
    QString digits = value;
    if (hex) {
        if (!digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            return std::nullopt;
        digits.remove(0, 2);
    }
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [hex](QChar c) {
            return c.isDigit() || (hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
        }))
        return std::nullopt;
    bool ok = false;
    const uint number = digits.toUInt(&ok, hex ? 16 : 10);
    return ok ? std::optional<uint>(number) : std::nullopt;
}

struct KeyNames
{
    QString socket;
    QString players;
    bool hexSocket;
};

// One file brought in step with the wanted socket and count, each written only when the file's
// own value differs (so a file another launch or a kill left behind is corrected too, and a file
// already in step is not even rewritten). Returns whether the file now holds both.
bool bringInStep(KeyFile &file, const KeyNames &names, std::optional<uint> socket, const QString &socketText,
                 const QString &count, QString &errors, bool *written)
{
    if (socket) {
        if (const auto value = file.value(names.socket); value && fileNumber(*value, names.hexSocket) != socket)
            file.setSelected(names.hexSocket ? QStringLiteral("0x") + socketText : QString::number(*socket));
    }
    if (!count.isEmpty()) {
        if (const auto value = file.value(names.players); value && fileNumber(*value, false) != fileNumber(count, false))
            file.setSelected(count);
    }
    return file.save(errors, written);
}

} // namespace

Outcome EditNetworkKeys(Files &files, const QString &dukePath, NetworkValues &values, const QString &socketText,
                        const QString &playerCount)
{
    Outcome out;
    const QString decimal = socketDecimal(socketText);
    std::optional<uint> socket;
    if (!decimal.isEmpty())
        socket = decimal.toUInt();
    if (decimal.isEmpty() && !socketText.isEmpty() && socketText != QLatin1String("~"))
        addError(out.error, QStringLiteral("The socket number \"%1\" is not 1 to 4 hexadecimal digits, so no "
                                           "socket was written.").arg(socketText));
    if (!socket && playerCount.isEmpty())
        return out;

    bool cfgDone = false;
    KeyFile cfg(files, Module1::JoinPath(dukePath, CfgName));
    if (cfg.load(out.error))
        cfgDone = bringInStep(cfg, {CfgSocket, CfgPlayers, true}, socket, socketText, playerCount, out.error,
                              &out.cfgWritten);

    bool commitDone = false;
    KeyFile commit(files, Module1::JoinPath(dukePath, CommitName));
    if (commit.load(out.error))
        commitDone = bringInStep(commit, {CommitSocket, CommitPlayers, false}, socket, socketText, playerCount,
                                 out.error, &out.commitWritten);

    // Only what both files now hold counts as saved; anything else is written again next time.
    if (cfgDone && commitDone) {
        if (socket)
            values.SavedSocket = socketText;
        if (!playerCount.isEmpty())
            values.SavedPlayerCount = playerCount;
    }
    return out;
}

QString playerNameProblem(const QString &name)
{
    if (!name.isEmpty() && name.trimmed().isEmpty())
        return QStringLiteral("The player name cannot be made of blanks only.");
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            return QStringLiteral("The player name cannot contain control characters such as tabs or line breaks.");
        if (u > 0x7E)
            return QStringLiteral("The player name cannot contain \"%1\": the game takes only plain ASCII letters, "
                                  "digits, blanks and punctuation.").arg(c);
        if (u == '"' || u == '<' || u == '>' || u == '|')
            return QStringLiteral("The player name cannot contain the character %1: the game's files and its "
                                  "command line do not allow \" < > |.").arg(c);
    }
    return {};
}

Outcome WritePlayerName(Files &files, const QString &dukePath, NetworkValues &values)
{
    Outcome out;
    const QString typed = values.TypedPlayerName;
    if (typed.isEmpty() || typed == values.SavedPlayerName)
        return out;
    out.error = playerNameProblem(typed);
    if (!out.ok())
        return out;
    KeyFile cfg(files, Module1::JoinPath(dukePath, CfgName));
    if (!cfg.load(out.error))
        return out; // never create a duke3d.cfg that holds nothing but a name
    const QString name = typed.toUpper();
    cfg.set(CfgPlayerName, QLatin1Char('"') + name + QLatin1Char('"'));
    if (cfg.save(out.error, &out.cfgWritten))
        values.SavedPlayerName = name;
    return out;
}

} // namespace NetworkKeys
