// Event items: their state machine, and the redraws, tooltips, cursors and notifications it drives.
#include "uiDisplayEventItem.h"
#include "uiGdiAdmin.h"
#include "uiSaturate.h"

uiDisplayEventItem::uiDisplayEventItem() : uiDisplayItem(UI_ITEM_EVENT)
{
}

int uiDisplayEventItem::Paint(HDC dc)
{
    m_look.Paint(dc, m_state);
    return 1;
}

uiDisplayItem* uiDisplayEventItem::Clone() const
{
    auto* copy = new uiDisplayEventItem;
    CopyTo(copy);
    copy->m_eventCode = m_eventCode;
    copy->m_state = m_state;
    copy->m_cursor = m_cursor;
    copy->m_sendParent = m_sendParent;
    copy->m_tooltips = m_tooltips;
    m_look.CloneInto(&copy->m_look);
    return copy;
}

void uiDisplayEventItem::CalcRect(const RECT& parent)
{
    uiDisplayItem::CalcRect(parent);
    ResolveRelative();
    m_look.Layout(GetRect());
}

BOOL uiDisplayEventItem::HitTest(POINT point) const
{
    return PtInRect(&m_hitRect, point) && (m_controlState & GetStateMask()) != 0;
}

BOOL uiDisplayEventItem::PtInItem(POINT point) const
{
    const RECT rect = GetRect();
    return PtInRect(&rect, point);
}

void uiDisplayEventItem::SetHitRect(const RECT& row)
{
    m_y = uiSaturatedAdd(m_y, row.top);
    const RECT rect = GetRect();
    if (!IntersectRect(&m_hitRect, &rect, &row))
        SetRectEmpty(&m_hitRect);
}

int uiDisplayEventItem::OnEvent(uiEventInfo* info)
{
    if (!info)
        return 0;
    switch (info->type) {
    case UI_EVENT_CLICK:
    case UI_EVENT_DBLCLICK:
        Notify(info);
        return 0;
    case UI_EVENT_LBUTTONDOWN:
        SetState(UI_STATE_DOWN);
        return 1;
    case UI_EVENT_LBUTTONUP:
        SetState(m_hovered ? UI_STATE_OVER : UI_STATE_NORMAL);
        return 1;
    case UI_EVENT_MOUSELEAVE:
        if (!Notify(info))
            return 1;
        m_hovered = FALSE;
        SetState(UI_STATE_NORMAL);
        if (!m_tooltips.IsEmpty() && m_owner)
            m_owner->HideToolTip();
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return 1;
    case UI_EVENT_MOUSEENTER: {
        if (!Notify(info))
            return 1;
        m_hovered = TRUE;
        SetState(UI_STATE_OVER);
        if (!m_tooltips.IsEmpty() && m_owner)
            m_owner->ShowToolTip(m_tooltips);
        if (!m_cursor.IsEmpty()) {
            HCURSOR cursor = uiGetGdiAdmin().GetCursor(m_cursor);
            SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
        }
        return 1;
    }
    case UI_EVENT_SETCURSOR:
        // The cursor set on entry stays.
        return 1;
    default:
        return 0;
    }
}

void uiDisplayEventItem::SetState(DWORD state)
{
    m_state = state;
    Redraw();
}

bool uiDisplayEventItem::Notify(uiEventInfo* info)
{
    if (!m_owner)
        return true;
    info->hwnd = m_owner->GetOwnerWindow();
    info->name = m_name;
    POINT point = {info->x, info->y};
    info->index = m_owner->ItemFromPoint(point);
    // The application's answer may replace the owner's style, and this item with it.
    const std::weak_ptr<const char> alive = m_lifetime;
    m_owner->SendEventNotify(m_sendParent, info);
    return !alive.expired();
}

void uiDisplayEventItem::Redraw()
{
    if (!m_owner)
        return;
    m_owner->SetDirty();
    if (m_owner->IsItemListType()) {
        m_owner->Invalidate(nullptr);
    } else {
        const RECT rect = GetRect();
        m_owner->Invalidate(&rect);
    }
}
