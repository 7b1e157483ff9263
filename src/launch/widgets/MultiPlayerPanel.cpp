#include "launch/widgets/MultiPlayerPanel.h"

#include "launch/EpisodeTables.h"
#include "launch/NetworkKeys.h"
#include "launch/widgets/ChooseEpisode.h"
#include "core/widgets/IconFactory.h"
#include "launch/widgets/LaunchContext.h"
#include "launch/widgets/MiscPanel.h"
#include "launch/widgets/PanelHelpers.h"
#include "launch/widgets/SinglePlayerPanel.h"
#include "ui_MultiPlayerPanel.h"

#include <QKeyEvent>
#include <QValidator>
#include <cmath>

using namespace PanelHelpers;

namespace {
const QString Placeholder = QStringLiteral("~");
constexpr int MaxSocketDigits = 4;

// The socket box's rule for every way text arrives besides typing (pasting, the X11 selection
// by middle click, dropping): the placeholder, 1 to 4 hex digits, or nothing on the way to them.
class SocketValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return input.isEmpty() || input == Placeholder || NetworkKeys::isSocketText(input) ? Acceptable : Invalid;
    }
};
} // namespace

MultiPlayerPanel::MultiPlayerPanel(LaunchContext &context, QWidget *parent)
    : QWidget(parent), ctx(context), ui(std::make_unique<Ui::MultiPlayerPanel>())
{
    ui->setupUi(this);
    setupPictures();
    connectSignals();
}

MultiPlayerPanel::~MultiPlayerPanel() = default;

