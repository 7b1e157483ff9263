#include "platform/linux/DosBoxRunDirs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

const QString Prefix = QStringLiteral("zentrel-dosbox-");

} // namespace

DosBoxRunDirs::DosBoxRunDirs(const QString &base) : m_base(base)
{
    if (m_base.isEmpty())
        m_base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_base.isEmpty())
        m_base = QDir::tempPath();
}

QString DosBoxRunDirs::create()
{
    // QTemporaryDir makes the directory with a fresh name and mode 0700, also in a shared /tmp.
    QTemporaryDir dir(QDir(m_base).filePath(Prefix + QStringLiteral("XXXXXX")));
    if (!dir.isValid())
        return {};
    dir.setAutoRemove(false);
    return dir.path();
}

bool DosBoxRunDirs::writePid(const QString &runDir, qint64 pid)
{
    QSaveFile file(QDir(runDir).filePath(QLatin1String(PidName)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(pid) + '\n');
    return file.commit();
}

void DosBoxRunDirs::remove(const QString &runDir)
{
    const QDir dir(runDir);
    for (const char *name : {ConfName, PidName, LinkName, LogName})
        QFile::remove(dir.filePath(QLatin1String(name))); // unlink: a link goes, its target stays
    QDir().rmdir(runDir);
}

void DosBoxRunDirs::removeEnded()
{
    const QDir base(m_base);
    const QFileInfoList entries =
        base.entryInfoList({Prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    const QDateTime aMinuteAgo = QDateTime::currentDateTime().addSecs(-60);
    for (const QFileInfo &entry : entries) {
        if (entry.ownerId() != ::getuid())
            continue;
        QFile pidFile(QDir(entry.filePath()).filePath(QLatin1String(PidName)));
        if (!pidFile.open(QIODevice::ReadOnly)) {
            // Another Zentrel may be starting DOSBox right now and not have written the id yet.
            if (entry.lastModified() < aMinuteAgo)
                remove(entry.filePath());
            continue;
        }
        bool ok = false;
        const qint64 pid = pidFile.readAll().trimmed().toLongLong(&ok);
        pidFile.close();
        if (!ok || !processRunning(pid))
            remove(entry.filePath());
    }
}

bool DosBoxRunDirs::processRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    // An ended process nobody has reaped yet still answers kill(); its state is Z.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}
