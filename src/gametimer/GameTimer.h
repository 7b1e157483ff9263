#pragma once

#include <QString>
#include <cstdint>

// The limit on playing time: the minutes chosen, whether the notice is forced in front of the
// game, and the counting, tick by tick (a tick is one minute of play, whatever interval the
// caller's timer has). The arithmetic keeps the game's widths: the limit's minutes times 60 in
// 16 bits, times 1000 in 32; an overflow stops the count and clears the limit.
class GameTimer
{
public:
    enum class State { NoLimit, Set, Counting, Paused, Expired };

    std::int16_t TimePicked = 0; // minutes; 0: no limit
    bool ForceOut = false;

    std::int16_t elapsedMinutes() const { return m_minutes; }
    std::int32_t elapsedMilliseconds() const { return m_milliseconds; }

    struct Tick
    {
        bool expired = false; // the limit is reached: the beeping starts, the notice opens
        bool failed = false;  // an overflow: counting stops, TimePicked is 0
        QString label;        // the label's text after the tick
    };
    // One minute of play. labelVisible: the label shows the limit (the expiry needs it shown).
    Tick tick(bool labelVisible);

    // "Game Timer: " + minutes, " /F" when forced, "   P" while paused.
    static QString labelText(int minutes, bool forced, bool paused);

    // Clearing the timer: no limit, not forced, nothing counted.
    void clear();

private:
    std::int16_t m_minutes = 0;
    std::int32_t m_milliseconds = 0;
};
