#include "confiles/GrpDirectory.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace GrpDirectory {

namespace {
constexpr int HeaderSize = 16;
constexpr int EntrySize = 16;
// The game's GRP lists a few hundred files; a header claiming more than this is no GRP, and
// reading its "directory" would take seconds and gigabytes.
constexpr quint32 MaxEntries = 65536;
} // namespace

std::optional<QStringList> namesIn(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < HeaderSize)
        return std::nullopt;
    const quint32 count = qFromLittleEndian<quint32>(head.constData() + 12);
    const quint64 directory = quint64(HeaderSize) + quint64(count) * EntrySize;
    if (count > MaxEntries || directory > quint64(fileSize) || directory > quint64(head.size()))
        return std::nullopt;
    QStringList out;
    out.reserve(int(count));
    for (quint32 i = 0; i < count; ++i) {
        const char *entry = head.constData() + HeaderSize + qsizetype(i) * EntrySize;
        const QByteArray name(entry, qstrnlen(entry, 12));
        out << QString::fromLatin1(name).toUpper();
    }
    return out;
}

std::optional<QStringList> names(const QString &grpPath)
{
    QFile file(grpPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize)
        return std::nullopt;
    const quint32 count = qFromLittleEndian<quint32>(header.constData() + 12);
    const quint64 directory = quint64(HeaderSize) + quint64(count) * EntrySize;
    // A directory larger than the file is no GRP either.
    if (count > MaxEntries || directory > quint64(file.size()))
        return std::nullopt;
    file.seek(0);
    return namesIn(file.read(qint64(directory)), file.size());
}

std::optional<bool> isVersion15(const QString &gameDir)
{
    const QDir dir(gameDir);
    QString grp;
    for (const QString &entry : dir.entryList(QDir::Files))
        if (entry.compare(QLatin1String("DUKE3D.GRP"), Qt::CaseInsensitive) == 0)
            grp = dir.filePath(entry);
    if (grp.isEmpty())
        return std::nullopt;
    const std::optional<QStringList> list = names(grp);
    if (!list)
        return std::nullopt;
    return list->contains(QStringLiteral("E4L1.MAP"));
}

} // namespace GrpDirectory
