#pragma once

#include <QString>
#include <QStringList>

// The User Con Editor's catalogue: the friendly items of its four pages and how each finds its
// define in a USER.CON. The pages show it and the randomizer walks it; nothing else knows the
// search texts.
namespace Catalogue {

enum Page { Players = 0, Weapons = 1, Enemies = 2, Misc = 3 };
inline constexpr int PageCount = 4;
inline const QString PageNames[PageCount] = {QStringLiteral("Players"), QStringLiteral("Weapons"),
                                             QStringLiteral("Enemies"), QStringLiteral("Misc")};

// Whole word: no letter, digit or underscore may touch the match. Plain: part of a longer word.
enum class Match { WholeWord, Plain };

struct Item
{
    QString name;   // the list text
    QString search; // what is looked for in the buffer
    Match match;
    bool only15;    // offered only with version 1.4/1.5
};

// The items of Players, Enemies and Misc, in list order, for the version.
QList<Item> items(Page page, bool version15);
// Every item of the page, both versions' (the 1.4/1.5 ones last, as the lists show them).
QList<Item> allItems(Page page);

// Weapons: four categories, each with its section marker and weapon list.
struct Category
{
    QString name;
    QString marker; // found (plain) when the category is chosen
};
QList<Category> weaponCategories();
QStringList weapons(int category, bool version15);
// The search text of the weapon at that position of the category's list (plain match). The
// exceptions go by position, not by name.
QString weaponSearch(int category, int position, const QString &weapon);

// The two yes/no defines of the Misc page (whole word); their values are "YES" and "NO".
inline const QString CamerasDestructable = QStringLiteral("CAMERASDESTRUCTABLE");
inline const QString FreezerHurtOwner = QStringLiteral("FREEZERHURTOWNER");

// The 23 entries of every value box: 0 to 15 by 5, 25 to 100 by 25, 200 to 1000 by 100,
// 2000 to 7000 by 1000.
QStringList presetValues();

// A 1.3d USER.CON names itself: "Duke Nukem 3D", one more character, then "USER". Any other
// text is taken for 1.4/1.5.
bool isVersion13dText(const QString &text);

} // namespace Catalogue
