#pragma once

#include "coneditor/Catalogue.h"
#include "core/widgets/LazyWidget.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

namespace Ui { class ConEditorPage; }

class Module1;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;
class Random;
class StockStore;
class TextBuffer;
class TextBufferView;
class ValueBoxWriter;

// The "User Con Editor" page: the category tabs with their item lists and value boxes, the view
// of the USER.CON being edited, and the editor's buttons. A list entry finds its define in the
// buffer and shows its value; the value box writes what it comes to show back over it.
//
// The page's widgets are built the first time it is shown or one of them is asked for: at
// start-up only the buffer, the version, the file caption and the "Use This Con" tick exist, and
// the page reserves the size it will need from the font, so the window keeps its size.
class ConEditorPage : public LazyWidget
{
    Q_OBJECT
public:
    static constexpr int PageCount = Catalogue::PageCount; // Players, Weapons, Enemies, Misc

    explicit ConEditorPage(QWidget *parent = nullptr);
    ~ConEditorPage() override;

    // Creates the page's text buffer, shows it in rtbCon and wires the value boxes to it. Any
    // change of the text sets module1.ConModified. Call once, before anything else below.
    void setUp(Module1 &module1, const StockStore &stock);

    TextBuffer &buffer();

    // The size the page keeps for its widgets before they exist (the accessors below build
    // them), from the font's metrics.
    QSize reservedSize() const override;
    QSize reservedMinimumSize() const override;

    // "Use This Con When Launching Duke3d" and the file caption, kept while the page is unbuilt.
    bool useCon() const;
    void setUseCon(bool ticked);
    void showFileCaption(const QString &text, const QString &toolTip);

    // The version whose catalogue the lists show (the items only 1.4/1.5 has, the stock values).
    void setVersion15(bool version15);
    bool version15() const { return m_version15; }

    // Loads the stock USER.CON of the version ("KVUser.dat" or "KVUserp.dat", installed beside
    // the program or the player's original kept by Zentrel), with errors ignored: a missing file
    // leaves the buffer as it was. Clears ConModified either way. The path loaded, or empty.
    QString loadDefaultUserCon();
    QString stockUserCon() const; // where the version's stock USER.CON is, or empty

    // Builds the lists, adds the preset values once and reads the two yes/no defines.
    void FillEditorCatalogue();
    // After Load default and Revert: the yes/no defines read again, the first tab shown, entry 0
    // of Players shown and deselected, the Players box emptied, the caret at the start.
    void resetPage(bool collapseSelection);
    // Reads the yes/no states (the options follow the file), clearing ConModified after each.
    void readYesNoOptions();

    // Enables the page's value box and label, finds the define (whole word) and shows its value
    // in the box. A define that is not there leaves the box as it was, writing nowhere.
    void showDefine(int page, const QString &defineName);

    // Enables or disables a page's value box together with its label.
    void setValueBoxEnabled(int page, bool enabled);
    // Empties a page's value box without writing anything into the buffer.
    void clearValueBox(int page);

    // The controls other parts drive (the randomizer walks the lists and sets the boxes).
    QCheckBox *useConBox() const;
    QAbstractButton *exitButton() const;
    QAbstractButton *openButton() const;
    QAbstractButton *saveButton() const;
    QAbstractButton *defaultButton() const;
    QAbstractButton *revertButton() const;
    QAbstractButton *randomizeButton(int page) const; // -1: the whole file
    QLabel *fileLabel() const; // lblUserCon
    QTabWidget *categories() const;
    QListWidget *list(int page) const; // the page's item list (Weapons: the weapon list)
    QListWidget *weaponCategories() const;
    QComboBox *valueBox(int page) const;

    // Whether the page's last entry found its define (its value is selected and shown).
    bool valueFound(int page) const { return m_found[page]; }

    // List clicks, as the lists report them.
    void lstItem_Click(int page, int row);
    void lstWeapInfo_Click(int row);
    void lstWeapon_Click(int row);
    void yesNo_Click(const QString &define, bool yes);

    // The five randomize buttons: "Players", "Weapons", "Enemies", "Misc", or empty for the file.
    void openRandomizer(const QString &section);

signals:
    // "Use This Con When Launching Duke3d" ticked or unticked.
    void useConToggled(bool ticked);
    // The page's buttons, forwarded so that wiring never waits for the widgets.
    void openRequested();
    void saveRequested();
    void defaultRequested();
    void revertRequested();
    void exitRequested();

    // A randomizer run ended: what it did, in words and as a copyable table.
    void randomized(const QString &summary, const QString &table);

protected:
    void build() override;

private:
    void wireBuffer();
    void fillLists();
    void readYesNoOptionsKeepingSelection();
    void connectSignals();
    void setPictures();
    void disableValueBoxes();
    void showAt(int page, const QString &search, Catalogue::Match match);
    void showStockValue(int page, const QString &search, Catalogue::Match match);
    TextBuffer *stockBuffer();

    std::unique_ptr<Ui::ConEditorPage> ui;
    bool m_wired = false;
    bool m_listsWanted = false; // FillEditorCatalogue ran before the widgets existed
    bool m_useCon = false;
    QString m_caption, m_captionToolTip;
    Module1 *m_module1 = nullptr;
    const StockStore *m_stock = nullptr;
    bool m_version15 = false;
    std::unique_ptr<TextBuffer> m_buffer;
    std::unique_ptr<TextBufferView> m_view;
    std::unique_ptr<TextBuffer> m_stockText; // the version's stock USER.CON, for the "Stock:" values
    QString m_stockTextPath;
    std::array<QComboBox *, PageCount> m_boxes{};
    std::array<QLabel *, PageCount> m_labels{};
    std::array<QLabel *, PageCount> m_stockLabels{};
    std::array<ValueBoxWriter *, PageCount> m_writers{};
    std::array<bool, PageCount> m_found{};
    std::unique_ptr<Random> m_ownRandom; // when the platform gives none
};
