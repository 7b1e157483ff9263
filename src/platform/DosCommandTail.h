#pragma once

#include <QString>

// Everything Zentrel hands to DOSBox's shell passes through here. The shell reads each command
// like a batch-file line: < > | redirect or cut the line, a % starts a variable (a lone one
// vanishes), and a program's command tail holds at most 126 bytes. These routines give the exact
// shell text for what the program should receive, or say in words why it cannot be passed.
namespace DosCommandTail {

inline constexpr int MaxTailBytes = 126;

struct Checked
{
    QString text;  // the shell text, valid when error is empty
    QString error; // a sentence for the player
    bool ok() const { return error.isEmpty(); }
};

// The switch text (each switch with its leading blank) as shell text: % doubled. Refuses
// < > | ", control characters, characters outside ASCII and a tail over 126 bytes.
Checked switches(const QString &tail);

// The program's file name as DOS sees it: upper case, at most 8 characters, a dot and 3.
Checked programName(const QString &fileName);

// Whether DOSBox's mount command can take the host path literally between double quotes
// (no double quote, no control character, not absurdly long, no trailing blank).
bool canMountLiterally(const QString &hostPath);

// The shell command that mounts a host directory as a drive: mount c "<path>", % doubled.
QString mountCommand(QChar drive, const QString &hostPath);

} // namespace DosCommandTail
