// What an event item needs from the control that owns it: the window, redrawing, tooltips, the row
// under a point and the notification to the application. The skinned event controls implement it.
#pragma once

#include <windows.h>
#include "CString.h"

// Sent to the application for clicks, double clicks, entering and leaving an event item:
// wParam = the control's window, lParam = the uiEventInfo.
const UINT UIM_EVENTNOTIFY = 3010;

// Codes of the mouse events that a control hands to its event items.
enum uiEventCode {
    UI_EVENT_CLICK = 1,
    UI_EVENT_LBUTTONDOWN = 2,
    UI_EVENT_LBUTTONUP = 3,
    UI_EVENT_RBUTTONDOWN = 4,
    UI_EVENT_RBUTTONUP = 5,
    UI_EVENT_DBLCLICK = 6,
    UI_EVENT_MOUSELEAVE = 8,
    UI_EVENT_MOUSEENTER = 9,
    UI_EVENT_SETCURSOR = 10,
};

// One mouse event; every field is 32 bits wide, as the application reads it.
struct uiEventInfo {
    int type = 0;
    HWND hwnd = nullptr;
    const wchar_t* name = nullptr;
    int index = 0;
    int reserved = 0;
    int x = 0;
    int y = 0;
};

class uiEventItemOwner {
public:
    virtual HWND GetOwnerWindow() const = 0;
    virtual void SetDirty() = 0;
    // rect null: the whole window.
    virtual void Invalidate(const RECT* rect) = 0;
    // Tree, list box or list view: items react inside list rows.
    virtual BOOL IsItemListType() const = 0;
    virtual void ShowToolTip(const CString& text) = 0;
    virtual void HideToolTip() = 0;
    // The list row under a client point, -1 when the control has no rows.
    virtual int ItemFromPoint(POINT point) = 0;
    // UIM_EVENTNOTIFY to the control's parent when toParent is set, else to the control itself.
    virtual void SendEventNotify(BOOL toParent, uiEventInfo* info) = 0;

protected:
    ~uiEventItemOwner() = default;
};
