// The event control: hit tests, enter and leave, the capture loop of a pressed item, notifications.
#include "uiSkinEventCtrl.h"

#include <windowsx.h>
#include <algorithm>
#include <memory>

#include "uiDisplayEventItem.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiStyle.h"

namespace {

POINT PointFromLParam(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

uiSkinEventCtrl::uiSkinEventCtrl() = default;

uiSkinEventCtrl::~uiSkinEventCtrl()
{
    ForgetEventItems();
}

void uiSkinEventCtrl::OnAttached()
{
    RegisterStyleItems();
    uiSkinBase::OnAttached();
}

void uiSkinEventCtrl::RegisterStyleItems()
{
    if (m_eventEnabled && m_style)
        RegisterEventItems(&m_style->eventList, m_style->eventList.m_listValue);
    RECT rect = GetWindowRect();
    OffsetRect(&rect, -rect.left, -rect.top);
    LayoutEventItems(rect);
}

void uiSkinEventCtrl::ReleaseStyle()
{
    uiSkinBase::ReleaseStyle();
    ForgetEventItems();
}

void uiSkinEventCtrl::ForgetStyle()
{
    UnregisterEventItems(&m_style->eventList);
    uiSkinBase::ForgetStyle();
}

void uiSkinEventCtrl::RebindStyle()
{
    uiSkinBase::RebindStyle();
    RegisterStyleItems();
}

BOOL uiSkinEventCtrl::SetEventEnabled(BOOL value)
{
    m_eventEnabled = value;
    return HasStyleEventItems();
}

BOOL uiSkinEventCtrl::HasStyleEventItems() const
{
    return m_style && m_style->eventList.GetCount() > 0;
}

void uiSkinEventCtrl::LayoutEventItems(const RECT& rect)
{
    for (uiDisplayEventItem* item : m_eventItems)
        item->CalcRect(rect);
}

void uiSkinEventCtrl::RelayoutAll()
{
    RECT rect = GetWindowRect();
    OffsetRect(&rect, -rect.left, -rect.top);
    if (m_displayList)
        m_displayList->Layout(rect);
    LayoutEventItems(rect);
}

void uiSkinEventCtrl::PaintEventItems(HDC hdc)
{
    for (uiDisplayEventItem* item : m_eventItems) {
        if (item->IsVisible())
            item->Paint(hdc);
    }
}

void uiSkinEventCtrl::UnregisterEventItems(uiDisplayEventList* eventList)
{
    if (!eventList)
        return;
    for (int i = 0; i < eventList->GetCount(); ++i) {
        uiDisplayEventItem* item = eventList->ItemAt(i);
        item->SetOwner(nullptr);
        if (m_current == item)
            m_current = nullptr;
        m_eventItems.erase(std::remove(m_eventItems.begin(), m_eventItems.end(), item), m_eventItems.end());
    }
}

void uiSkinEventCtrl::RegisterEventItems(uiDisplayEventList* eventList, int rowValue)
{
    if (!eventList)
        return;
    for (int i = 0; i < eventList->GetCount(); ++i) {
        uiDisplayEventItem* item = eventList->ItemAt(i);
        item->SetOwner(this);
        item->SetRowValue(rowValue);
        m_eventItems.push_back(item);
    }
}

void uiSkinEventCtrl::ForgetEventItems()
{
    m_current = nullptr;
    m_eventItems.clear();
}

BOOL uiSkinEventCtrl::IsItemHit(uiDisplayEventItem* item, POINT point)
{
    if (!item)
        return FALSE;
    return IsItemListType() ? item->HitTest(point) : item->PtInItem(point);
}

uiDisplayEventItem* uiSkinEventCtrl::HitTestItem(POINT point)
{
    for (uiDisplayEventItem* item : m_eventItems) {
        if (item->IsVisible() && !(item->GetState() & UI_STATE_DISABLED) && IsItemHit(item, point))
            return item;
    }
    return nullptr;
}

int uiSkinEventCtrl::ItemFromPoint(POINT)
{
    return -1;
}

void uiSkinEventCtrl::SendEventNotify(BOOL toParent, uiEventInfo* info)
{
    const HWND target = toParent ? GetParent(m_hwnd) : m_hwnd;
    SendMessageW(target, UIM_EVENTNOTIFY, reinterpret_cast<WPARAM>(m_hwnd), reinterpret_cast<LPARAM>(info));
}

int uiSkinEventCtrl::SendEvent(uiDisplayEventItem* item, int type, POINT point)
{
    uiEventInfo info;
    info.type = type;
    info.x = point.x;
    info.y = point.y;
    return item->OnEvent(&info);
}

BOOL uiSkinEventCtrl::IsRegistered(const uiDisplayEventItem* item) const
{
    return item && std::find(m_eventItems.begin(), m_eventItems.end(), item) != m_eventItems.end();
}

LRESULT uiSkinEventCtrl::OnEventMessage(UINT msg, WPARAM, LPARAM lParam)
{
    if (!m_eventEnabled)
        return 0;
    switch (msg) {
    case WM_SETCURSOR: {
        if (!m_current)
            return 0;
        POINT point = {};
        GetCursorPos(&point);
        ::ScreenToClient(m_hwnd, &point);
        return SendEvent(m_current, UI_EVENT_SETCURSOR, point);
    }
    case WM_MOUSEMOVE:
        PerformMouseMove(PointFromLParam(lParam));
        return 0;
    case WM_NCMOUSEMOVE: {
        POINT point = PointFromLParam(lParam);
        ::ScreenToClient(m_hwnd, &point);
        PerformMouseMove(point);
        return 0;
    }
    case WM_LBUTTONDOWN:
        return RunCaptureLoop(PointFromLParam(lParam));
    case WM_LBUTTONDBLCLK: {
        const POINT point = PointFromLParam(lParam);
        m_current = HitTestItem(point);
        if (!m_current)
            return 0;
        SendEvent(m_current, UI_EVENT_DBLCLICK, point);
        return 1;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        const POINT point = PointFromLParam(lParam);
        m_current = HitTestItem(point);
        if (m_current)
            SendEvent(m_current, msg == WM_RBUTTONDOWN ? UI_EVENT_RBUTTONDOWN : UI_EVENT_RBUTTONUP, point);
        return 0;
    }
    case WM_MOUSELEAVE:
        if (m_current)
            SendEvent(m_current, UI_EVENT_MOUSELEAVE, POINT{0, 0});
        return 0;
    default:
        return 0;
    }
}

void uiSkinEventCtrl::PerformMouseMove(POINT point)
{
    if (m_current) {
        if (IsItemHit(m_current, point))
            return;
        SendEvent(m_current, UI_EVENT_MOUSELEAVE, point);
    }
    // The application's answer to the leave notice may have dropped the items.
    m_current = HitTestItem(point);
    if (m_current && m_current->IsVisible())
        SendEvent(m_current, UI_EVENT_MOUSEENTER, point);
}

LRESULT uiSkinEventCtrl::RunCaptureLoop(POINT point)
{
    m_current = HitTestItem(point);
    if (!m_current)
        return 0;
    uiDisplayEventItem* const item = m_current;
    const HWND window = m_hwnd;
    // Every message handled here may detach the object or drop its style: the pressed item is used
    // only while it still exists and is registered, and the window only while it exists. A style
    // reload frees the item, and an item of the new copy may take its address.
    const std::weak_ptr<const char> lifetime = item->GetLifetime();
    auto held = [&] { return !lifetime.expired() && IsRegistered(item); };
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 0);
    if (!held())
        return 1;
    SendEvent(item, UI_EVENT_LBUTTONDOWN, point);
    BOOL inside = TRUE;
    BOOL clicked = FALSE;
    POINT releasePoint = point;
    BOOL tookCapture = FALSE;
    if (!GetCapture()) {
        SetCapture(window);
        tookCapture = TRUE;
    }
    // The loop runs while this window holds the mouse, taken here or held already; never while
    // another window holds it. Checked before a message is taken: one taken after the capture went
    // would be lost.
    while (GetCapture() == window && held()) {
        MSG message;
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(0);
            break;
        }
        if (message.message == WM_SETCURSOR)
            continue;
        if (message.message == WM_MOUSEMOVE) {
            const POINT at = PointFromLParam(message.lParam);
            if (IsItemHit(item, at)) {
                if (!inside)
                    SendEvent(item, UI_EVENT_LBUTTONDOWN, at);
                inside = TRUE;
            } else if (inside) {
                SendEvent(item, UI_EVENT_MOUSELEAVE, at);
                inside = FALSE;
            }
            DefaultProc(message.message, message.wParam, message.lParam);
        } else if (message.message == WM_LBUTTONUP) {
            const POINT at = PointFromLParam(message.lParam);
            releasePoint = at;
            clicked = IsItemHit(item, at);
            if (m_current)
                SendEvent(m_current, UI_EVENT_LBUTTONUP, at);
            break;
        } else {
            DispatchMessageW(&message);
        }
    }
    if (tookCapture && GetCapture() == window)
        ReleaseCapture();
    if (!IsWindow(window) || !IsAttached())
        return 1;
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 0);
    if (clicked && held())
        SendEvent(item, UI_EVENT_CLICK, releasePoint);
    return 1;
}
