#include "coneditor/RandomDraw.h"

#include <algorithm>
#include <cmath>

namespace RandomDraw {

bool shouldDraw(const QString &value, int lower, int upper, bool leaveAbove, bool leaveBelow)
{
    bool number = false;
    const double read = value.trimmed().toDouble(&number);
    if (!number || !std::isfinite(read))
        return true;
    const double v = std::floor(read);
    if (leaveAbove && v > upper)
        return false;
    if (leaveBelow && v < lower)
        return false;
    return true;
}

int draw(int lower, int upper, float r)
{
    const float span = float(upper) - float(lower) + 1.0f;
    const float drawn = std::floor(span * r + float(lower));
    // Single precision rounds a draw just below 1 up to upper + 1 (1 × 0.99999994 + 100 is
    // 101.0f): the result is kept within the bounds the player chose.
    return std::clamp(int(drawn), lower, upper);
}

} // namespace RandomDraw
