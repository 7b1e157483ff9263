#pragma once

#include <QString>

// The randomizer's arithmetic: which values get a new number, and the number drawn.
namespace RandomDraw {

// Whether the value (the define's text) gets a draw. The leave-as-is boxes keep values above
// the upper or below the lower bound; a text that is no number passes every test.
bool shouldDraw(const QString &value, int lower, int upper, bool leaveAbove, bool leaveBelow);

// floor((upper - lower + 1) * r + lower) in single precision, kept within lower and upper for
// 0 <= r < 1 (rounding would otherwise give upper + 1 for r just below 1).
int draw(int lower, int upper, float r);

} // namespace RandomDraw
