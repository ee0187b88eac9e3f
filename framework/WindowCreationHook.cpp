// The thread's computer-based-training hook that hands a new window to its pending CWnd.
#include "WindowCreationHook.h"

#include "CWnd.h"

namespace {

thread_local CWnd* t_pending = nullptr;
// One hook serves the thread while any creation is under way: a window created inside another's
// creation (the children made in WM_CREATE, the dialogs run from WM_INITDIALOG) needs no hook of
// its own, and under Wine every hook on the chain costs round trips to the window server for every
// window event.
thread_local HHOOK t_hook = nullptr;
thread_local int t_scopes = 0;

// The input-method windows that the system may create on its own while a thread's first window
// comes into being are not the window being created.
bool IsSystemHelperWindow(HWND hwnd)
{
    wchar_t name[32] = {};
    ::GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, L"IME") == 0 || lstrcmpiW(name, L"MSCTFIME UI") == 0;
}

}  // namespace

WindowCreationHook::WindowCreationHook(CWnd* wnd) : m_outerPending(t_pending)
{
    if (!t_hook)
        t_hook = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    ++t_scopes;
    t_pending = wnd;
}

WindowCreationHook::~WindowCreationHook()
{
    t_pending = m_outerPending;
    if (--t_scopes == 0 && t_hook) {
        ::UnhookWindowsHookEx(t_hook);
        t_hook = nullptr;
    }
}

LRESULT CALLBACK WindowCreationHook::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pending) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (!IsSystemHelperWindow(hwnd)) {
            CWnd* wnd = t_pending;
            t_pending = nullptr;
            wnd->Subclass(hwnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
