#include "platform/linux/DesktopBeep.h"

#include <QApplication>
#include <QtTest>

// The beep where there is nothing to hear it through: no sound server, no X11 display (the
// offscreen platform's native interface has no connection). It must fall back quietly, every time.
class TestDesktopBeep : public QObject
{
    Q_OBJECT
private slots:
    void beepsWithoutSoundServerOrDisplay()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/zentrel-test-socket");
        DesktopBeep beep;
        for (int i = 0; i < 3; ++i)
            beep.beep();
    }
};

QTEST_MAIN(TestDesktopBeep)
#include "tst_desktopbeep.moc"
