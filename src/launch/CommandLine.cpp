#include "launch/CommandLine.h"

QString CommandLine::switches(const QString &nameSwitch) const
{
    return nameSwitch + DukesSwitch + SavedGameSwitch + EpisodeSwitch + LevelSwitch + SkillSwitch
        + UserMapSwitch + GameTypeSwitch + NetModeSwitch + NoMonstersSwitch + FakePlayersSwitch
        + RespawnSwitch;
}
