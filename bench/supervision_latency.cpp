// How soon supervision hides the game's window once the player switches away, with the real
// intervals (tmrTopWin 5 s, tmrChkWin 2 s): the supervisor and the X11 layer watch a DOSBox window
// under a window manager; each round puts the game in front, waits until the supervisor watches
// it, activates another window and measures until the game's window is withdrawn.
//   bench_supervision_latency <dosbox pid> [rounds]
#include "app/GameSupervisor.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/linux/X11GameWindows.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class NoPrompts : public Prompts
{
public:
    Answer message(QWidget *, const QString &, Icon, Buttons, const QString &) override { return Answer::Ok; }
    QString chooseDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

bool isMapped(quint32 window)
{
    xcb_connection_t *c = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    const bool mapped = r && r->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(r);
    return mapped;
}

bool activate(quint32 window)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)})
           == 0;
}

template <typename Condition> bool waitFor(Condition done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_supervision_latency <dosbox pid> [rounds]\n");
        return 2;
    }
    const qint64 pid = QByteArray(argv[1]).toLongLong();
    const int rounds = argc > 2 ? QByteArray(argv[2]).toInt() : 5;

    QTemporaryDir tmp;
    IniSettingsStore settings(tmp.filePath(QStringLiteral("Zentrel.ini")));
    DiskFiles files;
    NoPrompts prompts;
    Platform platform{settings, files, prompts, QString()};
    Module1 module(platform);
    module.HideDosWin = QStringLiteral("Yes");
    module.CloseDosWin = QStringLiteral("No");

    X11GameWindows windows;
    GameSupervisor supervisor(module, windows);
    supervisor.WatchGame(pid, QStringLiteral("DUKE3D.EXE"), true);
    if (!waitFor([&] { return supervisor.GameWindow != 0; }, 40000)) {
        std::fprintf(stderr, "the game's window was not found\n");
        return 1;
    }
    const quint32 game = supervisor.GameWindow;

    QWidget other;
    other.setWindowTitle(QStringLiteral("Another program"));
    other.resize(200, 100);
    other.show();
    waitFor([&] { return other.isVisible() && isMapped(quint32(other.winId())); }, 5000);

    std::vector<double> latencies;
    for (int round = 0; round < rounds; ++round) {
        if (!isMapped(game))
            supervisor.UnhideGame();
        if (!waitFor([&] { return isMapped(game); }, 5000) || !activate(game)
            || !waitFor([&] { return supervisor.tmrChkWin.isActive(); }, 15000)) {
            std::fprintf(stderr, "round %d: the game never came to the front\n", round + 1);
            return 1;
        }
        activate(quint32(other.winId()));
        QElapsedTimer since;
        since.start();
        if (!waitFor([&] { return !isMapped(game); }, 15000)) {
            std::fprintf(stderr, "round %d: the game's window was not hidden within 15 s\n", round + 1);
            return 1;
        }
        latencies.push_back(since.elapsed());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("switch away -> hidden, %d rounds (tmrChkWin %d ms):\n", rounds, supervisor.tmrChkWin.interval());
    std::printf("  median %.0f ms, max %.0f ms (target: within one check, about 2 s)\n",
                latencies[latencies.size() / 2], latencies.back());
    return 0;
}
