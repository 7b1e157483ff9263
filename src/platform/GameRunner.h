#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// Starts the game's program in the game directory. A DOS program (the real duke3d.exe and
// commit.exe) runs in DOSBox; a native program (an ELF executable, or a script with "#!" and the
// execute bit) runs directly. The launch decides what to start and shows the messages; the runner
// only starts and reports.
class GameRunner
{
public:
    struct Request
    {
        QString directory; // the game directory, also the working directory of the program
        QString program;   // "duke3d.exe" or "commit.exe", any letter case
        QString switches;  // the joined switch text, each switch with its leading blank, or empty
        bool network = false;       // a network game: DOSBox gets its IPX emulation
        bool closeWhenDone = false; // DOSBox leaves with the program; normally it stays at its
                                    // prompt, which is the game's "finished" window
        QString dosCommandBefore;   // a DOS command DOSBox runs first (a network game's IPX tunnel)
    };

    struct Result
    {
        bool started = false;
        // When not started: empty exactly when the program is not in the game directory (or the
        // directory does not exist), so the launch shows its own " not found" message; otherwise
        // a complete sentence for the player saying what went wrong and what to do (a switch DOS
        // cannot receive, DOSBox missing, a refused start).
        QString message;
        qint64 pid = 0;      // of the started process (DOSBox itself for a DOS program)
        QString programPath; // the program as found on disk, in its own letter case
        bool inDosBox = false;
    };

    // What start() would do, worked out without starting or writing anything.
    struct Description
    {
        std::optional<Result> refusal; // set: start() would refuse, with this result
        bool inDosBox = false;
        QString executable;            // DOSBox, or the native program
        QStringList arguments;         // RunDirectory stands for DOSBox's private run directory
        QString workingDirectory;
        QByteArray configuration;      // Zentrel's DOSBox settings, written to confPath
        QString confPath;
        QString commandTail;           // the DOS command line of the program
        QString linkPath;              // when set: a link to linkTarget, mounted instead of a path
        QString linkTarget;            // DOSBox cannot mount between quotes
    };
    // Stands for DOSBox's private run directory in a Description: it is made afresh per start.
    static QString runDirectory() { return QStringLiteral("\x01run\x01"); }

    virtual ~GameRunner() = default;

    // The setting DOSBox of section Paths: empty means "dosbox" on the search path; a name
    // without a slash is looked up on the search path too. settingsFile names where the setting
    // lives, for the message shown when DOSBox cannot be found. The caller passes the current
    // setting before each start.
    virtual void setDosBox(const QString &executable, const QString &settingsFile) = 0;

    // What start() would refuse, found without starting or writing anything: nothing when it
    // would go ahead, otherwise the Result start() would give. The launch asks this before it
    // changes the window or the game's files, so a refused start leaves everything as it was.
    virtual std::optional<Result> refusal(const Request &request) = 0;

    virtual Result start(const Request &request) = 0;
    virtual Description describe(const Request &request) = 0;

    // A started program that has ended already, and the last lines DOSBox wrote about it (DOSBox
    // writes its output out when it ends).
    virtual bool hasEnded(qint64 pid) const { Q_UNUSED(pid); return false; }
    virtual QString lastOutput(qint64 pid, int lines) const { Q_UNUSED(pid); Q_UNUSED(lines); return {}; }

    // Whether the file would be started directly rather than in DOSBox: an ELF executable, or a
    // script with "#!" and the execute bit.
    virtual bool runsNatively(const QString &path) const = 0;
};
