#include "launch/widgets/Launcher.h"

#include "app/Module1.h"
#include "launch/CommandLine.h"
#include "launch/NetworkKeys.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/widgets/MiscPanel.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"
#include "platform/DosCommandTail.h"
#include "platform/GameRunner.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

Launcher::Launcher(Module1 &module1, LaunchOptions &options, QWidget *owner)
    : m(module1), options(options), owner(owner)
{
}

void Launcher::message(const QString &text)
{
    m.platform.prompts.message(owner, text);
}

QString Launcher::failedCheck() const
{
    SinglePlayerPanel *single = options.single();
    MultiPlayerPanel *multi = options.multi();
    const CommandLine &cl = options.commandLine();

    if (single->isOn()) {
        QListWidget *maps = single->mapList();
        const bool noMap = maps->count() == 0 || maps->item(0)->text().isEmpty();
        if (single->episodeList()->currentText().isEmpty() && noMap
            && single->savedGameList()->currentText().isEmpty())
            return QStringLiteral("Please Select Single Player Options");
        if (!single->episodeList()->currentText().isEmpty() && single->levelList()->currentText().isEmpty())
            return QStringLiteral("Please Select a Level");
    }
    if (!multi->isOn() && !single->isOn())
        return QStringLiteral("Please Select Either Single Or Multi Player");
    if (multi->isOn() && cl.GameTypeSwitch.isEmpty())
        return QStringLiteral("Please Select A GameType For Multi Player");
    if (multi->isOn() && cl.NetModeSwitch.isEmpty())
        return QStringLiteral("Please Select The Number Of Players For Multi Player");
    if (options.misc()->fakeMultiOn() && cl.FakePlayersSwitch.isEmpty())
        return QStringLiteral("Please select the Number of Players for Fake Multi Player");
    return {};
}

bool Launcher::networkFilesPresent()
{
    for (const char *name : {"duke3d.cfg", "commit.dat"}) {
        m.FileFound = false;
        const QString path = m.gameFile(QLatin1String(name));
        m.FileExists(path);
        if (!m.FileFound) {
            message(QStringLiteral("Could not locate ") + path + QLatin1Char('!'));
            return false;
        }
    }
    return true;
}

QString Launcher::nameSwitch() const
{
    const QString typed = options.multi()->playerName();
    if (typed == options.networkValues().SavedPlayerName)
        return {};
    return QStringLiteral(" -name ") + typed.toUpper();
}

bool Launcher::Launch()
{
    m.FileFound = false;
    if (const QString failed = failedCheck(); !failed.isEmpty()) {
        message(failed);
        return false;
    }
    const bool multi = options.multi()->isOn();
    if (multi && !networkFilesPresent())
        return false;

    // The typed name goes onto the DOS command line now and into duke3d.cfg's quotes at exit.
    if (multi) {
        if (const QString problem = NetworkKeys::playerNameProblem(options.multi()->playerName());
            !problem.isEmpty()) {
            m.platform.prompts.message(owner, problem, Prompts::Icon::Exclamation);
            return false;
        }
    }

    const CommandLine &cl = options.commandLine();
    const QString name = multi ? nameSwitch() : QString();
    const QString switches = cl.switches(name);
    // Refuse what the DOS command line cannot carry before anything in the game directory or
    // the window changes, so a refused launch leaves everything as it was.
    if (const auto checked = DosCommandTail::switches(switches); !checked.ok()) {
        m.platform.prompts.message(owner, checked.error, Prompts::Icon::Exclamation);
        return false;
    }

    if (swapInChosenFiles)
        swapInChosenFiles();

    bool closeAfterLaunch = false;
    if (m.DukeWin == QLatin1String("0")) {
        if (showNormal)
            showNormal();
    } else if (m.DukeWin == QLatin1String("1")) {
        if (showMinimized)
            showMinimized();
    } else if (m.DukeWin == QLatin1String("2")) {
        if (addTrayIcon && !(inTray && inTray()))
            addTrayIcon();
    } else if (m.DukeWin == QLatin1String("3")) {
        closeAfterLaunch = true;
    }

    if (multi && editNetworkKeys && !editNetworkKeys())
        return false;

    QDir::setCurrent(m.DukePath);

    QString program = QStringLiteral("duke3d.exe");
    if (!cl.GameTypeSwitch.isEmpty()) {
        if (!cl.NetMarker.isEmpty())
            program = QStringLiteral("commit.exe");
        m.FinishedTitle = QStringLiteral("Finished - Duke3d");
    } else {
        m.FinishedTitle = QStringLiteral("Finished - duke3d");
    }
    m.GameCommand = Module1::JoinPath(m.DukePath, program) + switches;

    GameRunner::Result started;
    if (GameRunner *runner = m.platform.runner) {
        runner->setDosBox(m.platform.settings.value(QStringLiteral("Paths"), QStringLiteral("DOSBox")),
                          m.platform.settingsFile);
        GameRunner::Request request;
        request.directory = m.DukePath;
        request.program = program;
        request.switches = switches;
        request.network = program == QLatin1String("commit.exe");
        started = runner->start(request);
    }
    if (!started.started) {
        if (started.message.isEmpty())
            message(m.DukePath + QLatin1Char('/') + program + QStringLiteral(" not found"));
        else
            m.platform.prompts.message(owner, started.message, Prompts::Icon::Exclamation);
        return false;
    }
    if (watchGame)
        watchGame(started.pid, started.programPath, started.inDosBox);

    if (timePicked && timePicked() != 0 && startGameTimer)
        startGameTimer();

    if (closeAfterLaunch && exitCommand)
        exitCommand();
    else
        options.ClearAllOptions();
    return true;
}
