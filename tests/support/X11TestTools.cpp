#include "X11TestTools.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>

namespace X11TestTools {

xcb_connection_t *qtConnection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t rootWindow()
{
    return xcb_setup_roots_iterator(xcb_get_setup(qtConnection())).data->root;
}

xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

bool isMapped(quint32 window)
{
    auto *r = xcb_get_window_attributes_reply(qtConnection(),
                                              xcb_get_window_attributes(qtConnection(), window), nullptr);
    const bool mapped = r && r->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(r);
    return mapped;
}

bool DesktopHelper::start(const QProcessEnvironment &environment)
{
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // It goes with the test whichever way the test ends.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(program, {});
    return process.waitForStarted();
}

bool DesktopHelper::stop()
{
    if (!running())
        return true;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
    return !running();
}

} // namespace X11TestTools
