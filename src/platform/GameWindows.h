#pragma once

#include <QString>
#include <QtGlobal>

// The top-level windows of the programs Zentrel started: finding the game's window by the
// game's own titles, hiding and showing it, and asking it to close.
//
// Titles are the game's console titles: "Duke3d", "Commit", and "Finished - <name>" for the window
// left open once the program has ended ("Finished - Duke3d", "Finished - Commit"); they match
// without regard to case. Only windows of processes given to registerProcess() are ever found, so
// a window of some other program that happens to carry a similar title is never touched.
class GameWindows
{
public:
    using Handle = quint32; // 0: no window

    struct Foreground
    {
        bool known = false; // false: the system cannot tell (never act on it)
        Handle window = 0;  // when known: the active top-level window, 0 when none is active
    };

    virtual ~GameWindows() = default;

    // False when the session has no window system this layer can reach (a Wayland session
    // without Xwayland, no display at all); reason() then says why in a sentence.
    virtual bool available() const = 0;
    // Whether the window manager says which window is in front (_NET_ACTIVE_WINDOW); without it
    // the game's window is never hidden on a switch away.
    virtual bool reportsFrontWindow() const { return true; }
    virtual QString reason() const = 0;

    // A process Zentrel started: program is its file name ("DUKE3D.EXE", "commit.exe"); inDosBox
    // says the process is a DOSBox running that program, whose window names the running DOS
    // program in its title.
    virtual void registerProcess(qint64 pid, const QString &program, bool inDosBox) = 0;

    // The window with that title among the registered processes' windows (hidden ones included),
    // the most recently registered process first; 0 when there is none.
    virtual Handle findWindow(const QString &title) = 0;
    virtual bool isWindow(Handle window) = 0;
    virtual Foreground foreground() = 0;

    // Withdraws the window (it leaves the screen and the task bar) without activating anything.
    virtual void hide(Handle window) = 0;
    // Maps the window again where it was, without giving it the focus or raising it.
    virtual void showWithoutActivating(Handle window) = 0;
    // The polite close request (the window's close button), never a kill.
    virtual void requestClose(Handle window) = 0;

    // Iconifies the window (the player brings it back from the task bar as usual).
    virtual void iconify(Handle window) = 0;
    // Makes one of Zentrel's own top-level windows the active one, asking as a pager does, so a
    // window manager's focus-stealing prevention lets it come in front of a full-screen game.
    virtual void activate(Handle window) = 0;
};
