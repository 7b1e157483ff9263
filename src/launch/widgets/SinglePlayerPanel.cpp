#include "launch/widgets/SinglePlayerPanel.h"

#include "launch/EpisodeTables.h"
#include "launch/widgets/ChooseEpisode.h"
#include "core/widgets/IconFactory.h"
#include "launch/widgets/LaunchContext.h"
#include "launch/widgets/LaunchHost.h"
#include "launch/widgets/MiscPanel.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/PanelHelpers.h"
#include "ui_SinglePlayerPanel.h"

#include <QSignalBlocker>

using namespace PanelHelpers;

SinglePlayerPanel::SinglePlayerPanel(LaunchContext &context, QWidget *parent)
    : QWidget(parent), ctx(context), ui(std::make_unique<Ui::SinglePlayerPanel>())
{
    ui->setupUi(this);
    setupPictures();
    connectSignals();
}

SinglePlayerPanel::~SinglePlayerPanel() = default;

void SinglePlayerPanel::setupPictures()
{
    for (QComboBox *list : {ui->cmbEpisode, ui->cmbLevel, ui->cmbSaved, ui->cmbMultiDukes}) {
        // Long names must not widen the panel; the open list shows them in full.
        list->setMinimumContentsLength(list == ui->cmbMultiDukes ? 2 : 12);
    }
    ui->cmbMultiDukes->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ui->cmdSmap->setIcon(IconFactory::icon(IconFactory::Picture::Map));
    ui->cmdSclear->setIcon(IconFactory::icon(IconFactory::Picture::ClearPanel));
    for (QToolButton *button : {ui->cmdSmap, ui->cmdSclear}) {
        button->setIconSize(QSize(22, 22));
        button->setAutoRaise(false);
    }
    // The map list only ever holds one file name: one row high.
    const int row = ui->lstSmap->fontMetrics().height() + 8;
    ui->lstSmap->setFixedHeight(qMax(row, ui->cmdSmap->sizeHint().height()));
}

void SinglePlayerPanel::connectSignals()
{
    connect(ui->chkSingle, &QCheckBox::toggled, this, &SinglePlayerPanel::chkSingle_Click);
    connect(ui->cmbEpisode, &QComboBox::currentIndexChanged, this, &SinglePlayerPanel::cmbEpisode_Click);
    connect(ui->cmbLevel, &QComboBox::currentIndexChanged, this, &SinglePlayerPanel::cmbLevel_Click);
    const QRadioButton *skills[] = {ui->optLvl1, ui->optLvl2, ui->optLvl3, ui->optLvl4};
    for (int skill = 0; skill < 4; ++skill)
        connect(skills[skill], &QRadioButton::toggled, this, [this, skill](bool on) {
            if (on)
                optLvl_Click(skill);
        });
    connect(ui->chkMultiDuke, &QCheckBox::toggled, this, &SinglePlayerPanel::chkMultiDuke_Click);
    connect(ui->cmbMultiDukes, &QComboBox::currentIndexChanged, this, &SinglePlayerPanel::cmbMultiDukes_Click);
    connect(ui->cmbSaved, &QComboBox::currentIndexChanged, this, &SinglePlayerPanel::cmbSaved_Click);
    connect(ui->cmdSclear, &QToolButton::clicked, this, &SinglePlayerPanel::ClearSinglePlayerOptions);
}

bool SinglePlayerPanel::isOn() const { return ui->chkSingle->isChecked(); }
void SinglePlayerPanel::setOn(bool on) { ui->chkSingle->setChecked(on); }
void SinglePlayerPanel::setFrameEnabled(bool enabled) { ui->fraSingPl->setEnabled(enabled); }
QComboBox *SinglePlayerPanel::episodeList() const { return ui->cmbEpisode; }
QComboBox *SinglePlayerPanel::levelList() const { return ui->cmbLevel; }
QComboBox *SinglePlayerPanel::savedGameList() const { return ui->cmbSaved; }
QListWidget *SinglePlayerPanel::mapList() const { return ui->lstSmap; }
QAbstractButton *SinglePlayerPanel::mapButton() const { return ui->cmdSmap; }

void SinglePlayerPanel::reinitialise()
{
    if (!isOn())
        return;
    setOn(false);
    setOn(true);
}

void SinglePlayerPanel::ClearSinglePlayerOptions()
{
    setOn(false);
    setOn(true);
}

void SinglePlayerPanel::fillEpisodes(bool allFour)
{
    fillList(ui->cmbEpisode, EpisodeTables::episodeNames(allFour));
}

