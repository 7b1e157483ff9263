#pragma once

#include <QString>
#include <functional>

class LaunchOptions;
class Module1;
class QWidget;

// The launch: checks that the chosen options make a game, applies the Launch Preference, joins
// the switches and starts duke3d.exe or commit.exe through the game runner, then clears the
// options or ends the program.
class Launcher
{
public:
    Launcher(Module1 &module1, LaunchOptions &options, QWidget *owner);

    // Returns true when the game was started.
    bool Launch();

    // The main window's side of the launch; an unset hook is skipped.
    std::function<void()> swapInChosenFiles;      // copy the chosen CON/RTS files in
    std::function<void()> showNormal;             // Launch Preference "0"
    std::function<void()> showMinimized;          // "1"
    std::function<bool()> inTray;                 // "2": already in the tray?
    std::function<void()> addTrayIcon;            // "2"
    std::function<bool()> editNetworkKeys;        // false: stop, it showed why
    // Supervision of the started game's window: its process, the program as found on disk, and
    // whether it runs in DOSBox.
    std::function<void(qint64 pid, const QString &program, bool inDosBox)> watchGame;
    std::function<int()> timePicked;              // the game-time limit in minutes, 0 for none
    std::function<void()> startGameTimer;
    std::function<void()> exitCommand;            // Launch Preference "3"

    // The name switch for a network game: empty when the typed name is the one in duke3d.cfg.
    QString nameSwitch() const;

private:
    QString failedCheck() const;
    bool networkFilesPresent();
    void message(const QString &text);

    Module1 &m;
    LaunchOptions &options;
    QWidget *owner;
};
