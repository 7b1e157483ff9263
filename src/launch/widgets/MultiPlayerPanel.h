#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class MultiPlayerPanel;
}
struct LaunchContext;
class QAbstractButton;
class QComboBox;
class QKeyEvent;
class QListWidget;

// The Multi Player panel (contents of picOptions_1): game type, players, socket, Duke name,
// episode, level, skill and user map of a network game.
class MultiPlayerPanel : public QWidget
{
    Q_OBJECT
public:
    explicit MultiPlayerPanel(LaunchContext &context, QWidget *parent = nullptr);
    ~MultiPlayerPanel() override;

    bool isOn() const;   // chkMulti ticked
    void setOn(bool on); // ticks or unticks chkMulti; its handler runs on a change
    void reinitialise(); // unticks and re-ticks chkMulti when it is ticked (version change)
    void ClearMultiPlayerOptions();

    // "-net" while multi player is on and no fake-player count turns the game into a local one.
    void restoreNetMarker();
    void emptyName(); // the name box and with it TypedPlayerName

    // A user map was chosen and copied (the caller does the dialog and the copy).
    void showUserMap(const QString &fileName);

    // What the launch reads.
    QString playerName() const;  // txtName
    QString socket() const;      // txtSocket: "~" or 1 to 4 hex digits
    QString playerCount() const; // the chosen entry of cmbNumPlayers, or empty
    QListWidget *mapList() const;
    QAbstractButton *mapButton() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void setupPictures();

    void chkMulti_Click(bool ticked);
    void optCoop_Click();
    void optDukeNOSpawn_Click();
    void optDukeSpawn_Click();
    void cmbNumPlayers_Click(int index);
    void cmbMepis_Click();
    void cmbMlev_Click(int index);
    void optMSk_Click(int skill);
    void txtName_Change(const QString &text);
    void setSocketText(const QString &text);
    void txtSocket_Change(const QString &text);
    bool txtSocket_KeyPress(QKeyEvent *key); // true: the key is discarded

    LaunchContext &ctx;
    std::unique_ptr<Ui::MultiPlayerPanel> ui;
};
