// Saturating arithmetic for skin coordinates: positions and sizes come from the skin as written, and
// sums of them must stop at the ends of the range instead of wrapping round.
#pragma once

#include <climits>

inline int uiSaturate(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

inline int uiSaturatedAdd(int a, int b)
{
    return uiSaturate(static_cast<long long>(a) + b);
}

inline int uiSaturatedSubtract(int a, int b)
{
    return uiSaturate(static_cast<long long>(a) - b);
}
