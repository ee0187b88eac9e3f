// The timer window and its registration list.
#include "uiTimerWindow.h"

#include <algorithm>
#include <vector>

namespace {

const UINT_PTR kTimerId = 1024;
const UINT kTickMilliseconds = 50;

std::vector<HWND> g_registered;
bool g_running = false;

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (id != kTimerId)
        return;
    // Posted, not sent: a busy window takes the tick when it is ready. Hidden or destroyed windows
    // stay registered and simply get nothing.
    const std::vector<HWND> windows = g_registered;
    for (HWND window : windows)
        if (IsWindow(window) && IsWindowVisible(window))
            PostMessageW(window, UI_MSG_TIMER_TICK, 0, 0);
}

void StopTimer(HWND timerWindow)
{
    if (g_running && timerWindow)
        KillTimer(timerWindow, kTimerId);
    g_running = false;
}

} // namespace

uiTimerWindow::~uiTimerWindow()
{
    Destroy();
}

BOOL uiTimerWindow::Create()
{
    if (m_window)
        return FALSE;
    m_window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 1, 1, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return m_window != nullptr;
}

void uiTimerWindow::Destroy()
{
    if (!m_window)
        return;
    StopTimer(m_window);
    DestroyWindow(m_window);
    m_window = nullptr;
    g_registered.clear();
}

BOOL uiTimerWindow::AddWindow(HWND window)
{
    if (std::find(g_registered.begin(), g_registered.end(), window) != g_registered.end())
        return FALSE;
    g_registered.push_back(window);
    // A window timer is known by its window and the id it was set with; the return value only says
    // whether it was set.
    if (m_window && !g_running)
        g_running = SetTimer(m_window, kTimerId, kTickMilliseconds, TimerProc) != 0;
    return TRUE;
}

BOOL uiTimerWindow::RemoveWindow(HWND window)
{
    const auto found = std::find(g_registered.begin(), g_registered.end(), window);
    const bool registered = found != g_registered.end();
    if (registered)
        g_registered.erase(found);
    if (g_registered.empty())
        StopTimer(m_window);
    return registered;
}

BOOL uiTimerWindow::IsRunning() const
{
    return g_running;
}

uiTimerWindow& uiGetTimerWindow()
{
    static uiTimerWindow timerWindow;
    return timerWindow;
}
