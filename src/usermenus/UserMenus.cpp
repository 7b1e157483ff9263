#include "usermenus/UserMenus.h"

#include "platform/SettingsStore.h"

#include <QCoreApplication>

namespace UserMenus {

namespace {
QString nameKey(const QString &name) { return name + QStringLiteral("Name"); }
QString pathKey(const QString &name) { return name + QStringLiteral("Path"); }

QString failure(int number, const SettingsStore &store)
{
    return QStringLiteral("Error saving menus: %1 - %2").arg(number).arg(store.errorString());
}
} // namespace

QList<UserMenu> load(const SettingsStore &store)
{
    QList<UserMenu> menus;
    for (const QString &key : store.keys(NameSection)) {
        const QString name = store.value(NameSection, key);
        if (name.isEmpty())
            continue; // a caption nobody could see or choose
        menus.append({name, pathOf(store, name)});
    }
    return menus;
}

QString pathOf(const SettingsStore &store, const QString &name)
{
    return store.value(PathSection, pathKey(name));
}

QString save(SettingsStore &store, const QList<UserMenu> &menus)
{
    if (!store.removeSection(NameSection) || !store.removeSection(PathSection))
        return failure(0, store);
    for (qsizetype i = 0; i < menus.size(); ++i) {
        const UserMenu &menu = menus.at(i);
        if (!store.setValue(NameSection, nameKey(menu.name), menu.name)
            || !store.setValue(PathSection, pathKey(menu.name), menu.path))
            return failure(int(i + 1), store);
    }
    return {};
}

QString nameProblem(const QStringList &kept, const QString &name)
{
    for (const QString &other : kept)
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Menu Names must be different from other menus");
    return {};
}

QString directoryOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

} // namespace UserMenus
