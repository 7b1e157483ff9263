#pragma once

#include <QDialog>
#include <memory>

class Module1;
namespace Ui {
class frmPrefs;
}

// "Preferences": the Launch Preference, the splash, the return of originals and the DOS window.
class frmPrefs : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrefs(Module1 &module1, QWidget *parent = nullptr);
    ~frmPrefs() override;

    void cmdOk_Click();
    void cmdCancel_Click();

private:
    void addDesktopNotes();
    void connectSignals();
    void showPictures();
    void Form_Load();

    std::unique_ptr<Ui::frmPrefs> ui;
    Module1 &m;
};
