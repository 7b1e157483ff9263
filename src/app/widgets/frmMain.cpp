#include "app/widgets/frmMain.h"

#include "ui_frmMain.h"

#include "core/Module1.h"
#include "core/SettingsKeys.h"
#include "app/widgets/AccessibleNames.h"
#include "app/widgets/CtrlTabSwitcher.h"
#include "app/widgets/GameSession.h"
#include "app/widgets/HelpDesk.h"
#include "app/widgets/ToolMenus.h"
#include "app/widgets/frmSplash.h"
#include "usermenus/widgets/UserMenuBar.h"
#include "usermenus/widgets/frmUserDef.h"
#include "core/widgets/DialogPlacement.h"
#include "core/widgets/IconFactory.h"
#include "core/widgets/KeyboardOrder.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/SettingsFailure.h"
#include "app/widgets/frmOptions.h"
#include "app/widgets/frmPrefs.h"
#include "coneditor/widgets/ConEditorFiles.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "coneditor/widgets/RandomizerChanges.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "confiles/GrpDirectory.h"
#include "confiles/Originals.h"
#include "confiles/StockStore.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/LaunchPlanText.h"
#include "launch/widgets/LaunchPlanWindow.h"
#include "launch/widgets/Launcher.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>

using IconFactory::Picture;

frmMain::frmMain(Module1 &module1, QWidget *parent)
    : QMainWindow(parent), m(module1), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(IconFactory::icon(Picture::Program));
    m_menus = std::make_unique<MainMenus>(*this);

    for (const char *text : {"Zentrel 98", "9/25/98"}) {
        auto *panel = new QLabel(QString::fromLatin1(text), ui->StatusBar1);
        panel->setAccessibleName(panel->text());
        panel->setContentsMargins(6, 0, 6, 0);
        ui->StatusBar1->addPermanentWidget(panel);
    }

    // Without a game directory only the tab strips' tabs are off, never the pages: the Exit
    // buttons and the menus stay usable.
    enableTabStrips(false);
    composePanels();
    setPictures();
    AccessibleNames::fill(this);
    // The pages built on their first show get their names then.
    for (LazyWidget *page : std::initializer_list<LazyWidget *>{editor, conRts})
        connect(page, &LazyWidget::built, this, [this, page] {
            AccessibleNames::fill(page);
            KeyboardOrder::pressButtonsOnReturn(page);
            KeyboardOrder::clearFocusRings(page);
            orderKeyboard();
        });
    KeyboardOrder::pressButtonsOnReturn(this);
    KeyboardOrder::clearFocusRings(this);
    orderKeyboard();
    new CtrlTabSwitcher(*this, *ui->tbsOptions);
    quitProgram = [] { QCoreApplication::quit(); };
    editor->setUp(m, *m_stock);
    m_editorFiles = new ConEditorFiles(m, *editor, *this, this);
    m_session = new GameSession(m, *this);
    m_gameTimer = new GameTimerPanel(m,
                                     {this, ui->cmdGameTimer, ui->lblGameTimer, ui->cmdLaunch, m_menus->mnuPopup,
                                      m_menus->mnuPopupCancel, m_menus->mnuPopupPause, m_menus->mnuPopupStart},
                                     *m_session, this);
    m_help = new HelpDesk(m, *this);
    m_tools = new ToolMenus(m, *this);
    m_userMenus = new UserMenuBar(m, *m_menus->munUserDef, *m_menus->mnuUserDefSpace0, this);
    connectSignals();
    fixWindowSize();
}

frmMain::~frmMain()
{
    // Tearing the pages down would report tab changes to a half-destroyed window.
    ui->tbsOpt->disconnect(this);
    ui->tbsOptions->disconnect(this);
    // The launch options own their panels: let them go while the pages still hold them.
    delete launch;
}

