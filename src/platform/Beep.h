#pragma once

// The game timer's beep: a sound the player hears (the desktop's event sound where there is one).
class Beep
{
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};
