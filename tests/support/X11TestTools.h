#pragma once

#include <QProcess>
#include <QString>

#include <xcb/xcb.h>

// What the X11 suites look at and start beside the program under test: the window system's view
// of a window through Qt's own connection, and desktop helpers (a window manager, a system tray).
namespace X11TestTools {

xcb_connection_t *qtConnection();
xcb_window_t rootWindow();
xcb_atom_t atom(const char *name);
bool isMapped(quint32 window);

// ICCCM WM_STATE: 0 withdrawn (also when absent), 1 normal, 3 iconic.
enum WmState { Withdrawn = 0, Normal = 1, Iconic = 3 };
int wmState(quint32 window);
quint32 parentOf(quint32 window);
quint32 windowPid(quint32 window);
// The managed window of a process, from the window manager's client list.
quint32 windowOfProcess(qint64 pid);
// The window manager's active window (_NET_ACTIVE_WINDOW of the root); 0 when none.
quint32 activeWindow();
// Activates a window as the player would (xdotool, waiting until it is active).
bool activate(quint32 window);

// A desktop program (openbox, trayer) run quietly for a test and ended when it goes out of scope.
class DesktopHelper
{
public:
    explicit DesktopHelper(const QString &program) : program(program) {}
    ~DesktopHelper() { stop(); }
    bool start(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    bool stop(); // true once it has ended
    bool running() const { return process.state() != QProcess::NotRunning; }

private:
    QString program;
    QProcess process;
};

} // namespace X11TestTools
