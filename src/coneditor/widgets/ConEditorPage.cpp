#include "coneditor/widgets/ConEditorPage.h"

#include "ui_ConEditorPage.h"

#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/TextBufferView.h"
#include "coneditor/widgets/ValueBoxWriter.h"
#include "coneditor/widgets/frmRand.h"
#include "platform/SeededRandom.h"
#include "core/widgets/IconFactory.h"
#include "platform/Platform.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

#include <cmath>

ConEditorPage::ConEditorPage(QWidget *parent) : LazyWidget(parent), ui(std::make_unique<Ui::ConEditorPage>())
{
    setObjectName(QStringLiteral("ConEditorPage"));
    m_caption = QStringLiteral("Default User Con File");
}

namespace {

// The built page's sizes, measured at six text sizes (100 % to 300 % of the usual font): by the
// font's average character width and its line spacing. Between the rows the size is interpolated,
// beyond them extended along the last step, and rounded up.
struct Row
{
    qreal metric, minimum, preferred;
};
constexpr Row Widths[] = {{6.078, 467, 665}, {7.609, 555, 680},  {9.125, 644, 701},
                          {10.641, 732, 732}, {12.172, 821, 821}, {18.25, 1187, 1187}};
constexpr Row Heights[] = {{13.969, 437, 437}, {17.453, 485, 485}, {20.953, 524, 524},
                           {24.453, 576, 576}, {27.938, 615, 615}, {41.906, 790, 790}};

template <size_t N>
QPair<int, int> measured(const Row (&rows)[N], qreal metric)
{
    size_t i = 1;
    while (i + 1 < N && metric > rows[i].metric)
        ++i;
    const Row &a = rows[i - 1], &b = rows[i];
    const qreal t = (metric - a.metric) / (b.metric - a.metric);
    const auto at = [t](qreal x, qreal y) { return int(std::ceil(x + t * (y - x) - 0.01)); };
    return {at(a.minimum, b.minimum), at(a.preferred, b.preferred)};
}

} // namespace

// What the page keeps for its widgets before they exist. A test checks that the built page fits
// it and that the window is the size it would be with the page built, at 100 % and 200 %.
QSize ConEditorPage::reservedSize() const
{
    const QFontMetricsF fm(font());
    return {measured(Widths, fm.averageCharWidth()).second, measured(Heights, fm.lineSpacing()).second};
}

QSize ConEditorPage::reservedMinimumSize() const
{
    const QFontMetricsF fm(font());
    return {measured(Widths, fm.averageCharWidth()).first, measured(Heights, fm.lineSpacing()).first};
}

void ConEditorPage::build()
{
    QWidget *content = contents();
    content->setObjectName(QStringLiteral("ConEditorContents"));
    ui->setupUi(content);
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
    // Under each value box: the same define's value in the version's stock USER.CON.
    QBoxLayout *valueColumns[] = {ui->layValue_0, ui->layValue_1, ui->layValue_2, ui->layValue_3};
    for (int page = 0; page < PageCount; ++page) {
        auto *stock = new QLabel(this);
        stock->setObjectName(QStringLiteral("lblStock_%1").arg(page));
        stock->setToolTip(QStringLiteral("The value in the stock USER.CON of this game version"));
        valueColumns[page]->insertWidget(valueColumns[page]->indexOf(m_boxes[page]) + 1, stock);
        m_stockLabels[page] = stock;
    }
    // Each list and value box is read out with its label ("Select Enemy:, list").
    for (const auto &[label, field] :
         {std::pair<QLabel *, QWidget *>{ui->lblPlayers, ui->lstPlayers}, {ui->lblSelCat, ui->lstWeapInfo},
          {ui->lblSelWeap, ui->lstWeapon}, {ui->lblSelEnemy, ui->lstEnemy}, {ui->lblConMisc, ui->lstConMisc}})
        label->setBuddy(field);
    for (int page = 0; page < PageCount; ++page) {
        m_labels[page]->setBuddy(m_boxes[page]);
        if (QLineEdit *text = m_boxes[page]->lineEdit())
            text->setAccessibleName(m_labels[page]->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed());
    }
    ui->lblUserCon->setText(m_caption);
    ui->lblUserCon->setToolTip(m_captionToolTip);
    {
        const QSignalBlocker quiet(ui->chkUseCon);
        ui->chkUseCon->setChecked(m_useCon);
    }
    connect(ui->chkUseCon, &QCheckBox::toggled, this, [this](bool ticked) {
        m_useCon = ticked;
        emit useConToggled(ticked);
    });
    connect(ui->cmdLoadCon, &QAbstractButton::clicked, this, &ConEditorPage::openRequested);
    connect(ui->cmdPlaySave, &QAbstractButton::clicked, this, &ConEditorPage::saveRequested);
    connect(ui->cmdDefCon, &QAbstractButton::clicked, this, &ConEditorPage::defaultRequested);
    connect(ui->cmdConEditClear, &QAbstractButton::clicked, this, &ConEditorPage::revertRequested);
    connect(ui->cmdOptExit, &QAbstractButton::clicked, this, &ConEditorPage::exitRequested);
    wireBuffer();
}

