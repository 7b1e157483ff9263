#pragma once

#include "DosBoxGame.h"
#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "core/Module1.h"
#include "app/widgets/frmMain.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/linux/X11GameWindows.h"

#include <QTemporaryDir>

#include <memory>

class GameSupervisor;
class QAction;
class QTimer;
class TrayIcon;

// The main window over a game directory holding the stand-ins, with the real runner and the real
// window layer, for the suites that run DOSBox on a private X server. Whatever DOSBox it started
// is gone when it goes.
struct DesktopGameRig : ControlDriver
{
    DosBoxGameDir game;
    QTemporaryDir runs;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    RecordingRunner runner{runs.path()};
    X11GameWindows windows;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    DesktopGameRig(const char *hide, const char *close, const char *dukeWin, int waitSeconds);
    ~DesktopGameRig();

    // Politely through the window's close request first, then by signal.
    void stopGames();

    QByteArray read(const char *name) { return game.read(QLatin1String(name)); }

    GameSupervisor &supervisor();
    TrayIcon &tray();
    QTimer *tmrTopWin();
    QTimer *tmrChkWin();
    QAction *launchUnhide() { return get<QAction>("mnuLaunchUnhide"); }
    QAction *sysUnhide() { return get<QAction>("mnuSysUnhide"); }
    void setIntervals(int topMs, int chkMs);

    void chooseSinglePlayer();
    // The last start went well; says why not otherwise.
    bool started() { return runner.lastStarted(prompts.texts()); }
    bool launch();
    qint64 pid() const { return runner.lastPid(); }

    // The supervisor found the game's window (looked up again at tmrTopWin's first ticks).
    quint32 gameWindow();
    // The player has the game in front, and the supervisor has seen it there.
    bool gameInFront(quint32 game);

    // For main(), before the application: every DOSBox started inherits a private home, no sound
    // and a real window.
    static void prepareEnvironment(const QString &home);
    // The player's own DOSBox settings in that home: quiet, and no grabbed mouse.
    static bool writeQuietDosBoxSettings(const QString &home);
};
