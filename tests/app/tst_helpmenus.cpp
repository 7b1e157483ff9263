// The Help menu, F1, About, the game's tools in the Launch and Help menus, and the user menus in
// the main window.
#include "ControlDriver.h"
#include "FakeDesktopOpener.h"
#include "FakeGameRunner.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "app/widgets/HelpDesk.h"
#include "app/widgets/MainMenus.h"
#include "app/widgets/ToolMenus.h"
#include "app/widgets/frmMain.h"
#include "app/widgets/frmPrefs.h"
#include "app/widgets/frmSplash.h"
#include "core/Module1.h"
#include "help/widgets/HelpViewer.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "usermenus/UserMenus.h"
#include "usermenus/widgets/UserMenuBar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Fixture
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    FakeDesktopOpener desktop;
    Platform platform{store, files, prompts, QStringLiteral(ZENTREL_BIN_DIR)};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    explicit Fixture(const QStringList &gameFiles = {"duke3d.exe"})
    {
        platform.runner = &runner;
        platform.desktop = &desktop;
        for (const QString &name : gameFiles) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
        }
        m.DukePath = dir.path();
    }
    frmMain &load()
    {
        m.LoadPreferences();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        return *window;
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }
    HelpViewer *viewer() const { return window->helpDesk().viewer(); }
    QStringList userMenuCaptions() const
    {
        QStringList out;
        for (QAction *a : window->menus().munUserDef->actions())
            if (!a->isSeparator() && a != window->menus().mnuUserDef)
                out << a->text();
        return out;
    }
};
} // namespace

