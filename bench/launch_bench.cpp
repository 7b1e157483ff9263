// Launch latency: the real main window, the real game runner, files on disk and the settings file,
// with a native stand-in game (a shell script that exits at once). Each run ticks Single Player,
// picks LA Meltdown / HOLLYWOOD HOLOCAUST and clicks Launch; the time from the click to the moment
// the runner reports the process started is measured, and that of the whole click (which also
// clears the options afterwards). Any message shown during a launch is a failure.
//   bench_launch [runs]    (default 200)
#include "core/Module1.h"
#include "app/widgets/MainWindowHost.h"
#include "app/widgets/frmMain.h"
#include "platform/DiskFiles.h"
#include "platform/GameRunner.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/linux/ProcessGameRunner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/wait.h>

namespace {

using Clock = std::chrono::steady_clock;

// Answers everything with OK and remembers what it was asked: no launch here should ask anything.
class CountingPrompts : public Prompts
{
public:
    int count = 0;
    QString last;

    Answer message(QWidget *, const QString &text, Icon, Buttons, const QString &) override
    {
        ++count;
        last = text;
        return Answer::Ok;
    }
    QString chooseDirectory(QWidget *, const QString &caption, const QString &) override { return asked(caption); }
    QString openFile(QWidget *, const QString &caption, const QString &, const QString &) override { return asked(caption); }
    QString saveFile(QWidget *, const QString &caption, const QString &, const QString &) override { return asked(caption); }

private:
    QString asked(const QString &caption)
    {
        ++count;
        last = caption;
        return {};
    }
};

// The real runner, with the moment its start() returned noted.
class TimedRunner : public GameRunner
{
public:
    explicit TimedRunner(GameRunner &inner) : inner(inner) {}

    void setDosBox(const QString &executable, const QString &settingsFile) override
    {
        inner.setDosBox(executable, settingsFile);
    }
    std::optional<Result> refusal(const Request &request) override { return inner.refusal(request); }
    Result start(const Request &request) override
    {
        called = Clock::now();
        Result result = inner.start(request);
        returned = Clock::now();
        ++starts;
        lastRequest = request;
        lastResult = result;
        return result;
    }
    bool runsNatively(const QString &path) const override { return inner.runsNatively(path); }
    Description describe(const Request &request) override { return inner.describe(request); }

