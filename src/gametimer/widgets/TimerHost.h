#pragma once

#include "platform/GameWindows.h"

// What the game timer needs from the main window.
class TimerHost
{
public:
    virtual ~TimerHost() = default;
    // The supervised game's window, iconified when the expiry notice forces the player out;
    // 0 when there is none.
    virtual GameWindows::Handle gameWindow() const = 0;
};
