#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class Module1;
class UserMenuBar;
namespace Ui { class frmUserDef; }

// "User Defined Menus": adds, removes, restores and orders the player's menus. There is no
// Cancel: however the dialog is closed, the kept menus are stored and the main menu rebuilt.
class frmUserDef : public QDialog
{
    Q_OBJECT
public:
    frmUserDef(Module1 &module1, UserMenuBar &bar, QWidget *owner);
    ~frmUserDef() override;

    void cmdUserDefDir_Click();
    void cmdAdd_Click();
    void cmdClear_Click();
    void cmdRemove_Click();
    void cmdRemAll_Click();
    void cmdAddBack_Click();
    void cmdRemAllBack_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void lstAdded_Click();

    // The paths beside the shown names, position for position.
    const QStringList &addedPaths() const { return lstAddedPath; }
    const QStringList &removedPaths() const { return lstRemovedPath; }

    void done(int result) override;

private:
    void move(bool fromAdded, bool all);
    void swapWithNeighbour(int step);
    QStringList addedNames() const;

    Module1 &m;
    UserMenuBar &bar;
    std::unique_ptr<Ui::frmUserDef> ui;
    QStringList lstAddedPath;
    QStringList lstRemovedPath;
    bool m_saved = false;
};
