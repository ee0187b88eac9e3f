// Placement of a window-region shape against the window rectangle.
#include "uiStyleRecords.h"

RECT uiRegionShape::Resolve(const RECT& bounds)
{
    // Only rect takes the result: the stored sides and sizes stay as the skin gave them, so that the
    // shape follows the window when it is resolved again at another size.
    rect = uiPlaceRect(bounds, left, top, right, bottom, width, height, UI_SIZE_AS_GIVEN).ToRect();
    return rect;
}
