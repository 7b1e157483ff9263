#include "platform/linux/ProcessGameRunner.h"

#include "platform/DosCommandTail.h"
#include "platform/linux/DosBoxRunDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ProcessGameRunner", text);
}

// Zentrel's additions to the player's own DOSBox settings, which -userconf loads first.
QByteArray generatedConf(bool network)
{
    QByteArray conf = "# Written by Zentrel for one game start; removed after DOSBox has ended.\n";
    if (network)
        conf += "[ipx]\nipx=true\n";
    return conf;
}

} // namespace

ProcessGameRunner::ProcessGameRunner(const QString &runBase) : m_runBase(runBase) {}

QStringList ProcessGameRunner::dosBoxArguments(const QString &confFile, const QString &mountPath,
                                               const QString &commandLine, bool closeWhenDone,
                                               const QString &commandBefore)
{
    QStringList args{QStringLiteral("-userconf"), QStringLiteral("-conf"), confFile};
    const auto run = [&args](const QString &command) { args << QStringLiteral("-c") << command; };
    // The player sees the game only: Zentrel's own commands are not echoed, their messages go
    // nowhere, and DOSBox's banner is cleared away before the program starts.
    run(QStringLiteral("@echo off"));
    run(QStringLiteral("mount -u c >nul")); // the player's own autoexec may have mounted C:
    run(DosCommandTail::mountCommand(QLatin1Char('c'), mountPath) + QStringLiteral(" >nul"));
    run(QStringLiteral("c:"));
    run(QStringLiteral("cls"));
    if (!commandBefore.isEmpty())
        run(commandBefore);
    run(commandLine);
    // Back at DOSBox's prompt once the game has ended: the "finished" window, with its prompt.
    run(QStringLiteral("@echo on"));
    if (closeWhenDone)
        run(QStringLiteral("exit"));
    return args;
}

void ProcessGameRunner::setDosBox(const QString &executable, const QString &settingsFile)
{
    m_dosBox = executable.trimmed();
    m_settingsFile = settingsFile;
}

QString ProcessGameRunner::findInDirectory(const QString &directory, const QString &name)
{
    const QDir dir(directory);
    if (directory.isEmpty() || !dir.exists())
        return {};
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile())
        return exact.filePath();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

bool ProcessGameRunner::isNativeProgram(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    if (head == QByteArray("\x7f" "ELF", 4))
        return true;
    return head.startsWith("#!") && QFileInfo(path).isExecutable();
}

std::optional<GameRunner::Result> ProcessGameRunner::refusal(const Request &request)
{
    // DOSBox reports success even when the mount or the program fails, so look first.
    const QString path = findInDirectory(request.directory, request.program);
    if (path.isEmpty())
        return Result{};
    if (isNativeProgram(path))
        return std::nullopt;
    return dosRefusal(request, path);
}

std::optional<GameRunner::Result> ProcessGameRunner::dosRefusal(const Request &request, const QString &path) const
{
    Result result;
    result.programPath = path;
    result.inDosBox = true;
    const QString fileName = QFileInfo(path).fileName();
    if (const DosCommandTail::Checked name = DosCommandTail::programName(fileName); !name.ok()) {
        result.message = name.error;
        return result;
    }
    if (const DosCommandTail::Checked tail = DosCommandTail::switches(request.switches); !tail.ok()) {
        result.message = tail.error;
        return result;
    }
    if (const DosCommandTail::Checked before = DosCommandTail::switches(QLatin1Char(' ') + request.dosCommandBefore);
        !request.dosCommandBefore.isEmpty() && !before.ok()) {
        result.message = before.error;
        return result;
    }
    if (dosBoxExecutable().isEmpty()) {
        result.message = dosBoxMissingMessage(fileName);
        return result;
    }
    if (const QString noDisplay = noDisplayMessage(); !noDisplay.isEmpty()) {
        result.message = noDisplay;
        return result;
    }
    const QFileInfo base(DosBoxRunDirs(m_runBase).base());
    if (!base.isDir() || !base.isWritable()) {
        result.message = tr("Zentrel could not prepare DOSBox's settings for %1: no private "
                            "directory can be created under %2.")
                             .arg(fileName, QDir::toNativeSeparators(base.filePath()));
        return result;
    }
    return std::nullopt;
}

