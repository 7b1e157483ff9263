#pragma once

#include "platform/GameWindows.h"

#include <QList>
#include <QMap>

// A scripted window system. As on the real desktop, every window belongs to a process and only
// the windows of registered processes are ever found, those of the newest registration first.
// Titles are the game's console titles ("Duke3d", "Finished - Duke3d"); every action is recorded.
class FakeGameWindows : public GameWindows
{
public:
    struct Window
    {
        qint64 pid = 0;
        QString title;
        bool visible = true;
    };
    struct Registered
    {
        qint64 pid;
        QString program;
        bool inDosBox;
    };

    QMap<Handle, Window> windows;
    Foreground front{true, 0};
    bool up = true;
    QString why;

    QList<Registered> registered;
    QList<Handle> hidden, shown, closed, iconified, activated; // in call order, 0 included

    bool available() const override { return up; }
    QString reason() const override { return why; }
    void registerProcess(qint64 pid, const QString &program, bool inDosBox) override
    {
        registered.append({pid, program, inDosBox});
    }
    Handle findWindow(const QString &title) override
    {
        for (qsizetype i = registered.size() - 1; i >= 0; --i)
            for (auto it = windows.cbegin(); it != windows.cend(); ++it)
                if (it->pid == registered[i].pid && it->title.compare(title, Qt::CaseInsensitive) == 0)
                    return it.key();
        return 0;
    }
    bool isWindow(Handle window) override { return windows.contains(window); }
    Foreground foreground() override { return front; }
    void hide(Handle window) override
    {
        hidden.append(window);
        if (windows.contains(window))
            windows[window].visible = false;
    }
    void showWithoutActivating(Handle window) override
    {
        shown.append(window);
        if (windows.contains(window))
            windows[window].visible = true;
    }
    void requestClose(Handle window) override { closed.append(window); }
    void iconify(Handle window) override { iconified.append(window); }
    void activate(Handle window) override
    {
        activated.append(window);
        front = {true, window};
    }
};
