#pragma once

#include "platform/GameRunner.h"

#include <QString>
#include <QStringList>

// The launch plan in words a player can read and a command a player can paste into a terminal.
namespace LaunchPlanText {

// One argument for a POSIX shell: in single quotes, a quote inside as '\''.
QString shellQuote(const QString &argument);

// One line for sh that starts the program exactly as the runner would: for DOSBox, a fresh
// private directory with Zentrel's settings file (and the link to a game directory DOSBox cannot
// mount as it is), then DOSBox with the same arguments.
QString shellCommand(const GameRunner::Description &description);

struct Input
{
    QString refusal; // set: the launch would be refused with this message
    GameRunner::Request request;
    GameRunner::Description description;
    QStringList filesWritten;
};
QString compose(const Input &plan);

} // namespace LaunchPlanText
