// "Force me out of the game" for real: the main window launches the waiting stand-in game in a
// real DOSBox on a private Xvfb with openbox, the player has the game in front, and the limit
// expires. Forced, the game's window goes to the task bar and the notice becomes the active
// window; otherwise the notice opens behind the player's back and the game keeps the focus.
#include "app/GameSupervisor.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "gametimer/widgets/frmGameTimer.h"

#include "DesktopGameRig.h"
#include "Prerequisites.h"
#include "X11Session.h"
#include "X11TestTools.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString g_home; // HOME of the test and of every DOSBox it starts
}

using namespace X11TestTools;

class TestForceOutE2E : public QObject
{
    Q_OBJECT

    X11Session &session;
    DesktopHelper openbox{QStringLiteral("openbox")};

public:
    explicit TestForceOutE2E(X11Session &s) : session(s) {}

private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::Xvfb, Need::DosBox, Need::Openbox, Need::Xdotool, Need::DosStubs);
        QVERIFY2(session.started(), qPrintable(session.problem()));
        QVERIFY(DesktopGameRig::writeQuietDosBoxSettings(g_home));
        QVERIFY(openbox.start());
        X11GameWindows probe;
        QTRY_VERIFY_WITH_TIMEOUT(probe.windowManagerPresent(), 10000);
    }

    void cleanupTestCase() { openbox.stop(); }

    void expiryOverTheGame_data()
    {
        QTest::addColumn<bool>("force");
        QTest::newRow("forced out") << true;
        QTest::newRow("not forced") << false;
    }
    void expiryOverTheGame()
    {
        QFETCH(bool, force);
        DesktopGameRig rig("No", "No", "0", 600);
        rig.setIntervals(1000, 500);
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        GameTimerPanel &timer = rig.window->gameTimer();

        rig.button("cmdGameTimer")->click();
        frmGameTimer *setup = timer.openDialog();
        QVERIFY(setup);
        ControlDriver(setup).choose("cmbGameTimer", "5");
        ControlDriver(setup).tick("chkForce", force);
        ControlDriver(setup).button("cmdOk")->click();

        rig.chooseSinglePlayer();
        QVERIFY(rig.launch());
        QVERIFY(timer.tmrGameTimer.isActive());
        const quint32 game = rig.gameWindow();
        QVERIFY(game);
        QVERIFY(rig.gameInFront(game));
        QCOMPARE(activeWindow(), game);

        // The five minutes go by in a moment once the player is in the game.
        timer.tmrGameTimer.setInterval(50);
        QTRY_VERIFY_WITH_TIMEOUT(timer.openDialog() && timer.openDialog()->isVisible(), 5000);
        frmGameTimer *notice = timer.openDialog();
        const quint32 noticeWindow = quint32(notice->winId());
        QTRY_VERIFY(isMapped(noticeWindow));

        if (force) {
            QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), noticeWindow, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(wmState(game), int(Iconic), 5000);
            QTRY_VERIFY(notice->isActiveWindow());
        } else {
            // The notice is up, and the game keeps the focus, also after the window manager had
            // its say.
            QTRY_COMPARE(wmState(noticeWindow), int(Normal));
            for (int i = 0; i < 10; ++i) {
                QCOMPARE(activeWindow(), game);
                QTest::qWait(50);
            }
            QCOMPARE(wmState(game), int(Normal));
            QVERIFY(!notice->isModal());
            // The player comes to Zentrel: the notice is in front, modal as ever.
            QVERIFY(activate(quint32(rig.window->winId())));
            QTRY_VERIFY(notice->isModal());
            QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), quint32(notice->winId()), 5000);
        }
        QVERIFY(timer.tmrBeep.isActive());

        ControlDriver(notice).button("cmdOk")->click();
        QTRY_VERIFY(!timer.openDialog());
        QVERIFY(!timer.tmrBeep.isActive());
        QCOMPARE(timer.state(), GameTimer::State::NoLimit);
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir home;
    g_home = home.path();
    DesktopGameRig::prepareEnvironment(home.path());
    // Before the application: it needs the display.
    X11Session session;
    QApplication app(argc, argv);
    TestForceOutE2E test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_forceout_e2e.moc"
