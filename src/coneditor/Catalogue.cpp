#include "coneditor/Catalogue.h"

namespace Catalogue {

namespace {

Item whole(const QString &name, const QString &search, bool only15 = false)
{
    return {name, search, Match::WholeWord, only15};
}

// Players: the define names, or the item's name in upper case with "_AMOUNT".
QList<Item> players()
{
    QList<Item> out{whole(QStringLiteral("Max Regular Health"), QStringLiteral("MAXPLAYERHEALTH")),
                    whole(QStringLiteral("Max Atomic Health"), QStringLiteral("MAXPLAYERATOMICHEALTH")),
                    whole(QStringLiteral("Armor"), QStringLiteral("STARTARMORHEALTH"))};
    for (const char *name : {"Steroid", "Shield", "Scuba", "Holoduke", "Jetpack"})
        out << whole(QLatin1String(name), QString::fromLatin1(name).toUpper() + QStringLiteral("_AMOUNT"));
    out << whole(QStringLiteral("Medkit Amount"), QStringLiteral("FIRSTAID_AMOUNT"));
    out << whole(QStringLiteral("Boot"), QStringLiteral("BOOT_AMOUNT"));
    return out;
}

QList<Item> enemies()
{
    const char *table[][2] = {{"Trooper", "TROOPSTRENGTH"},
                              {"Pig Cop", "PIGCOPSTRENGTH"},
                              {"Pig Cop Armor 1", "PIG_SHIELD_AMOUNT1"},
                              {"Pig Cop Armor 2", "PIG_SHIELD_AMOUNT2"},
                              {"Lizard Enforcer", "LIZSTRENGTH"},
                              {"Octabrain", "OCTASTRENGTH"},
                              {"Recon Car", "RECONSTRENGTH"},
                              {"Regular Turret", "TURRETSTRENGTH"},
                              {"Rotating Turret", "ROTTURRETSTRENGTH"},
                              {"Sentry Drone", "DRONESTRENGTH"},
                              {"Fat Commander", "COMMANDERSTRENGTH"},
                              {"Shark", "SHARKSTRENGTH"},
                              {"Episode 1 Boss", "BOSS1STRENGTH"},
                              {"Mini Boss", "BOSS1PALSTRENGTH"},
                              {"Episode 2 Boss", "BOSS2STRENGTH"},
                              {"Episode 3 Boss", "BOSS3STRENGTH"},
                              {"Episode 4 Boss", "BOSS4STRENGTH"},
                              {"NewBeast", "NEWBEASTSTRENGTH"},
                              {"NewBeast Scratch", "NEWBEASTSCRATCHAMOUNT"},
                              {"Dolphin", "DOLPHINSTRENGTH"}};
    QList<Item> out;
    for (int i = 0; i < int(std::size(table)); ++i)
        out << whole(QLatin1String(table[i][0]), QLatin1String(table[i][1]), i >= 16);
    return out;
}

QList<Item> misc()
{
    const char *table[][2] = {{"Max Water Fountain Health", "MAXWATERFOUNTAINHEALTH"},
                              {"Retrieve Distance", "RETRIEVEDISTANCE"},
                              {"Squishable Distance", "SQUISHABLEDISTANCE"},
                              {"Default Visibility", "DEFAULTVISIBILITY"},
                              {"Frozen Quick Kick Distance", "FROZENQUICKKICKDIST"},
                              {"Generic Impact Damage", "GENERICIMPACTDAMAGE"},
                              {"Swear Frequency", "SWEARFREQUENCY"},
                              {"Respawn Actor Time", "RESPAWNACTORTIME"},
                              {"Respawn Item Time", "RESPAWNITEMTIME"},
                              {"Number of Freeze Bounces", "NUMFREEZEBOUNCES"},
                              {"Frozen Drip Time", "FROZENDRIPTIME"},
                              {"Thaw Time", "THAWTIME"},
                              {"Bullet Holes, Blood, Money", "QSIZE"}};
    QList<Item> out;
    for (int i = 0; i < int(std::size(table)); ++i)
        out << Item{QLatin1String(table[i][0]), QLatin1String(table[i][1]), Match::Plain, i >= 12};
    return out;
}

} // namespace

QList<Item> allItems(Page page)
{
    switch (page) {
    case Players: return players();
    case Enemies: return enemies();
    case Misc: return misc();
    case Weapons: break;
    }
    return {};
}

QList<Item> items(Page page, bool version15)
{
    QList<Item> out;
    for (const Item &item : allItems(page))
        if (version15 || !item.only15)
            out << item;
    return out;
}

QList<Category> weaponCategories()
{
    return {{QStringLiteral("Max Weapon Ammo"), QStringLiteral("define MAXPISTOLAMMO")},
            {QStringLiteral("Box Ammo Amount"), QStringLiteral("define PISTOLAMMOAMOUNT")},
            {QStringLiteral("Weapon Strength"), QStringLiteral("// Weapon Strengths")},
            {QStringLiteral("Blast Radius"), QStringLiteral("// Various blast radius distances")}};
}

QStringList weapons(int category, bool version15)
{
    switch (category) {
    case 0: {
        QStringList w{"Pistol", "Shotgun", "Chaingun", "RPG", "Handbomb", "Shrinker", "Devistator", "Tripbomb", "Freeze"};
        if (version15)
            w << "Grow";
        return w;
    }
    case 1: {
        QStringList w{"Pistol", "Shotgun", "Chaingun", "RPG", "Handbomb", "Shrinker", "Devistator", "Freeze"};
        if (version15)
            w << "Grow";
        return w;
    }
    case 2: {
        QStringList w{"Kicking", "Pistol",  "Shotgun",   "Chaingun",   "RPG",  "Handbomb", "Tripbomb",
                      "Freeze",  "Shrinker", "Morter", "Firelaser", "Bouncemine", "Spit", "Bullet"};
        if (version15)
            w << "GrowSpark" << "Tripbomb Mode" << "MaxXstretch" << "MaxYstretch" << "MinXstretch" << "MinYstretch";
        return w;
    }
    case 3: return {"RPG", "Handbomb", "Shrinker", "Tripbomb", "Morter", "Bouncemine", "Seenine"};
    }
    return {};
}

QString weaponSearch(int category, int position, const QString &weapon)
{
    const QString upper = weapon.toUpper();
    switch (category) {
    case 0: return QStringLiteral("define MAX") + upper + QStringLiteral("AMMO");
    case 1:
        if (position == 4)
            return QStringLiteral("define ") + upper + QStringLiteral("BOX");
        if (position == 8)
            return QStringLiteral("GROWCRYSTALAMMOAMOUNT");
        return QStringLiteral("define ") + upper + QStringLiteral("AMMO");
    case 2:
        switch (position) {
        case 0: return QStringLiteral("KNEE_WEAPON_STRENGTH");
        case 6: return QStringLiteral("TRIPBOMB_STRENGTH");
        case 7: return QStringLiteral("FREEZETHROWER_WEAPON_STRENGTH");
        case 15: return QStringLiteral("TRIPBOMBLASERMODE");
        case 16: return QStringLiteral("MAXXSTRETCH");
        case 17: return QStringLiteral("MAXYSTRETCH");
        case 18: return QStringLiteral("MINXSTRETCH");
        case 19: return QStringLiteral("MINYSTRETCH");
        default: return upper + QStringLiteral("_WEAPON_STRENGTH");
        }
    case 3:
        if (position == 1)
            return QStringLiteral("PIPEBOMBRADIUS");
        return upper + QStringLiteral("BLASTRADIUS");
    }
    return {};
}

QStringList presetValues()
{
    QStringList out;
    for (int v = 0; v <= 15; v += 5)
        out << QString::number(v);
    for (int v = 25; v <= 100; v += 25)
        out << QString::number(v);
    for (int v = 200; v <= 1000; v += 100)
        out << QString::number(v);
    for (int v = 2000; v <= 7000; v += 1000)
        out << QString::number(v);
    return out;
}

bool isVersion13dText(const QString &text)
{
    static const QString Name = QStringLiteral("Duke Nukem 3D");
    for (qsizetype at = text.indexOf(Name, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(Name, at + 1, Qt::CaseInsensitive)) {
        const auto wordChar = [&](qsizetype i) {
            return i >= 0 && i < text.size() && (text.at(i).isLetterOrNumber() || text.at(i) == u'_');
        };
        if (wordChar(at - 1) || wordChar(at + Name.size()))
            continue; // the whole-word find goes on to the next
        return text.mid(at + Name.size() + 1, 4) == QLatin1String("USER");
    }
    return false;
}

} // namespace Catalogue
