// The mouse-state tracker of skinned controls.
#include "uiMouseStateTracker.h"

#include "uiApiLoader.h"
#include "uiEngineMessages.h"

BOOL uiMouseStateTracker::Attach(HWND window, int mask)
{
    m_window = window;
    m_mask = mask;
    const BOOL enabled = IsWindowEnabled(window);
    if (!enabled)
        m_state = Disabled;
    return enabled;
}

LRESULT uiMouseStateTracker::WindowProc(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_ENABLE:
        SetState(wParam ? Normal : Disabled);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_LBUTTONDOWN:
        SetState(Down);
        break;
    case WM_LBUTTONUP:
        // Without a pending leave the mouse is taken to be outside.
        SetState(m_tracking ? Over : Normal);
        break;
    case WM_MOUSELEAVE:
        if (m_mouseOff)
            break;
        m_tracking = FALSE;
        if (m_state != Disabled)
            SetState(Normal);
        break;
    default:
        break;
    }
    return 1;
}

void uiMouseStateTracker::OnMouseMove()
{
    if (m_mouseOff || m_tracking)
        return;
    SetState(Over);
    if (uiApiLoader::_TrackMouseEvent) {
        TRACKMOUSEEVENT request = {sizeof(request), TME_LEAVE, m_window, HOVER_DEFAULT};
        m_tracking = uiApiLoader::_TrackMouseEvent(&request);
    }
    SendMessageW(m_window, UIM_MOUSEENTER, 0, 0);
}

void uiMouseStateTracker::SetState(int state)
{
    if (!(state & m_mask) || state == m_state)
        return;
    const int old = m_state;
    m_state = state;
    SendMessageW(m_window, UIM_STATECHANGED, static_cast<WPARAM>(old), static_cast<LPARAM>(state));
}
