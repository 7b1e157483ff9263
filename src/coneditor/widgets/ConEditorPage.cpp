#include "coneditor/widgets/ConEditorPage.h"

#include "ui_ConEditorPage.h"

#include <QFontDatabase>

ConEditorPage::ConEditorPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::ConEditorPage>())
{
    ui->setupUi(this);

    // A CON file is a program text: a fixed-pitch font keeps its columns lined up.
    ui->rtbCon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int lines = 7;
    ui->rtbCon->setFixedHeight(ui->rtbCon->fontMetrics().lineSpacing() * lines
                                 + 2 * ui->rtbCon->frameWidth() + 8);
    // The item lists scroll: let them take the height the page has rather than ask for more.
    for (QListWidget *list : {ui->lstPlayers, ui->lstWeapInfo, ui->lstWeapon, ui->lstEnemy, ui->lstConMisc}) {
        list->setSizePolicy(list->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 6 + 2 * list->frameWidth());
    }
    // Value boxes hold short numbers; keep their column narrow and equal on every page.
    for (QComboBox *box : {ui->cmbweap_0, ui->cmbweap_1, ui->cmbweap_2, ui->cmbweap_3})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 40);
}

ConEditorPage::~ConEditorPage() = default;
