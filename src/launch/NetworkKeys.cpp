#include "launch/NetworkKeys.h"

#include "core/Module1.h"
#include "coneditor/TextBuffer.h"
#include "platform/Files.h"

#include <QDir>
#include <QStringList>

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
    const qsizetype at = buffer.Find(key, 0, true);
    if (at < 0)
        return false;
    // Past the key and the one blank after "=", but never past the line end of an empty value.
    qsizetype start = at + key.size();
    const QString text = buffer.Text();
    if (start < text.size() && (text.at(start) == QLatin1Char(' ') || text.at(start) == QLatin1Char('\t')))
        ++start;
    buffer.setSelStart(start);
    buffer.Span(u"\r\n", TextBuffer::SpanForward, true);
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

QString socketDecimal(const QString &socketText)
{
    if (socketText.isEmpty() || socketText.size() > 4)
        return {};
    bool ok = false;
    const uint value = socketText.toUInt(&ok, 16);
    return ok ? QString::number(value) : QString();
}

Outcome EditNetworkKeys(Files &files, const QString &dukePath, NetworkValues &values, const QString &socketText,
                        const QString &playerCount)
{
    Outcome out;
    const QString decimal = socketDecimal(socketText);
    const bool socketChanged = !decimal.isEmpty() && socketText != values.SavedSocket;
    const bool countChanged = !playerCount.isEmpty() && playerCount != values.SavedPlayerCount;
    if (decimal.isEmpty() && !socketText.isEmpty() && socketText != QLatin1String("~"))
        addError(out.error, QStringLiteral("The socket number \"%1\" is not 1 to 4 hexadecimal digits, so no "
                                           "socket was written.").arg(socketText));
    if (!socketChanged && !countChanged)
        return out;

    bool cfgDone = false;
    KeyFile cfg(files, Module1::JoinPath(dukePath, CfgName));
    if (cfg.load(out.error)) {
        if (socketChanged)
            cfg.set(CfgSocket, QStringLiteral("0x") + socketText);
        if (countChanged)
            cfg.set(CfgPlayers, playerCount);
        cfgDone = cfg.save(out.error, &out.cfgWritten);
    }

    bool commitDone = false;
    KeyFile commit(files, Module1::JoinPath(dukePath, CommitName));
    if (commit.load(out.error)) {
        if (socketChanged)
            commit.set(CommitSocket, decimal);
        if (countChanged)
            commit.set(CommitPlayers, playerCount);
        commitDone = commit.save(out.error, &out.commitWritten);
    }

    // Only what both files now hold counts as saved; anything else is written again next time.
    if (cfgDone && commitDone) {
        if (socketChanged)
            values.SavedSocket = socketText;
        if (countChanged)
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
