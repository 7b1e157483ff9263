// The window layer against a real X server: its own Xvfb, openbox as window manager, and a real
// DOSBox running the waiting stand-in game.
#include "app/GameSupervisor.h"
#include "core/Module1.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/TrayIcon.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/linux/X11GameWindows.h"

#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "Prerequisites.h"
#include "X11Session.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "X11TestTools.h"

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>
#include <memory>

namespace {

using namespace X11TestTools;

QPoint screenPosition(quint32 window)
{
    xcb_connection_t *c = qtConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    auto *r = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr);
    const QPoint p = r ? QPoint(r->dst_x, r->dst_y) : QPoint(-1, -1);
    std::free(r);
    return p;
}

void setInputFocus(quint32 window)
{
    xcb_set_input_focus(qtConnection(), XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(qtConnection());
}

quint32 firstChild(quint32 window)
{
    auto *r = xcb_query_tree_reply(qtConnection(), xcb_query_tree(qtConnection(), window), nullptr);
    quint32 child = (r && xcb_query_tree_children_length(r) > 0) ? xcb_query_tree_children(r)[0] : 0;
    std::free(r);
    return child;
}

} // namespace

class TestX11GameWindows : public QObject
{
    Q_OBJECT

    X11Session &session;
    QTemporaryDir tmp;
    DesktopHelper openbox{QStringLiteral("openbox")};
    QList<std::shared_ptr<QProcess>> dosboxes;

    MemorySettingsStore settings;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{settings, files, prompts, QString()};

    std::unique_ptr<X11GameWindows> windows;
    std::shared_ptr<QProcess> longGame; // runs for the whole suite
    quint32 gameWindow = 0;

    // A DOSBox running the stand-in, which waits that many seconds before it ends.
    std::shared_ptr<QProcess> startGame(const QString &name, int seconds,
                                        const QString &program = QStringLiteral("DUKE3D.EXE"))
    {
        const QString dir = tmp.filePath(name);
        QDir(dir).removeRecursively(); // a function run again starts afresh
        QDir().mkpath(dir);
        for (const char *program : {"DUKE3D.EXE", "COMMIT.EXE"})
            if (!QFile::copy(Prerequisites::dosStubDir() + QLatin1Char('/') + QLatin1String(program),
                             dir + QLatin1Char('/') + QLatin1String(program)))
                return nullptr;
        QFile wait(dir + QStringLiteral("/WAIT.TXT"));
        wait.open(QIODevice::WriteOnly);
        wait.write(QByteArray::number(seconds));
        wait.close();
        QFile conf(dir + QStringLiteral(".conf"));
        conf.open(QIODevice::WriteOnly);
        conf.write("[sdl]\nfullscreen=false\nautolock=false\n[cpu]\ncycles=3000\n[mixer]\nnosound=true\n");
        conf.close();

        auto p = std::make_shared<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), tmp.path());
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        p->setProcessEnvironment(env);
        p->setProgram(QStringLiteral("dosbox"));
        p->setArguments({QStringLiteral("-conf"), conf.fileName(), QStringLiteral("-c"),
                         QStringLiteral("mount c \"%1\"").arg(dir), QStringLiteral("-c"),
                         QStringLiteral("c:"), QStringLiteral("-c"), program});
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        p->setStandardOutputFile(QProcess::nullDevice());
        p->start();
        dosboxes << p;
        return p->waitForStarted() ? p : nullptr;
    }

    // A condition wait: generous, since a loaded machine may take DOSBox many seconds to map.
    quint32 waitForWindow(X11GameWindows &w, const QString &title, int ms = 60000)
    {
        QDeadlineTimer deadline(ms);
        quint32 found = 0;
        while ((found = w.findWindow(title)) == 0 && !deadline.hasExpired())
            QTest::qWait(50);
        return found;
    }

    bool ensureOpenbox()
    {
        if (!openbox.running()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), tmp.path());
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
            if (!openbox.start(env))
                return false;
        }
        QDeadlineTimer deadline(10000);
        while (!windows->windowManagerPresent() && !deadline.hasExpired())
            QTest::qWait(50);
        return windows->windowManagerPresent();
    }

    // The game that runs for as long as the functions need it, started by the first that does
    // (every function also runs alone), its window found through the shared layer.
    bool ensureLongGame()
    {
        if (longGame && longGame->state() == QProcess::Running && gameWindow && windows->isWindow(gameWindow))
            return true;
        // A game whose window never turned up must not linger and be taken for the next one's.
        if (longGame && longGame->state() != QProcess::NotRunning) {
            longGame->kill();
            longGame->waitForFinished(10000);
        }
        gameWindow = 0;
        longGame = startGame(QStringLiteral("long"), 600);
        if (!longGame)
            return false;
        windows->registerProcess(longGame->processId(), QStringLiteral("DUKE3D.EXE"), true);
        gameWindow = waitForWindow(*windows, QStringLiteral("Duke3d"));
        return gameWindow != 0;
    }

public:
    explicit TestX11GameWindows(X11Session &s) : session(s) {}

