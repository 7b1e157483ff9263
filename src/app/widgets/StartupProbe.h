#pragma once

#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

// For the start-up benchmark only: with ZENTREL_BENCH_T0 set (the launcher's CLOCK_REALTIME in
// nanoseconds just before it started us), print the milliseconds to the window's first paint and
// leave at once, without tearing down, so the figure is start-up alone.
class StartupProbe : public QObject
{
public:
    static void watch(QWidget *window)
    {
        const QByteArray t0 = qgetenv("ZENTREL_BENCH_T0");
        if (!t0.isEmpty())
            window->installEventFilter(new StartupProbe(t0.toLongLong(), window));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // Let the paint happen, then report from the event loop.
            QMetaObject::invokeMethod(this, [this] { report(); }, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    StartupProbe(long long t0, QObject *parent) : QObject(parent), t0(t0) {}

    void report()
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec - t0;
        std::printf("first-paint-ms %.3f\n", ns / 1e6);
        std::fflush(stdout);
        _exit(0);
    }

    long long t0;
};
