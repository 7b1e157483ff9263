#include "launch/widgets/Launcher.h"

#include "core/Module1.h"
#include "core/SettingsKeys.h"
#include "launch/CommandLine.h"
#include "launch/NetworkKeys.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/LaunchHost.h"
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

Launcher::Launcher(Module1 &module1, LaunchOptions &options, LaunchHost &host, QWidget *owner)
    : m(module1), options(options), host(host), owner(owner)
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

    QString program = QStringLiteral("duke3d.exe");
    QString finishedTitle = QStringLiteral("Finished - duke3d");
    if (!cl.GameTypeSwitch.isEmpty()) {
        if (!cl.NetMarker.isEmpty())
            program = QStringLiteral("commit.exe");
        finishedTitle = QStringLiteral("Finished - Duke3d");
    }

    GameRunner::Request request;
    request.directory = m.DukePath;
    request.program = program;
    request.switches = switches;
    request.network = program == QLatin1String("commit.exe");

    GameRunner *runner = m.platform.runner;
    if (!runner) {
        refused({}, program);
        return false;
    }
    runner->setDosBox(m.platform.settings.value(SettingsKeys::Paths, SettingsKeys::DOSBox),
                      m.platform.settingsFile);
    // The runner's own refusals (no such program, DOSBox missing, nothing DOS can run) come
    // before the first side effect too.
    if (const std::optional<GameRunner::Result> refusal = runner->refusal(request)) {
        refused(*refusal, program);
        return false;
    }

    bool closeAfterLaunch = false;
    if (m.DukeWin == QLatin1String("0"))
        host.showMainWindowNormal();
    else if (m.DukeWin == QLatin1String("1"))
        host.minimizeMainWindow();
    else if (m.DukeWin == QLatin1String("2")) {
        if (!host.inTray())
            host.addTrayIcon();
    } else if (m.DukeWin == QLatin1String("3"))
        closeAfterLaunch = true;

    if (multi)
        host.editNetworkKeys();

    QDir::setCurrent(m.DukePath);
    m.FinishedTitle = finishedTitle;
    m.GameCommand = Module1::JoinPath(m.DukePath, program) + switches;

    const GameRunner::Result started = runner->start(request);
    if (!started.started) {
        refused(started, program);
        return false;
    }
    host.watchGame(started.pid, started.programPath, started.inDosBox);

    if (closeAfterLaunch)
        host.exitCommand();
    else
        options.ClearAllOptions();
    return true;
}

void Launcher::refused(const GameRunner::Result &result, const QString &program)
{
    // The directory and the name joined by a separator of the message's own, as the game's
    // launcher has always said it.
    if (result.message.isEmpty())
        message(m.DukePath + QLatin1Char('/') + program + QStringLiteral(" not found"));
    else
        m.platform.prompts.message(owner, result.message, Prompts::Icon::Exclamation);
}
