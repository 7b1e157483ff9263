// The player's menus in the settings file: whatever the file held before, a list of menus the
// menu editor accepts is saved, and after a reload comes back as it was, in its order; the other
// sections of the file keep their values.

#include "FuzzSupport.h"

#include "platform/IniSettingsStore.h"
#include "usermenus/UserMenus.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QByteArray original = Fuzz::bytes(in.ConsumeRandomLengthString(4096));
    const QString path = Fuzz::scratchDir() + QStringLiteral("/menus.ini");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(original) == original.size());
    }

    IniSettingsStore store(path);
    // A value of another section, to see it survive.
    const QString otherSection = Fuzz::name(in, {"Main", "Options", "MenuNames", "Menu"});
    const QString otherKey = Fuzz::name(in, {"k", "EditorName", "Path"});
    const bool otherIsMenus = otherSection.compare(UserMenus::NameSection, Qt::CaseInsensitive) == 0
        || otherSection.compare(UserMenus::PathSection, Qt::CaseInsensitive) == 0;
    const QString otherValue = store.value(otherSection, otherKey);

    // What the menu editor lets through: names not empty and different in any letter case.
    QList<UserMenu> menus;
    QStringList names;
    for (int i = 0; i < 6 && in.remaining_bytes() > 0; ++i) {
        const UserMenu menu{Fuzz::name(in, {"Editor", "editor", "Notes", "Map Editor", "=", "[x]", " a "}),
                            Fuzz::name(in, {"/usr/bin/mapster", "/home/p/notes.txt", "", "C:\\x", "/p/a=b"})};
        if (menu.name.isEmpty() || !UserMenus::nameProblem(names, menu.name).isEmpty())
            continue;
        names << menu.name;
        menus << menu;
    }

    FUZZ_CHECK(UserMenus::save(store, menus).isEmpty());
    FUZZ_CHECK(UserMenus::load(store) == menus);
    const IniSettingsStore reloaded(path);
    FUZZ_CHECK(UserMenus::load(reloaded) == menus);
    for (const UserMenu &menu : menus)
        FUZZ_CHECK(UserMenus::pathOf(reloaded, menu.name) == menu.path);
    if (!otherIsMenus)
        FUZZ_CHECK(reloaded.value(otherSection, otherKey) == otherValue);

    const QString dir = UserMenus::directoryOf(menus.isEmpty() ? QString() : menus.first().path);
    FUZZ_CHECK(dir.isEmpty() || menus.first().path.startsWith(dir));
    return 0;
}
