// Layout and relative placement shared by every display item.
#include "uiDisplayItem.h"

#include <vector>
#include "uiSaturate.h"

namespace {

// Origin along one axis: the near edge, or an offset from the far edge when negative.
int Origin(int offset, int nearEdge, int farEdge)
{
    if (offset == UI_UNSET)
        return nearEdge;
    return offset < 0 ? uiSaturatedAdd(farEdge, offset) : uiSaturatedAdd(nearEdge, offset);
}

// Extent along one axis: a set size (clamped to the parent when the rule says so), else up to the
// far-edge rule.
int Extent(int origin, int size, int farOffset, int nearEdge, int farEdge, uiSizeRule sizeRule)
{
    if (size != UI_UNSET) {
        if (sizeRule == UI_SIZE_AS_GIVEN)
            return size;
        int parentSize = uiSaturatedSubtract(farEdge, nearEdge);
        return size < parentSize ? size : parentSize;
    }
    int end = farEdge;
    if (farOffset != UI_UNSET)
        end = farOffset < 0 ? uiSaturatedAdd(farEdge, farOffset) : farOffset;
    return uiSaturatedSubtract(end, origin);
}

} // namespace

RECT uiPlacement::ToRect() const
{
    RECT rect = {x, y, uiSaturatedAdd(x, w), uiSaturatedAdd(y, h)};
    return rect;
}

uiPlacement uiPlaceRect(const RECT& parent, int left, int top, int right, int bottom, int width, int height,
                        uiSizeRule sizeRule)
{
    uiPlacement placed;
    placed.x = Origin(left, parent.left, parent.right);
    placed.y = Origin(top, parent.top, parent.bottom);
    placed.w = Extent(placed.x, width, right, parent.left, parent.right, sizeRule);
    placed.h = Extent(placed.y, height, bottom, parent.top, parent.bottom, sizeRule);
    return placed;
}

uiDisplayItem::uiDisplayItem(int type) : m_type(type)
{
}

int uiDisplayItem::PaintDirect(HDC)
{
    return 0;
}

int uiDisplayItem::AdjustColor(int, int, int)
{
    return 1;
}

void uiDisplayItem::CalcRect(const RECT& parent)
{
    const uiPlacement placed =
        uiPlaceRect(parent, m_left, m_top, m_right, m_bottom, m_width, m_height, UI_SIZE_WITHIN_PARENT);
    m_x = placed.x;
    m_y = placed.y;
    m_w = placed.w;
    m_h = placed.h;
}

RECT uiDisplayItem::GetRect() const
{
    return uiPlacement{m_x, m_y, m_w, m_h}.ToRect();
}

int uiDisplayItem::SetRectAndPaint(HDC dc, const RECT& rect)
{
    m_x = rect.left;
    m_y = rect.top;
    m_w = uiSaturatedSubtract(rect.right, rect.left);
    m_h = uiSaturatedSubtract(rect.bottom, rect.top);
    return Paint(dc);
}

void uiDisplayItem::ResolveRelative()
{
    // Collect the chain up to its first item, stopping where it would come back on itself, then
    // place from that first item outwards.
    std::vector<uiDisplayItem*> chain;
    for (uiDisplayItem* item = this; item; item = item->m_relativeTo) {
        bool seen = false;
        for (uiDisplayItem* earlier : chain)
            seen = seen || earlier == item;
        if (seen)
            break;
        chain.push_back(item);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        uiDisplayItem* item = *it;
        if (!item->m_relativeTo || item->m_relativeTo == item || item->m_relativePoint != UI_RELATIVE_RIGHT)
            continue;
        const uiDisplayItem* anchor = item->m_relativeTo;
        int offset = item->m_left == UI_UNSET ? 0 : item->m_left;
        item->m_x = uiSaturatedAdd(uiSaturatedAdd(anchor->m_x, anchor->m_w), offset);
    }
}

void uiDisplayItem::CopyTo(uiDisplayItem* target) const
{
    target->m_index = m_index;
    target->m_visible = m_visible;
    target->m_left = m_left;
    target->m_top = m_top;
    target->m_right = m_right;
    target->m_bottom = m_bottom;
    target->m_width = m_width;
    target->m_height = m_height;
    target->m_stateMask = m_stateMask;
    target->m_x = m_x;
    target->m_y = m_y;
    target->m_w = m_w;
    target->m_h = m_h;
    target->m_name = m_name;
    target->m_ownerWindow = m_ownerWindow;
    target->m_relativeToName = m_relativeToName;
    target->m_relativePoint = m_relativePoint;
}
