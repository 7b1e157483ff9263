#include "usermenus/widgets/frmUserDef.h"
#include "ui_frmUserDef.h"

#include "core/Module1.h"
#include "core/widgets/DialogPlacement.h"
#include "core/widgets/IconFactory.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "usermenus/UserMenus.h"
#include "usermenus/widgets/UserMenuBar.h"

#include <QFileInfo>
#include <QStyle>

frmUserDef::frmUserDef(Module1 &module1, UserMenuBar &menuBar, QWidget *owner)
    : QDialog(owner), m(module1), bar(menuBar), ui(std::make_unique<Ui::frmUserDef>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->cmdUserDefDir->setIcon(IconFactory::icon(IconFactory::Picture::Folder));
    const std::pair<QToolButton *, QStyle::StandardPixmap> pictures[] = {
        {ui->cmdRemove, QStyle::SP_ArrowRight},         {ui->cmdRemAll, QStyle::SP_MediaSeekForward},
        {ui->cmdAddBack, QStyle::SP_ArrowLeft},         {ui->cmdRemAllBack, QStyle::SP_MediaSeekBackward},
        {ui->cmdUp, QStyle::SP_ArrowUp},                {ui->cmdDown, QStyle::SP_ArrowDown},
    };
    for (const auto &[button, picture] : pictures)
        button->setIcon(style()->standardIcon(picture));

    connect(ui->cmdUserDefDir, &QToolButton::clicked, this, &frmUserDef::cmdUserDefDir_Click);
    connect(ui->cmdAdd, &QPushButton::clicked, this, &frmUserDef::cmdAdd_Click);
    connect(ui->cmdClear, &QPushButton::clicked, this, &frmUserDef::cmdClear_Click);
    connect(ui->cmdRemove, &QToolButton::clicked, this, &frmUserDef::cmdRemove_Click);
    connect(ui->cmdRemAll, &QToolButton::clicked, this, &frmUserDef::cmdRemAll_Click);
    connect(ui->cmdAddBack, &QToolButton::clicked, this, &frmUserDef::cmdAddBack_Click);
    connect(ui->cmdRemAllBack, &QToolButton::clicked, this, &frmUserDef::cmdRemAllBack_Click);
    connect(ui->cmdUp, &QToolButton::clicked, this, &frmUserDef::cmdUp_Click);
    connect(ui->cmdDown, &QToolButton::clicked, this, &frmUserDef::cmdDown_Click);
    connect(ui->lstAdded, &QListWidget::currentRowChanged, this, &frmUserDef::lstAdded_Click);
    connect(ui->cmdUserDefOk, &QPushButton::clicked, this, &QDialog::accept);

    // The kept menus as the main menu shows them, with their stored paths.
    for (const QString &name : bar.names()) {
        ui->lstAdded->addItem(name);
        lstAddedPath << UserMenus::pathOf(m.platform.settings, name);
    }
    setModal(true);
    adjustSize();
    centreOnScreen(this);
}

frmUserDef::~frmUserDef() = default;

QStringList frmUserDef::addedNames() const
{
    QStringList names;
    for (int i = 0; i < ui->lstAdded->count(); ++i)
        names << ui->lstAdded->item(i)->text();
    return names;
}

void frmUserDef::cmdUserDefDir_Click()
{
    const QString path = m.platform.prompts.openFile(this, QStringLiteral("Select a file"), QString(),
                                                     QStringLiteral("All Files (*)"));
    if (path.isEmpty())
        return;
    ui->txtUserDefDir->setText(path);
    ui->txtUserDefMnuName->setText(QFileInfo(path).fileName());
    ui->txtUserDefMnuName->setFocus();
    ui->txtUserDefMnuName->selectAll();
}

void frmUserDef::cmdAdd_Click()
{
    const QString path = ui->txtUserDefDir->text();
    const QString name = ui->txtUserDefMnuName->text();
    Prompts &prompts = m.platform.prompts;
    if (path.isEmpty()) {
        prompts.message(this, QStringLiteral("Please select a file."), Prompts::Icon::Exclamation);
        return;
    }
    if (name.isEmpty()) {
        prompts.message(this, QStringLiteral("Please type a name for your menu."), Prompts::Icon::Exclamation);
        return;
    }
    if (const QString problem = UserMenus::nameProblem(addedNames(), name); !problem.isEmpty()) {
        prompts.message(this, problem, Prompts::Icon::Exclamation);
        return;
    }
    ui->lstAdded->addItem(name);
    lstAddedPath << path;
    cmdClear_Click();
}

void frmUserDef::cmdClear_Click()
{
    ui->txtUserDefDir->clear();
    ui->txtUserDefMnuName->clear();
}

void frmUserDef::move(bool fromAdded, bool all)
{
    QListWidget *from = fromAdded ? ui->lstAdded : ui->lstRemoved;
    QListWidget *to = fromAdded ? ui->lstRemoved : ui->lstAdded;
    QStringList &fromPaths = fromAdded ? lstAddedPath : lstRemovedPath;
    QStringList &toPaths = fromAdded ? lstRemovedPath : lstAddedPath;
    if (from->count() == 0)
        return;
    if (all) {
        while (from->count() > 0) {
            to->addItem(from->takeItem(0));
            toPaths << fromPaths.takeFirst();
        }
        return;
    }
    const int row = from->currentRow();
    if (row < 0 || !from->item(row)->isSelected()) {
        m.platform.prompts.message(this, QStringLiteral("Please select a menu item."));
        return;
    }
    to->addItem(from->takeItem(row));
    toPaths << fromPaths.takeAt(row);
}

void frmUserDef::cmdRemove_Click() { move(true, false); }
void frmUserDef::cmdRemAll_Click() { move(true, true); }
void frmUserDef::cmdAddBack_Click() { move(false, false); }
void frmUserDef::cmdRemAllBack_Click() { move(false, true); }

void frmUserDef::swapWithNeighbour(int step)
{
    QListWidget *list = ui->lstAdded;
    const int row = list->currentRow();
    const int other = row + step;
    if (row < 0 || !list->item(row)->isSelected() || other < 0 || other >= list->count())
        return;
    QListWidgetItem *item = list->takeItem(row);
    list->insertItem(other, item);
    lstAddedPath.swapItemsAt(row, other);
    list->setCurrentRow(other);
    list->setFocus();
}

void frmUserDef::cmdUp_Click() { swapWithNeighbour(-1); }
void frmUserDef::cmdDown_Click() { swapWithNeighbour(1); }

void frmUserDef::lstAdded_Click()
{
    const int row = ui->lstAdded->currentRow();
    if (row >= 0 && row < lstAddedPath.size())
        ui->fraManager->setTitle(lstAddedPath.at(row));
}

void frmUserDef::done(int result)
{
    if (!m_saved) {
        m_saved = true;
        QList<UserMenu> kept;
        const QStringList names = addedNames();
        for (int i = 0; i < names.size(); ++i)
            kept.append({names.at(i), lstAddedPath.value(i)});
        const QString problem = UserMenus::save(m.platform.settings, kept);
        // The menu shows what the player kept, also when the store could not keep it for the
        // next start; the message says so.
        bar.rebuild(names);
        if (!problem.isEmpty())
            m.platform.prompts.message(this, problem);
    }
    QDialog::done(result);
}
