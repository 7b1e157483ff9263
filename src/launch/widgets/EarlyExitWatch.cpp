#include "launch/widgets/EarlyExitWatch.h"

#include "platform/GameRunner.h"
#include "platform/Prompts.h"

#include <QWidget>

EarlyExitWatch::EarlyExitWatch(GameRunner &runner, Prompts &prompts, QWidget *owner, qint64 pid,
                               const QString &program)
    : QObject(owner), m_runner(runner), m_prompts(prompts), m_owner(owner), m_pid(pid), m_program(program)
{
    m_timer.setInterval(200);
    connect(&m_timer, &QTimer::timeout, this, &EarlyExitWatch::check);
    m_since.start();
    m_timer.start();
}

QString EarlyExitWatch::message(const QString &program, const QString &lastOutput)
{
    const QString first = QStringLiteral("DOSBox ended right after it started, so %1 did not run.").arg(program);
    if (lastOutput.isEmpty())
        return first + QStringLiteral(" DOSBox wrote nothing about why.");
    return first + QStringLiteral(" The last lines DOSBox wrote:\n\n") + lastOutput;
}

void EarlyExitWatch::check()
{
    if (m_runner.hasEnded(m_pid)) {
        m_timer.stop();
        m_prompts.message(m_owner, message(m_program, m_runner.lastOutput(m_pid, 8)), Prompts::Icon::Exclamation);
        deleteLater();
        return;
    }
    if (m_since.elapsed() >= WatchMs) {
        m_timer.stop();
        deleteLater();
    }
}
