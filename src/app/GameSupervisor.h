#pragma once

#include "platform/GameWindows.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class Module1;

// Watches the game's window after a launch: waits until the player has it in front
// (tmrTopWin), then checks it every two seconds (tmrChkWin) to hide it when the player switches
// away or to close it once the game has finished, as the preferences HideDosWin and CloseDosWin
// say. Widget-free: the main window follows unhideEnabledChanged() for its two Unhide items and
// answers multiPlayerTicked for its "Multi Player Net Game" box.
class GameSupervisor : public QObject
{
    Q_OBJECT
public:
    GameSupervisor(Module1 &module, GameWindows &windows, QObject *parent = nullptr);

    QTimer tmrTopWin; // 5000 ms: waits until the game's window is in the foreground
    QTimer tmrChkWin; // 2000 ms: one supervision step while the window exists

    GameWindows::Handle GameWindow = 0;

    // Whether chkMulti is ticked; unset means no.
    std::function<bool()> multiPlayerTicked;

    // Right after the game's process was started (pid of DOSBox or of the program itself).
    void WatchGame(qint64 pid, const QString &program, bool inDosBox);
    // Launch > Unhide Duke3D and the tray's Unhide Duke3d: every hidden game window comes back.
    void UnhideGame();
    // At exit (however the main window ends): every hidden game window comes back; supervision ends.
    void ShowHiddenGame();

    void CheckGameWindow();
    void tmrTopWin_Timer();
    void tmrChkWin_Timer();

    bool unhideEnabled() const { return m_unhideEnabled; }

    // The running game's window as it is now (the game or its network launcher); 0 when none.
    GameWindows::Handle currentGameWindow();

    // How many tmrTopWin ticks WatchGame keeps looking for a window that is not up yet.
    static constexpr int kLookupTicks = 6;

signals:
    // mnuLaunchUnhide and mnuSysUnhide follow this.
    void unhideEnabledChanged(bool enabled);
    // The watched game has ended: its window is gone or shows DOSBox's prompt again. Once per
    // launch, as far as the supervision sees it (a hidden window is not looked at).
    void gameEnded();
    // Once per run when the window system cannot be reached: a sentence for the status bar.
    void supervisionUnavailable(const QString &reason);

private:
    void connectSignals();
    void HideStep();
    void CloseStep(bool hideAsFallback);
    void findGameWindow();
    void setUnhideEnabled(bool enabled);
    void showHidden();
    static void enable(QTimer &timer);

    Module1 &m_module;
    GameWindows &m_windows;
    bool m_unhideEnabled = false;
    QList<GameWindows::Handle> m_hidden; // hidden and not shown again since, oldest first
    int m_lookupTicksLeft = 0;
    GameWindows::Handle m_earlierGameWindow = 0; // a game still running when this one started
    bool m_watchedBefore = false;
    bool m_unavailableTold = false;
    bool m_endTold = true; // nothing watched yet
    void tellEnded();
};