void MultiPlayerPanel::setupPictures()
{
    // One frame labels both lists, and a chosen name becomes the value: each has a name of its own,
    // as on the Single Player panel.
    ui->cmbMepis->setAccessibleName(QStringLiteral("Episode"));
    ui->cmbMlev->setAccessibleName(QStringLiteral("Level"));
    ui->lstMap->setAccessibleName(QStringLiteral("User Map File"));
    for (QComboBox *list : {ui->cmbNumPlayers, ui->cmbMepis, ui->cmbMlev}) {
        list->setMinimumContentsLength(list == ui->cmbNumPlayers ? 2 : 12);
    }
    // Four hex digits or the placeholder: the key filter keeps it so while typing, the validator
    // for everything else.
    ui->txtSocket->setValidator(new SocketValidator(ui->txtSocket));
    ui->txtSocket->setMinimumWidth(ui->txtSocket->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    ui->txtSocket->installEventFilter(this);
    ui->cmdMap->setIcon(IconFactory::icon(IconFactory::Picture::Map));
    ui->cmdMclear->setIcon(IconFactory::icon(IconFactory::Picture::ClearPanel));
    for (QToolButton *button : {ui->cmdMap, ui->cmdMclear})
        button->setIconSize(QSize(22, 22));
    const int row = ui->lstMap->fontMetrics().height() + 8;
    ui->lstMap->setFixedHeight(qMax(row, ui->cmdMap->sizeHint().height()));
}

void MultiPlayerPanel::connectSignals()
{
    connect(ui->chkMulti, &QCheckBox::toggled, this, &MultiPlayerPanel::chkMulti_Click);
    const auto onSelect = [this](QRadioButton *option, void (MultiPlayerPanel::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onSelect(ui->optCoop, &MultiPlayerPanel::optCoop_Click);
    onSelect(ui->optDukeNOSpawn, &MultiPlayerPanel::optDukeNOSpawn_Click);
    onSelect(ui->optDukeSpawn, &MultiPlayerPanel::optDukeSpawn_Click);
    connect(ui->cmbNumPlayers, &QComboBox::currentIndexChanged, this, &MultiPlayerPanel::cmbNumPlayers_Click);
    connect(ui->cmbMepis, &QComboBox::currentIndexChanged, this, &MultiPlayerPanel::cmbMepis_Click);
    connect(ui->cmbMlev, &QComboBox::currentIndexChanged, this, &MultiPlayerPanel::cmbMlev_Click);
    const QRadioButton *skills[] = {ui->optMSk1, ui->optMSk2, ui->optMSk3, ui->optMSk4};
    for (int skill = 0; skill < 4; ++skill)
        connect(skills[skill], &QRadioButton::toggled, this, [this, skill](bool on) {
            if (on)
                optMSk_Click(skill);
        });
    connect(ui->txtName, &QLineEdit::textChanged, this, &MultiPlayerPanel::txtName_Change);
    connect(ui->txtSocket, &QLineEdit::textChanged, this, &MultiPlayerPanel::txtSocket_Change);
    connect(ui->cmdMclear, &QToolButton::clicked, this, &MultiPlayerPanel::ClearMultiPlayerOptions);
}

bool MultiPlayerPanel::isOn() const { return ui->chkMulti->isChecked(); }
void MultiPlayerPanel::setOn(bool on) { ui->chkMulti->setChecked(on); }
QString MultiPlayerPanel::playerName() const { return ui->txtName->text(); }
QString MultiPlayerPanel::socket() const { return ui->txtSocket->text(); }
QString MultiPlayerPanel::playerCount() const { return ui->cmbNumPlayers->currentText(); }
QListWidget *MultiPlayerPanel::mapList() const { return ui->lstMap; }
QAbstractButton *MultiPlayerPanel::mapButton() const { return ui->cmdMap; }
void MultiPlayerPanel::emptyName() { ui->txtName->clear(); }

void MultiPlayerPanel::reinitialise()
{
    if (!isOn())
        return;
    setOn(false);
    setOn(true);
}

void MultiPlayerPanel::ClearMultiPlayerOptions()
{
    setOn(false);
    setOn(true);
}

void MultiPlayerPanel::restoreNetMarker()
{
    CommandLine &cl = ctx.commandLine;
    cl.NetMarker = isOn() && cl.FakePlayersSwitch.isEmpty() ? QStringLiteral("-net") : QString();
}

void MultiPlayerPanel::chkMulti_Click(bool ticked)
{
    CommandLine &cl = ctx.commandLine;
    NetworkValues &net = ctx.network;
    if (!ticked) {
        for (QWidget *w : {static_cast<QWidget *>(ui->frmGameType), static_cast<QWidget *>(ui->frmPlayers),
                           static_cast<QWidget *>(ui->fraMap), static_cast<QWidget *>(ui->fraMlev),
                           static_cast<QWidget *>(ui->fraMSkill), static_cast<QWidget *>(ui->fraMultiName),
                           static_cast<QWidget *>(ui->cmdMclear), static_cast<QWidget *>(ui->fraSocket)})
            w->setEnabled(false);
        setSocketText(QString());
        selectThenDeselect(ui->optDukeSpawn);
        fillList(ui->cmbNumPlayers);
        ui->lstMap->clear();
        fillList(ui->cmbMepis);
        fillList(ui->cmbMlev);
        selectThenDeselect(ui->optMSk1);
        const QString typed = ui->txtName->text();
        ui->txtName->setText(QString());
        net.TypedPlayerName = typed.toUpper();
        if (ctx.misc) {
            ctx.misc->setNoMonsters(false);
            ctx.misc->setNoMonstersEnabled(true);
        }
        cl.GameTypeSwitch.clear();
        cl.NetModeSwitch.clear();
        cl.EpisodeSwitch.clear();
        cl.LevelSwitch.clear();
        cl.SkillSwitch.clear();
        cl.NetMarker.clear();
        cl.UserMapSwitch.clear();
        return;
    }
    if (ctx.single)
        ctx.single->setOn(false);
    for (QWidget *w : {static_cast<QWidget *>(ui->fraMap), static_cast<QWidget *>(ui->frmPlayers),
                       static_cast<QWidget *>(ui->fraMlev), static_cast<QWidget *>(ui->fraMSkill),
                       static_cast<QWidget *>(ui->frmGameType), static_cast<QWidget *>(ui->cmdMclear),
                       static_cast<QWidget *>(ui->fraSocket), static_cast<QWidget *>(ui->fraMultiName)})
        w->setEnabled(true);
    fillList(ui->cmbNumPlayers, {"2", "3", "4", "5", "6", "7", "8"});
    // A count the list does not offer (a hand-edited duke3d.cfg) preselects nothing.
    bool isNumber = false;
    const double saved = net.SavedPlayerCount.trimmed().toDouble(&isNumber);
    if (isNumber && std::isfinite(saved)) {
        const double index = std::floor(saved) - 2;
        if (index >= 0 && index < ui->cmbNumPlayers->count())
            selectIndex(ui->cmbNumPlayers, static_cast<int>(index));
    }
    ui->txtName->setText(net.TypedPlayerName.isEmpty() ? net.SavedPlayerName : net.TypedPlayerName);
    fillList(ui->cmbMepis, EpisodeTables::episodeNames(ctx.isVersion15()));
    setSocketText(net.SavedSocket);
    restoreNetMarker();
}

void MultiPlayerPanel::optCoop_Click()
{
    ctx.commandLine.GameTypeSwitch = QStringLiteral(" /c2");
    // A Coop game has its monsters: "No Monsters" is the player's own choice again, as after the
    // spawn game type (otherwise "DukeMatch (no spawn)" before it leaves " /m" locked on).
    if (ctx.misc) {
        ctx.misc->setNoMonsters(false);
        ctx.misc->setNoMonstersEnabled(true);
    }
}

void MultiPlayerPanel::optDukeNOSpawn_Click()
{
    ctx.commandLine.GameTypeSwitch = QStringLiteral(" /c1");
    if (ctx.misc) {
        ctx.misc->setNoMonsters(true);
        ctx.misc->setNoMonstersEnabled(false);
    }
}

void MultiPlayerPanel::optDukeSpawn_Click()
{
    ctx.commandLine.GameTypeSwitch = QStringLiteral(" /c1");
    if (ctx.misc) {
        ctx.misc->setNoMonsters(false);
        ctx.misc->setNoMonstersEnabled(true);
    }
}

void MultiPlayerPanel::cmbNumPlayers_Click(int index)
{
    // Up to four players share the game's peer-to-peer mode; more need the master/slave mode.
    if (index < 0)
        ctx.commandLine.NetModeSwitch.clear();
    else
        ctx.commandLine.NetModeSwitch = index <= 2 ? QStringLiteral(" /i1") : QStringLiteral(" /i0");
}

void MultiPlayerPanel::cmbMepis_Click()
{
    QComboBox *saved = ctx.single ? ctx.single->savedGameList() : nullptr;
    if (saved)
        ChooseEpisode(ui->cmbMepis, ui->cmbMlev, ui->lstMap, saved, ctx.commandLine);
}

void MultiPlayerPanel::cmbMlev_Click(int index)
{
    if (index < 0) {
        ctx.commandLine.LevelSwitch.clear();
        return;
    }
    ctx.commandLine.LevelSwitch = EpisodeTables::levelSwitch(index);
    if (ctx.commandLine.SkillSwitch.isEmpty())
        focusAndSelect(ui->optMSk1, !ui->cmbMlev->browsing());
}

void MultiPlayerPanel::optMSk_Click(int skill)
{
    ctx.commandLine.SkillSwitch = QStringLiteral(" /s") + QString::number(skill);
}

void MultiPlayerPanel::txtName_Change(const QString &text) { ctx.network.TypedPlayerName = text; }

void MultiPlayerPanel::setSocketText(const QString &text)
{
    ui->txtSocket->setText(text);
    // An empty box that was empty already reports no change, yet must show the placeholder too.
    txtSocket_Change(ui->txtSocket->text());
}

void MultiPlayerPanel::txtSocket_Change(const QString &text)
{
    if (!ctx.network.SocketGuard && text.isEmpty())
        ui->txtSocket->setText(Placeholder);
}

bool MultiPlayerPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->txtSocket && event->type() == QEvent::KeyPress)
        return txtSocket_KeyPress(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool MultiPlayerPanel::txtSocket_KeyPress(QKeyEvent *key)
{
    QLineEdit *box = ui->txtSocket;
    if (key->key() == Qt::Key_Backspace) {
        if (box->text().size() == 1) {
            box->setText(Placeholder);
            return true;
        }
        return false;
    }
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false; // moving the cursor, Delete, Tab, shortcuts: the box handles them
    if (typed.size() != 1 || typed.at(0) < u'0' || typed.at(0) > u'9')
        return true;
    if (box->text().size() >= MaxSocketDigits) {
        box->setText(Placeholder);
        return true;
    }
    if (box->text().endsWith(Placeholder)) {
        ctx.network.SocketGuard = true;
        box->setText(QString());
        ctx.network.SocketGuard = false;
    }
    return false;
}

void MultiPlayerPanel::showUserMap(const QString &fileName)
{
    fillList(ui->cmbMepis, EpisodeTables::episodeNames(ctx.isVersion15()));
    fillList(ui->cmbMlev);
    // The lists no longer show an episode or level, so none is passed beside the map.
    ctx.commandLine.EpisodeSwitch.clear();
    ctx.commandLine.LevelSwitch.clear();
    selectThenDeselect(ui->optMSk1);
    ctx.commandLine.SkillSwitch.clear();
    ui->lstMap->clear();
    ui->lstMap->addItem(fileName);
    ctx.commandLine.UserMapSwitch = QStringLiteral(" -map Kvuser.map");
}
