#include "app/widgets/GameSession.h"

#include <QAccessible>
#include <QStatusBar>

#include "app/GameSupervisor.h"
#include "core/Module1.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/TrayIcon.h"
#include "app/widgets/frmMain.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "launch/NetworkKeys.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/widgets/Launcher.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QAction>

namespace {
// Stands in when no window layer was given (tests that do not look at windows): supervision is
// then simply unavailable.
class NoGameWindows : public GameWindows
{
public:
    bool available() const override { return false; }
    QString reason() const override { return QStringLiteral("No window system was given to Zentrel."); }
    void registerProcess(qint64, const QString &, bool) override {}
    Handle findWindow(const QString &) override { return 0; }
    bool isWindow(Handle) override { return false; }
    Foreground foreground() override { return {}; }
    void hide(Handle) override {}
    void showWithoutActivating(Handle) override {}
    void requestClose(Handle) override {}
    void iconify(Handle) override {}
    void activate(Handle) override {}
};
} // namespace

GameSession::GameSession(Module1 &module1, frmMain &window)
    : QObject(&window), m(module1), window(window)
{
    if (!m.platform.windows)
        m_noWindows = std::make_unique<NoGameWindows>();
    GameWindows &windows = m.platform.windows ? *m.platform.windows : *m_noWindows;
    m_supervisor = std::make_unique<GameSupervisor>(m, windows);
    m_tray = std::make_unique<TrayIcon>(&window, window.menus());
    m_tray->minimisingStrands = m.WaylandWindows;
    m_launcher = std::make_unique<Launcher>(m, window.launchOptions(), *this, &window);
    connectSignals();
}

GameSession::~GameSession() = default;

void GameSession::connectSignals()
{
    MainMenus &mn = window.menus();
    connect(m_tray.get(), &TrayIcon::relaunchRequested, this, [this] { m_launcher->Relaunch(); });
    connect(m_tray.get(), &TrayIcon::exitRequested, &window, &frmMain::cmdExit_Click);
    m_supervisor->multiPlayerTicked = [this] { return window.launchOptions().multi()->isOn(); };
    connect(m_tray.get(), &TrayIcon::unhideRequested, m_supervisor.get(), &GameSupervisor::UnhideGame);
    // A game that has ended may have saved: its saved games show up without a restart.
    // A launch that asked for hiding or closing the game's window, where that cannot happen.
    connect(m_supervisor.get(), &GameSupervisor::supervisionUnavailable, this,
            [this](const QString &reason) { window.statusBar()->showMessage(reason); });
    connect(m_supervisor.get(), &GameSupervisor::gameEnded, &window.launchOptions(), &LaunchOptions::ScanSavedGames);
    connect(mn.mnuLaunchUnhide, &QAction::triggered, m_supervisor.get(), &GameSupervisor::UnhideGame);
    connect(m_supervisor.get(), &GameSupervisor::unhideEnabledChanged, this, [this, &mn](bool enabled) {
        mn.mnuLaunchUnhide->setEnabled(enabled);
        m_tray->setUnhideEnabled(enabled);
    });
}

ChosenFiles GameSession::chosenFiles() const
{
    ChosenFiles chosen = window.conRtsPanel().chosen();
    if (chosen.editorUserCon)
        chosen.editorUserCon = TextBuffer::toBytes(window.conEditorPage().buffer().Text());
    return chosen;
}

void GameSession::showMainWindowNormal() { window.showNormal(); }
void GameSession::minimizeMainWindow()
{
    // On Wayland a minimised window can only come back through a tray or a task list, and Zentrel
    // cannot know of the latter: without a tray it stays as it is.
    if (m.WaylandWindows && !m_tray->trayAvailable())
        return;
    window.showMinimized();
}
bool GameSession::inTray() const { return m_tray->InTray; }
void GameSession::addTrayIcon() { m_tray->AddTrayIcon(); }
void GameSession::exitCommand() { window.cmdExit_Click(); }
void GameSession::startGameTimer() { window.gameTimer().startCounting(); }
GameWindows::Handle GameSession::gameWindow() const { return m_supervisor->currentGameWindow(); }

void GameSession::watchGame(qint64 pid, const QString &program, bool inDosBox)
{
    m_supervisor->WatchGame(pid, program, inDosBox);
}

void GameSession::ReadCfgKeys()
{
    // A missing or unreadable duke3d.cfg leaves the values empty; nothing to tell the player yet.
    NetworkKeys::ReadCfgKeys(m.platform.files, m.DukePath, window.launchOptions().networkValues());
}

void GameSession::editNetworkKeys()
{
    MultiPlayerPanel *multi = window.launchOptions().multi();
    const NetworkKeys::Outcome outcome =
        NetworkKeys::EditNetworkKeys(m.platform.files, m.DukePath, window.launchOptions().networkValues(),
                                     multi->socket(), multi->playerCount());
    // The game still starts: it reads whatever the files hold, as it would have without us.
    if (!outcome.ok())
        m.platform.prompts.message(&window, outcome.error, Prompts::Icon::Exclamation);
}

void GameSession::unhideForExit()
{
    m_supervisor->ShowHiddenGame();
}

void GameSession::writePlayerName()
{
    if (m.DukePath.isEmpty())
        return;
    const NetworkKeys::Outcome outcome =
        NetworkKeys::WritePlayerName(m.platform.files, m.DukePath, window.launchOptions().networkValues());
    if (!outcome.ok())
        m.platform.prompts.message(&window, outcome.error, Prompts::Icon::Exclamation);
}

void GameSession::RemoveTrayIcon()
{
    m_tray->RemoveTrayIcon();
}

// The status bar's message is also told to assistive technology, which reads it out.
void GameSession::gameStarted(const QString &what)
{
    QStatusBar *bar = window.statusBar();
    bar->showMessage(what);
    bar->setAccessibleDescription(what);
    QAccessibleEvent event(bar, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}