GameRunner::Result ProcessGameRunner::start(const Request &request)
{
    if (std::optional<Result> refused = refusal(request))
        return *refused;
    const QString path = findInDirectory(request.directory, request.program);
    return isNativeProgram(path) ? startNative(request, path) : startInDosBox(request, path);
}

GameRunner::Result ProcessGameRunner::startNative(const Request &request, const QString &path)
{
    Result result;
    result.programPath = path;
    DetachedSpawn::Options options;
    options.program = QFileInfo(path).absoluteFilePath();
    options.arguments = request.switches.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    options.workingDirectory = request.directory;
    QString error;
    result.pid = m_spawn.start(options, &error);
    if (result.pid == 0) {
        result.message = tr("%1 could not be started: %2.").arg(QDir::toNativeSeparators(path), error);
        return result;
    }
    result.started = true;
    return result;
}

bool ProcessGameRunner::hasEnded(qint64 pid) const
{
    return pid > 0 && !DosBoxRunDirs::processRunning(pid);
}

QString ProcessGameRunner::lastOutput(qint64 pid, int lines) const
{
    QFile log(QDir(m_runDirOf.value(pid)).filePath(QLatin1String(DosBoxRunDirs::LogName)));
    if (!m_runDirOf.contains(pid) || !log.open(QIODevice::ReadOnly))
        return {};
    // The end of a log is what matters; a runaway one is not read whole.
    if (log.size() > 65536)
        log.seek(log.size() - 65536);
    QStringList all = QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'));
    for (QString &line : all)
        line = line.trimmed();
    all.removeAll(QString());
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(QLatin1Char('\n'));
}

