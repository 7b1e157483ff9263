#include "confiles/widgets/ConRtsPanel.h"

#include "ui_ConRtsPanel.h"

#include "core/widgets/IconFactory.h"

#include <QEvent>

ConRtsPanel::ConRtsPanel(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::ConRtsPanel>())
{
    ui->setupUi(this);
    using IconFactory::Picture;
    for (QToolButton *choose : {ui->cmdUser, ui->cmdGame, ui->cmdDefs, ui->cmdRTS})
        choose->setIcon(IconFactory::icon(Picture::Folder));
    ui->cmdConClear->setIcon(IconFactory::icon(Picture::ClearPanel));
    // The frame keeps its natural height; the space below it stays open.
    ui->layPanel->setAlignment(ui->Frame3, Qt::AlignTop);
    fitListsToOneEntry();
}

ConRtsPanel::~ConRtsPanel() = default;

void ConRtsPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitListsToOneEntry();
}

// Each list shows one file name, so it is one entry tall, like a read-only text box.
void ConRtsPanel::fitListsToOneEntry()
{
    for (QListWidget *list : {ui->lstUser, ui->lstGame, ui->lstDefs, ui->lstRTS}) {
        const int entry = qMax(list->fontMetrics().height() + 6, ui->cmdUser->sizeHint().height() - 2 * list->frameWidth());
        list->setFixedHeight(entry + 2 * list->frameWidth());
    }
}
