// The base of the small helpers that a skin object keeps for its window (the transparent-background
// helper, the scroll-bar helper).
#pragma once

#include <windows.h>

class uiHelper {
public:
    uiHelper() = default;
    uiHelper(const uiHelper&) = delete;
    uiHelper& operator=(const uiHelper&) = delete;
    virtual ~uiHelper() = default;

    // Nothing here; helpers that watch their window's messages answer them.
    virtual LRESULT OnMessage(UINT, WPARAM, LPARAM) { return 0; }

    // Always 1.
    BOOL Attach(HWND hwnd, BOOL value)
    {
        m_hwnd = hwnd;
        m_attached = value;
        return TRUE;
    }
    BOOL IsAttached() const { return m_attached != 0; }
    HWND GetHwnd() const { return m_hwnd; }

protected:
    HWND m_hwnd = nullptr;
    BOOL m_attached = FALSE;
};
