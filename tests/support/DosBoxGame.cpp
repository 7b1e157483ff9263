#include "DosBoxGame.h"

#include "Prerequisites.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QFile>
#include <QtTest>

const QByteArray DosBoxGameDir::Cfg = "[Setup]\r\nSetupVersion = \"1.4\"\r\n\r\n[Comm Setup]\r\n"
                                      "SocketNumber = 0x4321\r\nNumberPlayers = 4\r\nPlayerName = \"DUKE\"\r\n"
                                      "RTSName = \"DUKE.RTS\"\r\n";
const QByteArray DosBoxGameDir::Commit = "[Commit]\r\nCOMMTYPE = 3\r\nNumPlayers = 4\r\nSOCKETNUMBER = 17185\r\n"
                                         "LAUNCHNAME = \"DUKE3D.EXE\"\r\n";

DosBoxGameDir::DosBoxGameDir(int waitSeconds)
{
    if (!m_dir.isValid()) {
        m_why = QStringLiteral("no temporary directory for the game");
        return;
    }
    for (const char *name : {"DUKE3D.EXE", "COMMIT.EXE"}) {
        const QString from = Prerequisites::dosStubDir() + QLatin1Char('/') + QLatin1String(name);
        if (!QFile::copy(from, m_dir.filePath(QLatin1String(name)))) {
            m_why = QStringLiteral("could not copy %1 into the game directory").arg(from);
            return;
        }
    }
    if (!write(QStringLiteral("WAIT.TXT"), QByteArray::number(waitSeconds)) || !write(QStringLiteral("duke3d.cfg"), Cfg)
        || !write(QStringLiteral("commit.dat"), Commit))
        m_why = QStringLiteral("could not write the game's files into %1").arg(m_dir.path());
}

bool DosBoxGameDir::addTool(const QString &name)
{
    return QFile::copy(Prerequisites::dosStubDir() + QStringLiteral("/TOOL.EXE"), m_dir.filePath(name));
}

bool DosBoxGameDir::write(const QString &name, const QByteArray &data)
{
    QFile f(m_dir.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray DosBoxGameDir::read(const QString &name) const
{
    QFile f(m_dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool RecordingRunner::lastStarted(const QStringList &messagesShown) const
{
    if (!results.isEmpty() && results.last().started)
        return true;
    qWarning() << "not started:" << messagesShown
               << (results.isEmpty() ? QStringLiteral("no start") : results.last().message);
    return false;
}

bool processGone(qint64 pid)
{
    if (pid <= 0)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) == "Z";
}

bool waitGone(qint64 pid, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!processGone(pid) && !deadline.hasExpired())
        QTest::qWait(20);
    return processGone(pid);
}
