// The thread's computer-based-training hook that hands a new window to its pending CWnd.
#include "WindowCreationHook.h"

#include "CWnd.h"

namespace {

thread_local CWnd* t_pending = nullptr;

// The input-method windows that the system may create on its own while a thread's first window
// comes into being are not the window being created.
bool IsSystemHelperWindow(HWND hwnd)
{
    wchar_t name[32] = {};
    ::GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, L"IME") == 0 || lstrcmpiW(name, L"MSCTFIME UI") == 0;
}

}  // namespace

WindowCreationHook::WindowCreationHook(CWnd* wnd)
    : m_hook(::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId())), m_outerPending(t_pending)
{
    t_pending = wnd;
}

WindowCreationHook::~WindowCreationHook()
{
    t_pending = m_outerPending;
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
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
