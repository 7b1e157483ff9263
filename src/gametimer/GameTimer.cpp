#include "gametimer/GameTimer.h"

#include <limits>

GameTimer::Tick GameTimer::tick(bool labelVisible)
{
    Tick out;
    const auto fail = [&] {
        TimePicked = 0;
        out.failed = true;
        return out;
    };
    // TimePicked × 60 in 16 bits, then × 1000 in 32 bits.
    const int minutes60 = int(TimePicked) * 60;
    if (minutes60 > std::numeric_limits<std::int16_t>::max() || minutes60 < std::numeric_limits<std::int16_t>::min())
        return fail();
    const long long limit = static_cast<long long>(minutes60) * 1000;
    if (limit > std::numeric_limits<std::int32_t>::max() || limit < std::numeric_limits<std::int32_t>::min())
        return fail();
    if (m_milliseconds > std::numeric_limits<std::int32_t>::max() - 60000
        || m_minutes == std::numeric_limits<std::int16_t>::max())
        return fail();
    m_milliseconds += 60000;
    m_minutes += 1;
    const int left = TimePicked - m_minutes;
    out.label = labelText(left, ForceOut, false);
    if (m_milliseconds >= limit && labelVisible) {
        m_minutes = 0;
        m_milliseconds = 0;
        out.expired = true;
    }
    return out;
}

QString GameTimer::labelText(int minutes, bool forced, bool paused)
{
    QString text = QStringLiteral("Game Timer: ") + QString::number(minutes);
    if (forced)
        text += QStringLiteral(" /F");
    if (paused)
        text += QStringLiteral("   P");
    return text;
}

void GameTimer::clear()
{
    TimePicked = 0;
    ForceOut = false;
    m_minutes = 0;
    m_milliseconds = 0;
}
