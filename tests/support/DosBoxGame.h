#pragma once

#include "platform/GameRunner.h"
#include "platform/linux/ProcessGameRunner.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>

// A game directory for the suites that run DOSBox for real: the stand-in DUKE3D.EXE and
// COMMIT.EXE, the seconds they wait before ending (WAIT.TXT), and duke3d.cfg and commit.dat with
// the CRLF line ends the game writes.
class DosBoxGameDir
{
public:
    static const QByteArray Cfg;
    static const QByteArray Commit;

    explicit DosBoxGameDir(int waitSeconds = 0);

    // False when the stand-ins could not be put in place; why() says so.
    bool ready() const { return m_why.isEmpty(); }
    QString why() const { return m_why; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    bool write(const QString &name, const QByteArray &data);
    // The stand-in tool (it records its switches in TOOL.TXT of DOS's current directory) under
    // the name of one of the game's tools.
    bool addTool(const QString &name);
    QByteArray read(const QString &name) const; // "<missing>" when there is no such file

private:
    QTemporaryDir m_dir;
    QString m_why;
};

// The real runner with a record of every start. With closeWhenDone DOSBox leaves with the
// program, so a test can wait for it to end.
class RecordingRunner : public GameRunner
{
public:
    explicit RecordingRunner(const QString &runBase, bool closeWhenDone = false)
        : real(runBase), closeWhenDone(closeWhenDone)
    {
    }

    ProcessGameRunner real;
    bool closeWhenDone;
    QList<Result> results;

    void setDosBox(const QString &exe, const QString &file) override { real.setDosBox(exe, file); }
    std::optional<Result> refusal(const Request &request) override { return real.refusal(request); }
    Result start(const Request &request) override
    {
        Request r = request;
        r.closeWhenDone = r.closeWhenDone || closeWhenDone;
        results << real.start(r);
        return results.last();
    }
    bool runsNatively(const QString &path) const override { return real.runsNatively(path); }
    Description describe(const Request &request) override
    {
        Request r = request;
        r.closeWhenDone = r.closeWhenDone || closeWhenDone;
        return real.describe(r);
    }

    qint64 lastPid() const { return results.isEmpty() ? 0 : results.last().pid; }
    // The last start went well; otherwise says why on the test's output.
    bool lastStarted(const QStringList &messagesShown) const;
};

// A process that has ended, also one that ended and was not reaped yet by its new parent.
bool processGone(qint64 pid);
bool waitGone(qint64 pid, int ms);
