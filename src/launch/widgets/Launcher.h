#pragma once

#include "platform/GameRunner.h"

#include <QString>

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

    // The name switch for a network game: empty when the typed name is the one in duke3d.cfg.
    QString nameSwitch() const;

private:
    QString failedCheck() const;
    bool networkFilesPresent();
    void message(const QString &text);
    void refused(const GameRunner::Result &result, const QString &program);

    Module1 &m;
    LaunchOptions &options;
    LaunchHost &host;
    QWidget *owner;
};
