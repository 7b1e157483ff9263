#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

// Starts programs that outlive the launch (the game, DOSBox) with posix_spawn: no shell, the
// arguments as given, the working directory set, standard input from /dev/null and the output
// to a log file or /dev/null. It is several times quicker than QProcess::startDetached, which
// forks twice and waits on a pipe. The children stay ours, so a timer reaps them once they end.
class DetachedSpawn
{
public:
    DetachedSpawn();

    struct Options
    {
        QString program;     // absolute path
        QStringList arguments;
        QString workingDirectory;
        QString outputFile;  // standard output and error are appended here; empty: /dev/null
    };

    // The new process's id, or 0 with *error saying why it could not be started.
    qint64 start(const Options &options, QString *error);
    // Ends a child started here a moment ago (SIGTERM), for a start that cannot be kept.
    void stop(qint64 pid);

private:
    void reap();

    QList<qint64> m_children;
    QTimer m_reaper;
};
