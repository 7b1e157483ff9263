#pragma once

#include <QString>

// The game switches chosen so far, one field per switch. Each field is empty or one switch text
// with its own leading blank, so joining them without separators gives the argument string.
class CommandLine
{
public:
    QString DukesSwitch;
    QString SavedGameSwitch;
    QString EpisodeSwitch;
    QString LevelSwitch;
    QString SkillSwitch;
    QString UserMapSwitch;
    QString GameTypeSwitch;
    QString NetModeSwitch;
    QString NoMonstersSwitch;
    QString FakePlayersSwitch;
    QString RespawnSwitch;

    // "-net" when the network launcher is to be started; never part of the switches.
    QString NetMarker;

    // The fields joined in the game's launch order, the name switch (if any) in front.
    QString switches(const QString &nameSwitch = {}) const;
};
