#include "launch/widgets/MiscPanel.h"

#include "core/widgets/IconFactory.h"
#include "launch/widgets/LaunchContext.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/PanelHelpers.h"
#include "ui_MiscPanel.h"

using namespace PanelHelpers;

namespace {
QString piece(int box) { return QStringLiteral(" /t") + QString::number(box); }
} // namespace

MiscPanel::MiscPanel(LaunchContext &context, QWidget *parent)
    : QWidget(parent), ctx(context), ui(std::make_unique<Ui::MiscPanel>())
{
    ui->setupUi(this);
    ui->chkResNone->setChecked(true);
    ui->cmbMulti->setMinimumContentsLength(2);
    // Its caption is the Multi Player box's; a screen reader tells the two apart by this name.
    ui->cmbMulti->setAccessibleName(QStringLiteral("Number of Fake Players"));
    ui->cmdMscClear->setIcon(IconFactory::icon(IconFactory::Picture::ClearPanel));
    ui->cmdMscClear->setIconSize(QSize(22, 22));
    connectSignals();
}

MiscPanel::~MiscPanel() = default;

void MiscPanel::connectSignals()
{
    connect(ui->Check1, &QCheckBox::toggled, this, &MiscPanel::Check1_Click);
    for (QCheckBox *box : {ui->Check2, ui->Check3, ui->Check4})
        connect(box, &QCheckBox::toggled, this, [this, box](bool ticked) { respawnBox_Click(box, ticked); });
    connect(ui->chkResNone, &QCheckBox::toggled, this, &MiscPanel::chkResNone_Click);
    connect(ui->chkNoMons, &QCheckBox::toggled, this, &MiscPanel::chkNoMons_Click);
    connect(ui->chkFakeMulti, &QCheckBox::toggled, this, &MiscPanel::chkFakeMulti_Click);
    connect(ui->cmbMulti, &QComboBox::currentIndexChanged, this, &MiscPanel::cmbMulti_Click);
    connect(ui->cmdMscClear, &QToolButton::clicked, this, &MiscPanel::ClearMiscOptions);
}

void MiscPanel::setNoMonsters(bool ticked) { ui->chkNoMons->setChecked(ticked); }
void MiscPanel::setNoMonstersEnabled(bool enabled) { ui->chkNoMons->setEnabled(enabled); }
bool MiscPanel::fakeMultiOn() const { return ui->chkFakeMulti->isChecked(); }

void MiscPanel::Check1_Click(bool ticked)
{
    QCheckBox *singles[] = {ui->Check2, ui->Check3, ui->Check4};
    if (ticked) {
        ui->chkResNone->setChecked(false);
        for (QCheckBox *box : singles) {
            box->setEnabled(false);
            box->setChecked(false);
        }
        ui->chkNoMons->setChecked(false);
        ui->chkNoMons->setEnabled(false);
        ctx.commandLine.RespawnSwitch = QStringLiteral(" /tx");
    } else {
        for (QCheckBox *box : singles) {
            box->setEnabled(true);
            box->setChecked(false);
        }
        ui->chkNoMons->setEnabled(true);
        ctx.commandLine.RespawnSwitch.clear();
    }
}

void MiscPanel::respawnBox_Click(QCheckBox *box, bool ticked)
{
    const int index = box == ui->Check2 ? 0 : box == ui->Check3 ? 1 : 2;
    QString &respawn = ctx.commandLine.RespawnSwitch;
    if (!ticked) {
        // The unticked choice leaves the command line (" /tx" holds no single piece).
        respawn.remove(piece(index));
        if (box == ui->Check2)
            ui->chkNoMons->setEnabled(true);
        return;
    }
    QCheckBox *others[2];
    int n = 0;
    for (QCheckBox *other : {ui->Check2, ui->Check3, ui->Check4})
        if (other != box)
            others[n++] = other;
    if (others[0]->isChecked() && others[1]->isChecked()) {
        ui->Check1->setChecked(true);
        return;
    }
    if (box == ui->Check2) {
        ui->chkNoMons->setChecked(false);
        ui->chkNoMons->setEnabled(false);
    }
    ui->chkResNone->setChecked(false);
    if (!respawn.contains(piece(index)))
        respawn += piece(index);
}

void MiscPanel::chkResNone_Click(bool ticked)
{
    if (!ticked)
        return;
    for (QCheckBox *box : {ui->Check1, ui->Check2, ui->Check3, ui->Check4})
        box->setChecked(false);
    ui->chkResNone->setChecked(true);
    ctx.commandLine.RespawnSwitch.clear();
}

void MiscPanel::chkNoMons_Click(bool ticked)
{
    if (!ticked) {
        ctx.commandLine.NoMonstersSwitch.clear();
        ui->Check1->setEnabled(true);
        ui->Check2->setEnabled(true);
        return;
    }
    ctx.commandLine.NoMonstersSwitch = QStringLiteral(" /m");
    if (ui->Check1->isChecked()) {
        // Everything but monsters keeps respawning.
        ui->Check1->setChecked(false);
        ui->Check1->setEnabled(false);
        ui->Check2->setChecked(false);
        ui->Check2->setEnabled(false);
        ui->Check3->setChecked(true);
        ui->Check4->setChecked(true);
    } else {
        ui->Check1->setEnabled(false);
        ui->Check2->setChecked(false);
        ui->Check2->setEnabled(false);
    }
}

void MiscPanel::chkFakeMulti_Click(bool ticked)
{
    if (ticked) {
        fillList(ui->cmbMulti, {"1", "2", "3", "4", "5", "6", "7", "8"});
        ui->cmbMulti->setEnabled(true);
        ui->cmbMulti->setFocus(Qt::OtherFocusReason);
        return;
    }
    ctx.commandLine.FakePlayersSwitch.clear();
    fillList(ui->cmbMulti);
    ui->cmbMulti->setEnabled(false);
    if (ctx.multi)
        ctx.multi->restoreNetMarker();
}

void MiscPanel::cmbMulti_Click(int index)
{
    if (index >= 0 && ui->cmbMulti->count() > 0) {
        ctx.commandLine.FakePlayersSwitch = QStringLiteral(" /q") + QString::number(index + 1);
        ctx.commandLine.NetMarker.clear();
        return;
    }
    ctx.commandLine.FakePlayersSwitch.clear();
    if (ctx.multi)
        ctx.multi->restoreNetMarker();
}

void MiscPanel::ClearMiscOptions()
{
    ui->chkFakeMulti->setChecked(false);
    fillList(ui->cmbMulti);
    ui->chkNoMons->setChecked(false);
    ui->chkNoMons->setEnabled(true); // "DukeMatch (no spawn)" may have locked it
    ui->chkResNone->setChecked(true);
    ui->chkResNone->setChecked(false);
    if (ctx.multi)
        ctx.multi->emptyName();
}
