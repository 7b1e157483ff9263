#include "gametimer/widgets/frmGameTimer.h"

#include "ui_frmGameTimer.h"

#include "core/Module1.h"
#include "core/widgets/DialogPlacement.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "gametimer/widgets/TimerHost.h"
#include "platform/GameWindows.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>

frmGameTimer::frmGameTimer(GameTimerPanel &panel, QWidget *owner)
    : QDialog(owner), ui(std::make_unique<Ui::frmGameTimer>()), panel(panel)
{
    ui->setupUi(this);
    if (owner)
        setWindowIcon(owner->window()->windowIcon());
    connectSignals();
    Form_Load();
    centreOnScreen(this);
}

frmGameTimer::~frmGameTimer() = default;

void frmGameTimer::connectSignals()
{
    connect(ui->cmdOk, &QPushButton::clicked, this, &frmGameTimer::cmdOk_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmGameTimer::cmdCancel_Click);
}

void frmGameTimer::Form_Load()
{
    m_expiry = panel.tmrBeep.isActive();
    GameTimer &timer = panel.timer;
    if (!m_expiry) {
        ui->fraGameTimer->setEnabled(true);
        ui->cmbGameTimer->clear();
        for (int minutes = 5; minutes <= 120; minutes += 5)
            ui->cmbGameTimer->addItem(QString::number(minutes));
        ui->cmbGameTimer->setCurrentIndex(5); // 30
        ui->lblTimer->setText(QStringLiteral("Set the Game Time in Minutes. After the set amount of time has elapsed, "
                                             "an intermittent beep will begin to sound during the game."));
        if (!panel.canForce()) {
            // Nothing here can take the player out of the game's window: not offered.
            ui->chkForce->setEnabled(false);
            ui->chkForce->setToolTip(QStringLiteral("Zentrel cannot bring its notice in front of the game on this "
                                                    "desktop (no X11 display)."));
        }
        return;
    }
    ui->cmdCancel->setEnabled(false);
    ui->fraGameTimer->setEnabled(false);
    ui->cmbGameTimer->clear();
    ui->cmbGameTimer->addItem(QString::number(timer.TimePicked));
    ui->cmbGameTimer->setCurrentIndex(0);
    ui->lblTimer->setText(QStringLiteral("Your %1 minute Game Time limit has expired.").arg(timer.TimePicked));
    // The frame is off so that nothing in it can be changed; the notice itself stays readable.
    QPalette readable = ui->lblTimer->palette();
    readable.setColor(QPalette::Disabled, QPalette::WindowText, readable.color(QPalette::Active, QPalette::WindowText));
    ui->lblTimer->setPalette(readable);
    panel.tmrGameTimer.stop();
    if (timer.ForceOut) {
        ui->chkForce->setChecked(true);
        m_forceFront = true;
    }
}

void frmGameTimer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_forceFront && m_forceTries == 0)
        QTimer::singleShot(0, this, &frmGameTimer::forceToFront);
}

// The game's window goes to the task bar and the notice comes in front of everything. The window
// manager takes a window it is still setting up as not there yet: asked again a few times.
void frmGameTimer::forceToFront()
{
    if (!isVisible() || (m_forceTries > 0 && isActiveWindow()))
        return;
    if (GameWindows *windows = panel.m.platform.windows) {
        if (m_forceTries == 0)
            if (const GameWindows::Handle game = panel.host.gameWindow())
                windows->iconify(game);
        windows->activate(GameWindows::Handle(winId()));
    }
    raise();
    activateWindow();
    if (++m_forceTries < kForceTries)
        QTimer::singleShot(250, this, &frmGameTimer::forceToFront);
}

void frmGameTimer::cmdOk_Click()
{
    if (m_done)
        return;
    m_done = true;
    GameTimer &timer = panel.timer;
    if (m_expiry) {
        panel.tmrBeep.stop();
        panel.clearTimer();
    } else {
        panel.c.cmdGameTimer->setEnabled(false);
        timer.TimePicked = std::int16_t(ui->cmbGameTimer->currentText().toInt());
        timer.ForceOut = ui->chkForce->isChecked();
        panel.setLabel(GameTimer::labelText(timer.TimePicked, timer.ForceOut, false));
        panel.c.lblGameTimer->show();
    }
    accept();
}

void frmGameTimer::cmdCancel_Click()
{
    if (m_done)
        return;
    m_done = true;
    panel.clearTimer();
    QDialog::reject();
}

void frmGameTimer::reject()
{
    // The close box: in expiry mode as OK, in setup mode nothing changes.
    if (m_expiry)
        cmdOk_Click();
    else
        QDialog::reject();
}
