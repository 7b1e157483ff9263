#include "platform/linux/X11GameWindows.h"

#include "platform/GameWindowTitles.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

constexpr quint32 kPointerRoot = 1;

template <typename T> struct Reply
{
    T *p = nullptr;
    explicit Reply(T *reply) : p(reply) {}
    ~Reply() { std::free(p); }
    Reply(const Reply &) = delete;
    Reply &operator=(const Reply &) = delete;
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

bool processAlive(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

struct X11GameWindows::Atoms
{
    xcb_atom_t netWmPid = 0, netWmName = 0, utf8String = 0, netClientList = 0, netActiveWindow = 0,
               netSupportingWmCheck = 0, wmState = 0, wmProtocols = 0, wmDeleteWindow = 0, netWmUserTime = 0,
               netMoveResizeWindow = 0, wmChangeState = 0, netSupported = 0;
};

X11GameWindows::X11GameWindows(Connection connection, QObject *parent)
    : QObject(parent), m_atoms(std::make_unique<Atoms>())
{
    int screenNumber = 0;
    if (connection == Connection::Auto && qGuiApp) {
        if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            m_conn = x11->connection();
    }
    if (!m_conn) {
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty()) {
            m_reason =
                qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
                    ? tr("This Wayland session offers no X11 display (Xwayland), so Zentrel cannot hide "
                         "or close the game's window.")
                    : tr("There is no X11 display (DISPLAY is not set), so Zentrel cannot hide or close "
                         "the game's window.");
            return;
        }
        xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            m_reason = tr("Zentrel could not reach the X11 display \"%1\", so it cannot hide or close "
                          "the game's window.")
                           .arg(QString::fromLocal8Bit(display));
            return;
        }
        m_conn = c;
        m_own = true;
    }

    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_conn));
    for (int i = 0; i < screenNumber && it.rem > 1; ++i)
        xcb_screen_next(&it);
    m_root = it.data->root;
    internAtoms();

    if (m_own) {
        // Property changes of the watched windows arrive on our own socket.
        m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_conn), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { drainOwnEvents(); });
    } else {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

X11GameWindows::~X11GameWindows()
{
    if (!m_conn)
        return;
    if (m_own) {
        delete m_notifier;
        xcb_disconnect(m_conn);
    } else if (QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool X11GameWindows::available() const
{
    return m_conn != nullptr;
}
bool X11GameWindows::reportsFrontWindow() const
{
    if (!m_conn)
        return false;
    Reply r(xcb_get_property_reply(
        m_conn, xcb_get_property(m_conn, 0, m_root, m_atoms->netSupported, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!r)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(r.p));
    const int count = xcb_get_property_value_length(r.p) / int(sizeof(xcb_atom_t));
    for (int i = 0; i < count; ++i)
        if (atoms[i] == m_atoms->netActiveWindow)
            return true;
    return false;
}

QString X11GameWindows::reason() const
{
    return m_reason;
}

void X11GameWindows::internAtoms()
{
    const struct
    {
        const char *name;
        xcb_atom_t *atom;
    } wanted[] = {
        {"_NET_WM_PID", &m_atoms->netWmPid},
        {"_NET_WM_NAME", &m_atoms->netWmName},
        {"UTF8_STRING", &m_atoms->utf8String},
        {"_NET_CLIENT_LIST", &m_atoms->netClientList},
        {"_NET_ACTIVE_WINDOW", &m_atoms->netActiveWindow},
        {"_NET_SUPPORTING_WM_CHECK", &m_atoms->netSupportingWmCheck},
        {"WM_STATE", &m_atoms->wmState},
        {"WM_PROTOCOLS", &m_atoms->wmProtocols},
        {"WM_DELETE_WINDOW", &m_atoms->wmDeleteWindow},
        {"_NET_WM_USER_TIME", &m_atoms->netWmUserTime},
        {"_NET_MOVERESIZE_WINDOW", &m_atoms->netMoveResizeWindow},
        {"WM_CHANGE_STATE", &m_atoms->wmChangeState},
        {"_NET_SUPPORTED", &m_atoms->netSupported},
    };
    QList<xcb_intern_atom_cookie_t> cookies;
    for (const auto &w : wanted)
        cookies << xcb_intern_atom(m_conn, 0, std::strlen(w.name), w.name);
    for (int i = 0; i < cookies.size(); ++i) {
        Reply r(xcb_intern_atom_reply(m_conn, cookies[i], nullptr));
        *wanted[i].atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
}

// ---- reading --------------------------------------------------------------------------------

quint32 X11GameWindows::readWindowProperty(quint32 window, quint32 atom, bool *present)
{
    Reply r(xcb_get_property_reply(m_conn, xcb_get_property(m_conn, 0, window, atom, XCB_ATOM_ANY, 0, 1),
                                   nullptr));
    const bool ok = r && r->format == 32 && xcb_get_property_value_length(r.p) >= 4;
    if (present)
        *present = ok;
    return ok ? *static_cast<quint32 *>(xcb_get_property_value(r.p)) : 0;
}

QList<quint32> X11GameWindows::readWindowList(quint32 window, quint32 atom)
{
    QList<quint32> out;
    Reply r(xcb_get_property_reply(
        m_conn, xcb_get_property(m_conn, 0, window, atom, XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (r && r->format == 32) {
        const auto *v = static_cast<const quint32 *>(xcb_get_property_value(r.p));
        for (int i = 0; i < xcb_get_property_value_length(r.p) / 4; ++i)
            out << v[i];
    }
    return out;
}

QList<quint32> X11GameWindows::rootChildren()
{
    QList<quint32> out;
    Reply r(xcb_query_tree_reply(m_conn, xcb_query_tree(m_conn, m_root), nullptr));
    if (r) {
        const xcb_window_t *c = xcb_query_tree_children(r.p);
        for (int i = 0; i < xcb_query_tree_children_length(r.p); ++i)
            out << c[i];
    }
    return out;
}

bool X11GameWindows::isViewable(quint32 window)
{
    Reply r(xcb_get_window_attributes_reply(m_conn, xcb_get_window_attributes(m_conn, window), nullptr));
    return r && r->map_state != XCB_MAP_STATE_UNMAPPED;
}

// Pipelined: every request goes out before the first reply is awaited.
QHash<quint32, X11GameWindows::Info> X11GameWindows::readInfo(const QList<quint32> &windows, bool withTitles)
{
    struct Cookies
    {
        xcb_get_property_cookie_t pid, netName, name;
    };
    QList<Cookies> cookies;
    for (quint32 w : windows) {
        Cookies c{};
        c.pid = xcb_get_property(m_conn, 0, w, m_atoms->netWmPid, XCB_ATOM_CARDINAL, 0, 1);
        if (withTitles) {
            c.netName = xcb_get_property(m_conn, 0, w, m_atoms->netWmName, m_atoms->utf8String, 0, 1024);
            c.name = xcb_get_property(m_conn, 0, w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 1024);
        }
        cookies << c;
    }
    QHash<quint32, Info> out;
    for (int i = 0; i < windows.size(); ++i) {
        Info info;
        xcb_generic_error_t *error = nullptr;
        Reply pid(xcb_get_property_reply(m_conn, cookies[i].pid, &error));
        info.exists = !error;
        std::free(error);
        if (pid && pid->format == 32 && xcb_get_property_value_length(pid.p) >= 4)
            info.pid = *static_cast<quint32 *>(xcb_get_property_value(pid.p));
        if (withTitles) {
            Reply netName(xcb_get_property_reply(m_conn, cookies[i].netName, nullptr));
            Reply name(xcb_get_property_reply(m_conn, cookies[i].name, nullptr));
            if (netName && xcb_get_property_value_length(netName.p) > 0)
                info.title = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(netName.p)),
                                               xcb_get_property_value_length(netName.p));
            else if (name && name->format == 8)
                info.title = QString::fromLatin1(static_cast<const char *>(xcb_get_property_value(name.p)),
                                                 xcb_get_property_value_length(name.p));
        }
        out.insert(windows[i], info);
    }
    return out;
}

// ---- the registered processes and their windows ---------------------------------------------

void X11GameWindows::registerProcess(qint64 pid, const QString &program, bool inDosBox)
{
    if (pid <= 0)
        return;
    m_processes.removeIf([pid](const Process &p) { return p.pid == pid; });
    // A reused window id may still be filed under an old process: forget windows of this pid.
    for (auto it = m_known.begin(); it != m_known.end();)
        it = it.value() == quint32(pid) ? m_known.erase(it) : std::next(it);
    m_processes.append({pid, GameWindowTitles::programOfFile(program), inDosBox, {}});
}

X11GameWindows::Process *X11GameWindows::processOf(quint32 pid)
{
    for (Process &p : m_processes)
        if (p.pid == pid)
            return &p;
    return nullptr;
}

void X11GameWindows::noteTitle(quint32 window, const Info &info)
{
    Process *p = processOf(info.pid);
    if (!p)
        return;
    m_known.insert(window, info.pid);
    m_titles.insert(window, info.title);
    const QString word = GameWindowTitles::programWord(info.title);
    if (!word.isEmpty()) {
        p->seenWords.insert(word);
        // The started program runs first: once any DOS program shows, it has run, even when it
        // handed over too quickly to be seen (the launcher starting the game at once).
        if (word != QLatin1String("DOSBOX") && word != QLatin1String("MOUNT"))
            p->seenWords.insert(p->program);
    }
    if (!m_watched.contains(window)) {
        const quint32 mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(m_conn, window, XCB_CW_EVENT_MASK, &mask);
        m_watched.insert(window);
    }
}

// Reads the known windows again: drops the gone ones and ids now owned by someone else.
void X11GameWindows::refreshKnown()
{
    const QList<quint32> windows = m_known.keys();
    const QHash<quint32, Info> info = readInfo(windows, true);
    for (quint32 w : windows) {
        const Info &i = info[w];
        if (!i.exists || i.pid != m_known.value(w)) {
            m_known.remove(w);
            m_titles.remove(w);
            m_watched.remove(w);
            m_hiddenAt.remove(w);
            if (i.exists)
                noteTitle(w, i);
            continue;
        }
        noteTitle(w, i);
    }
}

// Only while a running registered process has no window yet: DOSBox shows one window for its
// whole life, so once it is known no search of the whole screen is needed.
bool X11GameWindows::needsScan()
{
    for (const Process &p : m_processes) {
        if (!processAlive(p.pid))
            continue;
        if (std::find(m_known.cbegin(), m_known.cend(), quint32(p.pid)) == m_known.cend())
            return true;
    }
    return false;
}

void X11GameWindows::scanForNewWindows()
{
    QList<quint32> candidates = rootChildren();
    if (windowManagerPresent()) {
        for (quint32 w : readWindowList(m_root, m_atoms->netClientList))
            if (!candidates.contains(w))
                candidates << w;
    }
    QHash<quint32, Info> pids = readInfo(candidates, false);
    // A window manager that is just taking a window over has framed it but not yet listed it:
    // look inside the frames (root children without a process id) too.
    QList<xcb_query_tree_cookie_t> trees;
    const QList<quint32> frames = [&] {
        QList<quint32> out;
        for (quint32 w : candidates)
            if (pids[w].exists && pids[w].pid == 0)
                out << w;
        return out;
    }();
    for (quint32 w : frames)
        trees << xcb_query_tree(m_conn, w);
    QList<quint32> inner;
    for (const xcb_query_tree_cookie_t &cookie : trees) {
        Reply r(xcb_query_tree_reply(m_conn, cookie, nullptr));
        if (!r)
            continue;
        const xcb_window_t *c = xcb_query_tree_children(r.p);
        for (int i = 0; i < xcb_query_tree_children_length(r.p); ++i)
            if (!candidates.contains(c[i]))
                inner << c[i];
    }
    pids.insert(readInfo(inner, false));
    candidates << inner;
    QList<quint32> ours;
    for (quint32 w : candidates)
        if (pids[w].exists && processOf(pids[w].pid) && !m_known.contains(w))
            ours << w;
    const QHash<quint32, Info> info = readInfo(ours, true);
    for (quint32 w : ours) {
        const Info &i = info[w];
        Process *p = processOf(i.pid);
        if (!p || i.title.isEmpty())
            continue;
        // DOSBox's full-screen helper and other unnamed windows carry no "Program:" title; a
        // program started directly counts with its visible, titled windows.
        if (p->inDosBox ? GameWindowTitles::programWord(i.title).isEmpty() : !isViewable(w))
            continue;
        noteTitle(w, i);
    }
}

GameWindows::Handle X11GameWindows::findWindow(const QString &title)
{
    const GameWindowTitles::Query query = GameWindowTitles::parse(title);
    if (!m_conn || !query.valid || m_processes.isEmpty())
        return 0;
    if (m_own)
        drainOwnEvents();
    refreshKnown();
    if (needsScan())
        scanForNewWindows();
    Handle found = 0;
    for (auto p = m_processes.crbegin(); p != m_processes.crend() && !found; ++p) {
        for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
            if (it.value() != quint32(p->pid))
                continue;
            GameWindowTitles::Window w{p->inDosBox, p->program,
                                       GameWindowTitles::programWord(m_titles.value(it.key())), p->seenWords};
            if (GameWindowTitles::matches(query, w)) {
                found = it.key();
                break;
            }
        }
    }
    if (m_own)
        drainOwnEvents();
    return found;
}

bool X11GameWindows::isWindow(Handle window)
{
    if (!m_conn || window == 0)
        return false;
    xcb_generic_error_t *error = nullptr;
    Reply r(xcb_get_window_attributes_reply(m_conn, xcb_get_window_attributes(m_conn, window), &error));
    std::free(error);
    return bool(r);
}

// ---- foreground -----------------------------------------------------------------------------

bool X11GameWindows::windowManagerPresent()
{
    if (!m_conn)
        return false;
    bool present = false;
    const quint32 check = readWindowProperty(m_root, m_atoms->netSupportingWmCheck, &present);
    // A window manager that went away leaves the root's property behind: the check window
    // itself must still exist and point at itself.
    return present && check != 0 && readWindowProperty(check, m_atoms->netSupportingWmCheck) == check;
}

// The client window a focus window belongs to: the first ancestor with WM_STATE, else the
// top-level (a child of the root) or, under a frame, the framed client.
quint32 X11GameWindows::clientOf(quint32 window)
{
    quint32 w = window;
    for (int depth = 0; depth < 32; ++depth) {
        bool managed = false;
        readWindowProperty(w, m_atoms->wmState, &managed);
        if (managed)
            return w;
        Reply tree(xcb_query_tree_reply(m_conn, xcb_query_tree(m_conn, w), nullptr));
        if (!tree)
            return 0;
        if (tree->parent == m_root || tree->parent == XCB_WINDOW_NONE) {
            // A frame of a window manager without EWMH: the client is one of its children.
            const xcb_window_t *c = xcb_query_tree_children(tree.p);
            for (int i = 0; i < xcb_query_tree_children_length(tree.p); ++i) {
                readWindowProperty(c[i], m_atoms->wmState, &managed);
                if (managed)
                    return c[i];
            }
            return w;
        }
        w = tree->parent;
    }
    return 0;
}

GameWindows::Foreground X11GameWindows::foreground()
{
    if (!m_conn)
        return {};
    if (windowManagerPresent()) {
        bool present = false;
        const quint32 active = readWindowProperty(m_root, m_atoms->netActiveWindow, &present);
        if (present)
            return {true, active};
    }
    Reply focus(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr));
    if (m_own)
        drainOwnEvents();
    if (!focus || focus->focus == XCB_WINDOW_NONE || focus->focus == kPointerRoot || focus->focus == m_root)
        return {};
    const quint32 client = clientOf(focus->focus);
    if (client == 0)
        return {};
    return {true, client};
}

// ---- acting ---------------------------------------------------------------------------------

void X11GameWindows::hide(Handle window)
{
    if (!m_conn || window == 0 || !isWindow(window))
        return;
    Reply where(xcb_translate_coordinates_reply(
        m_conn, xcb_translate_coordinates(m_conn, window, m_root, 0, 0), nullptr));
    if (where)
        m_hiddenAt.insert(window, QPoint(where->dst_x, where->dst_y));
    xcb_unmap_window(m_conn, window);
    // ICCCM withdraw: the synthetic UnmapNotify tells the window manager to let go of it.
    xcb_unmap_notify_event_t notice{};
    notice.response_type = XCB_UNMAP_NOTIFY;
    notice.event = m_root;
    notice.window = window;
    notice.from_configure = 0;
    xcb_send_event(m_conn, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&notice));
    xcb_flush(m_conn);
}

void X11GameWindows::showWithoutActivating(Handle window)
{
    if (!m_conn || window == 0 || !isWindow(window))
        return;
    // A user time of 0 asks the window manager not to focus the window when it maps.
    const quint32 zero = 0;
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, window, m_atoms->netWmUserTime, XCB_ATOM_CARDINAL, 32,
                        1, &zero);
    const bool managed = windowManagerPresent();
    const auto at = m_hiddenAt.constFind(window);
    if (at != m_hiddenAt.cend() && !managed) {
        const quint32 xy[] = {quint32(at->x()), quint32(at->y())};
        xcb_configure_window(m_conn, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, xy);
    }
    xcb_map_window(m_conn, window);
    if (at != m_hiddenAt.cend() && managed) {
        // The window manager places a newly mapped window by its own rules; put it back where it
        // was (static gravity: the client's own position; source 2: a pager, which it obeys).
        askWindowManager(window, m_atoms->netMoveResizeWindow,
                         {XCB_GRAVITY_STATIC | (1u << 8) | (1u << 9) | (2u << 12), quint32(at->x()), quint32(at->y())});
    }
    m_hiddenAt.remove(window);
    xcb_flush(m_conn);
}

// A 32-bit client message about window, sent to destination: the window itself, or the root,
// where the window manager takes it.
void X11GameWindows::sendClientMessage(quint32 destination, Handle window, quint32 type,
                                       std::initializer_list<quint32> data)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = quint32(window);
    message.type = type;
    int i = 0;
    for (const quint32 value : data)
        message.data.data32[i++] = value;
    const quint32 mask = destination == m_root
                             ? XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
                             : XCB_EVENT_MASK_NO_EVENT;
    xcb_send_event(m_conn, 0, destination, mask, reinterpret_cast<const char *>(&message));
}

void X11GameWindows::askWindowManager(Handle window, quint32 type, std::initializer_list<quint32> data)
{
    sendClientMessage(m_root, window, type, data);
}

void X11GameWindows::requestClose(Handle window)
{
    if (!m_conn || window == 0)
        return;
    sendClientMessage(window, window, m_atoms->wmProtocols, {m_atoms->wmDeleteWindow, XCB_CURRENT_TIME});
    xcb_flush(m_conn);
}

void X11GameWindows::iconify(Handle window)
{
    if (!m_conn || window == 0 || !isWindow(window))
        return;
    // ICCCM: a WM_CHANGE_STATE client message to the root asks for IconicState (3).
    askWindowManager(window, m_atoms->wmChangeState, {3});
    xcb_flush(m_conn);
}

void X11GameWindows::activate(Handle window)
{
    if (!m_conn || window == 0)
        return;
    if (windowManagerPresent()) {
        // Source indication 2: a pager, that is the player's own wish, which focus-stealing
        // prevention honours.
        askWindowManager(window, m_atoms->netActiveWindow, {2, XCB_CURRENT_TIME});
    } else {
        const quint32 above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(m_conn, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(m_conn, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    }
    xcb_flush(m_conn);
}

// ---- events ---------------------------------------------------------------------------------

bool X11GameWindows::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType == "xcb_generic_event_t")
        handleEvent(message);
    return false; // Qt still sees everything
}

// Also run after our own requests: events xcb read from the socket while waiting for a reply
// sit in its queue, and the socket notifier would not wake up for them.
void X11GameWindows::drainOwnEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn)) {
        handleEvent(event);
        std::free(event);
    }
}

void X11GameWindows::handleEvent(void *message)
{
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return;
    auto *change = reinterpret_cast<xcb_property_notify_event_t *>(event);
    if (!m_watched.contains(change->window)
        || (change->atom != XCB_ATOM_WM_NAME && change->atom != m_atoms->netWmName))
        return;
    const Info info = readInfo({change->window}, true).value(change->window);
    if (info.exists && info.pid == m_known.value(change->window))
        noteTitle(change->window, info);
}