    GameRunner &inner;
    Clock::time_point called{};
    Clock::time_point returned{};
    int starts = 0;
    Request lastRequest;
    Result lastResult;
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    // Nearest rank.
    const std::size_t rank = std::size_t(std::ceil(p / 100.0 * values.size()));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

int reapChildren()
{
    int reaped = 0;
    while (waitpid(-1, nullptr, WNOHANG) > 0)
        ++reaped;
    return reaped;
}

[[noreturn]] void fail(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "bench_launch: %s%s%s\n", what, detail.isEmpty() ? "" : ": ", qPrintable(detail));
    std::exit(1);
}

template <typename T> T *child(QObject *root, const char *name)
{
    auto *found = root->findChild<T *>(QLatin1String(name));
    if (!found)
        fail("widget not found", QLatin1String(name));
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrel"));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int warmUp = 10;

    QTemporaryDir tmp;
    if (!tmp.isValid())
        fail("no temporary directory");
    const QString gameDir = tmp.filePath(QStringLiteral("game"));
    if (!QDir().mkpath(gameDir))
        fail("cannot create", gameDir);
    {
        QFile game(gameDir + QStringLiteral("/duke3d.exe"));
        if (!game.open(QIODevice::WriteOnly) || game.write("#!/bin/sh\nexit 0\n") < 0)
            fail("cannot write the stand-in game", game.fileName());
        game.close();
        game.setPermissions(game.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }

    IniSettingsStore settings(tmp.filePath(QStringLiteral("Zentrel.ini")));
    if (!settings.setValue(QStringLiteral("Paths"), QStringLiteral("DukePath"), gameDir)
        || !settings.setValue(QStringLiteral("Prefs"), QStringLiteral("DukeWin"), QStringLiteral("0"))
        || !settings.setValue(QStringLiteral("Prefs"), QStringLiteral("Splash"), QStringLiteral("No")))
        fail("cannot write the settings", settings.errorString());

    DiskFiles files;
    CountingPrompts prompts;
    ProcessGameRunner processRunner(tmp.filePath(QStringLiteral("run")));
    TimedRunner runner(processRunner);
    Platform platform{settings, files, prompts, tmp.filePath(QStringLiteral("program"))};
    platform.runner = &runner;
    platform.settingsFile = settings.filePath();
    Module1 module1(platform);

    // What start-up does with Splash "No": read the two values, the preferences, show the window.
    module1.Splash = settings.value(QStringLiteral("Prefs"), QStringLiteral("Splash"));
    module1.DukePath = settings.value(QStringLiteral("Paths"), QStringLiteral("DukePath"));
    module1.LoadPreferences();
    MainWindowHost host(module1);
    host.show();
    QApplication::processEvents();
    frmMain *window = host.window();
    if (prompts.count)
        fail("a message appeared at start-up", prompts.last);

    auto *single = child<QCheckBox>(window, "chkSingle");
    auto *episode = child<QComboBox>(window, "cmbEpisode");
    auto *level = child<QComboBox>(window, "cmbLevel");
    auto *launch = child<QAbstractButton>(window, "cmdLaunch");
    if (!launch->isEnabled())
        fail("the Launch button is disabled: the game directory was not taken");

    auto choose = [](QComboBox *list, const char *text) {
        const int index = list->findText(QLatin1String(text));
        if (index < 0)
            fail("not in the list", QLatin1String(text));
        list->setCurrentIndex(index);
    };

    std::vector<double> toStarted, wholeClick, toRunner, inRunner;
    toStarted.reserve(runs);
    wholeClick.reserve(runs);
    int reaped = 0;
    for (int i = 0; i < warmUp + runs; ++i) {
        single->setChecked(true);
        choose(episode, "LA Meltdown");
        choose(level, "HOLLYWOOD HOLOCAUST");
        QApplication::processEvents();

        const int startsBefore = runner.starts;
        const Clock::time_point clicked = Clock::now();
        launch->click();
        const Clock::time_point clickDone = Clock::now();

        if (prompts.count)
            fail("a message appeared", prompts.last);
        if (runner.starts != startsBefore + 1)
            fail("the click did not start the game");
        if (!runner.lastResult.started)
            fail("the game did not start", runner.lastResult.message);
        // Clearing the options leaves Single Player ticked with nothing chosen.
        if (!episode->currentText().isEmpty() || !level->currentText().isEmpty())
            fail("the options were not cleared after the launch");
        if (i >= warmUp) {
            toStarted.push_back(ms(runner.returned - clicked));
            wholeClick.push_back(ms(clickDone - clicked));
            toRunner.push_back(ms(runner.called - clicked));
            inRunner.push_back(ms(runner.returned - runner.called));
        }

        QApplication::processEvents();
        reaped += reapChildren();
    }
    reaped += reapChildren();

    std::printf("stand-in game: %s%s\n", qPrintable(runner.lastResult.programPath),
                qPrintable(runner.lastRequest.switches));
    std::printf("launch to process started: median %.3f ms, p90 %.3f ms, max %.3f ms (%d runs, %d warm-up); "
                "target < 10 ms\n",
                percentile(toStarted, 50), percentile(toStarted, 90), percentile(toStarted, 100), runs, warmUp);
    std::printf("whole click (incl. clearing the options): median %.3f ms, p90 %.3f ms, max %.3f ms\n",
                percentile(wholeClick, 50), percentile(wholeClick, 90), percentile(wholeClick, 100));
    std::printf("  of which click to runner called: median %.3f ms, p90 %.3f ms; runner start(): median %.3f ms, "
                "p90 %.3f ms\n",
                percentile(toRunner, 50), percentile(toRunner, 90), percentile(inRunner, 50), percentile(inRunner, 90));
    std::printf("messages shown: %d; children reaped here: %d\n", prompts.count, reaped);
    return 0;
}
