#pragma once

#include <QString>

// The four game files Zentrel swaps and returns, and the names of their stock copies: the set
// without "p" for version 1.3d, the "p" set for 1.4/1.5. Names match in any letter case.
namespace StockNames {

enum class Role { User, Game, Defs, Rts };
inline constexpr Role AllRoles[] = {Role::User, Role::Game, Role::Defs, Role::Rts};

// The game's own file of that role, in the spelling used when no file of any case exists yet.
inline QString gameFile(Role role)
{
    switch (role) {
    case Role::User: return QStringLiteral("User.con");
    case Role::Game: return QStringLiteral("Game.con");
    case Role::Defs: return QStringLiteral("Defs.con");
    case Role::Rts: return QStringLiteral("Duke.rts");
    }
    return {};
}

inline QString stockFile(Role role, bool version15)
{
    const QString p = version15 ? QStringLiteral("p") : QString();
    switch (role) {
    case Role::User: return QStringLiteral("KVuser%1.dat").arg(p);
    case Role::Game: return QStringLiteral("KVgame%1.dat").arg(p);
    case Role::Defs: return QStringLiteral("KVdefs%1.dat").arg(p);
    case Role::Rts: return QStringLiteral("KVDuke%1.dat").arg(p);
    }
    return {};
}

inline QString versionName(bool version15)
{
    return version15 ? QStringLiteral("1.4/1.5") : QStringLiteral("1.3d");
}

} // namespace StockNames
