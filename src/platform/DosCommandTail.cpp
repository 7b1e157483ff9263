#include "platform/DosCommandTail.h"

#include <QCoreApplication>

namespace DosCommandTail {
namespace {

// DOSBox keeps paths in 512-byte buffers and adds the file's own name to the mounted path.
constexpr int MaxMountBytes = 200;

QString tr(const char *text)
{
    return QCoreApplication::translate("DosCommandTail", text);
}

QString doublePercent(QString text)
{
    return text.replace(QLatin1Char('%'), QLatin1String("%%"));
}

bool isDosNameChar(QChar c)
{
    if (c.unicode() > 0x7e || c.unicode() < 0x21)
        return false;
    return c.isLetterOrNumber() || QStringLiteral("_-~!#$&'()@^{}").contains(c);
}

} // namespace

Checked switches(const QString &tail)
{
    for (const QChar c : tail) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('|'))
            return {{}, tr("The game's switches cannot contain the character \u201c%1\u201d: DOS would "
                           "take it as a redirection. Remove it (from the player name, for example) and "
                           "launch again.").arg(c)};
        if (c == QLatin1Char('"'))
            return {{}, tr("The game's switches cannot contain a double quote (\"). Remove it (from the "
                           "player name, for example) and launch again.")};
        if (u < 0x20 || u == 0x7f)
            return {{}, tr("The game's switches contain a control character (code %1), which cannot be "
                           "passed to a DOS program.").arg(u)};
        if (u > 0x7e)
            return {{}, tr("The game's switches contain the character \u201c%1\u201d, which cannot be "
                           "passed to a DOS program. Use plain letters and digits (in the player name, "
                           "for example) and launch again.").arg(c)};
    }
    // Plain ASCII from here on: one character is one byte.
    if (tail.size() > MaxTailBytes)
        return {{}, tr("The game's switches are %1 characters long, but DOS passes at most %2 to a "
                       "program. Choose fewer options (or a shorter player name) and launch again.")
                        .arg(tail.size())
                        .arg(MaxTailBytes)};
    return {doublePercent(tail), {}};
}

Checked programName(const QString &fileName)
{
    const QString upper = fileName.toUpper();
    const int dot = upper.indexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? upper : upper.left(dot);
    const QString ext = dot < 0 ? QString() : upper.mid(dot + 1);
    bool valid = !base.isEmpty() && base.size() <= 8 && ext.size() <= 3;
    for (const QChar c : base + ext)
        valid = valid && isDosNameChar(c);
    if (!valid)
        return {{}, tr("\u201c%1\u201d is not a DOS file name (at most 8 letters or digits, a dot and 3 "
                       "more), so DOSBox cannot run it.").arg(fileName)};
    return {upper, {}};
}

bool canMountLiterally(const QString &hostPath)
{
    if (hostPath.isEmpty() || hostPath.toUtf8().size() > MaxMountBytes || hostPath.endsWith(QLatin1Char(' ')))
        return false;
    for (const QChar c : hostPath) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('"') || u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

QString mountCommand(QChar drive, const QString &hostPath)
{
    return QStringLiteral("mount %1 \"%2\"").arg(drive.toLower(), doublePercent(hostPath));
}

} // namespace DosCommandTail
