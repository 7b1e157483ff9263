#include "gametimer/widgets/GameTimerPanel.h"

#include "core/Module1.h"
#include "gametimer/widgets/TimerHost.h"
#include "gametimer/widgets/frmGameTimer.h"
#include "platform/Beep.h"
#include "platform/GameWindows.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

GameTimerPanel::GameTimerPanel(Module1 &module1, const Controls &controls, TimerHost &host, QObject *parent)
    : QObject(parent), m(module1), c(controls), host(host)
{
    tmrGameTimer.setObjectName(QStringLiteral("tmrGameTimer"));
    tmrGameTimer.setInterval(60000);
    tmrBeep.setObjectName(QStringLiteral("tmrBeep"));
    tmrBeep.setInterval(2000);
    c.lblGameTimer->clear();
    c.lblGameTimer->hide();
    c.lblGameTimer->installEventFilter(this);
    for (QAction *item : {c.mnuPopupCancel, c.mnuPopupPause, c.mnuPopupStart})
        item->setEnabled(false);
    connectSignals();
}

GameTimerPanel::~GameTimerPanel() = default;

void GameTimerPanel::connectSignals()
{
    connect(&tmrGameTimer, &QTimer::timeout, this, &GameTimerPanel::tmrGameTimer_Timer);
    connect(&tmrBeep, &QTimer::timeout, this, &GameTimerPanel::tmrBeep_Timer);
    connect(c.cmdGameTimer, &QAbstractButton::clicked, this, &GameTimerPanel::cmdGameTimer_Click);
    connect(c.mnuPopup, &QMenu::aboutToShow, this, &GameTimerPanel::mnuPopup_Open);
    connect(c.mnuPopupPause, &QAction::triggered, this, &GameTimerPanel::mnuPopupPause_Click);
    connect(c.mnuPopupStart, &QAction::triggered, this, &GameTimerPanel::mnuPopupStart_Click);
    connect(c.mnuPopupCancel, &QAction::triggered, this, &GameTimerPanel::mnuPopupCancel_Click);
}

GameTimer::State GameTimerPanel::state() const
{
    if (tmrBeep.isActive())
        return GameTimer::State::Expired;
    if (timer.TimePicked == 0)
        return GameTimer::State::NoLimit;
    if (tmrGameTimer.isActive())
        return GameTimer::State::Counting;
    if (c.mnuPopupStart->isEnabled())
        return GameTimer::State::Paused;
    return GameTimer::State::Set;
}

bool GameTimerPanel::canForce() const
{
    return m.platform.windows && m.platform.windows->available();
}

void GameTimerPanel::setLabel(const QString &text)
{
    c.lblGameTimer->setText(text);
    c.lblGameTimer->setAccessibleName(text);
}

void GameTimerPanel::startCounting()
{
    // An expired limit waits for its notice to be acknowledged; it does not count again.
    if (timer.TimePicked != 0 && !tmrGameTimer.isActive() && !tmrBeep.isActive())
        tmrGameTimer.start();
}

void GameTimerPanel::cmdGameTimer_Click()
{
    // Nothing would be left running to count while the program closes at the launch.
    if (m.DukeWin.trimmed().toInt() == 3) {
        m.platform.prompts.message(c.window, QStringLiteral("Zentrel is configured to Close\nafter Launching. You will "
                                                            "need to\nreconfigure the Launch Preference\nbefore using "
                                                            "the Game Timer."));
        return;
    }
    showDialog();
}

void GameTimerPanel::showDialog()
{
    // Modal without a nested event loop: the expiry notice opens from a timer's tick, and the
    // program must stay able to end (tray Exit) while it is up.
    auto *dialog = new frmGameTimer(*this, c.window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    // A modal window takes the focus as it opens. The notice that is not to force the player out
    // of the game opens without, and becomes modal once the player comes to the program.
    if (dialog->expiryMode() && !timer.ForceOut && QGuiApplication::applicationState() != Qt::ApplicationActive) {
        dialog->setAttribute(Qt::WA_ShowWithoutActivating);
        connect(qApp, &QGuiApplication::applicationStateChanged, dialog, [dialog](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive || dialog->isModal() || !dialog->isVisible())
                return;
            dialog->hide();
            dialog->setAttribute(Qt::WA_ShowWithoutActivating, false);
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->show();
        });
    } else {
        dialog->setWindowModality(Qt::ApplicationModal);
    }
    dialog->show();
}

void GameTimerPanel::tmrGameTimer_Timer()
{
    const GameTimer::Tick tick = timer.tick(!c.lblGameTimer->isHidden());
    if (tick.failed) {
        tmrGameTimer.stop(); // the label keeps its last text
        return;
    }
    setLabel(tick.label);
    if (!tick.expired)
        return;
    tmrBeep.start();
    c.cmdLaunch->setEnabled(true);
    emit expired();
    showDialog(); // in expiry mode, which stops tmrGameTimer
}

void GameTimerPanel::tmrBeep_Timer()
{
    if (m.platform.beep)
        m.platform.beep->beep();
    else
        QApplication::beep();
}

void GameTimerPanel::mnuPopup_Open()
{
    if (!c.lblGameTimer->isHidden())
        c.mnuPopupCancel->setEnabled(true);
    // A running count can be paused from the menu bar too, not only from the label.
    if (tmrGameTimer.isActive())
        c.mnuPopupPause->setEnabled(true);
}

void GameTimerPanel::mnuPopupPause_Click()
{
    tmrGameTimer.stop();
    setLabel(c.lblGameTimer->text() + QStringLiteral("   P"));
    c.mnuPopupStart->setEnabled(true);
    c.mnuPopupPause->setEnabled(false);
}

void GameTimerPanel::mnuPopupStart_Click()
{
    tmrGameTimer.start();
    QString text = c.lblGameTimer->text();
    if (text.endsWith(QLatin1String("   P")))
        text.chop(4);
    setLabel(text);
    c.mnuPopupPause->setEnabled(true);
    c.mnuPopupStart->setEnabled(false);
}

void GameTimerPanel::mnuPopupCancel_Click()
{
    clearTimer();
    tmrGameTimer.stop();
    tmrBeep.stop();
}

void GameTimerPanel::clearTimer()
{
    timer.clear();
    setLabel(QString());
    c.lblGameTimer->hide();
    c.cmdGameTimer->setEnabled(true);
    // Without a limit there is nothing to cancel, pause or go on with (the expiry notice's OK
    // comes here too, after Pause was offered during the count).
    for (QAction *item : {c.mnuPopupCancel, c.mnuPopupPause, c.mnuPopupStart})
        item->setEnabled(false);
}

bool GameTimerPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Any button but the left one on the label offers the Game Timer menu there.
    if (watched == c.lblGameTimer && event->type() == QEvent::MouseButtonPress) {
        auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() != Qt::LeftButton) {
            if (tmrGameTimer.isActive())
                c.mnuPopupPause->setEnabled(true);
            c.mnuPopup->popup(press->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
