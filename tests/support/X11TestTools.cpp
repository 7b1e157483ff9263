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

int wmState(quint32 window)
{
    xcb_connection_t *c = qtConnection();
    const xcb_atom_t wmStateAtom = atom("WM_STATE");
    auto *r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, wmStateAtom, wmStateAtom, 0, 2), nullptr);
    int state = Withdrawn;
    if (r && xcb_get_property_value_length(r) >= 4)
        state = int(*static_cast<quint32 *>(xcb_get_property_value(r)));
    std::free(r);
    return state;
}

quint32 parentOf(quint32 window)
{
    auto *r = xcb_query_tree_reply(qtConnection(), xcb_query_tree(qtConnection(), window), nullptr);
    const quint32 parent = r ? r->parent : 0;
    std::free(r);
    return parent;
}

quint32 windowPid(quint32 window)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1), nullptr);
    quint32 pid = 0;
    if (r && xcb_get_property_value_length(r) >= 4)
        pid = *static_cast<quint32 *>(xcb_get_property_value(r));
    std::free(r);
    return pid;
}

quint32 windowOfProcess(qint64 pid)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootWindow(), atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 1024), nullptr);
    quint32 found = 0;
    if (r) {
        const auto *ids = static_cast<const quint32 *>(xcb_get_property_value(r));
        for (int i = 0; i < xcb_get_property_value_length(r) / 4 && !found; ++i)
            if (windowPid(ids[i]) == quint32(pid))
                found = ids[i];
    }
    std::free(r);
    return found;
}

bool activate(quint32 window)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"),
                                                         QStringLiteral("--sync"), QString::number(window)})
           == 0;
}

quint32 activeWindow()
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootWindow(), atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1), nullptr);
    quint32 window = 0;
    if (r && xcb_get_property_value_length(r) >= 4)
        window = *static_cast<quint32 *>(xcb_get_property_value(r));
    std::free(r);
    return window;
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
