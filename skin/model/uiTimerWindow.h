// The timer window: one hidden window whose 50 ms timer posts 0xB107 to every registered window that
// is visible. Animations register their windows while they play; the timer runs only while at least
// one window is registered.
#pragma once

#include <windows.h>

const UINT UI_MSG_TIMER_TICK = 0xB107;

class uiTimerWindow {
public:
    uiTimerWindow() = default;
    uiTimerWindow(const uiTimerWindow&) = delete;
    uiTimerWindow& operator=(const uiTimerWindow&) = delete;
    virtual ~uiTimerWindow();

    // 1 when the hidden window was made; 0 when it exists already or could not be made.
    BOOL Create();
    // Stops the timer, destroys the hidden window and forgets every registration.
    void Destroy();
    // 1, or 0 when the window is registered already.
    BOOL AddWindow(HWND window);
    // 1 when the window was registered; the timer stops with the last registration.
    BOOL RemoveWindow(HWND window);

    HWND GetHandle() const { return m_window; }
    BOOL IsRunning() const;

private:
    HWND m_window = nullptr;
};

uiTimerWindow& uiGetTimerWindow();
