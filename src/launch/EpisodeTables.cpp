#include "launch/EpisodeTables.h"

namespace EpisodeTables {

QStringList episodeNames(bool version15)
{
    QStringList names{"LA Meltdown", "Lunar Apocalypse", "Shrapnel City"};
    if (version15)
        names << "The Birth";
    return names;
}

QStringList levelNames(int episode)
{
    switch (episode) {
    case 0:
        return {"HOLLYWOOD HOLOCAUST", "RED LIGHT DISTRICT", "DEATH ROW", "TOXIC DUMP", "THE ABYSS",
                "LAUNCH FACILITY", "FACES OF DEATH"};
    case 1:
        return {"SPACEPORT", "INCUBATOR", "WARP FACTOR", "FUSION STATION", "OCCUPIED TERRITORY",
                "TIBERIUS STATION", "LUNAR REACTOR", "DARK SIDE", "OVERLORD", "SPIN CYCLE",
                "LUNATIC FRINGE"};
    case 2:
        return {"RAW MEAT", "BANK ROLL", "FLOOD ZONE", "L.A. RUMBLE", "MOVIE SET", "RABID TRANSIT",
                "FAHRENHEIT", "HOTEL HELL", "STADIUM", "TIER DROPS", "FREEWAY"};
    case 3:
        return {"IT'S IMPOSSIBLE", "DUKE-BURGER", "SHOP-N-BAG", "BABE LAND", "PIGSTY", "GOING POSTAL",
                "XXX-STACY", "CRITICAL MASS", "DERELICT", "THE QUEEN", "AREA 51"};
    default:
        return {};
    }
}

QString episodeSwitch(int position)
{
    return QStringLiteral(" /v") + QString::number(position + 1);
}

QString levelSwitch(int position)
{
    return QStringLiteral(" /l") + QString::number(position + 1);
}

} // namespace EpisodeTables
