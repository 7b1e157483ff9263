#include "app/GameSupervisor.h"

#include "core/Module1.h"

namespace {
const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");
const QString kDuke3d = QStringLiteral("Duke3d");
const QString kCommit = QStringLiteral("Commit");
const QString kFinishedCommit = QStringLiteral("Finished - Commit");
} // namespace

GameSupervisor::GameSupervisor(Module1 &module, GameWindows &windows, QObject *parent)
    : QObject(parent), m_module(module), m_windows(windows)
{
    tmrTopWin.setObjectName(QStringLiteral("tmrTopWin"));
    tmrTopWin.setInterval(5000);
    tmrChkWin.setObjectName(QStringLiteral("tmrChkWin"));
    tmrChkWin.setInterval(2000);
    connectSignals();
}

void GameSupervisor::connectSignals()
{
    connect(&tmrTopWin, &QTimer::timeout, this, &GameSupervisor::tmrTopWin_Timer);
    connect(&tmrChkWin, &QTimer::timeout, this, &GameSupervisor::tmrChkWin_Timer);
}

// Enabling a running timer leaves its rhythm alone, as setting Enabled again would.
void GameSupervisor::enable(QTimer &timer)
{
    if (!timer.isActive())
        timer.start();
}

void GameSupervisor::findGameWindow()
{
    GameWindow = m_windows.findWindow(kDuke3d);
    if (GameWindow == 0)
        GameWindow = m_windows.findWindow(kCommit);
    // Until the new game's window is up, the look-up would find an earlier game still running.
    if (GameWindow == m_earlierGameWindow)
        GameWindow = 0;
}

GameWindows::Handle GameSupervisor::currentGameWindow()
{
    if (GameWindow != 0 && m_windows.isWindow(GameWindow))
        return GameWindow;
    if (const GameWindows::Handle game = m_windows.findWindow(kDuke3d))
        return game;
    return m_windows.findWindow(kCommit);
}

void GameSupervisor::WatchGame(qint64 pid, const QString &program, bool inDosBox)
{
    // Told once, and only to a player who asked for hiding or closing the game's window.
    const bool asked = m_module.HideDosWin == kYes || m_module.CloseDosWin == kYes;
    if (!m_windows.available() && !m_unavailableTold && asked) {
        m_unavailableTold = true;
        emit supervisionUnavailable(m_windows.reason());
    }
    m_earlierGameWindow = 0;
    if (m_watchedBefore) {
        findGameWindow();
        m_earlierGameWindow = GameWindow;
    }
    m_watchedBefore = true;
    m_endTold = false;
    m_windows.registerProcess(pid, program, inDosBox);
    findGameWindow();
    // A new game waits for the foreground afresh.
    tmrChkWin.stop();
    // DOSBox opens its window a moment after the process starts, so a window not up yet is
    // looked for again at the next few ticks instead of giving up at once.
    m_lookupTicksLeft = kLookupTicks;
    enable(tmrTopWin);
}

void GameSupervisor::tmrTopWin_Timer()
{
    if (GameWindow == 0 && m_lookupTicksLeft > 0) {
        --m_lookupTicksLeft;
        findGameWindow();
        if (GameWindow == 0)
            return;
    }
    if (!m_windows.isWindow(GameWindow)) {
        tmrTopWin.stop();
        tellEnded();
        return;
    }
    m_lookupTicksLeft = 0;
    const GameWindows::Foreground front = m_windows.foreground();
    if (front.known && front.window == GameWindow)
        enable(tmrChkWin);
}

void GameSupervisor::tmrChkWin_Timer()
{
    tmrTopWin.stop();
    if (!m_windows.isWindow(GameWindow)) {
        tmrChkWin.stop();
        tellEnded();
        return;
    }
    if (!m_endTold && !m_module.FinishedTitle.isEmpty() && m_windows.findWindow(m_module.FinishedTitle) != 0)
        tellEnded();
    CheckGameWindow();
}

void GameSupervisor::tellEnded()
{
    if (m_endTold)
        return;
    m_endTold = true;
    emit gameEnded();
}

void GameSupervisor::CheckGameWindow()
{
    const QString &close = m_module.CloseDosWin;
    const QString &hide = m_module.HideDosWin;
    if (close == kNo && hide == kYes)
        HideStep();
    else if (close == kYes && hide == kYes)
        CloseStep(true);
    else if (close == kYes && hide == kNo)
        CloseStep(false);
}

void GameSupervisor::HideStep()
{
    GameWindow = m_windows.findWindow(kDuke3d);
    const GameWindows::Foreground front = m_windows.foreground();
    // An unknown foreground may well be the game itself: never hide on a guess.
    if (!front.known || front.window == GameWindow)
        return;
    m_windows.hide(GameWindow);
    // A relaunch may hide a second game's window before the first is shown again: keep them all.
    if (GameWindow != 0 && !m_hidden.contains(GameWindow))
        m_hidden.append(GameWindow);
    tmrChkWin.stop();
    setUnhideEnabled(true);
}

void GameSupervisor::CloseStep(bool hideAsFallback)
{
    const bool multi = multiPlayerTicked && multiPlayerTicked();
    if (const GameWindows::Handle finished = m_windows.findWindow(m_module.FinishedTitle)) {
        m_windows.requestClose(finished);
        tmrChkWin.stop();
        if (multi) {
            const GameWindows::Handle commit = m_windows.findWindow(kFinishedCommit);
            // DOSBox runs the launcher and the game in one window: it may be the same one.
            if (commit != 0 && commit != finished)
                m_windows.requestClose(commit);
        }
        return;
    }
    if (multi) {
        if (const GameWindows::Handle commit = m_windows.findWindow(kFinishedCommit)) {
            m_windows.requestClose(commit);
            tmrChkWin.stop();
            return;
        }
    }
    if (hideAsFallback)
        HideStep();
}

void GameSupervisor::UnhideGame()
{
    enable(tmrTopWin);
    showHidden();
    setUnhideEnabled(false);
}

void GameSupervisor::ShowHiddenGame()
{
    tmrTopWin.stop();
    tmrChkWin.stop();
    if (m_unhideEnabled)
        showHidden();
    setUnhideEnabled(false);
}

void GameSupervisor::showHidden()
{
    if (m_hidden.isEmpty()) {
        m_windows.showWithoutActivating(GameWindow); // a hide that found no window: nothing to show
        return;
    }
    for (const GameWindows::Handle window : std::as_const(m_hidden))
        m_windows.showWithoutActivating(window);
    m_hidden.clear();
}

void GameSupervisor::setUnhideEnabled(bool enabled)
{
    if (m_unhideEnabled == enabled)
        return;
    m_unhideEnabled = enabled;
    emit unhideEnabledChanged(enabled);
}
