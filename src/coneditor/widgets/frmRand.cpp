#include "coneditor/widgets/frmRand.h"

#include "ui_frmRand.h"

#include "core/Module1.h"
#include "core/widgets/DialogPlacement.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QGuiApplication>
#include <QScreen>

frmRand::frmRand(Module1 &module1, ConEditorPage &page, Random &random, const QString &section, QWidget *owner)
    : QDialog(owner), ConSection(section), ui(std::make_unique<Ui::frmRand>()), m(module1), page(page), random(random)
{
    ui->setupUi(this);
    setWindowTitle(section.isEmpty() ? QStringLiteral("User Con Randomizer")
                                     : section + QStringLiteral(" Section Randomizer"));
    if (owner)
        setWindowIcon(owner->window()->windowIcon());
    for (QComboBox *box : {ui->cmbChoose_0, ui->cmbChoose_1}) {
        box->addItems(boundEntries());
        box->setCurrentIndex(-1); // both show empty: the player picks
    }
    connectSignals();
    centreOnScreen(this);
}

frmRand::~frmRand() = default;

QStringList frmRand::boundEntries()
{
    QStringList out;
    for (int v = 1; v < 20; v += 5)
        out << QString::number(v);
    for (int v = 25; v <= 100; v += 25)
        out << QString::number(v);
    for (int v = 200; v <= 1000; v += 100)
        out << QString::number(v);
    for (int v = 2000; v <= 7000; v += 1000)
        out << QString::number(v);
    return out;
}

void frmRand::connectSignals()
{
    connect(ui->cmdOk, &QPushButton::clicked, this, &frmRand::cmdOk_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmRand::cmdCancel_Click);
}

void frmRand::cmdOk_Click()
{
    Prompts &prompts = m.platform.prompts;
    if (ui->cmbChoose_0->currentIndex() < 0 || ui->cmbChoose_1->currentIndex() < 0) {
        prompts.message(this, QStringLiteral("Please select a value"), Prompts::Icon::Exclamation);
        return;
    }
    Randomizer::Bounds bounds;
    bounds.upper = ui->cmbChoose_0->currentText().toInt();
    bounds.lower = ui->cmbChoose_1->currentText().toInt();
    bounds.leaveAbove = ui->chkLvUp->isChecked();
    bounds.leaveBelow = ui->chkLvLw->isChecked();
    if (bounds.upper < bounds.lower) {
        prompts.message(this, QStringLiteral("Upper Bounds must be a number greater than Lower Bounds"));
        return;
    }
    // Off the screen while the walk runs; the player looks at the editor meanwhile.
    hide();
    m_report = Randomizer(page, random).run(ConSection, bounds);
    m.ConModified = true;
    m_ran = true;
    accept();
}

void frmRand::cmdCancel_Click()
{
    reject();
}
