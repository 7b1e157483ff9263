#pragma once

#include <QString>

#include <sys/types.h>

// A private X server for one test program: Xvfb on a free display (chosen by Xvfb itself through
// -displayfd). Made before the QApplication; when it started, DISPLAY points at it and Qt is told
// to use xcb. Without Xvfb, problem() says why and the application stays offscreen.
class X11Session
{
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    bool started() const { return m_pid > 0; }
    QString problem() const { return m_problem; }
    QString display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QString m_display;
    QString m_problem;
};