bool ConEditorPage::useCon() const { return m_useCon; }

void ConEditorPage::setUseCon(bool ticked)
{
    if (isBuilt()) {
        ui->chkUseCon->setChecked(ticked); // toggled keeps m_useCon and tells the others
        return;
    }
    if (m_useCon == ticked)
        return;
    m_useCon = ticked;
    emit useConToggled(ticked);
}

void ConEditorPage::showFileCaption(const QString &text, const QString &toolTip)
{
    m_caption = text;
    m_captionToolTip = toolTip;
    if (isBuilt()) {
        ui->lblUserCon->setText(text);
        ui->lblUserCon->setToolTip(toolTip);
    }
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

QCheckBox *ConEditorPage::useConBox() const { ensureBuilt(); return ui->chkUseCon; }
QAbstractButton *ConEditorPage::exitButton() const { ensureBuilt(); return ui->cmdOptExit; }
QAbstractButton *ConEditorPage::openButton() const { ensureBuilt(); return ui->cmdLoadCon; }
QAbstractButton *ConEditorPage::saveButton() const { ensureBuilt(); return ui->cmdPlaySave; }
QAbstractButton *ConEditorPage::defaultButton() const { ensureBuilt(); return ui->cmdDefCon; }
QAbstractButton *ConEditorPage::revertButton() const { ensureBuilt(); return ui->cmdConEditClear; }
QLabel *ConEditorPage::fileLabel() const { ensureBuilt(); return ui->lblUserCon; }
QTabWidget *ConEditorPage::categories() const { ensureBuilt(); return ui->tbsCon; }
QListWidget *ConEditorPage::weaponCategories() const { ensureBuilt(); return ui->lstWeapInfo; }
QComboBox *ConEditorPage::valueBox(int page) const { ensureBuilt(); return m_boxes[page]; }

QAbstractButton *ConEditorPage::randomizeButton(int page) const
{
    ensureBuilt();
    switch (page) {
    case Catalogue::Players: return ui->cmdPlayRnd;
    case Catalogue::Weapons: return ui->cmdWeapRand;
    case Catalogue::Enemies: return ui->cmdEnemyRand;
    case Catalogue::Misc: return ui->cmdMiscRand;
    }
    return ui->cmdRand;
}

QListWidget *ConEditorPage::list(int page) const
{
    ensureBuilt();
    switch (page) {
    case Catalogue::Players: return ui->lstPlayers;
    case Catalogue::Weapons: return ui->lstWeapon;
    case Catalogue::Enemies: return ui->lstEnemy;
    case Catalogue::Misc: return ui->lstConMisc;
    }
    return nullptr;
}

void ConEditorPage::setUp(Module1 &module1, const StockStore &stock)
{
    Q_ASSERT(!m_buffer);
    m_module1 = &module1;
    m_stock = &stock;
    m_buffer = std::make_unique<TextBuffer>(module1.platform.files);
    connect(m_buffer.get(), &TextBuffer::textChanged, this, [this] { m_module1->ConModified = true; });
    wireBuffer();
}

// The view and the value boxes over the buffer, once both the buffer and the widgets exist; then
// what the lists and options would have shown had they been there all along.
void ConEditorPage::wireBuffer()
{
    if (!isBuilt() || !m_buffer || m_wired)
        return;
    m_wired = true;
    m_view = std::make_unique<TextBufferView>(*m_buffer, *ui->rtbCon);
    for (int page = 0; page < PageCount; ++page)
        m_writers[page] = new ValueBoxWriter(*m_buffer, *m_boxes[page], *this, this);
    connectSignals();
    if (m_listsWanted)
        fillLists();
    readYesNoOptionsKeepingSelection();
}

void ConEditorPage::readYesNoOptionsKeepingSelection()
{
    if (buffer().Text().isEmpty())
        return;
    const bool modified = m_module1->ConModified;
    const qsizetype start = buffer().SelStart(), length = buffer().SelLength();
    readYesNoOptions();
    buffer().setSelection(start, length);
    m_module1->ConModified = modified;
}

void ConEditorPage::connectSignals()
{
    // After a click the selection may lie anywhere: no value box may write into it.
    connect(m_view.get(), &TextBufferView::userClicked, this, &ConEditorPage::disableValueBoxes);
    for (const int page : {int(Catalogue::Players), int(Catalogue::Enemies), int(Catalogue::Misc)})
        connect(list(page), &QListWidget::currentRowChanged, this, [this, page](int row) { lstItem_Click(page, row); });
    connect(ui->lstWeapInfo, &QListWidget::currentRowChanged, this, &ConEditorPage::lstWeapInfo_Click);
    connect(ui->lstWeapon, &QListWidget::currentRowChanged, this, &ConEditorPage::lstWeapon_Click);
    const struct
    {
        QRadioButton *option;
        const QString &define;
        bool yes;
    } options[] = {{ui->optCamYes, Catalogue::CamerasDestructable, true},
                   {ui->optCamNo, Catalogue::CamerasDestructable, false},
                   {ui->optFreezYes, Catalogue::FreezerHurtOwner, true},
                   {ui->optFreezNo, Catalogue::FreezerHurtOwner, false}};
    for (const auto &o : options) {
        const QString define = o.define;
        const bool yes = o.yes;
        connect(o.option, &QRadioButton::toggled, this, [this, define, yes](bool on) {
            if (on)
                yesNo_Click(define, yes);
        });
    }
    for (int page = -1; page < PageCount; ++page) {
        const QString section = page < 0 ? QString() : Catalogue::PageNames[page];
        connect(randomizeButton(page), &QAbstractButton::clicked, this, [this, section] { openRandomizer(section); });
    }
}

void ConEditorPage::openRandomizer(const QString &section)
{
    Random *random = m_module1->platform.random;
    if (!random) {
        if (!m_ownRandom)
            m_ownRandom = std::make_unique<SeededRandom>();
        random = m_ownRandom.get();
    }
    frmRand dialog(*m_module1, *this, *random, section, this);
    dialog.exec();
    if (dialog.ran())
        emit randomized(dialog.report().summary(), dialog.report().table());
}

TextBuffer &ConEditorPage::buffer()
{
    Q_ASSERT(m_buffer);
    return *m_buffer;
}

void ConEditorPage::setVersion15(bool version15)
{
    m_version15 = version15;
}

QString ConEditorPage::stockUserCon() const
{
    return m_stock->find(StockNames::Role::User, m_version15).value_or(QString());
}

QString ConEditorPage::loadDefaultUserCon()
{
    const QString stock = stockUserCon();
    const bool loaded = !stock.isEmpty() && buffer().setFileName(stock);
    m_module1->ConModified = false;
    return loaded ? stock : QString();
}

void ConEditorPage::FillEditorCatalogue()
{
    if (!isBuilt()) {
        // The lists are filled when the page is built; the buffer is set as it would be now.
        m_listsWanted = true;
        if (!buffer().Text().isEmpty()) {
            buffer().setSelection(0, 0);
            m_module1->ConModified = false;
        }
        return;
    }
    fillLists();
    if (buffer().Text().isEmpty())
        return;
    readYesNoOptions();
    buffer().setSelection(0, 0);
    m_module1->ConModified = false;
}

void ConEditorPage::fillLists()
{
    using namespace Catalogue;
    for (QListWidget *l : {ui->lstPlayers, ui->lstWeapInfo, ui->lstWeapon, ui->lstEnemy, ui->lstConMisc}) {
        const QSignalBlocker quiet(l); // emptying a list is no click
        l->clear();
    }
    const auto fill = [](QListWidget *l, const QStringList &names) {
        const QSignalBlocker quiet(l);
        l->addItems(names);
        l->setCurrentRow(-1);
    };
    const auto names = [](const QList<Item> &items) {
        QStringList out;
        for (const Item &item : items)
            out << item.name;
        return out;
    };
    fill(ui->lstPlayers, names(items(Players, m_version15)));
    QStringList categoryNames;
    for (const Category &c : Catalogue::weaponCategories())
        categoryNames << c.name;
    fill(ui->lstWeapInfo, categoryNames);
    fill(ui->lstEnemy, names(items(Enemies, m_version15)));
    fill(ui->lstConMisc, names(items(Misc, m_version15)));
    if (m_boxes[0]->count() == 0) {
        for (QComboBox *box : m_boxes) {
            const QSignalBlocker quiet(box); // filling the list writes nothing
            const QString shown = box->currentText();
            box->addItems(presetValues());
            box->setEditText(shown);
        }
    }
    for (QLabel *stock : m_stockLabels)
        stock->clear();
}

void ConEditorPage::readYesNoOptions()
{
    if (!isBuilt()) { // read when the options are built
        m_module1->ConModified = false;
        return;
    }
    const struct
    {
        const QString &define;
        QRadioButton *yes;
        QRadioButton *no;
    } pairs[] = {{Catalogue::CamerasDestructable, ui->optCamYes, ui->optCamNo},
                 {Catalogue::FreezerHurtOwner, ui->optFreezYes, ui->optFreezNo}};
    for (const auto &p : pairs) {
        // A missing define leaves its options as they are.
        if (buffer().Find(p.define, 0, true) >= 0) {
            DefineEditing::SetYesNoValue(buffer(), DefineEditing::SelectOnly);
            (buffer().SelText() == QLatin1String("YES") ? p.yes : p.no)->setChecked(true);
        }
        m_module1->ConModified = false;
    }
}

void ConEditorPage::resetPage(bool collapseSelection)
{
    if (!isBuilt()) { // a page built later starts in the state this resets to
        if (collapseSelection)
            buffer().setSelection(0, 0);
        else
            buffer().setSelStart(0);
        m_module1->ConModified = false;
        return;
    }
    readYesNoOptions();
    ui->tbsCon->setCurrentIndex(0);
    ui->lstPlayers->setCurrentRow(0);
    ui->lstPlayers->setCurrentRow(-1);
    clearValueBox(0);
    if (collapseSelection)
        buffer().setSelection(0, 0);
    else
        buffer().setSelStart(0);
    m_module1->ConModified = false;
}

void ConEditorPage::showAt(int page, const QString &search, Catalogue::Match match)
{
    setValueBoxEnabled(page, true);
    const qsizetype found = buffer().Find(search, 0, match == Catalogue::Match::WholeWord);
    m_found[page] = found >= 0;
    if (const std::optional<QString> value = DefineEditing::ShowDefineValue(buffer(), found)) {
        m_writers[page]->setArmed(true);
        m_writers[page]->show(*value);
    } else {
        // The define is not in this file: the selection still marks the value shown before, so
        // the box writes nothing until an entry that is there is chosen.
        m_writers[page]->setArmed(false);
    }
    showStockValue(page, search, match);
}

TextBuffer *ConEditorPage::stockBuffer()
{
    const QString path = stockUserCon();
    if (path.isEmpty())
        return nullptr;
    if (!m_stockText || m_stockTextPath != path) {
        auto text = std::make_unique<TextBuffer>(m_module1->platform.files);
        if (!text->setFileName(path))
            return nullptr;
        m_stockText = std::move(text);
        m_stockTextPath = path;
    }
    return m_stockText.get();
}

void ConEditorPage::showStockValue(int page, const QString &search, Catalogue::Match match)
{
    QString shown;
    if (TextBuffer *stock = stockBuffer()) {
        const qsizetype found = stock->Find(search, 0, match == Catalogue::Match::WholeWord);
        if (const std::optional<QString> value = DefineEditing::ShowDefineValue(*stock, found))
            shown = QStringLiteral("Stock: ") + *value;
    }
    m_stockLabels[page]->setText(shown);
}

void ConEditorPage::showDefine(int page, const QString &defineName)
{
    ensureBuilt();
    Q_ASSERT(page >= 0 && page < PageCount);
    showAt(page, defineName, Catalogue::Match::WholeWord);
}

void ConEditorPage::lstItem_Click(int page, int row)
{
    ensureBuilt();
    const QList<Catalogue::Item> items = Catalogue::items(Catalogue::Page(page), m_version15);
    if (row < 0 || row >= items.size())
        return;
    showAt(page, items[row].search, items[row].match);
}

void ConEditorPage::lstWeapInfo_Click(int row)
{
    ensureBuilt();
    const QList<Catalogue::Category> categories = Catalogue::weaponCategories();
    {
        const QSignalBlocker quiet(ui->lstWeapon);
        ui->lstWeapon->clear();
    }
    if (row < 0 || row >= categories.size())
        return;
    setValueBoxEnabled(Catalogue::Weapons, true);
    // The blank marker: nothing is written, and nothing typed is until a weapon is chosen (the
    // selection is the section's heading, not a value).
    m_writers[Catalogue::Weapons]->setArmed(false);
    m_found[Catalogue::Weapons] = false;
    m_boxes[Catalogue::Weapons]->setEditText(DefineEditing::BlankMarker);
    m_stockLabels[Catalogue::Weapons]->clear();
    {
        const QSignalBlocker quiet(ui->lstWeapon);
        ui->lstWeapon->addItems(Catalogue::weapons(row, m_version15));
        ui->lstWeapon->setCurrentRow(-1);
    }
    buffer().Find(categories[row].marker, 0, false);
}

void ConEditorPage::lstWeapon_Click(int row)
{
    ensureBuilt();
    const int category = ui->lstWeapInfo->currentRow();
    const QStringList weapons = Catalogue::weapons(category, m_version15);
    if (row < 0 || row >= weapons.size())
        return;
    showAt(Catalogue::Weapons, Catalogue::weaponSearch(category, row, weapons[row]), Catalogue::Match::Plain);
}

void ConEditorPage::yesNo_Click(const QString &define, bool yes)
{
    ensureBuilt();
    setValueBoxEnabled(Catalogue::Misc, true);
    // A define that is not in the file is not written anywhere else either.
    if (buffer().Find(define, 0, true) < 0)
        return;
    DefineEditing::SetYesNoValue(buffer(), yes ? DefineEditing::WriteYes : DefineEditing::WriteNo);
}

void ConEditorPage::setValueBoxEnabled(int page, bool enabled)
{
    ensureBuilt();
    m_boxes[page]->setEnabled(enabled);
    m_labels[page]->setEnabled(enabled);
}

void ConEditorPage::clearValueBox(int page)
{
    ensureBuilt();
    m_writers[page]->clearSilently();
}

void ConEditorPage::disableValueBoxes()
{
    for (int page = 0; page < PageCount; ++page)
        setValueBoxEnabled(page, false);
}
