#include "coneditor/widgets/ConEditorPage.h"

#include "ui_ConEditorPage.h"

#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/TextBufferView.h"
#include "coneditor/widgets/ValueBoxWriter.h"
#include "core/widgets/IconFactory.h"
#include "platform/Platform.h"

#include <QFontDatabase>

ConEditorPage::ConEditorPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::ConEditorPage>())
{
    ui->setupUi(this);
    m_boxes = {ui->cmbweap_0, ui->cmbweap_1, ui->cmbweap_2, ui->cmbweap_3};
    m_labels = {ui->lblValue_0, ui->lblValue_1, ui->lblValue_2, ui->lblValue_3};
    setPictures();

    // A CON file is a program text: a fixed-pitch font keeps its columns lined up.
    ui->rtbCon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Six lines of the file: the page then fits the window the option panels need.
    ui->rtbCon->setFixedHeight(ui->rtbCon->fontMetrics().lineSpacing() * 6 + 2 * ui->rtbCon->frameWidth() + 8);
    // The item lists scroll: let them take the height the page has rather than ask for more.
    for (QListWidget *list : {ui->lstPlayers, ui->lstWeapInfo, ui->lstWeapon, ui->lstEnemy, ui->lstConMisc}) {
        list->setSizePolicy(list->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 5 + 2 * list->frameWidth());
    }
    // Value boxes hold short numbers; keep their column narrow and equal on every page.
    for (QComboBox *box : m_boxes)
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 40);
}

ConEditorPage::~ConEditorPage() = default;

void ConEditorPage::setPictures()
{
    using IconFactory::Picture;
    const std::pair<QAbstractButton *, Picture> pictures[] = {
        {ui->cmdLoadCon, Picture::Open},      {ui->cmdPlaySave, Picture::Save},
        {ui->cmdDefCon, Picture::Default},    {ui->cmdConEditClear, Picture::Revert},
        {ui->cmdRand, Picture::Randomize},    {ui->cmdPlayRnd, Picture::Randomize},
        {ui->cmdWeapRand, Picture::Randomize}, {ui->cmdEnemyRand, Picture::Randomize},
        {ui->cmdMiscRand, Picture::Randomize},
    };
    for (const auto &[button, picture] : pictures)
        button->setIcon(IconFactory::icon(picture));
}

QCheckBox *ConEditorPage::useConBox() const { return ui->chkUseCon; }
QAbstractButton *ConEditorPage::exitButton() const { return ui->cmdOptExit; }

void ConEditorPage::setUp(Module1 &module1, const StockStore &stock)
{
    Q_ASSERT(!m_buffer);
    m_module1 = &module1;
    m_stock = &stock;
    m_buffer = std::make_unique<TextBuffer>(module1.platform.files);
    m_view = std::make_unique<TextBufferView>(*m_buffer, *ui->rtbCon);
    for (int page = 0; page < PageCount; ++page)
        m_writers[page] = new ValueBoxWriter(*m_buffer, *m_boxes[page], *this, this);
    connectSignals();
}

void ConEditorPage::connectSignals()
{
    connect(m_buffer.get(), &TextBuffer::textChanged, this, [this] { m_module1->ConModified = true; });
    // After a click the selection may lie anywhere: no value box may write into it.
    connect(m_view.get(), &TextBufferView::userClicked, this, &ConEditorPage::disableValueBoxes);
}

TextBuffer &ConEditorPage::buffer()
{
    Q_ASSERT(m_buffer);
    return *m_buffer;
}

bool ConEditorPage::loadDefaultUserCon()
{
    const std::optional<QString> stock = m_stock->find(StockNames::Role::User, false);
    const bool loaded = stock && buffer().setFileName(*stock);
    m_module1->ConModified = false;
    return loaded;
}

void ConEditorPage::showDefine(int page, const QString &defineName)
{
    Q_ASSERT(page >= 0 && page < PageCount);
    setValueBoxEnabled(page, true);
    const qsizetype found = buffer().Find(defineName, 0, true);
    if (const std::optional<QString> value = DefineEditing::ShowDefineValue(buffer(), found))
        m_writers[page]->show(*value);
}

void ConEditorPage::setValueBoxEnabled(int page, bool enabled)
{
    m_boxes[page]->setEnabled(enabled);
    m_labels[page]->setEnabled(enabled);
}

void ConEditorPage::clearValueBox(int page)
{
    m_writers[page]->clearSilently();
}

void ConEditorPage::disableValueBoxes()
{
    for (int page = 0; page < PageCount; ++page)
        setValueBoxEnabled(page, false);
}
