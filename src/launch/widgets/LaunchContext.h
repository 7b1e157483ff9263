#pragma once

#include "launch/CommandLine.h"
#include "launch/NetworkValues.h"

#include <QPointer>

class SinglePlayerPanel;
class MultiPlayerPanel;
class MiscPanel;
class OptionsHost;

// What the three option panels share: the switches, the network values, the game version and
// each other (the panels' rules reach across them: ticking one mode switches the other off).
struct LaunchContext
{
    CommandLine commandLine;
    NetworkValues network;

    OptionsHost &host;

    QPointer<SinglePlayerPanel> single;
    QPointer<MultiPlayerPanel> multi;
    QPointer<MiscPanel> misc;

    bool isVersion15() const;
};
