#pragma once

#include "app/MainWindowLink.h"
#include "coneditor/widgets/EditorHost.h"
#include "launch/widgets/LaunchHost.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ConEditorFiles;
class ConEditorPage;
class GameSession;
class GameTimerPanel;
class HelpDesk;
class ToolMenus;
class UserMenuBar;
class ConRtsPanel;
class StockStore;
class LaunchOptions;
class Module1;
class QToolButton;
struct MainMenus;
namespace Ui { class frmMain; }

// The main window "Zentrel": composes the option panels, the CON/RTS panel and the editor page,
// owns the menus and the main window's lifecycle (load, unload, exit).
class frmMain : public QMainWindow, public MainWindowLink, public OptionsHost, public EditorHost
{
    Q_OBJECT
public:
    explicit frmMain(Module1 &module1, QWidget *parent = nullptr);
    ~frmMain() override;

    // Main-window load: run once, before the window is first shown or used.
    void Form_Load();
    void RefreshMainMenus();

    void gameDirectoryConfigured() override;
    QWidget *mainWindow() override { return this; }

    LaunchOptions &launchOptions() { return *launch; }
    MainMenus &menus() { return *m_menus; }
    ConRtsPanel &conRtsPanel() { return *conRts; }
    ConEditorPage &conEditorPage() { return *editor; }
    ConEditorFiles &conEditorFiles() { return *m_editorFiles; }
    StockStore &stockStore() { return *m_stock; }
    GameSession &session() { return *m_session; }
    GameTimerPanel &gameTimer() { return *m_gameTimer; }
    HelpDesk &helpDesk() { return *m_help; }
    UserMenuBar &userMenus() { return *m_userMenus; }

    // The manual's page of the tab and panel shown (F1).
    QString shownHelpPage() const;

    // Handlers.
    void cmdExit_Click();
    void cmdLaunch_Click();
    void cmdReset_Click();
    void tbsOpt_Click();
    void tbsOptions_Click();
    void mnuVersion13d_Click();
    void mnuVersion15_Click();
    void mnuViewOptions_Click();
    void mnuViewPrefs_Click();
    void mnuUserDef_Click();
    void mnuHelpAbout_Click();
    void mnuLaunchPlan_Click();
    // The text Show Launch Plan shows for the options as they stand.
    QString launchPlanText();
    void showRandomizerReport(const QString &summary, const QString &table);

    // The window's width and height at load, as text.
    QString StartupWidth;
    QString StartupHeight;

    // What the option panels and the editor ask of the main window.
    bool gameVersion15() const override;
    void tickVersion(bool version15) override;
    void refreshLaunchOptions() override;
    QString chooseConFile() override;
    void focusLaunchButton() override;
    void untickUseCon() override;
    void clearConRtsOptions() override;

    // Ends the program after the exit command has unloaded the window; tests replace it.
    std::function<void()> quitProgram;

signals:
    // The User Con Editor page became the shown page: its catalogue is to be refreshed.
    void editorTabShown();
    // A version command ran: mnuVersion15 is now ticked or unticked.
    void gameVersionChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void composePanels();
    void setPictures();
    void connectSignals();
    void fixWindowSize();
    void orderKeyboard();
    void enableMenuForFile(QAction *item, const QString &file);
    void enableSinglePlayerFrame();
    void enableTabStrips(bool enabled); // the tabs of tbsOpt and tbsOptions, never their pages
    void keepOriginals(bool version15);
    bool startupVersion15() const;
    void syncVersionTicks();
    void unload();
    void deleteWorkingFile(const QString &name);

    Module1 &m;
    std::unique_ptr<Ui::frmMain> ui;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<StockStore> m_stock;
    LaunchOptions *launch = nullptr;
    ConRtsPanel *conRts = nullptr;
    ConEditorPage *editor = nullptr;
    ConEditorFiles *m_editorFiles = nullptr;
    GameSession *m_session = nullptr;
    GameTimerPanel *m_gameTimer = nullptr;
    HelpDesk *m_help = nullptr;
    ToolMenus *m_tools = nullptr;
    UserMenuBar *m_userMenus = nullptr;
    QToolButton *m_randomizerChanges = nullptr;
    QString m_randomizerTable;
};
