#include "platform/DiskFiles.h"

#include "platform/StaleTemporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace {

enum class Kind { Any, File, Dir };

bool isKind(const QFileInfo &info, Kind kind)
{
    switch (kind) {
    case Kind::File: return info.isFile();
    case Kind::Dir: return info.isDir();
    case Kind::Any: return info.exists();
    }
    return false;
}

// The entry of the path's directory that matches its last component in any letter case. An exact
// match wins; among several other matches the first in name order, so the choice is stable.
QString resolveAs(const QString &path, Kind kind)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name == "." || name == ".." || isKind(info, kind))
        return path;
    const QString prefix = path.left(path.size() - name.size());
    const QDir dir(prefix.isEmpty() ? QStringLiteral(".") : prefix);
    QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
    for (const QString &entry : std::as_const(entries)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && isKind(QFileInfo(dir, entry), kind))
            return prefix + entry;
    }
    return path;
}

// A DOS wildcard as an anchored pattern: '*' any run, '?' one character, everything else literal.
// A trailing ".*" also matches a name without extension, as "*.*" does under DOS.
QRegularExpression wildcardPattern(const QString &wildcard)
{
    QString pattern = wildcard;
    bool optionalExtension = false;
    if (pattern.endsWith(QLatin1String(".*"))) {
        pattern.chop(2);
        optionalExtension = true;
    }
    QString rx;
    for (const QChar c : std::as_const(pattern)) {
        if (c == '*')
            rx += QLatin1String(".*");
        else if (c == '?')
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    if (optionalExtension)
        rx += QLatin1String("(\\..*)?");
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

} // namespace

bool DiskFiles::fail(const QString &message) const
{
    m_error = message;
    return false;
}

QString DiskFiles::resolve(const QString &path) const
{
    return resolveAs(path, Kind::Any);
}

bool DiskFiles::exists(const QString &path) const
{
    return QFileInfo(resolveAs(path, Kind::File)).isFile();
}

bool DiskFiles::dirExists(const QString &path) const
{
    return QFileInfo(resolveAs(path, Kind::Dir)).isDir();
}

bool DiskFiles::isReadOnly(const QString &path) const
{
    const QString target = resolveAs(path, Kind::Any);
    return QFileInfo::exists(target) && !(QFile::permissions(target) & QFileDevice::WriteOwner);
}

bool DiskFiles::setReadOnly(const QString &path, bool readOnly)
{
    const QString target = resolveAs(path, Kind::Any);
    if (!QFileInfo::exists(target))
        return fail(QStringLiteral("Could not change %1: the file does not exist.").arg(quoted(path)));
    QFile file(target);
    // The "User" flags describe the caller's access, and setPermissions() would turn them into owner
    // bits, so only the owner, group and other bits go back.
    QFileDevice::Permissions perms = file.permissions()
        & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    perms.setFlag(QFileDevice::WriteOwner, !readOnly);
    if (!file.setPermissions(perms))
        return fail(QStringLiteral("Could not change %1: %2.").arg(quoted(target), file.errorString()));
    return true;
}

bool DiskFiles::remove(const QString &path)
{
    const QString target = resolveAs(path, Kind::File);
    if (!QFileInfo(target).isFile())
        return fail(QStringLiteral("Could not delete %1: the file does not exist.").arg(quoted(path)));
    QFile file(target);
    if (!file.remove())
        return fail(QStringLiteral("Could not delete %1: %2.").arg(quoted(target), file.errorString()));
    return true;
}

bool DiskFiles::copy(const QString &from, const QString &to)
{
    const QString source = resolveAs(from, Kind::File);
    const QString target = resolveAs(to, Kind::File);
    QFile in(source);
    if (!QFileInfo(source).isFile())
        return fail(QStringLiteral("Could not copy %1: the file does not exist.").arg(quoted(from)));
    if (QFileInfo(target).isDir())
        return fail(QStringLiteral("Could not copy to %1: it is a folder.").arg(quoted(target)));
    const QString canonicalTarget = QFileInfo(target).canonicalFilePath();
    if (!canonicalTarget.isEmpty() && canonicalTarget == QFileInfo(source).canonicalFilePath())
        return true;
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Could not read %1: %2.").arg(quoted(source), in.errorString()));

    StaleTemporaries::removeFor(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Could not replace %1: %2.").arg(quoted(target), out.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return fail(QStringLiteral("Could not read %1: %2.").arg(quoted(source), in.errorString()));
        }
        if (out.write(chunk) != chunk.size())
            break; // commit() reports the write error
    }
    if (!out.commit())
        return fail(QStringLiteral("Could not replace %1: %2.").arg(quoted(target), out.errorString()));
    return true;
}

std::optional<QByteArray> DiskFiles::read(const QString &path) const
{
    return readStart(path, -1);
}

std::optional<QByteArray> DiskFiles::readStart(const QString &path, qint64 maxBytes) const
{
    const QString target = resolveAs(path, Kind::File);
    QFile file(target);
    // Only regular files: a pipe or device of that name would block the reader or never end.
    if (!QFileInfo(target).isFile()) {
        fail(QStringLiteral("Could not read %1: the file does not exist.").arg(quoted(path)));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Could not read %1: %2.").arg(quoted(target), file.errorString()));
        return std::nullopt;
    }
    QByteArray data = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        fail(QStringLiteral("Could not read %1: %2.").arg(quoted(target), file.errorString()));
        return std::nullopt;
    }
    return data;
}

bool DiskFiles::write(const QString &path, const QByteArray &data)
{
    const QString target = resolveAs(path, Kind::File);
    if (QFileInfo(target).isDir())
        return fail(QStringLiteral("Could not save %1: it is a folder.").arg(quoted(target)));
    StaleTemporaries::removeFor(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Could not save %1: %2.").arg(quoted(target), out.errorString()));
    out.write(data); // a short write makes commit() fail
    if (!out.commit())
        return fail(QStringLiteral("Could not save %1: %2.").arg(quoted(target), out.errorString()));
    return true;
}

QStringList DiskFiles::list(const QString &dir, const QString &wildcard) const
{
    const QDir directory(resolveAs(dir, Kind::Dir));
    const QRegularExpression pattern = wildcardPattern(wildcard);
    QStringList names;
    const QStringList entries = directory.entryList(QDir::Files | QDir::System);
    for (const QString &name : entries) {
        if (pattern.match(name).hasMatch())
            names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}
