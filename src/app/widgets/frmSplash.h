#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class MainWindowHost;
class Module1;
class QTimer;
namespace Ui { class frmSplash; }

// The splash window: shown for a moment at start-up (or not at all), asks for the game directory
// on the first start, then hands over to the main window.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    frmSplash(Module1 &module1, MainWindowHost &host, QWidget *parent = nullptr);
    ~frmSplash() override;

    // The start-up steps; run once right after construction.
    void Form_Load();
    void tmrSplash_Timer();

    // Shows the first-start Options dialog modally, owned by the splash window. Tests replace it.
    std::function<void(QWidget *owner)> runOptionsDialog;

    static QString versionText();

    // Help > About: the same window with its OK button, centred, not modal, no timer. It deletes
    // itself when closed and clears AboutMode.
    static frmSplash *showAbout(Module1 &module1, QWidget *mainWindow);
    void cmdOk_Click();

private:
    void prepareToShow(); // paints the picture, sizes and centres the window
    bool gameDirectoryHoldsTheGame();
    // The first start's messages and the Options dialog: "The path to Duke3d.exe is invalid"
    // when a game directory was set but holds no duke3d.exe, then "Please locate the Duke3d
    // executable".
    void locateTheGame(QWidget *owner, bool pathInvalid);
    void showMainAndUnload();

    frmSplash(Module1 &module1, QWidget *mainWindow); // About mode

    Module1 &m;
    MainWindowHost *host = nullptr; // none in About mode
    bool m_built = false; // the widgets of the form exist
    std::unique_ptr<Ui::frmSplash> ui;
    QTimer *tmrSplash;
};
