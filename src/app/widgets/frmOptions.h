#pragma once

#include <QDialog>
#include <memory>

class MainWindowLink;
class Module1;
class QLineEdit;
namespace Ui {
class frmOptions;
}

// "Options": the game directory and the default CON, RTS and MAP directories.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(Module1 &module1, MainWindowLink &mainWindow, QWidget *parent = nullptr);
    ~frmOptions() override;

    void cmdOptOk_Click();
    void cmdOptCancel_Click();
    void cmdDukeDir_Click();
    void cmdConDir_Click();
    void cmdRtsDir_Click();
    void cmdMapDir_Click();

    // Escape and the window's close box count as Cancel.
    void reject() override;

private:
    void connectSignals();
    void Form_Load();
    void selectDirectory(const QString &mode, QLineEdit *box);
    // The game directory must still be there and hold duke3d.exe: it may have been unmounted
    // since it was chosen. Tells the player when not.
    bool gameDirectoryPresent(const QString &path);
    bool gameDirectoryWritable(const QString &path) const;

    std::unique_ptr<Ui::frmOptions> ui;
    Module1 &m;
    MainWindowLink &mainWindow;
};
