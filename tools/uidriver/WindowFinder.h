// Finding windows of another process by class, caption, handle or process, and waiting for them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a top-level window must match; empty or zero members match anything.
struct WindowQuery {
    std::wstring className;
    std::wstring title;  // the whole caption, exactly
    HWND handle = nullptr;
    DWORD processId = 0;
    bool includeHidden = false;  // else only visible windows count
};

std::vector<HWND> FindTopWindows(const WindowQuery& query);

// The first matching window, or null.
HWND FindTopWindow(const WindowQuery& query);

// Asks the condition every 50 ms until it holds (true) or the time-out has passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

std::wstring ClassNameOf(HWND window);

// The window's text as its own process answers WM_GETTEXT (so edit and rich-edit contents too);
// empty when it does not answer within two seconds.
std::wstring TextOf(HWND window);

// The direct and indirect child windows, in Z order.
std::vector<HWND> DescendantsOf(HWND window);
