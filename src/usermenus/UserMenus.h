#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class SettingsStore;

// The player's own menus: a caption and the file it opens, kept in the settings store under
// "MenuName" (caption + "Name" = caption) and "MenuPath" (caption + "Path" = path), in menu order.
struct UserMenu
{
    QString name;
    QString path;
    bool operator==(const UserMenu &) const = default;
};

namespace UserMenus {

inline const QString NameSection = QStringLiteral("MenuName");
inline const QString PathSection = QStringLiteral("MenuPath");

QList<UserMenu> load(const SettingsStore &store);
QString pathOf(const SettingsStore &store, const QString &name);

// Replaces the stored menus with these, in this order. Empty when saved; otherwise the message
// "Error saving menus: N - description", N being the menu that could not be written (0: the old
// ones could not be removed).
QString save(SettingsStore &store, const QList<UserMenu> &menus);

// Why a new menu of this name cannot be added next to the kept ones, or empty. The store matches
// names without regard to letter case, so "Editor" and "editor" would become one menu after a
// restart: both are refused.
QString nameProblem(const QStringList &kept, const QString &name);

// The folder a menu's file is opened in.
QString directoryOf(const QString &path);

} // namespace UserMenus
