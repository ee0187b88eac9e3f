// The line item: a pen line along the top or left edge of its rectangle, or a gradient fill.
#include "uiDisplayLine.h"

uiDisplayLine::uiDisplayLine() : uiDisplayItem(UI_ITEM_LINE)
{
}

int uiDisplayLine::Paint(HDC)
{
    return 1;
}

uiDisplayItem* uiDisplayLine::Clone() const
{
    return nullptr;
}

int uiDisplayLine::AdjustColor(int, int, int)
{
    return 1;
}
