#include "launch/widgets/Launcher.h"

#include "core/Module1.h"
#include "core/PreparedRunner.h"
#include "core/SettingsKeys.h"
#include "launch/CommandLine.h"
#include "launch/DosBoxNetwork.h"
#include "confiles/StockNames.h"
#include "launch/NetworkKeys.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/EarlyExitWatch.h"
#include "launch/widgets/LaunchHost.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/widgets/MiscPanel.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"
#include "platform/DosCommandTail.h"
#include "platform/Files.h"
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

QString Launcher::missingNetworkFile() const
{
    for (const char *name : {"duke3d.cfg", "commit.dat"}) {
        const QString path = m.gameFile(QLatin1String(name));
        if (!m.platform.files.exists(path))
            return QStringLiteral("Could not locate ") + path + QLatin1Char('!');
    }
    return {};
}

QString Launcher::nameSwitch() const
{
    const QString typed = options.multi()->playerName();
    // An empty box sends no name: " -name" without one would take the next switch for it.
    if (typed.isEmpty() || typed == options.networkValues().SavedPlayerName)
        return {};
    return QStringLiteral(" -name ") + typed.toUpper();
}

bool Launcher::Launch()
{
    const Planned planned = planFromOptions();
    if (!planned.plan) {
        m.platform.prompts.message(owner, planned.refusal, planned.icon);
        return false;
    }
    return execute(*planned.plan, true);
}

Launcher::Preview Launcher::preview()
{
    Preview out;
    const Planned planned = planFromOptions();
    if (!planned.plan) {
        out.refusal = planned.refusal;
        return out;
    }
    const Plan &plan = *planned.plan;
    out.request = plan.request;
    GameRunner *runner = preparedRunner(m.platform);
    if (!runner) {
        out.refusal = notFound(plan.request.program);
        return out;
    }
    out.description = runner->describe(plan.request);
    if (const auto &refused = out.description.refusal) {
        out.refusal = refused->message.isEmpty() ? notFound(plan.request.program) : refused->message;
        return out;
    }
    using StockNames::Role;
    const ChosenFiles &c = plan.chosen;
    const std::pair<bool, Role> swaps[] = {{!c.ChosenRts.isEmpty(), Role::Rts},
                                           {!c.ChosenUserCon.isEmpty() || c.editorUserCon.has_value(), Role::User},
                                           {!c.ChosenGameCon.isEmpty(), Role::Game},
                                           {!c.ChosenDefsCon.isEmpty(), Role::Defs}};
    for (const auto &[chosen, role] : swaps)
        if (chosen)
            out.filesWritten << m.platform.files.resolve(m.gameFile(StockNames::gameFile(role)));
    if (plan.multi)
        for (const char *name : {"duke3d.cfg", "commit.dat"})
            out.filesWritten << m.platform.files.resolve(m.gameFile(QLatin1String(name)));
    return out;
}

bool Launcher::Relaunch()
{
    if (!m_last)
        return Launch();
    return execute(*m_last, false);
}

Launcher::Planned Launcher::planFromOptions() const
{
    const auto refuse = [](const QString &text, Prompts::Icon icon = Prompts::Icon::None) {
        return Planned{std::nullopt, text, icon};
    };
    if (const QString failed = failedCheck(); !failed.isEmpty())
        return refuse(failed);
    const bool multi = options.multi()->isOn();
    if (multi)
        if (const QString missing = missingNetworkFile(); !missing.isEmpty())
            return refuse(missing);

    // The typed name goes onto the DOS command line now and into duke3d.cfg's quotes at exit.
    if (multi) {
        if (const QString problem = nameSwitchProblem(options.multi()->playerName()); !problem.isEmpty())
            return refuse(problem, Prompts::Icon::Exclamation);
    }

    const CommandLine &cl = options.commandLine();
    const QString switches = cl.switches(multi ? nameSwitch() : QString());
    // Refuse what the DOS command line cannot carry before anything in the game directory or
    // the window changes, so a refused launch leaves everything as it was.
    if (const auto checked = DosCommandTail::switches(switches); !checked.ok())
        return refuse(checked.error, Prompts::Icon::Exclamation);

    Plan plan;
    plan.multi = multi;
    plan.request.program = QStringLiteral("duke3d.exe");
    plan.finishedTitle = QStringLiteral("Finished - duke3d");
    if (!cl.GameTypeSwitch.isEmpty()) {
        if (!cl.NetMarker.isEmpty())
            plan.request.program = QStringLiteral("commit.exe");
        plan.finishedTitle = QStringLiteral("Finished - Duke3d");
    }
    plan.request.directory = m.DukePath;
    plan.request.switches = switches;
    plan.request.network = plan.request.program == QLatin1String("commit.exe");
    if (plan.request.network) {
        // DOSBox's IPX reaches the other players only through its tunnel: this computer hosts it
        // or joins the one that does, before the launcher starts.
        const DosBoxNetwork network = DosBoxNetwork::load(m.platform.settings);
        if (const QString problem = network.problem(); !problem.isEmpty())
            return refuse(problem, Prompts::Icon::Exclamation);
        plan.request.dosCommandBefore = network.ipxnetCommand();
    }
    plan.chosen = host.chosenFiles();
    return Planned{plan, {}, Prompts::Icon::None};
}

