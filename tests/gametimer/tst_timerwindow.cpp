// The game timer in the real main window, driven through its button, its dialog, the label's
// pop-up and the "Game Timer" menu, with a launch through the Launch button. The one-minute tick
// runs in milliseconds here.
#include "app/widgets/MainMenus.h"
#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "gametimer/widgets/frmGameTimer.h"
#include "platform/Beep.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "ControlDriver.h"
#include "FakeGameRunner.h"
#include "FakeGameWindows.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

struct CountingBeep : Beep
{
    int beeps = 0;
    void beep() override { ++beeps; }
};

constexpr GameWindows::Handle kGameWindow = 0x500001;

// A configured main window over a game directory, with a runner that starts pid 4242 and a
// window system in which that process owns the window "Duke3d".
struct Rig : ControlDriver
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    FakeGameWindows windows;
    CountingBeep beeper;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;
    GameTimerPanel *timer = nullptr;
    QStringList labels; // the label after each tick
    int ticks = 0;

    explicit Rig(int tickMs = 20)
    {
        platform.programDir = dir.filePath(QStringLiteral("program"));
        platform.runner = &runner;
        platform.windows = &windows;
        platform.beep = &beeper;
        QFile exe(dir.filePath(QStringLiteral("duke3d.exe")));
        exe.open(QIODevice::WriteOnly);
        windows.windows[kGameWindow] = {4242, QStringLiteral("Duke3d")};
        m.LoadPreferences();
        m.DukePath = dir.path();
        m.DukeWin = QStringLiteral("0");
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        window->show();
        setRoot(window.get());
        timer = &window->gameTimer();
        timer->tmrGameTimer.setInterval(tickMs);
        timer->tmrBeep.setInterval(5);
        QObject::connect(&timer->tmrGameTimer, &QTimer::timeout, [this] {
            ++ticks;
            labels << label()->text();
        });
    }

    // What the player does once, right after the n-th tick, before the next can come.
    void atTick(int n, std::function<void()> act)
    {
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = QObject::connect(&timer->tmrGameTimer, &QTimer::timeout, window.get(), [this, n, act, once] {
            if (ticks != n)
                return;
            QObject::disconnect(*once);
            act();
        });
    }

    QLabel *label() { return get<QLabel>("lblGameTimer"); }
    QAction *item(const char *name) { return get<QAction>(name); }
    QMenu *menu() { return window->menus().mnuPopup; } // "&Game Timer"
    frmGameTimer *dialog() { return timer->openDialog(); }
    bool dialogShown() { return dialog() && dialog()->isVisible(); }

    // Opens the dialog with the Game Timer button, as the player does.
    frmGameTimer *openDialog()
    {
        button("cmdGameTimer")->click();
        return dialog();
    }
    // A new limit through the dialog.
    bool setLimit(const QString &minutes, bool force = false)
    {
        frmGameTimer *d = openDialog();
        if (!d || d->expiryMode())
            return false;
        ControlDriver(d).choose("cmbGameTimer", minutes);
        ControlDriver(d).tick("chkForce", force);
        ControlDriver(d).button("cmdOk")->click();
        return !dialogShown();
    }
    bool launch()
    {
        tick("chkSingle");
        choose("cmbEpisode", "LA Meltdown");
        choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
        const qsizetype before = runner.requests.size();
        button("cmdLaunch")->click();
        return runner.requests.size() == before + 1;
    }
    // The pop-up as any button but the left one offers it on the label.
    QMenu *popUp(Qt::MouseButton mouse = Qt::RightButton)
    {
        QTest::mouseClick(label(), mouse);
        return menu();
    }
};

} // namespace