void frmMain::composePanels()
{
    launch = new LaunchOptions(m, *this);

    m_stock = std::make_unique<StockStore>(m.platform.files, StockStore::defaultRoot(), m.platform.programDir);
    conRts = new ConRtsPanel(m, *m_stock);
    editor = new ConEditorPage;
    ui->picOptions_0->layout()->addWidget(launch->singlePlayerPanel());
    ui->picOptions_1->layout()->addWidget(launch->multiPlayerPanel());
    ui->picOptions_2->layout()->addWidget(conRts);
    ui->picOptions_3->layout()->addWidget(launch->miscPanel());
    ui->PicOpt_1->layout()->addWidget(editor);

    // The option tabs are as tall as their tallest panel (Single Player); the editor page fits
    // itself into the same height.
    ui->tbsOptions->setMinimumWidth(600);
}

// The window's own picture buttons; every panel gives its buttons their pictures itself.
void frmMain::setPictures()
{
    ui->cmdLaunch->setIcon(IconFactory::icon(Picture::Launch));
    ui->cmdReset->setIcon(IconFactory::icon(Picture::Clear));
    ui->cmdGameTimer->setIcon(IconFactory::icon(Picture::Timer));
}

void frmMain::connectSignals()
{
    MainMenus &mn = *m_menus;
    connect(ui->tbsOpt, &QTabWidget::currentChanged, this, &frmMain::tbsOpt_Click);
    connect(ui->tbsOptions, &QTabWidget::currentChanged, this, &frmMain::tbsOptions_Click);
    connect(ui->cmdLaunch, &QAbstractButton::clicked, this, &frmMain::cmdLaunch_Click);
    connect(ui->cmdReset, &QAbstractButton::clicked, this, &frmMain::cmdReset_Click);
    connect(ui->cmdExit, &QAbstractButton::clicked, this, &frmMain::cmdExit_Click);
    connect(editor, &ConEditorPage::exitRequested, this, &frmMain::cmdExit_Click);
    connect(editor, &ConEditorPage::randomized, this, &frmMain::showRandomizerReport);
    // "Select User Con" unticks "Use This Con When Launching Duke3d"; the tick shows in lstUser.
    connect(conRts, &ConRtsPanel::userConChosen, this, &frmMain::untickUseCon);
    connect(editor, &ConEditorPage::useConToggled, conRts, &ConRtsPanel::showEditorAsUserCon);

    connect(mn.mnuFileExit, &QAction::triggered, this, &frmMain::cmdExit_Click);
    connect(mn.mnuViewOptions, &QAction::triggered, this, &frmMain::mnuViewOptions_Click);
    connect(mn.mnuViewPrefs, &QAction::triggered, this, &frmMain::mnuViewPrefs_Click);
    connect(mn.mnuLaunchDuke, &QAction::triggered, this, &frmMain::cmdLaunch_Click);
    connect(mn.mnuVersion13d, &QAction::triggered, this, &frmMain::mnuVersion13d_Click);
    connect(mn.mnuVersion15, &QAction::triggered, this, &frmMain::mnuVersion15_Click);
    connect(mn.mnuLaunchSetup, &QAction::triggered, m_tools, &ToolMenus::mnuLaunchSetup_Click);
    connect(mn.mnuLaunchBUild, &QAction::triggered, m_tools, &ToolMenus::mnuLaunchBUild_Click);
    connect(mn.mnuHelpDuke3d, &QAction::triggered, m_tools, &ToolMenus::mnuHelpDuke3d_Click);
    connect(mn.mnuHelpBuild, &QAction::triggered, m_tools, &ToolMenus::mnuHelpBuild_Click);
    connect(mn.mnuHelpDuke, &QAction::triggered, m_help, &HelpDesk::mnuHelpDuke_Click);
    connect(mn.mnuHelpWebMain, &QAction::triggered, m_help, &HelpDesk::mnuHelpWebMain_Click);
    connect(mn.mnuHelpWebFaq, &QAction::triggered, m_help, &HelpDesk::mnuHelpWebFaq_Click);
    connect(mn.mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(mn.mnuUserDef, &QAction::triggered, this, &frmMain::mnuUserDef_Click);
    connect(mn.mnuLaunchPlan, &QAction::triggered, this, &frmMain::mnuLaunchPlan_Click);
}

QString frmMain::launchPlanText()
{
    const Launcher::Preview preview = m_session->launcher().preview();
    return LaunchPlanText::compose({preview.refusal, preview.request, preview.description, preview.filesWritten});
}

void frmMain::mnuLaunchPlan_Click()
{
    LaunchPlanWindow window(launchPlanText(), this);
    window.exec();
}

void frmMain::mnuUserDef_Click()
{
    frmUserDef dialog(m, *m_userMenus, this);
    dialog.exec();
}

void frmMain::mnuHelpAbout_Click()
{
    frmSplash::showAbout(m, this);
}

QString frmMain::shownHelpPage() const
{
    if (ui->tbsOpt->currentWidget() == ui->PicOpt_1)
        return QStringLiteral("editor.html");
    static const char *const panels[] = {"single-player.html", "multi-player.html", "con-rts.html", "misc.html"};
    const int panel = ui->tbsOptions->currentIndex();
    return panel >= 0 && panel < 4 ? QLatin1String(panels[panel]) : QStringLiteral("index.html");
}

// The window is as large as its contents want and stays that size: it can be minimized but not
// resized or maximized.
// Tab goes from the tab strips to the shown page's controls in reading order, then to the buttons
// under the pages; pages built on their first show take their place in it then.
void frmMain::orderKeyboard()
{
    // Their tab bars are the stops; the tab widgets themselves would be a second stop each.
    for (QTabWidget *tabs : {ui->tbsOpt, ui->tbsOptions}) {
        tabs->setFocusPolicy(Qt::NoFocus);
        tabs->tabBar()->setFocusPolicy(Qt::TabFocus);
    }
    QList<QWidget *> stops{ui->tbsOpt->tabBar(), ui->tbsOptions->tabBar(), launch->singlePlayerPanel(),
                           launch->multiPlayerPanel()};
    if (conRts->isBuilt())
        stops << conRts;
    stops << launch->miscPanel() << ui->cmdLaunch << ui->cmdReset << ui->cmdGameTimer << ui->cmdExit;
    if (editor->isBuilt())
        stops << editor;
    KeyboardOrder::chain(stops);
}

void frmMain::fixWindowSize()
{
    ensurePolished();
    adjustSize();
    setFixedSize(size());
}

void frmMain::Form_Load()
{
    m_help->InitHelp();
    StartupWidth = QString::number(width());
    StartupHeight = QString::number(height());
    centreOnScreen(this);
    if (m.DukePath.isEmpty())
        return;

    enableTabStrips(true);
    enableSinglePlayerFrame();
    ui->cmdLaunch->setEnabled(true);
    ui->cmdReset->setEnabled(true);
    ui->cmdGameTimer->setEnabled(true);
    launch->ScanSavedGames();
    m_session->ReadCfgKeys();
    // A game directory seen for the first time gives its originals first: its USER.CON is then
    // the stock one the editor starts with.
    keepOriginals(startupVersion15());
    editor->loadDefaultUserCon(); // a missing file leaves the editor empty
    m.ConModified = false;
    RefreshMainMenus();
}

// The version start-up ticks: the stored one, or on the very first start what the game's own
// DUKE3D.GRP says.
bool frmMain::startupVersion15() const
{
    const bool firstStart = m.platform.settings.value(SettingsKeys::Prefs, SettingsKeys::LastVersion).trimmed().isEmpty();
    return firstStart ? GrpDirectory::isVersion15(m.DukePath).value_or(false) : m.LastVersion == 15;
}

// The first time Zentrel sees a game directory it keeps the player's own CON and RTS files, for
// "Return to Original"; a directory seen before is left alone (its files may be swapped-in ones).
void frmMain::keepOriginals(bool version15)
{
    const StockStore::Capture capture = m_stock->captureIfNew(m.DukePath, version15);
    if (!capture.error.isEmpty())
        m.platform.prompts.message(this,
                                   capture.error + QStringLiteral("\n\nDeCON and DeRTS can put back only the originals "
                                                                  "Zentrel could keep."),
                                   Prompts::Icon::Exclamation);
    conRts->refreshOriginals();
}

void frmMain::enableSinglePlayerFrame() { launch->setSinglePlayerFrameEnabled(true); }

void frmMain::enableTabStrips(bool enabled)
{
    ui->tbsOpt->tabBar()->setEnabled(enabled);
    ui->tbsOptions->tabBar()->setEnabled(enabled);
}

void frmMain::enableMenuForFile(QAction *item, const QString &file)
{
    m.FileFound = false;
    m.FileExists(m.gameFile(file));
    item->setEnabled(m.FileFound);
}

void frmMain::RefreshMainMenus()
{
    MainMenus &mn = *m_menus;
    enableMenuForFile(mn.mnuLaunchDuke, QStringLiteral("duke3d.exe"));
    enableMenuForFile(mn.mnuLaunchBUild, QStringLiteral("build.exe"));
    enableMenuForFile(mn.mnuLaunchSetup, QStringLiteral("setup.exe"));
    enableMenuForFile(mn.mnuHelpBuild, QStringLiteral("buildhlp.exe"));
    enableMenuForFile(mn.mnuHelpDuke3d, QStringLiteral("dn3dhelp.exe"));
    m.FileFound = false;
    // The stored user menus, in stored order; a later refresh (Options OK) rebuilds them rather
    // than adding every one a second time.
    m_userMenus->loadFromStore();

    // The version of the last run, the first time; a later refresh (Options OK) keeps the one
    // the player has ticked, and with it the options chosen for it.
    if (m_menus->mnuVersion13d->isChecked() || m_menus->mnuVersion15->isChecked())
        return;
    m_editorFiles->chooseVersion(startupVersion15());
}

void frmMain::gameDirectoryConfigured()
{
    enableTabStrips(true);
    enableSinglePlayerFrame();
    ui->cmdLaunch->setEnabled(true);
    ui->cmdReset->setEnabled(true);
    RefreshMainMenus();
    keepOriginals(gameVersion15());
}

void frmMain::tickVersion(bool version15)
{
    m_menus->mnuVersion13d->setChecked(!version15);
    m_menus->mnuVersion15->setChecked(version15);
    conRts->setVersion15(version15);
    emit gameVersionChanged();
}

void frmMain::refreshLaunchOptions() { launch->versionChanged(); }
QString frmMain::chooseConFile() { return conRts->ChooseConFile(); }

// The menu ticks the chosen item before the command runs; a command that stops (a cancelled
// save prompt) puts the ticks back as they were.
void frmMain::mnuVersion13d_Click()
{
    m_editorFiles->mnuVersion13d_Click();
    syncVersionTicks();
}

void frmMain::mnuVersion15_Click()
{
    m_editorFiles->mnuVersion15_Click();
    syncVersionTicks();
}

void frmMain::syncVersionTicks()
{
    if (m_menus->mnuVersion13d->isChecked() == editor->version15()
        || m_menus->mnuVersion15->isChecked() != editor->version15())
        tickVersion(editor->version15());
}

// The page shown by a tab widget is its only visible page; the others stay enabled so the
// switches they hold keep their state for the launch.
void frmMain::tbsOpt_Click()
{
    if (ui->tbsOpt->currentWidget() == ui->PicOpt_1) {
        editor->FillEditorCatalogue();
        emit editorTabShown();
    }
}

void frmMain::tbsOptions_Click() {}

void frmMain::cmdLaunch_Click()
{
    m_session->launcher().Launch();
}

bool frmMain::gameVersion15() const { return m_menus->mnuVersion15->isChecked(); }
void frmMain::focusLaunchButton() { ui->cmdLaunch->setFocus(); }
void frmMain::untickUseCon() { editor->setUseCon(false); }
void frmMain::clearConRtsOptions() { conRts->cmdConClear_Click(); }

void frmMain::cmdReset_Click() { launch->ClearAllOptions(); }

// After a randomizer run: what it did in the status bar, and its changes one click away.
void frmMain::showRandomizerReport(const QString &summary, const QString &table)
{
    m_randomizerTable = table;
    ui->StatusBar1->showMessage(summary);
    if (!m_randomizerChanges) {
        m_randomizerChanges = new QToolButton(ui->StatusBar1);
        m_randomizerChanges->setObjectName(QStringLiteral("cmdRandChanges"));
        m_randomizerChanges->setText(QStringLiteral("Changes..."));
        m_randomizerChanges->setToolTip(QStringLiteral("Show what the last randomizer run changed"));
        m_randomizerChanges->setAutoRaise(true);
        ui->StatusBar1->addPermanentWidget(m_randomizerChanges);
        connect(m_randomizerChanges, &QToolButton::clicked, this, [this] {
            RandomizerChanges dialog(ui->StatusBar1->currentMessage(), m_randomizerTable, this);
            dialog.exec();
        });
    }
    m_randomizerChanges->show();
}

void frmMain::mnuViewOptions_Click()
{
    frmOptions dialog(m, *this, this);
    dialog.exec();
}

void frmMain::mnuViewPrefs_Click()
{
    frmPrefs dialog(m, this);
    dialog.exec();
}

void frmMain::cmdExit_Click()
{
    // Unsaved changes of the edited USER.CON: save, drop them, or stay.
    if (m.ConModified) {
        const Prompts::Answer answer = m.platform.prompts.message(
            this, QStringLiteral("Save changes to current con file?"), Prompts::Icon::None, Prompts::Buttons::YesNoCancel);
        if (answer == Prompts::Answer::Cancel)
            return;
        if (answer == Prompts::Answer::Yes) {
            m_editorFiles->Save();
            if (m.DialogCancelled)
                return;
        }
    }
    m_session->unhideForExit();
    close();
    if (quitProgram)
        quitProgram();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Whatever ends the window, a hidden game window comes back and no tray icon is left behind.
    m_session->unhideForExit();
    m_session->RemoveTrayIcon();
    unload();
    event->accept();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || windowState() != Qt::WindowNoState)
        return;
    const QSize startup(StartupWidth.toInt(), StartupHeight.toInt());
    if (startup.isValid() && size() != startup)
        resize(startup);
}