private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::Xvfb, Need::DosBox, Need::DosStubs, Need::Openbox, Need::Xdotool, Need::Trayer);
        QVERIFY2(session.started(), qPrintable(session.problem()));
        QVERIFY(tmp.isValid());
        windows = std::make_unique<X11GameWindows>();
        QVERIFY(windows->available());
        QVERIFY(windows->sharesQtConnection());
    }

    // Every function starts with openbox managing the windows, whichever ran before.
    void init()
    {
        QVERIFY(ensureOpenbox());
    }

    void cleanupTestCase()
    {
        for (const auto &p : dosboxes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
        openbox.stop();
    }

    void withoutADisplayTheLayerSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("no display") << QByteArray() << "DISPLAY";
        QTest::newRow("Wayland only") << QByteArray("wayland-0") << "Wayland";
    }
    void withoutADisplayTheLayerSaysWhy()
    {
        QFETCH(QByteArray, wayland);
        QFETCH(QString, mentions);
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray oldWayland = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("DISPLAY");
        wayland.isEmpty() ? qunsetenv("WAYLAND_DISPLAY") : qputenv("WAYLAND_DISPLAY", wayland);
        X11GameWindows none(X11GameWindows::Connection::Own);
        qputenv("DISPLAY", display);
        oldWayland.isEmpty() ? qunsetenv("WAYLAND_DISPLAY") : qputenv("WAYLAND_DISPLAY", oldWayland);

        QVERIFY(!none.available());
        QVERIFY2(none.reason().contains(mentions), qPrintable(none.reason()));
        QCOMPARE(none.findWindow(QStringLiteral("Duke3d")), 0u);
        QCOMPARE(none.foreground().known, false);
        none.hide(1); // harmless
    }

    void findsTheGameByProgramWordAndProcess()
    {
        QVERIFY(ensureLongGame());
        // A window of a process Zentrel did not start is never found, whatever it shows (the
        // game's window is up: the shared layer found it).
        X11GameWindows stranger(X11GameWindows::Connection::Own);
        stranger.registerProcess(longGame->processId() + 100000, QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(stranger.findWindow(QStringLiteral("Duke3d")), 0u);

        QCOMPARE(windows->findWindow(QStringLiteral("DUKE3D")), gameWindow);
        QCOMPARE(windows->findWindow(QStringLiteral("Commit")), 0u);
        QCOMPARE(windows->findWindow(QStringLiteral("Finished - Duke3d")), 0u); // still running
        QVERIFY(windows->isWindow(gameWindow));
        QVERIFY(!windows->isWindow(0));
    }

    void hidesWhenThePlayerSwitchesAwayAndShowsWithoutStealingFocus()
    {
        QVERIFY(ensureLongGame());
        Module1 module(platform);
        module.HideDosWin = QStringLiteral("Yes");
        module.CloseDosWin = QStringLiteral("No");
        GameSupervisor supervisor(module, *windows);

        QVERIFY(activate(gameWindow));
        QTRY_COMPARE(windows->foreground().window, gameWindow);
        supervisor.WatchGame(longGame->processId(), QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(supervisor.GameWindow, gameWindow);
        supervisor.tmrTopWin_Timer();
        QVERIFY(supervisor.tmrChkWin.isActive());
        supervisor.tmrChkWin_Timer(); // the game in front: stays
        QVERIFY(isMapped(gameWindow));

        QWidget other;
        other.setWindowTitle(QStringLiteral("Another program"));
        other.resize(200, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QVERIFY(activate(other.winId()));
        QTRY_COMPARE(windows->foreground().window, quint32(other.winId()));
        const QPoint before = screenPosition(gameWindow);

        supervisor.tmrChkWin_Timer();
        QTRY_VERIFY(!isMapped(gameWindow));
        QVERIFY(supervisor.unhideEnabled());
        QVERIFY(!supervisor.tmrChkWin.isActive());
        QVERIFY(windows->isWindow(gameWindow));
        QCOMPARE(windows->findWindow(QStringLiteral("Duke3d")), gameWindow); // hidden, still known

        supervisor.UnhideGame();
        QTRY_VERIFY(isMapped(gameWindow));
        QTRY_COMPARE(screenPosition(gameWindow), before);
        QCOMPARE(windows->foreground().window, quint32(other.winId())); // the focus stayed
        QVERIFY(!supervisor.unhideEnabled());
    }

    void finishedWindowIsClosedOnRequest()
    {
        auto shortGame = startGame(QStringLiteral("short"), 2);
        QVERIFY(shortGame);
        // Its own layer (own connection), so the long game's window cannot answer for it.
        X11GameWindows own(X11GameWindows::Connection::Own);
        own.registerProcess(shortGame->processId(), QStringLiteral("DUKE3D.EXE"), true);
        const quint32 running = waitForWindow(own, QStringLiteral("Duke3d"));
        QVERIFY(running);
        QVERIFY(running != gameWindow);
        QCOMPARE(own.findWindow(QStringLiteral("Finished - Duke3d")), 0u);
        // Once the game has ended its window carries the finished title.
        QTRY_COMPARE_WITH_TIMEOUT(own.findWindow(QStringLiteral("Finished - duke3d")), running, 15000);
        QCOMPARE(own.findWindow(QStringLiteral("Duke3d")), 0u);

        Module1 module(platform);
        module.HideDosWin = QStringLiteral("No");
        module.CloseDosWin = QStringLiteral("Yes");
        module.FinishedTitle = QStringLiteral("Finished - Duke3d");
        GameSupervisor supervisor(module, own);
        supervisor.GameWindow = running;
        supervisor.tmrChkWin.start();
        supervisor.tmrChkWin_Timer();
        QVERIFY(!supervisor.tmrChkWin.isActive());
        QVERIFY(shortGame->waitForFinished(5000));
        QCOMPARE(shortGame->exitStatus(), QProcess::NormalExit);
        QTRY_VERIFY(!own.isWindow(running));
    }

    // The launcher hands over to the game at once and DOSBox returns to its prompt after both.
    void networkLauncherWindowFinishesToo()
    {
        auto net = startGame(QStringLiteral("net"), 1, QStringLiteral("COMMIT.EXE"));
        QVERIFY(net);
        X11GameWindows own(X11GameWindows::Connection::Own);
        own.registerProcess(net->processId(), QStringLiteral("commit.exe"), true);
        const quint32 finished = waitForWindow(own, QStringLiteral("Finished - Commit"));
        QVERIFY(finished);
        QCOMPARE(own.findWindow(QStringLiteral("Finished - Duke3d")), finished);
        own.requestClose(finished);
        QVERIFY(net->waitForFinished(5000));
    }

    // A real system tray (trayer): the icon appears and the window leaves the screen.
    void trayIconInARealTray()
    {
        DesktopHelper trayer(QStringLiteral("trayer"));
        QVERIFY(trayer.start());
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);

        QMainWindow main;
        main.setWindowTitle(QStringLiteral("Zentrel"));
        MainMenus menus(main);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        {
            TrayIcon tray(&main, menus);
            tray.AddTrayIcon();
            QVERIFY(tray.iconShown());
            QTRY_VERIFY(!isMapped(main.winId()));
            QVERIFY(!tray.icon().geometry().isEmpty()); // docked in the tray
            emit tray.icon().activated(QSystemTrayIcon::DoubleClick);
            QTRY_VERIFY(isMapped(main.winId()));
            QVERIFY(!tray.iconShown());
        }
    }

    // From here on there is no window manager.
    void withoutAWindowManager()
    {
        QVERIFY(ensureLongGame()); // it comes up under openbox
        QVERIFY(openbox.stop());
        QTRY_VERIFY(!windows->windowManagerPresent()); // the root's stale announcement is not trusted

        // A fresh layer on its own connection finds the game among the root's children.
        X11GameWindows own(X11GameWindows::Connection::Own);
        QVERIFY(!own.sharesQtConnection());
        own.registerProcess(longGame->processId(), QStringLiteral("DUKE3D.EXE"), true);
        QCOMPARE(own.findWindow(QStringLiteral("Duke3d")), gameWindow);

        Module1 module(platform);
        module.HideDosWin = QStringLiteral("Yes");
        module.CloseDosWin = QStringLiteral("No");
        GameSupervisor supervisor(module, own);
        supervisor.GameWindow = gameWindow;

        // Focus that follows the pointer tells nothing: never hide on it.
        setInputFocus(XCB_INPUT_FOCUS_POINTER_ROOT);
        QTRY_VERIFY(!own.foreground().known);
        supervisor.tmrChkWin.start();
        supervisor.tmrChkWin_Timer();
        QVERIFY(isMapped(gameWindow));
        QVERIFY(supervisor.tmrChkWin.isActive());

        // Focus inside the game's window counts as the game's window.
        const quint32 inner = firstChild(gameWindow);
        QVERIFY(inner);
        setInputFocus(inner);
        QTRY_COMPARE(own.foreground().window, gameWindow);
        supervisor.tmrChkWin_Timer();
        QVERIFY(isMapped(gameWindow));

        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        setInputFocus(other.winId());
        QTRY_COMPARE(own.foreground().window, quint32(other.winId()));
        const QPoint before = screenPosition(gameWindow);
        supervisor.tmrChkWin_Timer();
        QTRY_VERIFY(!isMapped(gameWindow));
        supervisor.UnhideGame();
        QTRY_VERIFY(isMapped(gameWindow));
        QCOMPARE(own.foreground().window, quint32(other.winId()));
        QCOMPARE(screenPosition(gameWindow), before);

        // The close request also works without a window manager.
        own.requestClose(gameWindow);
        QVERIFY(longGame->waitForFinished(5000));
    }
};

int main(int argc, char **argv)
{
    X11Session session; // before the application: it needs the display
    QApplication app(argc, argv);
    TestX11GameWindows test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11gamewindows.moc"
