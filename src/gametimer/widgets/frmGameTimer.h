#pragma once

#include <QDialog>
#include <memory>

class GameTimerPanel;
namespace Ui { class frmGameTimer; }

// "Zentrel Game Timer": the limit to set (setup mode), or the notice that it has expired (expiry
// mode, while the beep sounds). Each opening builds it afresh.
class frmGameTimer : public QDialog
{
    Q_OBJECT
public:
    frmGameTimer(GameTimerPanel &panel, QWidget *owner = nullptr);
    ~frmGameTimer() override;

    bool expiryMode() const { return m_expiry; }

    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void reject() override; // Escape and the close box
    void showEvent(QShowEvent *event) override;

private:
    void connectSignals();
    void Form_Load();
    void forceToFront();
    static constexpr int kForceTries = 8;

    std::unique_ptr<Ui::frmGameTimer> ui;
    GameTimerPanel &panel;
    bool m_expiry = false;
    bool m_done = false;
    bool m_forceFront = false; // the notice of a forced limit
    int m_forceTries = 0;
};
