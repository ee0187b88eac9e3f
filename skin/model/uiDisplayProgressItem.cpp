// The progress item: background, a step part cut to the position, and the percentage text.
#include "uiDisplayProgressItem.h"

uiDisplayProgressItem::uiDisplayProgressItem() : uiDisplayItem(UI_ITEM_PROGRESS)
{
}

int uiDisplayProgressItem::Paint(HDC)
{
    return 1;
}

uiDisplayItem* uiDisplayProgressItem::Clone() const
{
    return nullptr;
}

void uiDisplayProgressItem::CalcRect(const RECT& parent)
{
    uiDisplayItem::CalcRect(parent);
    m_parts.Layout(GetRect());
}

int uiDisplayProgressItem::GetPercent()
{
    return 0;
}