void SinglePlayerPanel::chkSingle_Click(bool ticked)
{
    CommandLine &cl = ctx.commandLine;
    if (!ticked) {
        for (QWidget *w : {static_cast<QWidget *>(ui->fraSmap), static_cast<QWidget *>(ui->frmSkill),
                           static_cast<QWidget *>(ui->frmLevel), static_cast<QWidget *>(ui->fraSaved),
                           static_cast<QWidget *>(ui->fraMultiDukes), static_cast<QWidget *>(ui->cmdSclear)})
            w->setEnabled(false);
        fillList(ui->cmbEpisode);
        fillList(ui->cmbLevel);
        selectThenDeselect(ui->optLvl1);
        ui->chkMultiDuke->setChecked(false);
        ui->lstSmap->clear();
        selectIndex(ui->cmbSaved, -1);
        cl.EpisodeSwitch.clear();
        cl.LevelSwitch.clear();
        cl.SkillSwitch.clear();
        cl.UserMapSwitch.clear();
        cl.SavedGameSwitch.clear();
        cl.DukesSwitch.clear();
        return;
    }
    if (ctx.multi)
        ctx.multi->setOn(false);
    ui->frmLevel->setEnabled(true);
    ui->fraSmap->setEnabled(true);
    ui->frmSkill->setEnabled(true);
    ui->cmdSclear->setEnabled(true);
    const bool v15 = ctx.isVersion15();
    fillEpisodes(v15);
    if (v15) {
        ui->fraSaved->setEnabled(true);
        ui->fraMultiDukes->setEnabled(true);
    }
}

void SinglePlayerPanel::cmbEpisode_Click()
{
    ChooseEpisode(ui->cmbEpisode, ui->cmbLevel, ui->lstSmap, ui->cmbSaved, ctx.commandLine);
}

void SinglePlayerPanel::cmbLevel_Click(int index)
{
    if (index < 0) {
        ctx.commandLine.LevelSwitch.clear();
        return;
    }
    ctx.commandLine.LevelSwitch = EpisodeTables::levelSwitch(index);
    if (ctx.commandLine.SkillSwitch.isEmpty())
        focusAndSelect(ui->optLvl1, !ui->cmbLevel->browsing());
}

void SinglePlayerPanel::optLvl_Click(int skill)
{
    ctx.commandLine.SkillSwitch = QStringLiteral(" /s") + QString::number(skill);
}

void SinglePlayerPanel::chkMultiDuke_Click(bool ticked)
{
    if (ticked) {
        fillList(ui->cmbMultiDukes, {"0", "1", "2", "3", "4", "5", "6", "7"});
        ui->cmbMultiDukes->setEnabled(true);
    } else {
        fillList(ui->cmbMultiDukes);
        ui->cmbMultiDukes->setEnabled(false);
        ctx.commandLine.DukesSwitch.clear();
    }
}

void SinglePlayerPanel::cmbMultiDukes_Click(int index)
{
    ctx.commandLine.DukesSwitch =
        index < 0 ? QString() : QStringLiteral(" /a /q") + ui->cmbMultiDukes->itemText(index);
}

void SinglePlayerPanel::cmbSaved_Click(int index)
{
    CommandLine &cl = ctx.commandLine;
    const QString item = index < 0 ? QString() : ui->cmbSaved->itemText(index);
    if (item.isEmpty()) {
        cl.SavedGameSwitch.clear();
        return;
    }
    // A saved game brings its own episode and level: every other way into a game is dropped.
    cl.SavedGameSwitch = QStringLiteral(" /") + item.at(0);
    fillEpisodes(true);
    cl.EpisodeSwitch.clear();
    fillList(ui->cmbLevel);
    cl.LevelSwitch.clear();
    ui->lstSmap->clear();
    cl.UserMapSwitch.clear();
    fillList(ui->cmbMultiDukes);
    cl.DukesSwitch.clear();
    if (ctx.misc)
        ctx.misc->ClearMiscOptions();
    if (!ui->cmbSaved->browsing())
        ctx.host.focusLaunchButton();
}

void SinglePlayerPanel::setSavedGames(const QStringList &items)
{
    const QString chosen = ui->cmbSaved->currentText();
    int keep = -1;
    for (int i = 0; i < items.size() && !chosen.isEmpty(); ++i)
        if (items.at(i).at(0) == chosen.at(0))
            keep = i;
    {
        // Refilling is no choice of the player's: the other options stay as they are.
        const QSignalBlocker quiet(ui->cmbSaved);
        fillList(ui->cmbSaved, items);
        ui->cmbSaved->setCurrentIndex(keep);
    }
    if (!chosen.isEmpty() && keep < 0)
        cmbSaved_Click(-1);
}

void SinglePlayerPanel::showUserMap(const QString &fileName)
{
    CommandLine &cl = ctx.commandLine;
    cl.EpisodeSwitch.clear();
    fillEpisodes(ctx.isVersion15());
    fillList(ui->cmbLevel);
    cl.LevelSwitch.clear();
    selectIndex(ui->cmbSaved, -1);
    cl.SavedGameSwitch.clear();
    selectThenDeselect(ui->optLvl1);
    cl.SkillSwitch.clear();
    ui->lstSmap->clear();
    ui->lstSmap->addItem(fileName);
    cl.UserMapSwitch = QStringLiteral(" -map Kvuser.map");
}
