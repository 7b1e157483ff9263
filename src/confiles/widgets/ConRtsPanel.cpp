#include "confiles/widgets/ConRtsPanel.h"

#include "ui_ConRtsPanel.h"

#include "confiles/Originals.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "core/widgets/IconFactory.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QEvent>
#include <QFileInfo>

namespace {
const QString ConFilter = QStringLiteral("CON Files (*.con)");
const QString RtsFilter = QStringLiteral("RTS Files (*.rts)");
const QString EditorEntry = QStringLiteral("CON EDITOR");
} // namespace

ConRtsPanel::ConRtsPanel(Module1 &module1, StockStore &stock, QWidget *parent)
    : LazyWidget(parent), ui(std::make_unique<Ui::ConRtsPanel>()), m(module1), m_stock(stock)
{
    setObjectName(QStringLiteral("ConRtsPanel"));
}

void ConRtsPanel::build()
{
    contents()->setObjectName(QStringLiteral("ConRtsContents"));
    ui->setupUi(contents());
    using IconFactory::Picture;
    for (QToolButton *choose : {ui->cmdUser, ui->cmdGame, ui->cmdDefs, ui->cmdRTS})
        choose->setIcon(IconFactory::icon(Picture::Folder));
    ui->cmdConClear->setIcon(IconFactory::icon(Picture::ClearPanel));
    // The frame keeps its natural height; the space below it stays open.
    ui->layPanel->setAlignment(ui->Frame3, Qt::AlignTop);
    fitListsToOneEntry();
    // Each list is read out with its label ("User.con:, list").
    for (const auto &[label, list] : {std::pair{ui->lblUser, ui->lstUser}, std::pair{ui->lblGame, ui->lstGame},
                                      std::pair{ui->lblDefs, ui->lstDefs}, std::pair{ui->lblRts, ui->lstRTS}})
        label->setBuddy(list);
    connectSignals();
    for (int which = 0; which < ListCount; ++which)
        showIn(List(which), m_shown[which]);
    refreshOriginals();
}

ConRtsPanel::~ConRtsPanel() = default;

void ConRtsPanel::connectSignals()
{
    connect(ui->cmdUser, &QToolButton::clicked, this, &ConRtsPanel::cmdUser_Click);
    connect(ui->cmdGame, &QToolButton::clicked, this, &ConRtsPanel::cmdGame_Click);
    connect(ui->cmdDefs, &QToolButton::clicked, this, &ConRtsPanel::cmdDefs_Click);
    connect(ui->cmdRTS, &QToolButton::clicked, this, &ConRtsPanel::cmdRTS_Click);
    connect(ui->cmdConClear, &QToolButton::clicked, this, &ConRtsPanel::cmdConClear_Click);
    connect(ui->cmdDeCon, &QPushButton::clicked, this, &ConRtsPanel::cmdDeCon_Click);
    connect(ui->cmdDeRTS, &QPushButton::clicked, this, &ConRtsPanel::cmdDeRTS_Click);
}

void ConRtsPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (isBuilt() && event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitListsToOneEntry();
}

// Each list shows one file name, so it is one entry tall, like a read-only text box.
void ConRtsPanel::fitListsToOneEntry()
{
    for (QListWidget *list : {ui->lstUser, ui->lstGame, ui->lstDefs, ui->lstRTS}) {
        const int entry =
            qMax(list->fontMetrics().height() + 6, ui->cmdUser->sizeHint().height() - 2 * list->frameWidth());
        list->setFixedHeight(entry + 2 * list->frameWidth());
    }
}

QListWidget *ConRtsPanel::list(List which) const
{
    QListWidget *const lists[] = {ui->lstUser, ui->lstGame, ui->lstDefs, ui->lstRTS};
    return lists[which];
}

void ConRtsPanel::showIn(List which, const QString &entry)
{
    m_shown[which] = entry;
    if (!isBuilt())
        return;
    list(which)->clear();
    if (!entry.isEmpty())
        list(which)->addItem(entry);
}

