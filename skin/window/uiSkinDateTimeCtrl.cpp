// The skinned date-time picker.
#include "uiSkinDateTimeCtrl.h"

#include <commctrl.h>

#include "uiDisplayList.h"
#include "uiSkinSpinButton.h"

uiSkinDateTimeCtrl::uiSkinDateTimeCtrl()
{
    m_styleName = L"datetimectrl";
}

BOOL uiSkinDateTimeCtrl::IsTimePicker() const
{
    return (GetStyle() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT;
}

void uiSkinDateTimeCtrl::OnAttached()
{
    uiSkinBase::OnAttached();
    if (!IsTimePicker())
        return;
    const HWND spin = GetWindow(m_hwnd, GW_CHILD);
    if (!spin)
        return;
    auto* skin = new uiSkinSpinButton;
    if (!skin->SkinWindow(spin, L"spinbutton", TRUE, FALSE) && !skin->IsAttached())
        delete skin;
}

void uiSkinDateTimeCtrl::PaintSkin(HDC dc, const RECT& rect)
{
    if (!m_displayList)
        return;
    m_displayList->Layout(rect);
    m_displayList->Paint(dc, 135);
}

void uiSkinDateTimeCtrl::PaintFrame()
{
    if (!GetHwnd())
        return;
    RECT rect = GetWindowRect();
    OffsetRect(&rect, -rect.left, -rect.top);
    const HDC dc = GetWindowDC(m_hwnd);
    if (!dc)
        return;
    // Only the frame and the drop-down button area: the control's own text stays.
    const int right = rect.right - (IsTimePicker() ? 2 : 20);
    ExcludeClipRect(dc, rect.left + 2, rect.top + 2, right, rect.bottom - 4);
    PaintSkin(dc, rect);
    ReleaseDC(m_hwnd, dc);
}

LRESULT uiSkinDateTimeCtrl::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    if (header && header->hwndFrom == m_hwnd) {
        if (header->code == DTN_DROPDOWN) {
            m_droppedDown = TRUE;
            PaintFrame();
            m_cursorCount = 0;
            SetTimer(m_timerId, 100);
            return 0;
        }
        if (header->code == DTN_CLOSEUP) {
            m_droppedDown = FALSE;
            KillTimer(m_timerId);
            Invalidate(nullptr, TRUE);
            return 0;
        }
    }
    return uiSkinBase::OnReflectedNotify(info, header);
}

LRESULT uiSkinDateTimeCtrl::OnTimer(WPARAM)
{
    if (m_droppedDown)
        PaintFrame();
    else
        KillTimer(m_timerId);
    return 1;
}

LRESULT uiSkinDateTimeCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        uiSkinBase::WindowProc(msg, wParam, lParam);
        PaintFrame();
        return 1;
    case WM_ERASEBKGND:
        DefaultProc(msg, wParam, lParam);
        return 1;
    case WM_SETCURSOR:
        if (m_cursorCount > 2) {
            m_cursorCount = 0;
        } else {
            InvalidateRect(m_hwnd, nullptr, FALSE);
            ++m_cursorCount;
        }
        break;
    case WM_NCPAINT:
        PaintFrame();
        return 1;
    case WM_TIMER:
        // The control's own timers go on to it.
        if (wParam == m_timerId)
            return OnTimer(wParam);
        break;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}
