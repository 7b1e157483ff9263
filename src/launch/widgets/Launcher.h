#pragma once

#include "confiles/ChosenFiles.h"
#include "platform/GameRunner.h"
#include "platform/Prompts.h"

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

    // What Launch would do with the options as they stand, worked out without changing anything:
    // either the refusal Launch would show, or the program, the runner's DOSBox command and the
    // files the launch writes. For Launch > Show Launch Plan.
    struct Preview
    {
        QString refusal;
        GameRunner::Request request;
        GameRunner::Description description;
        QStringList filesWritten; // in the game directory, in the order the launch writes them
    };
    Preview preview();

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
    struct Planned
    {
        std::optional<Plan> plan;
        QString refusal; // when there is no plan: the message Launch shows
        Prompts::Icon icon = Prompts::Icon::None;
    };

    Planned planFromOptions() const; // the checks; shows nothing
    bool execute(const Plan &plan, bool fromOptions);
    QString failedCheck() const;
    QString missingNetworkFile() const;
    void message(const QString &text);
    void refused(const GameRunner::Result &result, const QString &program);
    QString notFound(const QString &program) const; // the launch's own "not found" sentence

    Module1 &m;
    LaunchOptions &options;
    LaunchHost &host;
    QWidget *owner;
    std::optional<Plan> m_last; // the last game started
};