QString ProcessGameRunner::dosBoxExecutable() const
{
    const QString wanted = m_dosBox.isEmpty() ? QStringLiteral("dosbox") : m_dosBox;
    if (!wanted.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(wanted);
    const QFileInfo info(QDir::cleanPath(wanted));
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

QString ProcessGameRunner::noDisplayMessage()
{
    // Without an X11 display DOSBox falls back to a text terminal it cannot use and ends at once.
    // A video driver chosen by hand (SDL_VIDEODRIVER) is the player's call.
    const QByteArray driver = qgetenv("SDL_VIDEODRIVER");
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || (!driver.isEmpty() && driver != "x11"))
        return {};
    return tr("DOSBox needs an X11 display to show the game, and this session has none (DISPLAY is not "
              "set). Turn on Xwayland in your desktop's settings, or log in to an X11 session, and "
              "launch again.");
}

QString ProcessGameRunner::dosBoxMissingMessage(const QString &program) const
{
    const QString where = m_settingsFile.isEmpty()
        ? tr("Zentrel's settings")
        : QDir::toNativeSeparators(m_settingsFile);
    if (m_dosBox.isEmpty())
        return tr("DOSBox is needed to run %1 but was not found. Install it (on Debian or Ubuntu: "
                  "sudo apt-get install dosbox) or enter the path of the DOSBox program as DOSBox= in "
                  "the [Paths] section of %2.").arg(program, where);
    return tr("DOSBox is needed to run %1, but \u201c%2\u201d, set as DOSBox in the [Paths] section of "
              "%3, is not a program that can be run. Correct that path, or empty it to use dosbox "
              "from the search path.").arg(program, m_dosBox, where);
}

GameRunner::Description ProcessGameRunner::describe(const Request &request)
{
    Description d;
    if (std::optional<Result> refused = refusal(request)) {
        d.refusal = refused;
        return d;
    }
    const QString path = findInDirectory(request.directory, request.program);
    if (!isNativeProgram(path))
        return describeDos(request, path);
    d.executable = QFileInfo(path).absoluteFilePath();
    d.arguments = request.switches.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    d.workingDirectory = request.directory;
    return d;
}

// What DOSBox gets, with runDirectory() standing for the private directory a start makes.
GameRunner::Description ProcessGameRunner::describeDos(const Request &request, const QString &path) const
{
    Description d;
    d.inDosBox = true;
    d.executable = dosBoxExecutable();
    d.workingDirectory = request.directory;
    d.configuration = generatedConf(request.network);
    d.confPath = runDirectory() + QLatin1Char('/') + QLatin1String(DosBoxRunDirs::ConfName);
    const DosCommandTail::Checked name = DosCommandTail::programName(QFileInfo(path).fileName());
    const DosCommandTail::Checked tail = DosCommandTail::switches(request.switches);
    d.commandTail = name.text + tail.text;
    // DOSBox's mount cannot take every path between quotes: mount those through a link.
    QString mountPath = QFileInfo(request.directory).absoluteFilePath();
    if (!DosCommandTail::canMountLiterally(mountPath)) {
        d.linkTarget = mountPath;
        d.linkPath = runDirectory() + QLatin1Char('/') + QLatin1String(DosBoxRunDirs::LinkName);
        mountPath = d.linkPath;
    }
    d.arguments = dosBoxArguments(d.confPath, mountPath, d.commandTail, request.closeWhenDone, request.dosCommandBefore);
    return d;
}

GameRunner::Result ProcessGameRunner::startInDosBox(const Request &request, const QString &path)
{
    Result result;
    result.programPath = path;
    result.inDosBox = true;
    const QString fileName = QFileInfo(path).fileName();
    const Description plan = describeDos(request, path);
    const QString dosBox = plan.executable;

    DosBoxRunDirs runDirs(m_runBase);
    runDirs.removeEnded();
    const QString runDir = runDirs.create();
    const QString noRunDir = tr("Zentrel could not prepare DOSBox's settings for %1: no private "
                                "directory could be created under %2.")
                                 .arg(fileName, QDir::toNativeSeparators(runDirs.base()));
    if (runDir.isEmpty()) {
        result.message = noRunDir;
        return result;
    }
    const auto inRunDir = [&runDir](QString text) { return text.replace(runDirectory(), runDir); };

    QSaveFile conf(inRunDir(plan.confPath));
    bool prepared = conf.open(QIODevice::WriteOnly) && conf.write(plan.configuration) >= 0 && conf.commit();
    if (prepared && !plan.linkPath.isEmpty()) {
        const QString link = inRunDir(plan.linkPath);
        prepared = QFile::link(plan.linkTarget, link) && DosCommandTail::canMountLiterally(link);
    }
    if (!prepared) {
        DosBoxRunDirs::remove(runDir);
        result.message = noRunDir;
        return result;
    }

    QStringList args;
    for (const QString &arg : plan.arguments)
        args << inRunDir(arg);

    DetachedSpawn::Options options;
    options.program = dosBox;
    options.arguments = args;
    options.workingDirectory = request.directory;
    options.outputFile = QDir(runDir).filePath(QLatin1String(DosBoxRunDirs::LogName));
    QString error;
    result.pid = m_spawn.start(options, &error);
    if (result.pid == 0) {
        DosBoxRunDirs::remove(runDir);
        result.message = tr("DOSBox (%1) could not be started to run %2: %3.")
                             .arg(QDir::toNativeSeparators(dosBox), fileName, error);
        return result;
    }
    if (!runDirs.writePid(runDir, result.pid)) {
        // Without its process id the run directory would be taken for an abandoned one and
        // removed under the running DOSBox: stop that DOSBox rather than leave it so.
        m_spawn.stop(result.pid);
        DosBoxRunDirs::remove(runDir);
        result.pid = 0;
        result.message = tr("DOSBox was stopped again: Zentrel could not record its process in %1.")
                             .arg(QDir::toNativeSeparators(runDir));
        return result;
    }
    m_runDirOf.insert(result.pid, runDir);
    result.started = true;
    return result;
}
