// Supervision while a game runs: the supervisor with the X11 window layer, watching a running
// DOSBox window that stays in front, both checks active (close once finished, else hide when the
// player switches away). Prints the CPU time this process used over the watch.
//   bench_supervision <dosbox pid> [seconds]
#include "app/GameSupervisor.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/linux/X11GameWindows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

class NoPrompts : public Prompts
{
public:
    Answer message(QWidget *, const QString &, Icon, Buttons, const QString &) override { return Answer::Ok; }
    QString chooseDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // no GUI: the layer opens its own X connection
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_supervision <dosbox pid> [seconds]\n");
        return 2;
    }
    const qint64 pid = QByteArray(argv[1]).toLongLong();
    const int seconds = argc > 2 ? QByteArray(argv[2]).toInt() : 60;

    QTemporaryDir tmp;
    IniSettingsStore settings(tmp.filePath(QStringLiteral("Zentrel.ini")));
    DiskFiles files;
    NoPrompts prompts;
    Platform platform{settings, files, prompts, QString()};
    Module1 module(platform);
    module.HideDosWin = QStringLiteral("Yes");
    module.CloseDosWin = QStringLiteral("Yes");
    module.FinishedTitle = QStringLiteral("Finished - Duke3d");

    X11GameWindows windows;
    if (!windows.available()) {
        std::fprintf(stderr, "%s\n", qPrintable(windows.reason()));
        return 1;
    }
    GameSupervisor supervisor(module, windows);
    int checks = 0;
    QObject::connect(&supervisor.tmrChkWin, &QTimer::timeout, [&] { ++checks; });
    supervisor.WatchGame(pid, QStringLiteral("DUKE3D.EXE"), true);

    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = cpuSeconds() - cpu0;
    const double elapsed = wall.elapsed() / 1000.0;

    std::printf("game window found        %s\n", supervisor.GameWindow ? "yes" : "NO");
    std::printf("supervision steps        %d (tmrChkWin, every 2 s)\n", checks);
    std::printf("wall time                %.1f s\n", elapsed);
    std::printf("cpu time                 %.1f ms\n", cpu * 1000);
    std::printf("share of one core        %.4f %% (target < 0.1 %%)\n", 100.0 * cpu / elapsed);
    return supervisor.GameWindow && checks > 0 ? 0 : 1;
}