QString ConRtsPanel::ChooseConFile()
{
    const QString path = m.platform.prompts.openFile(this, QStringLiteral("Open"), m.CONPath, ConFilter);
    m.DialogCancelled = path.isEmpty();
    return path;
}

void ConRtsPanel::cmdUser_Click()
{
    const QString path = ChooseConFile();
    if (m.DialogCancelled)
        return;
    emit userConChosen();
    m_chosen.ChosenUserCon = path;
    showIn(UserList, QFileInfo(path).fileName());
}

void ConRtsPanel::cmdGame_Click()
{
    const QString path = ChooseConFile();
    if (m.DialogCancelled)
        return;
    m_chosen.ChosenGameCon = path;
    showIn(GameList, QFileInfo(path).fileName());
}

void ConRtsPanel::cmdDefs_Click()
{
    const QString path = ChooseConFile();
    if (m.DialogCancelled)
        return;
    m_chosen.ChosenDefsCon = path;
    showIn(DefsList, QFileInfo(path).fileName());
}

void ConRtsPanel::cmdRTS_Click()
{
    const QString path = m.platform.prompts.openFile(this, QStringLiteral("Open"), m.RTSPath, RtsFilter);
    if (path.isEmpty())
        return;
    showIn(RtsList, QFileInfo(path).fileName());
    m_chosen.ChosenRts = path;
}

void ConRtsPanel::cmdConClear_Click()
{
    for (const List which : {RtsList, UserList, GameList, DefsList})
        showIn(which, QString());
    const std::optional<QByteArray> editor = m_chosen.editorUserCon;
    m_chosen = ChosenFiles{};
    m_chosen.editorUserCon = editor; // chkUseCon keeps its state
    if (editor)
        showIn(UserList, EditorEntry);
}

void ConRtsPanel::showEditorAsUserCon(bool ticked)
{
    showIn(UserList, ticked ? EditorEntry : QString());
    // The editor's text is taken at the launch; the mark here only says it will be.
    if (ticked)
        m_chosen.editorUserCon = QByteArray();
    else
        m_chosen.editorUserCon.reset();
}

void ConRtsPanel::setVersion15(bool version15)
{
    m_version15 = version15;
    refreshOriginals();
}

void ConRtsPanel::refreshOriginals()
{
    if (!isBuilt())
        return; // the panel says it once it is built
    const QString text = m_stock.describe(m_version15);
    ui->lblOriginals->setText(m_stock.summary(m_version15));
    for (QWidget *w : {static_cast<QWidget *>(ui->fraDeCon), static_cast<QWidget *>(ui->cmdDeCon),
                       static_cast<QWidget *>(ui->cmdDeRTS)})
        w->setToolTip(text);
    ui->lblOriginals->setAccessibleName(text);
}

void ConRtsPanel::cmdDeCon_Click()
{
    Prompts &prompts = m.platform.prompts;
    if (prompts.message(this, QStringLiteral("Return USER, GAME, and DEFS cons to original?"), Prompts::Icon::None,
                        Prompts::Buttons::YesNo)
        != Prompts::Answer::Yes)
        return;
    const Originals::Plan plan = Originals::conPlan(m.platform.files, m_stock, m.DukePath, m_version15);
    if (const QString failed = Originals::apply(m.platform.files, plan); !failed.isEmpty()) {
        prompts.message(this, failed);
        return;
    }
    prompts.message(this, QStringLiteral("USER, GAME, and DEFS cons have been returned to original."));
}

void ConRtsPanel::cmdDeRTS_Click()
{
    Prompts &prompts = m.platform.prompts;
    if (prompts.message(this, QStringLiteral("Return DUKE.RTS to original?"), Prompts::Icon::None,
                        Prompts::Buttons::YesNo)
        != Prompts::Answer::Yes)
        return;
    const Originals::Plan plan = Originals::deRtsPlan(m.platform.files, m_stock, m.DukePath, m_version15);
    if (const QString failed = Originals::apply(m.platform.files, plan); !failed.isEmpty()) {
        prompts.message(this, failed);
        return;
    }
    prompts.message(this, QStringLiteral("DUKE.RTS has been returned to original."));
}
