#pragma once

#include "confiles/ChosenFiles.h"
#include "core/widgets/LazyWidget.h"

#include <QWidget>
#include <memory>

namespace Ui { class ConRtsPanel; }
class Module1;
class QListWidget;
class StockStore;

// The "CON/RTS" options panel: the replacement CON and RTS files chosen for the next launch
// (copied over the game's files by the launch's swap-in) and the "Return to Original" buttons,
// which put the player's own originals back. Its widgets are built when it is first shown; until
// then the choices and what the lists are to show are kept here. It asks for no size of its own:
// the Single and Multi Player panels beside it are larger.
class ConRtsPanel : public LazyWidget
{
    Q_OBJECT
public:
    ConRtsPanel(Module1 &module1, StockStore &stock, QWidget *parent = nullptr);
    ~ConRtsPanel() override;

    const ChosenFiles &chosen() const { return m_chosen; }

    // The game version decides the stock set DeCON and DeRTS put back, and the originals shown.
    void setVersion15(bool version15);
    // "Use This Con When Launching Duke3d" ticked: lstUser shows "CON EDITOR"; unticked: empty.
    void showEditorAsUserCon(bool ticked);
    // Says which originals are kept for the ticked version (after a capture, a version change).
    void refreshOriginals();

    void cmdUser_Click();
    void cmdGame_Click();
    void cmdDefs_Click();
    void cmdRTS_Click();
    void cmdConClear_Click(); // Clear CON/RTS Options, also run by Clear All Options
    void cmdDeCon_Click();
    void cmdDeRTS_Click();

    // The open-file dialog of the CON files (the editor's Open uses it too): the chosen path, or
    // empty with DialogCancelled set.
    QString ChooseConFile();

signals:
    // "Select User Con" chose a file: "Use This Con When Launching Duke3d" is to be unticked.
    void userConChosen();

protected:
    void changeEvent(QEvent *event) override;
    void build() override;

private:
    enum List { UserList, GameList, DefsList, RtsList, ListCount };
    QListWidget *list(List which) const;
    void showIn(List which, const QString &entry); // what the list shows: one entry or none
    void connectSignals();
    void fitListsToOneEntry();

    std::unique_ptr<Ui::ConRtsPanel> ui;
    Module1 &m;
    StockStore &m_stock;
    ChosenFiles m_chosen;
    bool m_version15 = false;
    QString m_shown[ListCount];
};
