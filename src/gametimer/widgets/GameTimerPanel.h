#pragma once

#include "gametimer/GameTimer.h"
#include "gametimer/widgets/frmGameTimer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class Module1;
class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QWidget;
class TimerHost;

// The main window's part of the game timer: the Game Timer button, the label with its pop-up
// menu, the "&Game Timer" menu, the one-minute tick (tmrGameTimer) and the beep every two seconds
// (tmrBeep) once the limit has expired.
class GameTimerPanel : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *window;
        QAbstractButton *cmdGameTimer;
        QLabel *lblGameTimer;
        QAbstractButton *cmdLaunch;
        QMenu *mnuPopup;
        QAction *mnuPopupCancel;
        QAction *mnuPopupPause;
        QAction *mnuPopupStart;
    };

    GameTimerPanel(Module1 &module1, const Controls &controls, TimerHost &host, QObject *parent = nullptr);
    ~GameTimerPanel() override;

    GameTimer timer;
    QTimer tmrGameTimer; // 60000 ms: one minute of play
    QTimer tmrBeep;      // 2000 ms: one beep

    GameTimer::State state() const;

    // The launch: counting starts when a limit is set; a count already running goes on.
    void startCounting();

    void cmdGameTimer_Click();
    void tmrGameTimer_Timer();
    void tmrBeep_Timer();
    void mnuPopup_Open();   // enables "&Cancel Timer" when a limit is shown
    void mnuPopupPause_Click();
    void mnuPopupStart_Click();
    void mnuPopupCancel_Click();
    void clearTimer();

    // Shows the dialog, modal over every window of the program; its mode follows tmrBeep.
    void showDialog();
    frmGameTimer *openDialog() const { return m_dialog; }

    // Whether the notice can be forced in front of the game here (a window layer to iconify
    // the game's window and activate the notice).
    bool canForce() const;

signals:
    void expired(); // the notice for an expired limit is about to open

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class frmGameTimer;
    void connectSignals();
    void setLabel(const QString &text);

    Module1 &m;
    Controls c;
    TimerHost &host;
    QPointer<frmGameTimer> m_dialog; // released when it closes
};
