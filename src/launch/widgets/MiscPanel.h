#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class MiscPanel;
}
struct LaunchContext;
class QCheckBox;

// The Misc panel (contents of picOptions_3): respawn, no monsters and fake multi player.
class MiscPanel : public QWidget
{
    Q_OBJECT
public:
    explicit MiscPanel(LaunchContext &context, QWidget *parent = nullptr);
    ~MiscPanel() override;

    void ClearMiscOptions();

    // chkNoMons from the game types of the Multi Player panel; ticking runs its handler.
    void setNoMonsters(bool ticked);
    void setNoMonstersEnabled(bool enabled);

    bool fakeMultiOn() const; // chkFakeMulti ticked

private:
    void connectSignals();

    void Check1_Click(bool ticked);
    // Monsters, Items, Inventory: piece is " /t0", " /t1" or " /t2".
    void respawnBox_Click(QCheckBox *box, bool ticked);
    void chkResNone_Click(bool ticked);
    void chkNoMons_Click(bool ticked);
    void chkFakeMulti_Click(bool ticked);
    void cmbMulti_Click(int index);

    LaunchContext &ctx;
    std::unique_ptr<Ui::MiscPanel> ui;
};
