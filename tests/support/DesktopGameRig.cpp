#include "DesktopGameRig.h"

#include "X11TestTools.h"

#include "app/GameSupervisor.h"
#include "app/widgets/GameSession.h"
#include "app/widgets/TrayIcon.h"

#include <QAbstractButton>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace X11TestTools;

DesktopGameRig::DesktopGameRig(const char *hide, const char *close, const char *dukeWin, int waitSeconds)
    : game(waitSeconds)
{
    if (!game.ready())
        qFatal("%s", qPrintable(game.why()));
    platform.runner = &runner;
    platform.windows = &windows;
    m.DukePath = game.path();
    m.HideDosWin = QLatin1String(hide);
    m.CloseDosWin = QLatin1String(close);
    m.DukeWin = QLatin1String(dukeWin);
    window = std::make_unique<frmMain>(m);
    window->quitProgram = [] {};
    window->Form_Load();
    window->show();
    setRoot(window.get());
}

DesktopGameRig::~DesktopGameRig()
{
    stopGames();
    window.reset();
}

void DesktopGameRig::stopGames()
{
    for (const GameRunner::Result &r : runner.results) {
        if (!r.started || processGone(r.pid))
            continue;
        quint32 own = windowOfProcess(r.pid);
        if (own == 0 && windowPid(supervisor().GameWindow) == quint32(r.pid))
            own = supervisor().GameWindow; // hidden: not in the window manager's list
        if (own)
            windows.requestClose(own);
        if (!waitGone(r.pid, own ? 3000 : 0)) {
            ::kill(pid_t(r.pid), SIGTERM);
            if (!waitGone(r.pid, 3000))
                ::kill(pid_t(r.pid), SIGKILL);
        }
        waitGone(r.pid, 3000);
    }
}

GameSupervisor &DesktopGameRig::supervisor() { return window->session().supervisor(); }
TrayIcon &DesktopGameRig::tray() { return window->session().tray(); }
QTimer *DesktopGameRig::tmrTopWin() { return &supervisor().tmrTopWin; }
QTimer *DesktopGameRig::tmrChkWin() { return &supervisor().tmrChkWin; }

void DesktopGameRig::setIntervals(int topMs, int chkMs)
{
    tmrTopWin()->setInterval(topMs);
    tmrChkWin()->setInterval(chkMs);
}

void DesktopGameRig::chooseSinglePlayer()
{
    tick("chkSingle");
    choose("cmbEpisode", "LA Meltdown");
    choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
}

bool DesktopGameRig::launch()
{
    get<QAbstractButton>("cmdLaunch")->click();
    return started();
}

quint32 DesktopGameRig::gameWindow()
{
    QDeadlineTimer deadline(tmrTopWin()->interval() * (GameSupervisor::kLookupTicks + 1) + 2000);
    while (supervisor().GameWindow == 0 && !deadline.hasExpired())
        QTest::qWait(20);
    return supervisor().GameWindow;
}

bool DesktopGameRig::gameInFront(quint32 game)
{
    if (!activate(game))
        return false;
    QDeadlineTimer deadline(tmrTopWin()->interval() + 3000);
    while (!tmrChkWin()->isActive() && !deadline.hasExpired())
        QTest::qWait(20);
    return tmrChkWin()->isActive();
}

void DesktopGameRig::prepareEnvironment(const QString &home)
{
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
    qputenv("SDL_AUDIODRIVER", "dummy");
    qunsetenv("SDL_VIDEODRIVER");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // the tray icon docks by XEmbed, into trayer
}

bool DesktopGameRig::writeQuietDosBoxSettings(const QString &home)
{
    QDir().mkpath(home + QStringLiteral("/.dosbox"));
    QFile conf(home + QStringLiteral("/.dosbox/dosbox-0.74-3.conf"));
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    return conf.write("[sdl]\nfullscreen=false\nautolock=false\n[mixer]\nnosound=true\n") > 0 && conf.flush();
}
