#include "X11Session.h"

#include <QByteArray>
#include <QStandardPaths>

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

X11Session::X11Session()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        m_problem = QStringLiteral("Xvfb is not installed (scripts/bootstrap.sh installs it)");
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        m_problem = QStringLiteral("no pipe for Xvfb");
        return;
    }
    const QByteArray program = xvfb.toLocal8Bit();
    const QByteArray fd = QByteArray::number(fds[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        setsid(); // its own group: a terminal's signals stay with the test
        // Ends with the test however the test ends (exit(), a crash, a kill), not only through
        // the destructor.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl(program.constData(), "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1024x768x24",
              "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        m_problem = QStringLiteral("could not start Xvfb");
        return;
    }
    QByteArray number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number.append(c);
    close(fds[0]);
    if (number.isEmpty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        m_problem = QStringLiteral("Xvfb did not start");
        return;
    }
    m_pid = pid;
    m_display = QStringLiteral(":") + QString::fromLatin1(number);
    qputenv("DISPLAY", m_display.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("XAUTHORITY");
}

X11Session::~X11Session()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}
