#pragma once

#include "usermenus/UserMenus.h"

#include <QList>
#include <QObject>

class Module1;
class QAction;
class QMenu;

// The player's menus in the main window's "User Defined" menu, after the Menu Manager item and a
// separator that shows only while there are any. Choosing one opens its file.
class UserMenuBar : public QObject
{
    Q_OBJECT
public:
    UserMenuBar(Module1 &module1, QMenu &menu, QAction &separator, QObject *parent = nullptr);

    // The stored menus, in stored order (start-up).
    void loadFromStore();
    void rebuild(const QStringList &names);
    QStringList names() const;
    const QList<QAction *> &items() const { return m_items; }

    // Opens the menu of this caption: its stored path, in its own folder.
    void open(const QString &name);

private:
    Module1 &m;
    QMenu &m_menu;
    QAction &m_separator;
    QList<QAction *> m_items;
};
