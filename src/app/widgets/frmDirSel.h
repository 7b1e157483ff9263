#pragma once

#include <QDialog>
#include <QList>
#include <memory>

class Module1;
class QListWidgetItem;
namespace Ui {
class frmDirSel;
}

// "Select Directory": picks one directory for the Options dialog. Module1::DirSelMode says which
// one ("Duke", "Con", "Rts" or "Map"); in mode "Duke" the directory must hold duke3d.exe.
class frmDirSel : public QDialog
{
    Q_OBJECT
public:
    // startDir: where the list opens in the modes other than "Duke" (empty: the home directory).
    frmDirSel(Module1 &module1, const QString &startDir = {}, QWidget *parent = nullptr);
    ~frmDirSel() override;

    // The directory whose contents the list shows; OK chooses it.
    QString currentPath() const { return m_path; }
    // Shows another directory. False, and nothing changes, when it cannot be listed.
    bool setCurrentPath(const QString &path);
    // What OK takes: the folder highlighted in the list, else the listed one.
    QString highlightedPath() const;
    // The directory OK accepted; empty until then.
    QString chosenPath() const { return m_chosen; }

    void cmdOk_Click();
    void cmdCancel_Click();
    void drvSel_Change(int index);
    void dirSel_Activated(QListWidgetItem *item);
    void cmdUp_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Place
    {
        QString label;
        QString path;
    };

    void connectSignals();
    void fillPlaces();
    void openStart(const QString &startDir);
    // Like setCurrentPath, but tells the player when the directory cannot be opened.
    bool enter(const QString &path);
    void showPlaceOf(const QString &path);
    void showPathLabel();

    std::unique_ptr<Ui::frmDirSel> ui;
    Module1 &m;
    QList<Place> m_places;
    QString m_path;
    QString m_chosen;
};
