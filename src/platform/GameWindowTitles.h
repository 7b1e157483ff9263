#pragma once

#include <QSet>
#include <QString>

// How the game's console titles map onto the windows of the processes Zentrel started.
//
// DOSBox names the DOS program it is running after "Program:" in its window title ("DOSBox
// 0.74-3, Cpu speed: 3000 cycles, Frameskip 0, Program: DUKE3D"), and shows DOSBOX when it is back
// at its own prompt. So "Duke3d" is a window whose program is DUKE3D, and "Finished - Duke3d" is a
// window back at DOSBOX after DUKE3D was seen in it (while DOSBox starts up it also shows MOUNT and
// DOSBOX, which is not "finished" yet). A program started directly has no such title: its windows
// are "Duke3d" (or "Commit") while it runs, and it leaves no finished window behind.
namespace GameWindowTitles {

struct Query
{
    bool valid = false;
    QString program; // upper case: "DUKE3D", "COMMIT"
    bool finished = false;
};

// "Duke3d" -> {DUKE3D}, "Finished - duke3d" -> {DUKE3D, finished}; an empty name is not valid.
Query parse(const QString &title);

// The DOS program named in a DOSBox title, upper case, without a trailing PAUSED; empty when the
// title names none.
QString programWord(const QString &windowTitle);

// "duke3d.exe" or "/games/duke/DUKE3D.EXE" -> "DUKE3D".
QString programOfFile(const QString &file);

// What one window of a registered process shows.
struct Window
{
    bool inDosBox = false;
    QString startedProgram;  // the registered program, upper case
    QString currentWord;     // DOSBox: programWord() of the current title
    QSet<QString> seenWords; // DOSBox: every program word seen in this process's windows
};

bool matches(const Query &query, const Window &window);

} // namespace GameWindowTitles
