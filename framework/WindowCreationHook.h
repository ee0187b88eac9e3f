// Attaches a CWnd to the next window that its thread creates, before the window receives any
// message, so that WM_NCCREATE and WM_CREATE already run through the object. Scoped: the hook is
// removed when the outermost object goes out of scope; nested creations on the same thread work
// and share the one hook.
#pragma once

#include <windows.h>

class CWnd;

class WindowCreationHook {
public:
    explicit WindowCreationHook(CWnd* wnd);
    ~WindowCreationHook();
    WindowCreationHook(const WindowCreationHook&) = delete;
    WindowCreationHook& operator=(const WindowCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);

    CWnd* m_outerPending;
};
