// Zentrel on a Wayland desktop, for real (run by wayland_session.sh: weston with Xwayland in a
// private Xvfb): the main window is a Wayland window, DOSBox an Xwayland one. The game's window is
// found, hidden when a native Wayland window (weston-terminal) takes the front, and a finished
// game's window is closed.
#include "ControlDriver.h"
#include "DosBoxGame.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "app/GameSupervisor.h"
#include "app/widgets/GameSession.h"
#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/linux/X11GameWindows.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {
QString mapState(quint32 window)
{
    QProcess info;
    info.start("xwininfo", {"-id", QString::number(window)});
    info.waitForFinished(5000);
    const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
    const qsizetype at = out.indexOf("Map State: ");
    return at < 0 ? QString() : out.mid(at + 11).section('\n', 0, 0).trimmed();
}
} // namespace

class TestWaylandE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<X11GameWindows> windows;

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName().startsWith("wayland"), "run by tests/app/wayland_session.sh");
        windows = std::make_unique<X11GameWindows>();
        QVERIFY2(windows->available(), qPrintable(windows->reason()));
        QVERIFY(windows->reportsFrontWindow());
        qputenv("HOME", home.path().toUtf8());
        qputenv("SDL_AUDIODRIVER", "dummy");
        qunsetenv("SDL_VIDEODRIVER");
    }

    void hiddenWhenAWaylandWindowTakesTheFrontAndClosedWhenFinished()
    {
        DosBoxGameDir game(600);
        QVERIFY2(game.ready(), qPrintable(game.why()));
        MemorySettingsStore store;
        DiskFiles files;
        FakePrompts prompts;
        RecordingRunner runner(home.path()); // DOSBox stays at its prompt: the finished window
        Platform platform{store, files, prompts, QString()};
        platform.runner = &runner;
        platform.windows = windows.get();
        Module1 m(platform);
        m.DukePath = game.path();
        m.DukeWin = "0";
        m.HideDosWin = "Yes";
        m.CloseDosWin = "Yes";
        frmMain w(m);
        w.quitProgram = [] {};
        w.Form_Load();
        w.show();
        GameSupervisor &supervisor = w.session().supervisor();
        supervisor.tmrTopWin.setInterval(200);
        supervisor.tmrChkWin.setInterval(200);
        ControlDriver d(&w);
        const auto launch = [&] {
            d.tick("chkSingle");
            d.choose("cmbEpisode", "LA Meltdown");
            d.choose("cmbLevel", "DEATH ROW");
            d.button("cmdLaunch")->click();
            return runner.lastStarted(prompts.texts());
        };

        QVERIFY(launch());
        const qint64 first = runner.lastPid();
        QTRY_VERIFY_WITH_TIMEOUT(supervisor.GameWindow != 0, 60000);
        const quint32 gameWindow = supervisor.GameWindow;
        QTRY_VERIFY_WITH_TIMEOUT(supervisor.tmrChkWin.isActive(), 60000); // in front: watched
        QCOMPARE(mapState(gameWindow), QStringLiteral("IsViewable"));

        QProcess terminal;
        terminal.start("weston-terminal");
        QVERIFY(terminal.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(supervisor.unhideEnabled(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(mapState(gameWindow) != QStringLiteral("IsViewable"), 20000);
        terminal.kill();
        terminal.waitForFinished(10000);
        supervisor.ShowHiddenGame();
        ::kill(pid_t(first), SIGTERM);
        QVERIFY(waitGone(first, 20000));

        // A short game: it ends, DOSBox's prompt is the finished window, and Zentrel closes it.
        QVERIFY(game.write("WAIT.TXT", "3"));
        m.HideDosWin = "No"; // closing alone: a focus change cannot hide it first
        QVERIFY(launch());
        const qint64 second = runner.lastPid();
        QTRY_VERIFY_WITH_TIMEOUT(supervisor.tmrChkWin.isActive(), 60000);
        const bool gone = waitGone(second, 60000);
        QVERIFY2(gone, qPrintable(QStringLiteral("hidden %1, finished window %2, game window %3, front %4")
                                      .arg(supervisor.unhideEnabled())
                                      .arg(windows->findWindow(m.FinishedTitle))
                                      .arg(supervisor.GameWindow)
                                      .arg(windows->foreground().window)));
        QVERIFY(prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestWaylandE2E)
#include "wayland_e2e.moc"