void frmMain::unload()
{
    m_help->CloseHelp();
    // A window that never chose a version (no game directory yet) keeps the stored one rather
    // than recording "15" that nobody picked.
    const bool version15 = m_menus->mnuVersion15->isChecked();
    if (version15 || m_menus->mnuVersion13d->isChecked())
        if (!m.platform.settings.setValue(SettingsKeys::Prefs, SettingsKeys::LastVersion,
                                          version15 ? SettingsKeys::Version15 : SettingsKeys::Version13d))
            reportUnsavedSettingsOnce(m, this);
    if (m.DukePath.isEmpty())
        return;
    m_session->writePlayerName();
    // The originals go back as the preferences ask: DUKE.RTS first, then the CONs.
    if (m.RTSpref == SettingsKeys::Yes)
        Originals::ReturnToOriginal(m.platform.files, *m_stock, m.DukePath, QStringLiteral("RTS"), version15);
    if (m.CONpref == SettingsKeys::Yes)
        Originals::ReturnToOriginal(m.platform.files, *m_stock, m.DukePath, QStringLiteral("CON"), version15);
    for (const char *name : {"KVuser.map", "KVuser.con", "KVgame.con", "KVdefs.con"})
        deleteWorkingFile(QLatin1String(name));
}

// Errors are ignored. Every spelling of the name goes: a case-sensitive disk may hold several.
void frmMain::deleteWorkingFile(const QString &name)
{
    Files &files = m.platform.files;
    const QString path = m.gameFile(name);
    for (int guard = 0; guard < 64 && files.exists(path); ++guard)
        if (!files.remove(path))
            break;
}
