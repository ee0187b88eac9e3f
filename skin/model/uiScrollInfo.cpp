// The scroll-bar part grid: four state columns, one row per part.
#include "uiScrollInfo.h"
#include "uiSaturate.h"

namespace {

// Grid row of every part, in the record's order.
struct PartRow {
    int part;
    int row;
};
const PartRow kRows[] = {
    {UI_SBPART_UPARROW, 5},   {UI_SBPART_DOWNARROW, 6}, {UI_SBPART_VTHUMB, 7},  {UI_SBPART_VGRIPPER, 8},
    {UI_SBPART_VTRACK, 9},    {UI_SBPART_LEFTARROW, 0}, {UI_SBPART_RIGHTARROW, 1}, {UI_SBPART_HTHUMB, 2},
    {UI_SBPART_HGRIPPER, 3},  {UI_SBPART_HTRACK, 4},
};

void SetPart(RECT& rect, long long left, long long top, long long width, long long height)
{
    rect.left = uiSaturate(left);
    rect.top = uiSaturate(top);
    rect.right = uiSaturate(left + width);
    rect.bottom = uiSaturate(top + height);
}

} // namespace

void uiScrollInfo::ComputeParts()
{
    const long long stepX = static_cast<long long>(width) + interval;
    const long long stepY = static_cast<long long>(height) + interval;
    for (const PartRow& entry : kRows) {
        // The tracks are one pixel shorter along the bar than the other parts.
        const long long partWidth = width - (entry.part == UI_SBPART_HTRACK ? 1LL : 0LL);
        const long long partHeight = height - (entry.part == UI_SBPART_VTRACK ? 1LL : 0LL);
        for (int column = 0; column < 4; ++column)
            SetPart(parts[entry.part + column], column * stepX, entry.row * stepY, partWidth, partHeight);
    }
    SetPart(parts[UI_SBPART_SIZEGRIP], 0, 10 * stepY, width, height);
}
