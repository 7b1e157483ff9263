#pragma once

#include "coneditor/widgets/Randomizer.h"

#include <QDialog>
#include <memory>

class ConEditorPage;
class Module1;
class Random;
namespace Ui { class frmRand; }

// The randomizer's dialog: the range to draw from and the two leave-as-is boxes; OK walks the
// section (or the whole file) with the dialog hidden.
class frmRand : public QDialog
{
    Q_OBJECT
public:
    // section: "Players", "Weapons", "Enemies", "Misc", or empty for the whole file.
    frmRand(Module1 &module1, ConEditorPage &page, Random &random, const QString &section, QWidget *owner = nullptr);
    ~frmRand() override;

    QString ConSection;

    void cmdOk_Click();
    void cmdCancel_Click();

    bool ran() const { return m_ran; }
    const Randomizer::Report &report() const { return m_report; }

    // The bound entries: 1, 6, 11, 16, then 25 to 100 by 25, 200 to 1000 by 100, 2000 to 7000.
    static QStringList boundEntries();

private:
    void connectSignals();

    std::unique_ptr<Ui::frmRand> ui;
    Module1 &m;
    ConEditorPage &page;
    Random &random;
    Randomizer::Report m_report;
    bool m_ran = false;
};
