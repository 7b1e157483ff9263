#include "app/GameSupervisor.h"
#include "app/widgets/GameSession.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/TrayIcon.h"
#include "app/widgets/frmMain.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "core/Module1.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "launch/CommandLine.h"
#include "launch/widgets/LaunchOptions.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "ControlDriver.h"
#include "FailingSettingsStore.h"
#include "FakeGameRunner.h"
#include "FakeGameWindows.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

namespace {

// A game directory on disk, the settings in memory, and a main window over them.
struct Fixture
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;
    int quits = 0;

    explicit Fixture(bool configured = true, const QStringList &gameFiles = {})
    {
        platform.programDir = dir.filePath(QStringLiteral("program"));
        platform.runner = &runner;
        for (const QString &name : gameFiles)
            touch(name);
        if (configured)
            m.DukePath = dir.path();
    }
    void touch(const QString &name, const QByteArray &data = {}) const
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QByteArray bytes(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    bool onDisk(const QString &name) const { return QFileInfo::exists(dir.filePath(name)); }
    frmMain &load()
    {
        m.LoadPreferences();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [this] { ++quits; };
        window->Form_Load();
        // as the first show of the editor tab and the CON/RTS panel does
        window->conEditorPage().ensureBuilt();
        window->conRtsPanel().ensureBuilt();
        return *window;
    }
    template<typename T = QWidget>
    T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QAction *action(const QString &name) const { return child<QAction>(name); }
    // The control's own enabled flag, whatever its containers say.
    bool ownEnabled(const QString &name) const { return !child(name)->testAttribute(Qt::WA_ForceDisabled); }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void widgetsCarryTheirCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption"); // text, or tool tip of a picture button
        QTest::addColumn<bool>("enabled");
        QTest::newRow("launch") << "cmdLaunch" << "Launch Duke3D" << false;
        QTest::newRow("reset") << "cmdReset" << "Clear All Options" << false;
        QTest::newRow("timer") << "cmdGameTimer" << "Game Timer" << false;
        QTest::newRow("exit") << "cmdExit" << "Exit" << true;
        QTest::newRow("select user") << "cmdUser" << "Select User Con" << true;
        QTest::newRow("select game") << "cmdGame" << "Select Game Con" << true;
        QTest::newRow("select defs") << "cmdDefs" << "Select Defs Con" << true;
        QTest::newRow("select rts") << "cmdRTS" << "Select RTS" << true;
        QTest::newRow("con clear") << "cmdConClear" << "Clear CON/RTS Options" << true;
        QTest::newRow("decon") << "cmdDeCon" << "DeCON" << true;
        QTest::newRow("derts") << "cmdDeRTS" << "DeRTS" << true;
        QTest::newRow("frame3") << "Frame3" << "RTS/CON" << true;
        QTest::newRow("return frame") << "fraDeCon" << "Return to Original" << true;
        QTest::newRow("con sel") << "lblConSel" << "CON(s) Selected:" << true;
        QTest::newRow("user label") << "lblUser" << "User.con:" << true;
        QTest::newRow("game label") << "lblGame" << "Game.con:" << true;
        QTest::newRow("defs label") << "lblDefs" << "Defs.con:" << true;
        QTest::newRow("rts label") << "lblRts" << "RTS Selected:" << true;
        QTest::newRow("players label") << "lblPlayers" << "Select Item:" << true;
        QTest::newRow("category label") << "lblSelCat" << "Select Category:" << true;
        QTest::newRow("weapon label") << "lblSelWeap" << "Select Weapon:" << true;
        QTest::newRow("enemy label") << "lblSelEnemy" << "Select Enemy:" << true;
        QTest::newRow("misc label") << "lblConMisc" << "Select Item:" << true;
        QTest::newRow("value label 2") << "lblValue_2" << "Current Value:" << false;
        QTest::newRow("play rnd") << "cmdPlayRnd" << "Randomize the Players Section" << true;
        QTest::newRow("weap rnd") << "cmdWeapRand" << "Randomize the Weapons Section" << true;
        QTest::newRow("enemy rnd") << "cmdEnemyRand" << "Randomize the Enemies Section" << true;
        QTest::newRow("misc rnd") << "cmdMiscRand" << "Randomize the Misc Section" << true;
        QTest::newRow("camera frame") << "fraConCamera" << "Cameras Destructable:" << true;
        QTest::newRow("freeze frame") << "fraConFreeze" << "Freeze Hurt Owner:" << true;
        QTest::newRow("cam yes") << "optCamYes" << "Yes" << true;
        QTest::newRow("freeze no") << "optFreezNo" << "No" << true;
        QTest::newRow("user con label") << "lblUserCon" << "Default User Con File" << true;
        QTest::newRow("open") << "cmdLoadCon" << "Open Con File" << true;
        QTest::newRow("save") << "cmdPlaySave" << "Save Current Con" << true;
        QTest::newRow("default") << "cmdDefCon" << "Load Default User Con" << true;
        QTest::newRow("revert") << "cmdConEditClear" << "Clear All Changes Since Last Save" << true;
        QTest::newRow("randomize all") << "cmdRand" << "Randomize Entire User Con" << true;
        QTest::newRow("use con") << "chkUseCon" << "Use This Con When Launching Duke3d" << true;
        QTest::newRow("editor exit") << "cmdOptExit" << "Exit" << true;
        QTest::newRow("options strip") << "tbsOptions" << "" << true;
        QTest::newRow("main strip") << "tbsOpt" << "" << true;
    }
    void widgetsCarryTheirCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        Fixture f(false);
        f.load();
        QWidget *w = f.child(name);
        QVERIFY2(w, qPrintable(name));
        QString shown;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            shown = button->icon().isNull() ? button->text() : button->toolTip();
        else if (auto *label = qobject_cast<QLabel *>(w))
            shown = label->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(w))
            shown = frame->title();
        QCOMPARE(shown, caption);
        // As the player meets it: its own flag and its containers'.
        QCOMPARE(w->isEnabled(), enabled);
        QVERIFY2(!w->accessibleName().isEmpty() || qobject_cast<QLabel *>(w), qPrintable(name));
    }

    void tabsHaveCaptionsAndTips()
    {
        Fixture f;
        f.load();
        auto *options = f.child<QTabWidget>("tbsOptions");
        const QStringList titles{"Single Player", "Multi Player", "CON/RTS", "Misc"};
        const QStringList tips{"Single Player Options", "Mulit Player Options", "CON and RTS Options",
                               "Miscellaneous Options"};
        QCOMPARE(options->count(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(options->tabText(i), titles[i]);
            QCOMPARE(options->tabToolTip(i), tips[i]);
            QCOMPARE(options->widget(i)->objectName(), QStringLiteral("picOptions_%1").arg(i));
        }
        auto *main = f.child<QTabWidget>("tbsOpt");
        QCOMPARE(main->tabText(0), QStringLiteral("Duke3D"));
        QCOMPARE(main->tabText(1), QStringLiteral("User Con Editor"));
        QCOMPARE(main->widget(1)->objectName(), QStringLiteral("PicOpt_1"));
        auto *categories = f.child<QTabWidget>("tbsCon");
        const QStringList pages{"Players", "Weapons", "Enemies", "Misc"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(categories->tabText(i), pages[i]);
            QCOMPARE(categories->widget(i)->objectName(), QStringLiteral("PicCon_%1").arg(i));
            auto *box = f.child<QComboBox>(QStringLiteral("cmbweap_%1").arg(i));
            QVERIFY(box && box->isEditable() && !f.ownEnabled(box->objectName()));
        }
        for (const char *list : {"lstUser", "lstGame", "lstDefs", "lstRTS", "lstPlayers", "lstWeapInfo",
                                 "lstWeapon", "lstEnemy", "lstConMisc"})
            QVERIFY2(f.child<QListWidget>(list) && !f.child(list)->accessibleName().isEmpty(), list);
        QVERIFY(f.child<QPlainTextEdit>("rtbCon"));
    }

    void menusInOrderWithCaptions()
    {
        Fixture f(false);
        f.load();
        QStringList bar;
        for (QAction *a : f.window->menuBar()->actions())
            bar << a->menu()->objectName() + '=' + a->text();
        QCOMPARE(bar, (QStringList{"mnuFile=&File", "mnuView=&View", "mnuLaunch=&Launch", "mnuPopup=&Game Timer",
                                   "mnuVersion=&Duke Version", "munUserDef=&User Defined", "mnuHelp=&Help"}));

        auto items = [&](const char *menu) {
            QStringList out;
            for (QAction *a : f.child<QMenu>(menu)->actions()) {
                QString entry = a->objectName().isEmpty() && a->menu() ? a->menu()->objectName() : a->objectName();
                entry += '=' + (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (!a->isEnabled() && a->isVisible()) // a hidden action reads as disabled
                    entry += QStringLiteral(" (off)");
                if (!a->isVisible())
                    entry += QStringLiteral(" (hidden)");
                out << entry;
            }
            return out;
        };
        QCOMPARE(items("mnuFile"), QStringList{"mnuFileExit=&Exit"});
        QCOMPARE(items("mnuView"), (QStringList{"mnuViewOptions=&Options", "mnuViewPrefs=&Preferences"}));
        QCOMPARE(items("mnuLaunch"), (QStringList{"mnuLaunchUnhide=&Unhide Duke3D (off)", "mnuLaunchDuke=&Duke3D (off)",
                                                  "mnuLaunchPlan=Show Launch &Plan",
                                                  "mnuLaunchSetup=&Duke3D Setup (off)", "mnuLaunchBUild=&Build (off)"}));
        QCOMPARE(items("mnuPopup"), (QStringList{"mnuPopupCancel=&Cancel Timer (off)", "mnuPopupPause=&Pause (off)",
                                                 "mnuPopupStart=&Start (off)"}));
        QCOMPARE(items("mnuVersion"), (QStringList{"mnuVersion13d=&Version 1.3d", "mnuVersion15=&Version 1.4 / 1.5"}));
        QCOMPARE(items("munUserDef"), (QStringList{"mnuUserDef=&Menu Manager", "mnuUserDefSpace_0=- (hidden)"}));
        QCOMPARE(items("mnuHelp"),
                 (QStringList{"mnuHelpDuke=&Zentrel Help", "mnuHelpDuke3d=Duke3d &Help File  (off)",
                              "mnuHelpBuild=&Build Help FIle (off)", "mnuHelpSpace=-", "mnuHelpWebAction=Zentrel on the &Web",
                              "mnuHelpAbout=&About Zentrel"}));
        QCOMPARE(items("mnuHelpWeb"), (QStringList{"mnuHelpWebMain=DO98 &Main Web Page",
                                                   "mnuHelpWebFaq=&Frequently Asked Questions"}));
        QCOMPARE(items("mnuSystemTray"), (QStringList{"mnuSysUnhide=&Unhide Duke3d (off)", "mnuSysLaunch=&Relaunch Duke3d",
                                                      "mnuSysShow=&Show Zentrel", "space=-", "mnuSysExit=&Exit"}));
        QVERIFY(f.action("mnuVersion13d")->isCheckable() && f.action("mnuVersion15")->isCheckable());
    }

    void timersAndStatusBar()
    {
        Fixture f;
        f.load();
        GameSupervisor &supervisor = f.window->session().supervisor();
        const QList<QPair<QTimer *, int>> timers{{&supervisor.tmrTopWin, 5000}, {&supervisor.tmrChkWin, 2000},
                                                 {&f.window->gameTimer().tmrBeep, 2000},
                                                 {&f.window->gameTimer().tmrGameTimer, 60000}};
        for (const auto &[timer, interval] : timers) {
            QVERIFY(timer);
            QCOMPARE(timer->interval(), interval);
            QVERIFY(!timer->isActive());
        }
        QStringList panels;
        for (QLabel *label : f.child<QStatusBar>("StatusBar1")->findChildren<QLabel *>())
            panels << label->text();
        QCOMPARE(panels, (QStringList{"Zentrel 98", "9/25/98"}));
        auto *timerLabel = f.child<QLabel>("lblGameTimer");
        QVERIFY(timerLabel->isHidden() && timerLabel->text().isEmpty());
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Zentrel"));
        QVERIFY(!f.window->windowIcon().isNull());
    }

    void unconfiguredLoadKeepsLaunchingOff()
    {
        Fixture f(false, {"duke3d.exe"});
        f.load();
        auto tabs = [&](const char *name) { return f.child<QTabWidget>(name)->tabBar()->isEnabled(); };
        // Only the tabs are off, not the pages: both Exit buttons stay usable.
        QVERIFY(!tabs("tbsOpt") && !tabs("tbsOptions"));
        for (const char *name : {"fraSingPl", "cmdLaunch", "cmdReset", "cmdGameTimer"})
            QVERIFY2(!f.child(name)->isEnabled(), name);
        for (const char *name : {"cmdExit", "cmdOptExit", "chkSingle"})
            QVERIFY2(f.child(name)->isEnabled() == (QByteArray(name) != "chkSingle"), name);
        QVERIFY(f.window->menuBar()->isEnabled());
        QVERIFY(!f.action("mnuLaunchDuke")->isEnabled());
        QVERIFY(!f.action("mnuVersion13d")->isChecked() && !f.action("mnuVersion15")->isChecked());

        // Options OK later in the run: everything but the Game Timer button comes on.
        f.m.DukePath = f.dir.path();
        f.window->gameDirectoryConfigured();
        QVERIFY(tabs("tbsOpt") && tabs("tbsOptions"));
        for (const char *name : {"fraSingPl", "chkSingle", "cmdLaunch", "cmdReset"})
            QVERIFY2(f.child(name)->isEnabled(), name);
        QVERIFY(!f.child("cmdGameTimer")->isEnabled());
        QVERIFY(f.action("mnuLaunchDuke")->isEnabled());
        QVERIFY(f.action("mnuVersion13d")->isChecked());
    }

    void configuredLoadEnablesToolsByFilesInAnyCase()
    {
        Fixture f(true, {"DUKE3D.EXE", "Setup.Exe", "dn3dhelp.EXE"});
        f.m.ConModified = true;
        f.load();
        QVERIFY(f.child<QTabWidget>("tbsOpt")->tabBar()->isEnabled());
        QVERIFY(f.child<QTabWidget>("tbsOptions")->tabBar()->isEnabled());
        for (const char *name : {"fraSingPl", "cmdLaunch", "cmdReset", "cmdGameTimer"})
            QVERIFY2(f.child(name)->isEnabled(), name);
        QVERIFY(!f.m.ConModified);
        QVERIFY(!f.m.FileFound);
        QVERIFY(f.action("mnuLaunchDuke")->isEnabled());
        QVERIFY(f.action("mnuLaunchSetup")->isEnabled());
        QVERIFY(f.action("mnuHelpDuke3d")->isEnabled());
        QVERIFY(!f.action("mnuLaunchBUild")->isEnabled());
        QVERIFY(!f.action("mnuHelpBuild")->isEnabled());

        // A tool that disappears is switched off by the next refresh.
        QVERIFY(QFile::remove(f.dir.filePath("Setup.Exe")));
        f.touch("BUILD.exe");
        f.window->RefreshMainMenus();
        QVERIFY(!f.action("mnuLaunchSetup")->isEnabled());
        QVERIFY(f.action("mnuLaunchBUild")->isEnabled());
    }

    void lastVersionChoosesTheVersion_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("version15");
        QTest::newRow("15") << "15" << true;
        QTest::newRow("13d") << "13d" << false;
        QTest::newRow("13") << "13" << false;
        QTest::newRow("garbage") << "1.5x" << false;
        QTest::newRow("none") << "" << false;
    }
    void lastVersionChoosesTheVersion()
    {
        QFETCH(QString, stored);
        QFETCH(bool, version15);
        Fixture f;
        if (!stored.isEmpty())
            f.store.setValue("Prefs", "LastVersion", stored);
        f.load();
        QCOMPARE(f.action("mnuVersion15")->isChecked(), version15);
        QCOMPARE(f.action("mnuVersion13d")->isChecked(), !version15);
    }

    void versionCommandsTickExactlyOne()
    {
        Fixture f;
        f.load();
        QSignalSpy changed(f.window.get(), &frmMain::gameVersionChanged);
        QAction *v13 = f.action("mnuVersion13d");
        QAction *v15 = f.action("mnuVersion15");
        v15->trigger();
        QVERIFY(v15->isChecked() && !v13->isChecked());
        QVERIFY(f.window->launchOptions().isVersion15());
        v15->trigger(); // choosing the ticked item again keeps it ticked
        QVERIFY(v15->isChecked() && !v13->isChecked());
        v13->trigger();
        QVERIFY(v13->isChecked() && !v15->isChecked());
        QCOMPARE(changed.count(), 3);
    }

    void ctrlTabWrapsThroughOptionTabs()
    {
        Fixture f;
        f.load();
        auto *options = f.child<QTabWidget>("tbsOptions");
        // Sent to different controls: the focused tab bar would otherwise switch by itself.
        QWidget *targets[] = {f.child("cmdExit"), options->tabBar(), f.child("lstUser"), f.child("rtbCon")};
        for (int step = 1; step <= 4; ++step) {
            QTest::keyClick(targets[step - 1], Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(options->currentIndex(), step % 4);
        }
        options->setCurrentIndex(3);
        QTest::keyClick(options->tabBar(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(options->tabBar(), Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(f.child("cmdExit"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(options->currentIndex(), 3);
    }

    void editorTabAsksForRefreshEachTime()
    {
        Fixture f;
        f.load();
        QSignalSpy refresh(f.window.get(), &frmMain::editorTabShown);
        auto *main = f.child<QTabWidget>("tbsOpt");
        main->setCurrentIndex(1);
        QCOMPARE(refresh.count(), 1);
        main->setCurrentIndex(0);
        QCOMPARE(refresh.count(), 1);
        main->setCurrentIndex(1);
        QCOMPARE(refresh.count(), 2);
        QVERIFY(main->currentWidget()->isEnabled());
    }

    void exitRoutesUnloadAndQuit_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("Exit button") << "cmdExit";
        QTest::newRow("editor Exit button") << "cmdOptExit";
        QTest::newRow("File > Exit") << "mnuFileExit";
        QTest::newRow("tray Exit") << "mnuSysExit";
        QTest::newRow("window frame") << "";
    }
    void exitRoutesUnloadAndQuit()
    {
        QFETCH(QString, route);
        Fixture f(true, {"KVUSER.MAP", "kvuser.con", "KVgame.con", "KvDefs.Con", "User.con", "KVuser.dat"});
        f.store.setValue("Prefs", "LastVersion", "15");
        f.load();
        f.action("mnuVersion13d")->trigger();
        f.window->show();

        if (route.isEmpty())
            f.window->close();
        else if (QAction *item = f.action(route))
            item->trigger();
        else
            f.child<QAbstractButton>(route)->click();

        QCOMPARE(f.store.value("Prefs", "LastVersion"), QStringLiteral("13d"));
        for (const char *gone : {"KVUSER.MAP", "kvuser.con", "KVgame.con", "KvDefs.Con"})
            QVERIFY2(!f.onDisk(gone), gone);
        QVERIFY(f.onDisk("User.con") && f.onDisk("KVuser.dat"));
        QCOMPARE(f.quits, route.isEmpty() ? 0 : 1);
        QVERIFY(!f.window->isVisible());
    }

    void unloadDeletesEverySpellingOfAWorkingFile()
    {
        Fixture f(true, {"KVuser.con", "KVUSER.CON", "kvuser.con"});
        f.load();
        f.window->close();
        QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
    }

    void unconfiguredUnloadKeepsStoredVersionAndFiles()
    {
        Fixture f(false, {"KVuser.con"});
        f.store.setValue("Prefs", "LastVersion", "13d");
        f.load();
        f.window->close();
        QCOMPARE(f.store.value("Prefs", "LastVersion"), QStringLiteral("13d"));
        QVERIFY(f.onDisk("KVuser.con"));
    }

    // Options OK with nothing changed keeps the version the player ticked and the options chosen.
    void optionsOkKeepsTheTickedVersionAndChoices()
    {
        Fixture f(true, {"duke3d.exe"});
        f.store.setValue("Prefs", "LastVersion", "13d");
        f.load();
        ControlDriver d(f.window.get());
        f.action("mnuVersion15")->trigger();
        d.tick("chkSingle");
        d.choose("cmbEpisode", "The Birth");
        f.window->gameDirectoryConfigured();
        QVERIFY(f.action("mnuVersion15")->isChecked() && !f.action("mnuVersion13d")->isChecked());
        QCOMPARE(d.combo("cmbEpisode")->currentText(), QString("The Birth"));
        QCOMPARE(d.items("cmbEpisode").size(), 4);
        QCOMPARE(f.window->launchOptions().commandLine().EpisodeSwitch, QString(" /v4"));
    }

    // However the main window ends, every game window supervision hid comes back.
    void everyWayOutShowsHiddenGameWindows_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("window frame") << "";
        QTest::newRow("File > Exit") << "mnuFileExit";
    }
    void everyWayOutShowsHiddenGameWindows()
    {
        QFETCH(QString, route);
        FakeGameWindows windows;
        Fixture f(true, {"duke3d.exe"});
        f.platform.windows = &windows;
        f.load();
        f.m.HideDosWin = "Yes";
        f.m.CloseDosWin = "No";
        f.window->show();
        GameSupervisor &supervisor = f.window->session().supervisor();
        ControlDriver d(f.window.get());

        // Two launches; the first game is hidden before the second starts, the second after.
        constexpr GameWindows::Handle first = 0x100001, second = 0x200002;
        const QList<QPair<qint64, GameWindows::Handle>> games{{4242, first}, {4343, second}};
        for (const auto &[pid, window] : games) {
            f.runner.answer.pid = pid;
            windows.windows[window] = {pid, "Duke3d"};
            d.tick("chkSingle");
            d.choose("cmbEpisode", "LA Meltdown");
            d.choose("cmbLevel", "DEATH ROW");
            d.button("cmdLaunch")->click();
            windows.front = {true, window};
            supervisor.tmrTopWin_Timer();
            windows.front = {true, 0x999};
            supervisor.tmrChkWin_Timer();
        }
        QCOMPARE(windows.hidden, (QList<GameWindows::Handle>{first, second}));
        QVERIFY(f.action("mnuLaunchUnhide")->isEnabled());

        if (route.isEmpty())
            f.window->close();
        else
            f.action(route)->trigger();
        QCOMPARE(windows.shown, (QList<GameWindows::Handle>{first, second}));
        QVERIFY(windows.windows[first].visible && windows.windows[second].visible);
    }

    // Start-up lists the saved games; a game that ends lists what it saved, and the slot the
    // player had chosen stays chosen.
    void savedGamesAreListedAtStartAndAfterAGame()
    {
        FakeGameWindows windows;
        Fixture f(true, {"duke3d.exe"});
        f.platform.windows = &windows;
        f.touch("GAME0.SAV", QByteArray(26, '\x01') + "FIRST SAVE" + '\0');
        f.store.setValue("Prefs", "LastVersion", "15");
        f.load();
        auto *saved = f.child<QComboBox>("cmbSaved");
        QCOMPARE(saved->count(), 1);
        QCOMPARE(saved->itemText(0), QStringLiteral("0 FIRST SAVE"));

        ControlDriver d(f.window.get());
        d.tick("chkSingle");
        d.choose("cmbEpisode", "LA Meltdown");
        d.choose("cmbLevel", "DEATH ROW");
        f.runner.answer.pid = 4242;
        constexpr GameWindows::Handle game = 0x100001;
        windows.windows[game] = {4242, "Duke3d"};
        d.button("cmdLaunch")->click();
        QCOMPARE(f.runner.requests.size(), 1);
        GameSupervisor &supervisor = f.window->session().supervisor();
        windows.front = {true, game};
        supervisor.tmrTopWin_Timer();

        // While the game runs, the player saves in slot 4 and picks the next game in Zentrel.
        f.touch("game4.sav", QByteArray(26, '\0') + "IN THE GAME" + '\0');
        d.tick("chkSingle");
        QVERIFY(saved->isEnabled());
        d.choose("cmbSaved", "0 FIRST SAVE");
        supervisor.tmrChkWin_Timer();
        QCOMPARE(saved->count(), 1); // still playing
        windows.windows[game].title = "Finished - Duke3d";
        supervisor.tmrChkWin_Timer();
        QCOMPARE(d.items("cmbSaved"), (QStringList{"0 FIRST SAVE", "4 IN THE GAME"}));
        QCOMPARE(saved->currentText(), QStringLiteral("0 FIRST SAVE"));
        QCOMPARE(f.window->launchOptions().commandLine().SavedGameSwitch, QStringLiteral(" /0"));
    }

    // A launch that asked for closing the game's window where nothing can see it says so in the
    // status bar.
    void unavailableSupervisionIsToldAfterTheLaunch()
    {
        FakeGameWindows windows;
        windows.up = false;
        windows.why = "This Wayland session offers no X11 display (Xwayland), so Zentrel cannot hide or close "
                      "the game's window.";
        Fixture f(true, {"duke3d.exe"});
        f.platform.windows = &windows;
        f.load();
        f.m.CloseDosWin = "Yes";
        ControlDriver d(f.window.get());
        d.tick("chkSingle");
        d.choose("cmbEpisode", "LA Meltdown");
        d.choose("cmbLevel", "DEATH ROW");
        d.button("cmdLaunch")->click();
        QCOMPARE(f.window->statusBar()->currentMessage(), windows.why);
    }

    // The version written at exit that cannot be saved is told, once.
    void failedSaveAtExitIsTold()
    {
        Fixture f(true, {"duke3d.exe"});
        FailingSettingsStore failing;
        Platform platform{failing, f.files, f.prompts, QString()};
        Module1 m(platform);
        m.DukePath = f.dir.path();
        frmMain window(m);
        window.quitProgram = [] {};
        window.Form_Load();
        window.show();
        window.close();
        QCOMPARE(f.prompts.shown.size(), 1);
        QVERIFY(f.prompts.texts()[0].contains(failing.reason));
    }

    // "Clear All Options" in the real window, as the player presses it.
    void clearAllOptionsUnticksUseCon()
    {
        Fixture f;
        f.load();
        ControlDriver d(f.window.get());
        d.tick("chkUseCon");
        d.tick("chkMulti");
        d.button("cmdReset")->click();
        QVERIFY(!d.ticked("chkUseCon"));
        QVERIFY(d.ticked("chkSingle"));
        QVERIFY(!d.ticked("chkMulti"));
    }

    // The runner refuses (DOSBox missing) a network game under "Minimized" and "Minimized to
    // Tray": the window, the tray and the game's files stay as they were.
    void refusedStartLeavesWindowTrayAndFiles_data()
    {
        QTest::addColumn<QString>("dukeWin");
        QTest::newRow("minimized") << "1";
        QTest::newRow("minimized to tray") << "2";
    }
    void refusedStartLeavesWindowTrayAndFiles()
    {
        QFETCH(QString, dukeWin);
        const QByteArray cfg = "SocketNumber = 0x4321\r\nNumberPlayers = 4\r\nPlayerName = \"DUKE\"\r\n";
        const QByteArray commit = "NumPlayers = 4\r\nSOCKETNUMBER = 17185\r\n";
        Fixture f(true, {"duke3d.exe", "commit.exe"});
        f.touch("duke3d.cfg", cfg);
        f.touch("commit.dat", commit);
        f.load();
        f.m.DukeWin = dukeWin;
        f.window->session().tray().trayAvailable = [] { return true; };
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.runner.refuse = GameRunner::Result{false, QStringLiteral("DOSBox is needed."), 0, {}, true};

        ControlDriver d(f.window.get());
        d.tick("chkMulti");
        d.tick("optCoop");
        d.choose("cmbNumPlayers", "6");
        control<QLineEdit>(*f.window, "txtSocket")->setText("1234");
        d.button("cmdLaunch")->click();

        QCOMPARE(f.prompts.texts(), QStringList{"DOSBox is needed."});
        QVERIFY(f.runner.requests.isEmpty());
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->isMinimized());
        QVERIFY(!f.window->session().tray().iconShown());
        QCOMPARE(f.bytes("duke3d.cfg"), cfg);
        QCOMPARE(f.bytes("commit.dat"), commit);
        QVERIFY(d.ticked("optCoop")); // the options stay for another try
    }

    void windowHasFixedSize()
    {
        Fixture f;
        frmMain &w = f.load();
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(QSize(f.window->StartupWidth.toInt(), f.window->StartupHeight.toInt()), w.size());
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.width() >= 600 && w.height() >= 360);
        w.show();
        w.setWindowState(Qt::WindowMinimized);
        w.setWindowState(Qt::WindowNoState);
        QCOMPARE(w.size(), QSize(f.window->StartupWidth.toInt(), f.window->StartupHeight.toInt()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
