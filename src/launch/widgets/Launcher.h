#pragma once

#include "confiles/ChosenFiles.h"
#include "platform/GameRunner.h"

#include <QString>
#include <optional>

class LaunchHost;
class LaunchOptions;
class Module1;
class QWidget;

// The launch: checks that the chosen options make a game, applies the Launch Preference, joins
// the switches and starts duke3d.exe or commit.exe through the game runner, then clears the
// options or ends the program.
class Launcher
{
public:
    Launcher(Module1 &module1, LaunchOptions &options, LaunchHost &host, QWidget *owner);

    // Returns true when the game was started. Every check that can refuse the launch runs before
    // the first change to the window or the game's files, so a refused launch changes nothing.
    bool Launch();

    // The tray's "Relaunch Duke3d": the game last started, once more (the same program and
    // switches), while the window waits in the tray with its options cleared by that launch.
    // Before any launch it is Launch with the options as they stand.
    bool Relaunch();

    // The name switch for a network game: empty when the box is empty or holds the name in
    // duke3d.cfg.
    QString nameSwitch() const;
    // Why a typed name cannot go onto the game's command line, or empty.
    static QString nameSwitchProblem(const QString &name);

private:
    // What a launch starts, worked out before anything changes.
    struct Plan
    {
        GameRunner::Request request;
        QString finishedTitle;
        bool multi = false;
        ChosenFiles chosen; // swapped in before the start
    };

    std::optional<Plan> planFromOptions(); // the checks, with their messages
    bool execute(const Plan &plan, bool fromOptions);
    QString failedCheck() const;
    bool networkFilesPresent();
    void message(const QString &text);
    void refused(const GameRunner::Result &result, const QString &program);

    Module1 &m;
    LaunchOptions &options;
    LaunchHost &host;
    QWidget *owner;
    std::optional<Plan> m_last; // the last game started
};
