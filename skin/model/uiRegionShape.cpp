// Placement of a window-region shape against the window rectangle.
#include "uiStyleRecords.h"

namespace {

// The near edge: unset means the bounds' near edge, negative counts back from the far edge.
long NearEdge(int value, long nearBound, long farBound)
{
    if (value == UI_UNSET)
        return nearBound;
    return value < 0 ? farBound + value : nearBound + value;
}

// The extent along one axis: the given size, else from the far side (unset: the far bound, negative:
// back from it, else the coordinate itself) down to the near edge.
long Extent(int size, int farValue, long farBound, long nearEdge)
{
    if (size != UI_UNSET)
        return size;
    const long farEdge = farValue == UI_UNSET ? farBound : farValue < 0 ? farBound + farValue : farValue;
    return farEdge - nearEdge;
}

}  // namespace

RECT uiRegionShape::Resolve(const RECT& bounds)
{
    // Only rect takes the result: the stored sides and sizes stay as the skin gave them, so that the
    // shape follows the window when it is resolved again at another size.
    const long x = NearEdge(left, bounds.left, bounds.right);
    const long y = NearEdge(top, bounds.top, bounds.bottom);
    rect = {x, y, x + Extent(width, right, bounds.right, x), y + Extent(height, bottom, bounds.bottom, y)};
    return rect;
}