class TestTimerWindow : public QObject
{
    Q_OBJECT
private slots:
    // Every opening for a new limit offers 5 to 120 with 30 chosen, whatever was used before.
    void setupDialogOffersItsLimits()
    {
        Rig rig;
        QVERIFY(rig.button("cmdGameTimer")->isEnabled());
        QVERIFY(rig.label()->isHidden());
        QStringList limits;
        for (int minutes = 5; minutes <= 120; minutes += 5)
            limits << QString::number(minutes);

        for (const QString &used : {QStringLiteral("45"), QStringLiteral("120")}) {
            frmGameTimer *d = rig.openDialog();
            QVERIFY(d && d->isVisible() && d->isModal() && !d->expiryMode());
            ControlDriver dd(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Zentrel Game Timer"));
            QCOMPARE(dd.get<QGroupBox>("fraGameTimer")->title(), QStringLiteral("Game Timer"));
            QVERIFY(dd.widget("fraGameTimer")->isEnabled());
            QCOMPARE(dd.items("cmbGameTimer"), limits);
            QCOMPARE(dd.combo("cmbGameTimer")->currentText(), QStringLiteral("30"));
            QVERIFY(!dd.combo("cmbGameTimer")->isEditable());
            QVERIFY(!dd.ticked("chkForce") && dd.button("chkForce")->isEnabled());
            QCOMPARE(dd.button("chkForce")->text(), QStringLiteral("Force me out of the game"));
            QCOMPARE(dd.get<QLabel>("lblTimer")->text(),
                     QStringLiteral("Set the Game Time in Minutes. After the set amount of time has elapsed, an "
                                    "intermittent beep will begin to sound during the game."));
            QCOMPARE(dd.button("cmdOk")->text(), QStringLiteral("OK"));
            QCOMPARE(dd.button("cmdCancel")->text(), QStringLiteral("Cancel"));
            QVERIFY(dd.button("cmdCancel")->isEnabled());
            QCOMPARE(d->windowIcon().cacheKey(), rig.window->windowIcon().cacheKey());
            const QRect screen = d->screen()->availableGeometry();
            // Centred, give or take the window frame's margins.
            QVERIFY(qAbs(d->frameGeometry().center().x() - screen.center().x()) <= 3);
            QVERIFY(qAbs(d->frameGeometry().center().y() - screen.center().y()) <= 3);

            dd.choose("cmbGameTimer", used);
            dd.button("cmdOk")->click();
            QVERIFY(!rig.dialogShown());
            QCOMPARE(rig.label()->text(), QStringLiteral("Game Timer: ") + used);
            QVERIFY(rig.label()->isVisible());
            QVERIFY(!rig.button("cmdGameTimer")->isEnabled());
            QCOMPARE(rig.timer->state(), GameTimer::State::Set);
            rig.menu()->popup({});
            rig.item("mnuPopupCancel")->trigger();
            QCOMPARE(rig.timer->state(), GameTimer::State::NoLimit);
        }
    }

    // Cancel and the close box of a new limit's dialog leave everything as it was; the close box
    // of the expiry notice does what its OK does.
    void setupCancelAndCloseChangeNothing()
    {
        Rig rig;
        for (bool closeBox : {false, true}) {
            frmGameTimer *d = rig.openDialog();
            QVERIFY(d);
            ControlDriver(d).choose("cmbGameTimer", "60");
            ControlDriver(d).tick("chkForce");
            if (closeBox)
                d->close();
            else
                ControlDriver(d).button("cmdCancel")->click();
            QVERIFY(!rig.dialogShown());
            QCOMPARE(rig.timer->state(), GameTimer::State::NoLimit);
            QVERIFY(rig.label()->isHidden() && rig.label()->text().isEmpty());
            QVERIFY(rig.button("cmdGameTimer")->isEnabled());
            QCOMPARE(rig.timer->timer.TimePicked, 0);
            QVERIFY(!rig.timer->timer.ForceOut);
        }
    }

    // A 5-minute limit counts from the launch: 5 at OK, then 4, 3, 2, 1, 0 a tick apart; the tick
    // that shows 0 opens the notice and starts the beeping; OK or the close box ends it.
    void fiveMinuteLimitExpires_data()
    {
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("OK") << false << false;
        QTest::newRow("close box") << false << true;
        QTest::newRow("forced, OK") << true << false;
        QTest::newRow("forced, close box") << true << true;
    }
    void fiveMinuteLimitExpires()
    {
        QFETCH(bool, force);
        QFETCH(bool, closeBox);
        Rig rig;
        QVERIFY(rig.setLimit("5", force));
        const QString F = force ? QStringLiteral(" /F") : QString();
        QCOMPARE(rig.label()->text(), "Game Timer: 5" + F);
        QVERIFY(!rig.timer->tmrGameTimer.isActive()); // nothing counts before the launch

        bool noticeBeforeZero = false;
        QObject::connect(&rig.timer->tmrGameTimer, &QTimer::timeout, [&] {
            if (rig.ticks < 5 && (rig.dialogShown() || rig.timer->tmrBeep.isActive()))
                noticeBeforeZero = true;
        });
        QVERIFY(rig.launch());
        rig.button("cmdLaunch")->setEnabled(false); // the expiry gives the button back
        QCOMPARE(rig.timer->state(), GameTimer::State::Counting);
        rig.timer->mnuPopup_Open(); // the menu bar's Game Timer menu, opened during the count
        QVERIFY(rig.item("mnuPopupPause")->isEnabled());
        QTRY_VERIFY(rig.dialogShown());
        QCOMPARE(rig.labels, (QStringList{"Game Timer: 4" + F, "Game Timer: 3" + F, "Game Timer: 2" + F,
                                          "Game Timer: 1" + F, "Game Timer: 0" + F}));
        QVERIFY(!noticeBeforeZero);
        QCOMPARE(rig.timer->state(), GameTimer::State::Expired);
        QVERIFY(!rig.timer->tmrGameTimer.isActive());
        QVERIFY(rig.button("cmdLaunch")->isEnabled());
        QTRY_VERIFY(rig.beeper.beeps >= 2);

        frmGameTimer *d = rig.dialog();
        ControlDriver dd(d);
        QVERIFY(d->expiryMode() && d->isModal());
        QVERIFY(!dd.button("cmdCancel")->isEnabled());
        QVERIFY(!dd.widget("fraGameTimer")->isEnabled());
        QVERIFY(!dd.combo("cmbGameTimer")->isEnabled() && !dd.button("chkForce")->isEnabled());
        QCOMPARE(dd.items("cmbGameTimer"), QStringList{"5"});
        QCOMPARE(dd.combo("cmbGameTimer")->currentText(), QStringLiteral("5"));
        QCOMPARE(dd.get<QLabel>("lblTimer")->text(), QStringLiteral("Your 5 minute Game Time limit has expired."));
        QCOMPARE(dd.ticked("chkForce"), force);
        if (force) {
            // The game's window goes to the task bar and the notice comes in front.
            QTRY_COMPARE(rig.windows.iconified, QList<GameWindows::Handle>{kGameWindow});
            QTRY_VERIFY(rig.windows.activated.contains(GameWindows::Handle(d->winId())));
        }
        // A launch while the notice waits starts the game but not a second count.
        QVERIFY(rig.launch());
        QVERIFY(!rig.timer->tmrGameTimer.isActive());

        if (closeBox)
            d->close();
        else
            dd.button("cmdOk")->click();
        QTRY_VERIFY(!rig.dialogShown());
        QVERIFY(!rig.timer->tmrBeep.isActive());
        QVERIFY(rig.label()->isHidden() && rig.label()->text().isEmpty());
        QVERIFY(rig.button("cmdGameTimer")->isEnabled());
        QCOMPARE(rig.timer->state(), GameTimer::State::NoLimit);
        for (const char *name : {"mnuPopupCancel", "mnuPopupPause", "mnuPopupStart"})
            QVERIFY2(!rig.item(name)->isEnabled(), name); // no limit: nothing to pause or go on with
        if (!force) {
            QVERIFY(rig.windows.iconified.isEmpty());
            QVERIFY(rig.windows.activated.isEmpty());
        }
    }

    // A limit without a launch counts nothing; the pop-up then offers Cancel Timer but not
    // Pause, and the left button offers nothing.
    void limitWithoutLaunchCountsNothing()
    {
        Rig rig;
        QVERIFY(rig.setLimit("10"));
        QVERIFY(!rig.timer->tmrGameTimer.isActive());
        QMenu *menu = rig.popUp(Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        menu = rig.popUp(Qt::MiddleButton);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(rig.item("mnuPopupCancel")->isEnabled());
        QVERIFY(!rig.item("mnuPopupPause")->isEnabled());
        QVERIFY(!rig.item("mnuPopupStart")->isEnabled());
        menu->hide();
        QCOMPARE(rig.ticks, 0);
        QCOMPARE(rig.label()->text(), QStringLiteral("Game Timer: 10"));
    }

    // Pausing for ten ticks' time moves the expiry ten ticks later: paused, nothing counts.
    void pauseDelaysTheExpiry()
    {
        Rig rig;
        QVERIFY(rig.setLimit("5", true));
        QStringList offered;
        bool pauseInMenuBar = false;
        rig.atTick(1, [&] {
            rig.menu()->popup({});
            pauseInMenuBar = rig.item("mnuPopupPause")->isEnabled();
            rig.menu()->hide();
        });
        rig.atTick(2, [&] {
            QMenu *menu = rig.popUp();
            for (const char *name : {"mnuPopupCancel", "mnuPopupPause", "mnuPopupStart"})
                if (menu->isVisible() && rig.item(name)->isEnabled())
                    offered << QLatin1String(name);
            rig.item("mnuPopupPause")->trigger();
            menu->hide();
        });
        QVERIFY(rig.launch());
        QTRY_COMPARE(rig.timer->state(), GameTimer::State::Paused);
        QCOMPARE(offered, (QStringList{"mnuPopupCancel", "mnuPopupPause"}));
        QVERIFY(pauseInMenuBar);
        QCOMPARE(rig.ticks, 2);
        QCOMPARE(rig.label()->text(), QStringLiteral("Game Timer: 3 /F   P"));
        QCOMPARE(rig.timer->state(), GameTimer::State::Paused);
        QVERIFY(!rig.item("mnuPopupPause")->isEnabled() && rig.item("mnuPopupStart")->isEnabled());

        // Ten intervals of a clock beside it go by without a tick.
        QTimer clock;
        clock.setInterval(rig.timer->tmrGameTimer.interval());
        int intervals = 0;
        QObject::connect(&clock, &QTimer::timeout, [&] { ++intervals; });
        clock.start();
        QTRY_VERIFY(intervals >= 10);
        QCOMPARE(rig.ticks, 2);
        QVERIFY(!rig.dialogShown());

        rig.menu()->popup({}); // from the menu bar this time
        rig.item("mnuPopupStart")->trigger();
        rig.menu()->hide();
        QCOMPARE(rig.label()->text(), QStringLiteral("Game Timer: 3 /F"));
        QVERIFY(rig.item("mnuPopupPause")->isEnabled() && !rig.item("mnuPopupStart")->isEnabled());
        QTRY_VERIFY(rig.dialogShown());
        QCOMPARE(rig.ticks, 5); // three more after the pause: the whole limit counted, no more
        QVERIFY(intervals >= 13);
        QCOMPARE(rig.labels.last(), QStringLiteral("Game Timer: 0 /F"));
    }

    // Cancel Timer ends a run; a limit set afterwards counts its whole length from the next
    // launch. Launching again during a run does not start the count afresh.
    void cancelledRunAndRelaunch()
    {
        Rig rig;
        QVERIFY(rig.setLimit("5"));
        rig.atTick(2, [&] {
            rig.popUp();
            rig.item("mnuPopupCancel")->trigger();
            rig.menu()->hide();
        });
        QVERIFY(rig.launch());
        QTRY_COMPARE(rig.timer->state(), GameTimer::State::NoLimit);
        QCOMPARE(rig.ticks, 2);
        QVERIFY(!rig.timer->tmrGameTimer.isActive() && !rig.timer->tmrBeep.isActive());
        QVERIFY(rig.label()->isHidden() && rig.label()->text().isEmpty());
        QVERIFY(rig.button("cmdGameTimer")->isEnabled());
        for (const char *name : {"mnuPopupCancel", "mnuPopupPause", "mnuPopupStart"})
            QVERIFY2(!rig.item(name)->isEnabled(), name);

        QVERIFY(rig.setLimit("5"));
        rig.ticks = 0;
        rig.labels.clear();
        bool relaunched = false;
        rig.atTick(2, [&] { relaunched = rig.launch(); }); // a second game while the first counts
        QVERIFY(rig.launch());
        QTRY_VERIFY(rig.dialogShown());
        QVERIFY(relaunched);
        QCOMPARE(rig.ticks, 5);
        QCOMPARE(rig.labels.first(), QStringLiteral("Game Timer: 4"));
    }

    // A launch while the count runs leaves the tick's rhythm alone.
    void launchAgainKeepsTheRhythm()
    {
        Rig rig(1000);
        QVERIFY(rig.setLimit("5"));
        QVERIFY(rig.launch());
        QTRY_VERIFY(rig.timer->tmrGameTimer.remainingTime() < 700);
        QVERIFY(rig.launch());
        QVERIFY(rig.timer->tmrGameTimer.remainingTime() < 700);
    }

    // With the Launch Preference "Closed" nothing would be left to count: the button tells so
    // and the timer stays as it was.
    void launchPreferenceClosed()
    {
        Rig rig;
        rig.m.DukeWin = QStringLiteral("3");
        rig.button("cmdGameTimer")->click();
        QVERIFY(!rig.dialog());
        QCOMPARE(rig.prompts.texts(),
                 QStringList{"Zentrel is configured to Close\nafter Launching. You will need to\nreconfigure the "
                             "Launch Preference\nbefore using the Game Timer."});
        QCOMPARE(rig.prompts.shown.first().buttons, Prompts::Buttons::Ok);
        QCOMPARE(rig.timer->state(), GameTimer::State::NoLimit);
        QVERIFY(rig.label()->isHidden());
        QVERIFY(rig.button("cmdGameTimer")->isEnabled());
    }

    // Without a window layer nothing can take the player out of the game: the box is not offered,
    // so the label never claims " /F".
    void noWindowLayerOffersNoForcing()
    {
        Rig rig;
        rig.windows.up = false;
        frmGameTimer *d = rig.openDialog();
        QVERIFY(d);
        QVERIFY(!ControlDriver(d).button("chkForce")->isEnabled());
        QVERIFY(!ControlDriver(d).button("chkForce")->toolTip().isEmpty());
        ControlDriver(d).button("cmdOk")->click();
        QCOMPARE(rig.label()->text(), QStringLiteral("Game Timer: 30"));
    }
};

QTEST_MAIN(TestTimerWindow)
#include "tst_timerwindow.moc"
