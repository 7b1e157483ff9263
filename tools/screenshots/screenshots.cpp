// Saves a picture of every window and page of Zentrel, as the player sees it, for looking at the
// layout at any scale (QT_SCALE_FACTOR=2 for 200 %). Runs on the demo game directory.
//   zentrel_screenshots <output dir> <game dir>
#include "app/widgets/HelpDesk.h"
#include "app/widgets/MainWindowHost.h"
#include "app/widgets/ProgramIdentity.h"
#include "app/widgets/frmDirSel.h"
#include "app/widgets/frmMain.h"
#include "app/widgets/frmOptions.h"
#include "app/widgets/frmPrefs.h"
#include "app/widgets/frmSplash.h"
#include "core/Module1.h"
#include "gametimer/widgets/GameTimerPanel.h"
#include "gametimer/widgets/frmGameTimer.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/linux/QtPrompts.h"
#include "platform/linux/ProcessGameRunner.h"
#include "platform/linux/X11GameWindows.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/widgets/LaunchPlanWindow.h"
#include "usermenus/UserMenus.h"
#include "usermenus/widgets/UserMenuBar.h"
#include "usermenus/widgets/frmUserDef.h"

#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

QString g_out;

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }
}

void save(QWidget *w, const QString &name)
{
    settle();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(path))
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
    else
        std::printf("%s %dx%d\n", qPrintable(path), w->width(), w->height());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ProgramIdentity::apply();
    if (argc < 3) {
        std::fprintf(stderr, "usage: zentrel_screenshots <output dir> <game dir>\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);
    QTemporaryDir tmp;
    IniSettingsStore settings(tmp.filePath(QStringLiteral("Zentrel.ini")));
    settings.setValue(QStringLiteral("Paths"), QStringLiteral("DukePath"), QString::fromLocal8Bit(argv[2]));
    DiskFiles files;
    QtPrompts prompts;
    Platform platform{settings, files, prompts, QCoreApplication::applicationDirPath()};
    X11GameWindows windows; // the game timer offers "Force me out of the game" with it
    platform.windows = &windows;
    ProcessGameRunner runner; // describes the launch for the plan; nothing is started
    platform.runner = &runner;
    Module1 m(platform);
    m.DukePath = QString::fromLocal8Bit(argv[2]);
    m.LoadPreferences();

    MainWindowHost host(m);
    frmMain *main = host.window();
    main->show();
    auto *pages = main->findChild<QTabWidget *>(QStringLiteral("tbsOpt"));
    auto *options = main->findChild<QTabWidget *>(QStringLiteral("tbsOptions"));
    const char *optionNames[] = {"single", "multi", "conrts", "misc"};
    for (int i = 0; i < options->count(); ++i) {
        options->setCurrentIndex(i);
        save(main, QStringLiteral("main-%1").arg(QLatin1String(optionNames[i])));
    }
    pages->setCurrentIndex(1);
    if (auto *categories = main->findChild<QTabWidget *>(QStringLiteral("tbsCon"))) {
        const char *editorNames[] = {"players", "weapons", "enemies", "misc"};
        for (int i = 0; i < categories->count() && i < 4; ++i) {
            categories->setCurrentIndex(i);
            save(main, QStringLiteral("editor-%1").arg(QLatin1String(editorNames[i])));
        }
    }
    pages->setCurrentIndex(0);

    {
        frmOptions dialog(m, host, main);
        dialog.show();
        save(&dialog, QStringLiteral("options"));
    }
    {
        frmPrefs dialog(m, main);
        dialog.show();
        save(&dialog, QStringLiteral("preferences"));
    }
    {
        m.DirSelMode = QStringLiteral("Duke");
        frmDirSel dialog(m, {}, main);
        dialog.show();
        save(&dialog, QStringLiteral("select-directory"));
    }
    {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Zentrel"), QString(), QMessageBox::Ok, main);
        QtPrompts::setMessageText(box, QStringLiteral("Could not locate ") + m.DukePath
                                           + QStringLiteral("/a-long-sub-directory-name/duke3d.cfg!"));
        box.show();
        save(&box, QStringLiteral("message"));
    }
    {
        // The game timer: its dialog for a new limit, the label of a forced limit, the notice.
        GameTimerPanel &timer = main->gameTimer();
        timer.cmdGameTimer_Click();
        save(timer.openDialog(), QStringLiteral("game-timer"));
        timer.openDialog()->findChild<QCheckBox *>(QStringLiteral("chkForce"))->setChecked(true);
        timer.openDialog()->cmdOk_Click();
        save(main, QStringLiteral("main-game-timer"));
        timer.tmrBeep.setInterval(3600000); // the notice, without its beeps
        timer.tmrBeep.start();
        timer.showDialog();
        save(timer.openDialog(), QStringLiteral("game-timer-expired"));
        timer.openDialog()->cmdOk_Click();
    }
    {
        // The plan of a single-player launch.
        main->findChild<QAbstractButton *>(QStringLiteral("chkSingle"))->setChecked(true);
        main->findChild<QComboBox *>(QStringLiteral("cmbEpisode"))->setCurrentIndex(0);
        main->findChild<QComboBox *>(QStringLiteral("cmbLevel"))->setCurrentIndex(0);
        LaunchPlanWindow plan(main->launchPlanText(), main);
        plan.show();
        save(&plan, QStringLiteral("launch-plan"));
        main->launchOptions().ClearAllOptions();
    }
    {
        // The manual on the page F1 gives the Single Player panel.
        main->helpDesk().showPage(main->shownHelpPage());
        save(main->helpDesk().viewer(), QStringLiteral("help"));
        main->helpDesk().CloseHelp();
    }
    {
        UserMenus::save(settings, {{QStringLiteral("Map editor"), QStringLiteral("/games/duke3d/tools/MAPEDIT.EXE")},
                                   {QStringLiteral("Notes"), QStringLiteral("/home/player/duke-notes.txt")}});
        main->userMenus().loadFromStore();
        frmUserDef dialog(m, main->userMenus(), main);
        dialog.show();
        save(&dialog, QStringLiteral("user-menus"));
    }
    {
        frmSplash *about = frmSplash::showAbout(m, main);
        save(about, QStringLiteral("about"));
        about->close();
    }
    {
        settings.setValue(QStringLiteral("Prefs"), QStringLiteral("Splash"), QStringLiteral("Yes"));
        auto *splash = new frmSplash(m, host);
        splash->Form_Load();
        save(splash, QStringLiteral("splash"));
        splash->hide();
        splash->deleteLater();
    }
    return 0;
}
