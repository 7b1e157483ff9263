#pragma once

#include <QString>
#include <QtGlobal>

// The private directories of DOSBox runs. Each holds the generated configuration, the process id
// of its DOSBox and, for a game directory DOSBox cannot mount by name, a symbolic link to it.
// DOSBox reads through the link for as long as it runs, so a directory outlives the start and is
// removed by a later start once its DOSBox has ended.
class DosBoxRunDirs
{
public:
    static constexpr const char *ConfName = "zentrel.conf";
    static constexpr const char *PidName = "dosbox.pid";
    static constexpr const char *LinkName = "game";
    static constexpr const char *LogName = "dosbox.log"; // DOSBox's own output, for diagnosis

    // base: where the run directories go; empty means the user's runtime directory.
    explicit DosBoxRunDirs(const QString &base = {});

    // A new, empty run directory only the user can enter; empty text on failure.
    QString create();
    bool writePid(const QString &runDir, qint64 pid);
    // Removes what Zentrel put into a run directory, then the directory. Never descends through
    // the link into the game directory and leaves a directory holding anything else alone.
    static void remove(const QString &runDir);
    // Removes the run directories whose DOSBox has ended.
    void removeEnded();

    QString base() const { return m_base; }

    static bool processRunning(qint64 pid);

private:
    QString m_base;
};
