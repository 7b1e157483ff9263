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
