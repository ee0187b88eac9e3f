// A display item that reacts to the mouse: its own look painted in its own state (normal, over, down),
// an optional tooltip and cursor, and notifications through the control that owns it.
#pragma once

#include <memory>

#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiEventItemOwner.h"

class uiDisplayEventItem : public uiDisplayItem {
public:
    uiDisplayEventItem();

    // The look, for the current state.
    int Paint(HDC dc) override;
    // Owner, hover, hit rectangle, row value and control state are those of a new item.
    uiDisplayItem* Clone() const override;
    // The item, its relative placement, then its look against the item's rectangle.
    void CalcRect(const RECT& parent) override;

    // Inside the hit rectangle while the control state shares a bit with the state mask.
    BOOL HitTest(POINT point) const;
    // Inside the computed rectangle.
    BOOL PtInItem(POINT point) const;
    // Moves the computed rectangle down by the row's top and clips the hit rectangle to the row.
    void SetHitRect(const RECT& row);
    // Applies one event (uiEventCode); 1 when the event was consumed.
    int OnEvent(uiEventInfo* info);

    void SetOwner(uiEventItemOwner* owner) { m_owner = owner; }
    uiEventItemOwner* GetOwner() const { return m_owner; }
    void SetRowValue(int value) { m_rowValue = value; }
    int GetRowValue() const { return m_rowValue; }
    void SetControlState(DWORD state) { m_controlState = state; }
    DWORD GetControlState() const { return m_controlState; }
    DWORD GetState() const { return m_state; }
    BOOL IsHovered() const { return m_hovered; }
    const RECT& GetHitRect() const { return m_hitRect; }
    // Expires when the item goes. Unlike its address, which a new item may take, it tells whether
    // this very item still exists.
    std::weak_ptr<const char> GetLifetime() const { return m_lifetime; }

    CString m_cursor;
    uiDisplayList m_look;
    BOOL m_sendParent = FALSE;
    // "event": 0 LButtonDown, 1 MButtonDown, 2 RButtonDown, 3 MouseEnter, 4 MouseLeave.
    int m_eventCode = 0;
    CString m_tooltips;

private:
    void SetState(DWORD state);
    // Sends the notification; whether the item outlived it.
    bool Notify(uiEventInfo* info);
    void Redraw();

    DWORD m_state = UI_STATE_NORMAL;
    RECT m_hitRect = {0, 0, 0, 0};
    BOOL m_hovered = FALSE;
    uiEventItemOwner* m_owner = nullptr;
    int m_rowValue = 0;
    DWORD m_controlState = UI_STATE_NORMAL;
    // Goes with the item: what held a weak reference to it sees that the item is gone.
    std::shared_ptr<const char> m_lifetime = std::make_shared<const char>(0);
};