bool Launcher::execute(const Plan &plan, bool fromOptions)
{
    const QString &program = plan.request.program;
    GameRunner *runner = preparedRunner(m.platform);
    if (!runner) {
        refused({}, program);
        return false;
    }
    // The runner's own refusals (no such program, DOSBox missing, nothing DOS can run) come
    // before the first side effect too.
    if (const std::optional<GameRunner::Result> refusal = runner->refusal(plan.request)) {
        refused(*refusal, program);
        return false;
    }
    // Every chosen CON and RTS file is read before any game file changes: one that vanished since
    // it was chosen stops the launch, rather than start the game with a file nobody chose.
    const SwapIn::Prepared swap = SwapIn::prepare(m.platform.files, plan.chosen);
    if (!swap.error.isEmpty()) {
        m.platform.prompts.message(owner, swap.error, Prompts::Icon::Exclamation);
        return false;
    }
    if (const QString failed = SwapIn::SwapInChosenFiles(m.platform.files, plan.request.directory, swap);
        !failed.isEmpty()) {
        m.platform.prompts.message(owner,
                                   failed + QStringLiteral("\n\nThe game was not started; every file of the game "
                                                           "is whole, the old or the chosen one."),
                                   Prompts::Icon::Exclamation);
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

    // A relaunch repeats a game whose keys the first launch wrote already.
    if (plan.multi && fromOptions)
        host.editNetworkKeys();

    QDir::setCurrent(plan.request.directory);
    m.FinishedTitle = plan.finishedTitle;
    m.GameCommand = Module1::JoinPath(plan.request.directory, program) + plan.request.switches;

    const GameRunner::Result started = runner->start(plan.request);
    if (!started.started) {
        refused(started, program);
        return false;
    }
    m_last = plan;
    // DOSBox stays at its prompt after the game: one that is gone within seconds never ran it.
    if (started.inDosBox && !plan.request.closeWhenDone)
        new EarlyExitWatch(*runner, m.platform.prompts, owner, started.pid, program);
    // Before the supervision starts: a notice that it cannot do what was asked comes after this.
    host.gameStarted(started.inDosBox ? QStringLiteral("Duke3D started in DOSBox") : QStringLiteral("Duke3D started"));
    host.watchGame(started.pid, started.programPath, started.inDosBox);
    host.startGameTimer();

    if (closeAfterLaunch)
        host.exitCommand();
    else if (fromOptions)
        options.ClearAllOptions();
    return true;
}

QString Launcher::nameSwitchProblem(const QString &name)
{
    if (const QString problem = NetworkKeys::playerNameProblem(name); !problem.isEmpty())
        return problem;
    // The game takes its name from the one word after -name; a second word would be taken for
    // a switch of its own.
    if (name.contains(QLatin1Char(' ')))
        return QStringLiteral("The Duke name \"%1\" holds a blank, but the game takes its name from one word on "
                              "its command line. Please type the name without blanks (for instance %2).")
            .arg(name, name.simplified().replace(QLatin1Char(' '), QLatin1Char('_')).toUpper());
    return {};
}

QString Launcher::notFound(const QString &program) const
{
    return m.DukePath + QLatin1Char('/') + program + QStringLiteral(" not found");
}

void Launcher::refused(const GameRunner::Result &result, const QString &program)
{
    // The directory and the name joined by a separator of the message's own, as the game's
    // launcher has always said it.
    if (result.message.isEmpty())
        message(notFound(program));
    else
        m.platform.prompts.message(owner, result.message, Prompts::Icon::Exclamation);
}
