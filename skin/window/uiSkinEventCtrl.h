// A skin object whose style's event items react to the mouse: it finds the item under the pointer,
// tells items when the pointer enters and leaves them, holds the mouse while the left button is down
// on an item, and lets the items notify the application (UIM_EVENTNOTIFY).
#pragma once

#include <windows.h>
#include <vector>

#include "uiEventItemOwner.h"
#include "uiSkinBase.h"

class uiDisplayEventItem;
class uiDisplayEventList;

class uiSkinEventCtrl : public uiSkinBase, public uiEventItemOwner {
public:
    uiSkinEventCtrl();
    ~uiSkinEventCtrl() override;

    void OnAttached() override;
    // The style goes, and with it every registered item.
    void ReleaseStyle() override;
    // The style's own items go with their copy.
    void ForgetStyle() override;
    void RebindStyle() override;

    // The first registered item, visible and not disabled, that the client point hits; null when none.
    virtual uiDisplayEventItem* HitTestItem(POINT point);
    // -1: a plain control has no rows.
    int ItemFromPoint(POINT point) override;

    // Whether the style has event items.
    BOOL SetEventEnabled(BOOL value);
    BOOL HasStyleEventItems() const;
    BOOL IsEventEnabled() const { return m_eventEnabled; }
    void LayoutEventItems(const RECT& rect);
    // The display list and the event items laid out again in the window's present size.
    void RelayoutAll();
    void PaintEventItems(HDC hdc);
    void UnregisterEventItems(uiDisplayEventList* eventList);
    // Registers the event items of a list row's look, tagged with the row's value.
    void RegisterEventItems(uiDisplayEventList* eventList, int rowValue);
    // Drops the registrations without touching the items (their owner is going away with them).
    void ForgetEventItems();
    BOOL IsItemHit(uiDisplayEventItem* item, POINT point);
    // The mouse handling of event items; non-zero when the message is consumed. Derived classes call
    // it from their WindowProc.
    LRESULT OnEventMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // The items' owner interface.
    HWND GetOwnerWindow() const override { return m_hwnd; }
    using uiSkinBase::SetDirty;
    void SetDirty() override { uiSkinBase::SetDirty(TRUE); }
    using uiSkinBase::Invalidate;
    void Invalidate(const RECT* rect) override { uiSkinBase::Invalidate(rect, TRUE); }
    BOOL IsItemListType() const override { return uiSkinBase::IsItemListType(); }
    void ShowToolTip(const CString& text) override { uiSkinBase::ShowToolTip(text); }
    void HideToolTip() override { uiSkinBase::HideToolTip(); }
    void SendEventNotify(BOOL toParent, uiEventInfo* info) override;

    const std::vector<uiDisplayEventItem*>& GetEventItems() const { return m_eventItems; }
    uiDisplayEventItem* GetCurrentItem() const { return m_current; }

protected:
    void PerformMouseMove(POINT point);
    // Event code to the item with a cleared record holding the point; the item's answer.
    int SendEvent(uiDisplayEventItem* item, int type, POINT point);
    // Holds the mouse while the left button is down on an item; 1 when an item was pressed.
    LRESULT RunCaptureLoop(POINT point);
    BOOL IsRegistered(const uiDisplayEventItem* item) const;
    // The style's event items registered (while events are on) and laid out in the window.
    void RegisterStyleItems();

    BOOL m_eventEnabled = FALSE;
    std::vector<uiDisplayEventItem*> m_eventItems;
    uiDisplayEventItem* m_current = nullptr;
};
