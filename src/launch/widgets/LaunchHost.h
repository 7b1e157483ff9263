#pragma once

#include "confiles/ChosenFiles.h"

#include <QString>
#include <QtGlobal>

// What the launch needs from the rest of the main window, in the order the launch uses it. The
// main window's game session implements it, so a part that is missing is a compile error.
class LaunchHost
{
public:
    virtual ~LaunchHost() = default;

    // The CON and RTS files chosen on the CON/RTS tab, with the editor's text when "Use This Con
    // When Launching Duke3d" is ticked.
    virtual ChosenFiles chosenFiles() const = 0;

    // The Launch Preference: "0" normal, "1" minimised, "2" in the tray, "3" the exit after the start.
    virtual void showMainWindowNormal() = 0;
    virtual void minimizeMainWindow() = 0;
    virtual bool inTray() const = 0; // a relaunch from the tray adds no second icon
    virtual void addTrayIcon() = 0;

    // A network game: the socket and the number of players go into duke3d.cfg and commit.dat.
    // The game starts whatever happens there (it reads what the files hold); a failure is told.
    virtual void editNetworkKeys() = 0;

    // Supervision of the started game's window: its process, the program as found on disk, and
    // whether it runs in DOSBox.
    virtual void watchGame(qint64 pid, const QString &program, bool inDosBox) = 0;

    // A game-time limit that is set starts counting now; a count already running goes on.
    virtual void startGameTimer() = 0;

    // The game has started: says so where the player (and a screen reader) notices it.
    virtual void gameStarted(const QString &what) = 0;

    // Launch Preference "3": the program ends while the game keeps running.
    virtual void exitCommand() = 0;
};

// What the option panels need from the rest of the main window.
class OptionsHost
{
public:
    virtual ~OptionsHost() = default;

    virtual bool gameVersion15() const = 0; // "Version 1.4 / 1.5" is ticked
    virtual void focusLaunchButton() = 0;   // after a saved game is chosen
    // Clear All Options, first step: Clear CON/RTS Options.
    virtual void clearConRtsOptions() = 0;
    // Clear All Options, last step: untick "Use This Con When Launching Duke3d".
    virtual void untickUseCon() = 0;
};
