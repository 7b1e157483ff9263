#include "platform/linux/DesktopBeep.h"

#include <QApplication>
#include <QGuiApplication>

#include <canberra.h>
#include <xcb/xcb.h>

DesktopBeep::DesktopBeep()
{
    if (ca_context_create(&m_context) != CA_SUCCESS)
        m_context = nullptr;
    if (m_context)
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Zentrel", CA_PROP_APPLICATION_ID,
                                "zentrel", nullptr);
}

DesktopBeep::~DesktopBeep()
{
    if (m_context)
        ca_context_destroy(m_context);
}

bool DesktopBeep::play(const char *eventId)
{
    return m_context
           && ca_context_play(m_context, 0, CA_PROP_EVENT_ID, eventId, CA_PROP_EVENT_DESCRIPTION,
                              "Game time limit expired", nullptr)
                  == CA_SUCCESS;
}

void DesktopBeep::beep()
{
    // Once the sound server has played neither sound, the bell it is: a sound system that is not
    // there would only be asked again, and complain, every two seconds.
    if (play("alarm-clock-elapsed") || play("bell"))
        return;
    if (m_context) {
        ca_context_destroy(m_context);
        m_context = nullptr;
    }
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr) {
        xcb_bell(connection, 100);
        xcb_flush(connection);
    } else {
        QApplication::beep();
    }
}
