#include "platform/StaleTemporaries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace StaleTemporaries {

namespace {

bool isTemporaryName(const QString &entry, const QString &target)
{
    // The game's files carry DOS names: a leftover of "COMMIT.DAT" counts for "commit.dat" too.
    if (entry.size() != target.size() + 7 || !entry.startsWith(target, Qt::CaseInsensitive)
        || entry.at(target.size()) != u'.')
        return false;
    for (qsizetype i = target.size() + 1; i < entry.size(); ++i) {
        const QChar c = entry.at(i);
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

} // namespace

int removeFor(const QString &targetPath)
{
    const QFileInfo target(targetPath);
    const QDir dir = target.absoluteDir();
    const QString name = target.fileName();
    if (name.isEmpty())
        return 0;
    const QDateTime staleBefore = QDateTime::currentDateTime().addSecs(-StaleAfterSeconds);
    int removed = 0;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const QFileInfo info(dir.filePath(entry));
        if (!isTemporaryName(entry, name) || info.isSymLink() || info.ownerId() != ::getuid()
            || info.lastModified() >= staleBefore)
            continue;
        if (QFile::remove(info.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace StaleTemporaries
