#pragma once

#include "platform/Beep.h"

struct ca_context;

// The beep on a Linux desktop: the freedesktop event sound "alarm-clock-elapsed" (falling back
// to "bell") through libcanberra, which plays through the desktop's sound server; the X11 bell as
// the last resort (XBell alone is silent on most desktops, whose bell is switched off).
class DesktopBeep : public Beep
{
public:
    DesktopBeep();
    ~DesktopBeep() override;
    void beep() override;

private:
    bool play(const char *eventId);

    ca_context *m_context = nullptr;
};
