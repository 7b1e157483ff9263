#pragma once

// Root ignores file modes, so a test of "no permission" proves nothing when run as root. Such a
// test starts with ZENTREL_REQUIRE_UNPRIVILEGED(): under root it re-runs just itself in a child
// process as user "nobody" and passes or fails with that child; otherwise it goes on as it is.
// A suite using it starts its main() with Unprivileged::dropIfAsked(argc, argv).

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <cstring>
#include <grp.h>
#include <unistd.h>

namespace Unprivileged {

inline constexpr const char *Flag = "-zentrel-unprivileged";
inline constexpr uid_t Nobody = 65534;

// When the first argument is the flag: become "nobody" and drop the flag from the arguments.
inline void dropIfAsked(int &argc, char **argv)
{
    if (argc < 2 || std::strcmp(argv[1], Flag) != 0)
        return;
    if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0 || ::geteuid() == 0) {
        std::fprintf(stderr, "could not drop root privileges\n");
        std::exit(3);
    }
    for (int i = 1; i + 1 < argc; ++i)
        argv[i] = argv[i + 1];
    --argc;
}

// Runs the current test function in a child as "nobody"; the child's output goes to *log.
inline bool runCurrentTestAsNobody(QString *log)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setWorkingDirectory(QStringLiteral("/tmp"));
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(Flag), QString::fromLatin1(QTest::currentTestFunction())});
    const bool finished = child.waitForFinished(120000);
    *log = QString::fromLocal8Bit(child.readAll());
    return finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

} // namespace Unprivileged

#define ZENTREL_REQUIRE_UNPRIVILEGED()                                                                    \
    do {                                                                                                  \
        if (::geteuid() == 0) {                                                                           \
            QString childLog;                                                                             \
            const bool childPassed = Unprivileged::runCurrentTestAsNobody(&childLog);                     \
            QVERIFY2(childPassed, qPrintable("as user nobody:\n" + childLog));                            \
            return;                                                                                       \
        }                                                                                                 \
    } while (false)
