#include "platform/linux/DetachedSpawn.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

DetachedSpawn::DetachedSpawn()
{
    m_reaper.setInterval(1000);
    QObject::connect(&m_reaper, &QTimer::timeout, [this] { reap(); });
}

qint64 DetachedSpawn::start(const Options &options, QString *error)
{
    const QByteArray program = QFile::encodeName(options.program);
    const QByteArray workDir = QFile::encodeName(options.workingDirectory);
    const QByteArray output = options.outputFile.isEmpty() ? QByteArray("/dev/null")
                                                            : QFile::encodeName(options.outputFile);
    std::vector<QByteArray> args{program};
    for (const QString &a : options.arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!workDir.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, workDir.constData());

    // The child starts with no blocked signals and default handlers, in a session of its own so
    // that it keeps running when Zentrel's terminal goes away.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGCHLD, SIGINT, SIGTERM, SIGHUP})
        sigaddset(&defaults, s);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.constData(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(rc));
        return 0;
    }
    m_children << pid;
    if (!m_reaper.isActive())
        m_reaper.start();
    return pid;
}

void DetachedSpawn::stop(qint64 pid)
{
    if (!m_children.contains(pid))
        return;
    ::kill(pid_t(pid), SIGTERM);
    // Right after its start it has shown nothing yet; reap it at once when it went quickly.
    for (int i = 0; i < 50 && waitpid(pid_t(pid), nullptr, WNOHANG) == 0; ++i)
        ::usleep(10000);
    reap();
}

void DetachedSpawn::reap()
{
    for (qsizetype i = m_children.size() - 1; i >= 0; --i) {
        const pid_t pid = pid_t(m_children[i]);
        const pid_t r = waitpid(pid, nullptr, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD))
            m_children.removeAt(i);
    }
    if (m_children.isEmpty())
        m_reaper.stop();
}
