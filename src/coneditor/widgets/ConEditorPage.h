#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

namespace Ui { class ConEditorPage; }

class Module1;
class StockStore;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class TextBuffer;
class TextBufferView;
class ValueBoxWriter;

// The "User Con Editor" page: the category tabs with their item lists and value boxes, the view
// of the USER.CON being edited, and the editor's file buttons.
class ConEditorPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageCount = 4; // Players, Weapons, Enemies, Misc

    explicit ConEditorPage(QWidget *parent = nullptr);
    ~ConEditorPage() override;

    // Creates the page's text buffer, shows it in rtbCon and wires the value boxes to it. Any
    // change of the text sets module1.ConModified. Call once, before anything else below.
    void setUp(Module1 &module1, const StockStore &stock);

    TextBuffer &buffer();

    // Loads the stock 1.3d USER.CON "KVUser.dat" (installed beside the program, or the player's
    // original kept by Zentrel), with errors ignored: a missing or unreadable file leaves the
    // buffer as it was. Clears ConModified either way.
    bool loadDefaultUserCon();

    // Enables the page's value box and label, finds the define (whole word) and shows its value
    // in the box. A define that is not there leaves the box as it was.
    void showDefine(int page, const QString &defineName);

    // chkUseCon "Use This Con When Launching Duke3d" and the editor's Exit button cmdOptExit.
    QCheckBox *useConBox() const;
    QAbstractButton *exitButton() const;

    // Enables or disables a page's value box together with its label.
    void setValueBoxEnabled(int page, bool enabled);
    // Empties a page's value box without writing anything into the buffer.
    void clearValueBox(int page);

private:
    void connectSignals();
    void setPictures();
    void disableValueBoxes();

    std::unique_ptr<Ui::ConEditorPage> ui;
    Module1 *m_module1 = nullptr;
    const StockStore *m_stock = nullptr;
    std::unique_ptr<TextBuffer> m_buffer;
    std::unique_ptr<TextBufferView> m_view;
    std::array<QComboBox *, PageCount> m_boxes{};
    std::array<QLabel *, PageCount> m_labels{};
    std::array<ValueBoxWriter *, PageCount> m_writers{};
};
