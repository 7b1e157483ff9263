#pragma once

#include "gametimer/widgets/TimerHost.h"
#include "launch/widgets/LaunchHost.h"

#include <QObject>
#include <memory>

class GameSupervisor;
class GameWindows;
class Launcher;
class Module1;
class TrayIcon;
class frmMain;

// Everything around one launch that reaches beyond the option panels: the launch procedure's
// side in the main window, the network keys of duke3d.cfg and commit.dat, the supervision of
// the game's window and the tray icon.
class GameSession : public QObject, public LaunchHost, public TimerHost
{
    Q_OBJECT
public:
    GameSession(Module1 &module1, frmMain &window);
    ~GameSession() override;

    Launcher &launcher() { return *m_launcher; }
    TrayIcon &tray() { return *m_tray; }
    GameSupervisor &supervisor() { return *m_supervisor; }

    // Main-window load: the socket, player count and name from duke3d.cfg.
    void ReadCfgKeys();
    // Exit command, step 2: a hidden game window is shown again.
    void unhideForExit();
    // Unload: a typed name goes into duke3d.cfg.
    void writePlayerName();
    void RemoveTrayIcon();

    // The launch's side in the main window.
    ChosenFiles chosenFiles() const override;
    void showMainWindowNormal() override;
    void minimizeMainWindow() override;
    bool inTray() const override;
    void addTrayIcon() override;
    void editNetworkKeys() override;
    void watchGame(qint64 pid, const QString &program, bool inDosBox) override;
    void startGameTimer() override;
    void gameStarted(const QString &what) override;
    void exitCommand() override;

    // The game timer's side: the window to take the player out of.
    GameWindows::Handle gameWindow() const override;

private:
    void connectSignals();

    Module1 &m;
    frmMain &window;
    std::unique_ptr<GameWindows> m_noWindows;
    std::unique_ptr<GameSupervisor> m_supervisor;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<Launcher> m_launcher;
};
