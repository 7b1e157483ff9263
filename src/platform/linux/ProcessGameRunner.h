#pragma once

#include "platform/GameRunner.h"
#include "platform/linux/DetachedSpawn.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The real game runner: a native program is started directly, a DOS program in DOSBox. No shell
// is involved anywhere; every argument reaches the program as one argv element.
class ProcessGameRunner : public GameRunner
{
public:
    // runBase: where DOSBox's private run directories go; empty means the user's runtime directory.
    explicit ProcessGameRunner(const QString &runBase = {});

    void setDosBox(const QString &executable, const QString &settingsFile) override;
    std::optional<Result> refusal(const Request &request) override;
    Result start(const Request &request) override;
    bool runsNatively(const QString &path) const override { return isNativeProgram(path); }
    Description describe(const Request &request) override;
    bool hasEnded(qint64 pid) const override;
    QString lastOutput(qint64 pid, int lines) const override;

    // The file in the directory whose name matches in any letter case (an exact match first), or
    // an empty text.
    static QString findInDirectory(const QString &directory, const QString &name);
    static bool isNativeProgram(const QString &path);
    // Why DOSBox could not show a game here (no X11 display), or empty.
    static QString noDisplayMessage();

    // What DOSBox is started with: the player's settings, Zentrel's generated ones, then the
    // commands that mount the game directory as C: and run the program quietly.
    static QStringList dosBoxArguments(const QString &confFile, const QString &mountPath,
                                       const QString &commandLine, bool closeWhenDone,
                                       const QString &commandBefore = {});

private:
    std::optional<Result> dosRefusal(const Request &request, const QString &path) const;
    Result startNative(const Request &request, const QString &path);
    Result startInDosBox(const Request &request, const QString &path);
    Description describeDos(const Request &request, const QString &path) const;
    QString dosBoxExecutable() const;
    QString dosBoxMissingMessage(const QString &program) const;

    QString m_runBase;
    QHash<qint64, QString> m_runDirOf; // DOSBox's process id -> its run directory
    QString m_dosBox;
    QString m_settingsFile;
    DetachedSpawn m_spawn;
};
