#pragma once

#include "launch/CommandLine.h"
#include "launch/NetworkValues.h"

#include <QPointer>
#include <functional>

class SinglePlayerPanel;
class MultiPlayerPanel;
class MiscPanel;

// What the three option panels share: the switches, the network values, the game version and
// each other (the panels' rules reach across them: ticking one mode switches the other off).
struct LaunchContext
{
    CommandLine commandLine;
    NetworkValues network;

    std::function<bool()> version15;         // true under version 1.4/1.5
    std::function<void()> focusLaunchButton; // after a saved game is chosen

    QPointer<SinglePlayerPanel> single;
    QPointer<MultiPlayerPanel> multi;
    QPointer<MiscPanel> misc;

    bool isVersion15() const { return version15 && version15(); }
};
