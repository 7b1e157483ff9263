#pragma once

#include "platform/GameWindows.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QSet>
#include <QString>

#include <initializer_list>
#include <memory>

struct xcb_connection_t;
class QSocketNotifier;

// The game's windows on X11, through xcb. Works with an EWMH window manager (client list, active
// window) and without one (the root's children, the input focus). On a Qt application running on
// xcb it shares Qt's connection; otherwise it opens its own.
//
// The window's title is followed through PropertyNotify as it changes, so a program that ran only
// briefly between two supervision ticks still counts as seen and its window as finished.
class X11GameWindows : public QObject, public GameWindows, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Connection { Auto, Own };

    explicit X11GameWindows(Connection connection = Connection::Auto, QObject *parent = nullptr);
    ~X11GameWindows() override;

    bool available() const override;
    bool reportsFrontWindow() const override;
    QString reason() const override;

    void registerProcess(qint64 pid, const QString &program, bool inDosBox) override;
    Handle findWindow(const QString &title) override;
    bool isWindow(Handle window) override;
    Foreground foreground() override;
    void hide(Handle window) override;
    void showWithoutActivating(Handle window) override;
    void requestClose(Handle window) override;
    void iconify(Handle window) override;
    void activate(Handle window) override;

    // A window manager announces itself through a live _NET_SUPPORTING_WM_CHECK window.
    bool windowManagerPresent();
    bool sharesQtConnection() const { return !m_own; }

private:
    struct Process
    {
        qint64 pid = 0;
        QString program; // upper case
        bool inDosBox = false;
        QSet<QString> seenWords;
    };
    struct Info
    {
        bool exists = false;
        quint32 pid = 0;
        QString title;
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void handleEvent(void *event);
    void drainOwnEvents();
    void sendClientMessage(quint32 destination, Handle window, quint32 type, std::initializer_list<quint32> data);
    void askWindowManager(Handle window, quint32 type, std::initializer_list<quint32> data);

    void internAtoms();
    QHash<quint32, Info> readInfo(const QList<quint32> &windows, bool withTitles);
    quint32 readWindowProperty(quint32 window, quint32 atom, bool *present = nullptr);
    QList<quint32> readWindowList(quint32 window, quint32 atom);
    QList<quint32> rootChildren();
    bool isViewable(quint32 window);

    void refreshKnown();
    void scanForNewWindows();
    void noteTitle(quint32 window, const Info &info);
    Process *processOf(quint32 pid);
    bool needsScan();
    quint32 clientOf(quint32 window);

    xcb_connection_t *m_conn = nullptr;
    bool m_own = false;
    quint32 m_root = 0;
    QString m_reason;
    QSocketNotifier *m_notifier = nullptr;

    QList<Process> m_processes;        // in registration order
    QHash<quint32, quint32> m_known;   // window -> pid, every window of a registered process seen
    QHash<quint32, QString> m_titles;  // window -> last title read
    QSet<quint32> m_watched;           // windows whose property changes we receive
    QHash<quint32, QPoint> m_hiddenAt; // windows we withdrew -> their place on the screen

    struct Atoms;
    std::unique_ptr<Atoms> m_atoms;
};