class TestHelpMenus : public QObject
{
    Q_OBJECT
private slots:
    void f1OpensThePageOfTheShownPanel_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("help");
        QTest::newRow("Single Player") << 0 << 0 << "single-player.html";
        QTest::newRow("Multi Player") << 0 << 1 << "multi-player.html";
        QTest::newRow("CON/RTS") << 0 << 2 << "con-rts.html";
        QTest::newRow("Misc") << 0 << 3 << "misc.html";
        QTest::newRow("User Con Editor") << 1 << 0 << "editor.html";
    }
    void f1OpensThePageOfTheShownPanel()
    {
        QFETCH(int, page);
        QFETCH(int, panel);
        QFETCH(QString, help);
        Fixture f;
        frmMain &w = f.load();
        w.show();
        w.findChild<QTabWidget *>("tbsOptions")->setCurrentIndex(panel);
        w.findChild<QTabWidget *>("tbsOpt")->setCurrentIndex(page);
        QWidget *target = w.focusWidget() ? w.focusWidget() : &w;
        QTest::keyClick(target, Qt::Key_F1);
        QVERIFY(f.viewer());
        QTRY_VERIFY(f.viewer()->isVisible());
        QCOMPARE(f.viewer()->currentPage(), help);
        QVERIFY(f.prompts.shown.isEmpty());
    }

    // A modal dialog blocks the main window's viewer: the page opens over the dialog instead.
    void f1InAModalDialogOpensOverIt()
    {
        Fixture f;
        frmMain &w = f.load();
        w.show();
        frmPrefs prefs(f.m, &w);
        prefs.open();
        QTRY_COMPARE(QApplication::activeModalWidget(), &prefs);
        QTest::keyClick(&prefs, Qt::Key_F1);
        auto *viewer = prefs.findChild<HelpViewer *>();
        QVERIFY(viewer);
        QTRY_VERIFY(viewer->isVisible());
        QCOMPARE(viewer->currentPage(), QStringLiteral("preferences.html"));
        QVERIFY(!f.viewer());
    }

    void helpAndWebItemsOpenTheManual()
    {
        Fixture f;
        f.load();
        f.action("mnuHelpDuke")->trigger();
        QCOMPARE(f.viewer()->currentPage(), QStringLiteral("index.html"));
        f.action("mnuHelpWebFaq")->trigger();
        QCOMPARE(f.viewer()->currentPage(), QStringLiteral("faq.html"));
        f.action("mnuHelpWebMain")->trigger();
        QCOMPARE(f.viewer()->currentPage(), QStringLiteral("index.html"));
        QVERIFY(f.desktop.addresses.isEmpty()); // no web site: no browser either

        f.window->cmdExit_Click(); // CloseHelp with the main window
        QVERIFY(!f.viewer()->isVisible());
    }

    void aMissingManualIsTold()
    {
        Fixture f;
        QTemporaryDir program;
        f.platform.programDir = program.filePath("bin");
        f.load();
        f.action("mnuHelpDuke")->trigger();
        QCOMPARE(f.prompts.texts(),
                 QStringList{QDir::cleanPath(program.path() + "/share/zentrel/help/index.html") + " not found"});
        QCOMPARE(f.prompts.shown[0].icon, Prompts::Icon::None);
        QVERIFY(!f.viewer());
    }

    void aboutShowsTheSplashWithItsOkButton()
    {
        Fixture f;
        f.store.setValue("Prefs", "Splash", "No");
        frmMain &w = f.load();
        w.show();
        f.action("mnuHelpAbout")->trigger();
        frmSplash *about = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *s = qobject_cast<frmSplash *>(top); s && s->isVisible())
                about = s;
        QVERIFY(about);
        QVERIFY(f.m.AboutMode);
        QVERIFY(!about->isModal() && QApplication::activeModalWidget() == nullptr);
        auto *ok = about->findChild<QAbstractButton *>("cmdOk");
        QVERIFY(ok->isVisible() && ok->isEnabled());
        QCOMPARE(about->findChild<QTimer *>("tmrSplash")->isActive(), false);
        QPointer<frmSplash> alive(about);
        ok->click();
        QTRY_VERIFY(!alive);
        QVERIFY(!f.m.AboutMode);
        QCOMPARE(f.store.value("Prefs", "Splash"), QStringLiteral("No"));
    }

    // Each tool is on only when its file is in the game directory, in any letter case, and starts
    // in DOSBox in the game directory; a start that fails says the Part's sentence.
    void toolsStartFromTheGameDirectory_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("notFound");
        QTest::newRow("Setup") << "mnuLaunchSetup" << "setup.exe" << "SETUP.EXE" << "/setup.exe not found";
        QTest::newRow("Build") << "mnuLaunchBUild" << "build.exe" << "Build.exe" << "/build.exe not found";
        QTest::newRow("Build help") << "mnuHelpBuild" << "buildhlp.exe" << "BUILDHLP.EXE" << "/buildhlp.exe not found";
        QTest::newRow("Duke3d help") << "mnuHelpDuke3d" << "dn3dhelp.exe" << "dn3dhelp.exe" << "/dn3dhelp.exe not found.";
    }
    void toolsStartFromTheGameDirectory()
    {
        QFETCH(QString, item);
        QFETCH(QString, file);
        QFETCH(QString, onDisk);
        QFETCH(QString, notFound);
        {
            Fixture absent;
            absent.load();
            QVERIFY(!absent.action(qPrintable(item))->isEnabled());
        }
        Fixture f({"duke3d.exe", onDisk});
        f.load();
        QAction *tool = f.action(qPrintable(item));
        QVERIFY(tool->isEnabled());
        tool->trigger();
        QCOMPARE(f.runner.requests.size(), 1);
        QCOMPARE(f.runner.requests[0].directory, f.dir.path());
        QCOMPARE(f.runner.requests[0].program, file);
        QVERIFY(f.runner.requests[0].switches.isEmpty() && !f.runner.requests[0].network);
        QVERIFY(f.prompts.shown.isEmpty());

        f.runner.refuse = GameRunner::Result{}; // gone since start-up
        tool->trigger();
        QCOMPARE(f.prompts.texts(), QStringList{f.dir.path() + notFound});
    }

    void duke3dHelpWithoutAGameDirectoryPointsToOptions()
    {
        Fixture f;
        f.m.DukePath.clear();
        QWidget owner;
        ToolMenus tools(f.m, owner);
        tools.mnuHelpDuke3d_Click();
        QCOMPARE(f.prompts.texts(), QStringList{"Please locate the Duke3d.exe directory using View\\Options."});
        QVERIFY(f.runner.requests.isEmpty());
    }

    // The stored menus come back in stored order, once, also after Options OK refreshes the
    // menus; choosing one opens its file.
    void userMenusAtStartUp()
    {
        Fixture f;
        QVERIFY(UserMenus::save(f.store, {{"Notes", f.dir.filePath("notes.txt")}, {"Map editor", f.dir.filePath("MAPEDIT.EXE")}}).isEmpty());
        for (const char *name : {"notes.txt", "MAPEDIT.EXE"}) {
            QFile file(f.dir.filePath(name));
            file.open(QIODevice::WriteOnly);
        }
        f.load();
        QCOMPARE(f.userMenuCaptions(), (QStringList{"Notes", "Map editor"}));
        QVERIFY(f.window->menus().mnuUserDefSpace0->isVisible());
        f.window->RefreshMainMenus();
        QCOMPARE(f.userMenuCaptions(), (QStringList{"Notes", "Map editor"}));

        f.window->userMenus().items().at(0)->trigger();
        QCOMPARE(f.desktop.files, QStringList{f.dir.filePath("notes.txt")});
        f.window->userMenus().items().at(1)->trigger();
        QCOMPARE(f.runner.requests.size(), 1);
        QCOMPARE(f.runner.requests[0].program, QStringLiteral("MAPEDIT.EXE"));
    }

    void noUserMenusNoSeparator()
    {
        Fixture f;
        f.load();
        QVERIFY(f.userMenuCaptions().isEmpty());
        QVERIFY(!f.window->menus().mnuUserDefSpace0->isVisible());
    }
};

QTEST_MAIN(TestHelpMenus)
#include "tst_helpmenus.moc"
