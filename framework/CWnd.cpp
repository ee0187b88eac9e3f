// The window wrapper: subclassing, message dispatch and the thin calls on the handle.
#include "CWnd.h"

#include "WindowCreationHook.h"

#include <windowsx.h>

#include <unordered_map>

namespace {

// Which object runs a window's messages, looked up on every message. Kept in the process rather
// than as a window property: under Wine each property read is a round trip to the window server.
class ObjectMap {
public:
    void Set(HWND hwnd, CWnd* wnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_objects[hwnd] = wnd;
        ReleaseSRWLockExclusive(&m_lock);
    }
    CWnd* Find(HWND hwnd)
    {
        AcquireSRWLockShared(&m_lock);
        const auto found = m_objects.find(hwnd);
        CWnd* wnd = found == m_objects.end() ? nullptr : found->second;
        ReleaseSRWLockShared(&m_lock);
        return wnd;
    }
    // Only the object's own entry goes: another object may run the window's messages by now.
    void Erase(HWND hwnd, const CWnd* wnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        const auto found = m_objects.find(hwnd);
        if (found != m_objects.end() && found->second == wnd)
            m_objects.erase(found);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_objects;
};

// Never destroyed: objects with static lifetime forget their windows after the statics are gone.
ObjectMap& Objects()
{
    static ObjectMap* const objects = new ObjectMap;
    return *objects;
}

struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The message being dispatched on this thread, for Default(); nested dispatches stack up on the
// C++ stack through SubclassProc.
thread_local const CurrentMessage* t_current = nullptr;

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

CWnd::~CWnd()
{
    if (!m_previousProc || !IsWindow()) {
        // A window destroyed without its last message reaching this object leaves no entry behind.
        if (m_hWnd)
            Objects().Erase(m_hWnd, this);
        m_hWnd = nullptr;
        return;
    }
    // A window that still runs through this object must not outlive it.
    if (::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId())
        ::DestroyWindow(m_hWnd);
    if (m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        ForgetWindow();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? Objects().Find(hwnd) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (m_hWnd || !hwnd)
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (m_previousProc && IsWindow())
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    if (hwnd)
        ForgetWindow();
    return hwnd;
}

void CWnd::Subclass(HWND hwnd)
{
    m_hWnd = hwnd;
    Objects().Set(hwnd, this);
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
}

void CWnd::ForgetWindow()
{
    if (m_previousProc)
        Objects().Erase(m_hWnd, this);
    m_hWnd = nullptr;
    m_previousProc = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = t_current;
    t_current = &current;
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dispatcher.
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        wnd->ForgetWindow();
        wnd->PostNcDestroy();
    }
    t_current = outer;
    return result;
}

LRESULT CWnd::Default()
{
    return t_current ? DefWindowProc(t_current->message, t_current->wParam, t_current->lParam) : 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_previousProc)
        return ::CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? 0 : Default();
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    default:
        return Default();
    }
}

int CWnd::OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    HWND parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    HWND hwnd = nullptr;
    {
        WindowCreationHook hook(this);
        const HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
        hwnd = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }
    return hwnd != nullptr;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style, rect, parent ? parent->m_hWnd : nullptr, id);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

CWnd* CWnd::GetDlgItem(int id)
{
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (!child)
        return nullptr;
    if (CWnd* own = FromHandlePermanent(child))
        return own;
    std::unique_ptr<CWnd>& reference = m_childReferences[id];
    if (!reference)
        reference = std::make_unique<CWnd>();
    reference->m_hWnd = child;
    return reference.get();
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = GetWindowTextLength();
    ::GetWindowTextW(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
}

CString CWnd::GetWindowText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC timerProc)
{
    return ::SetTimer(m_hWnd, id, elapse, timerProc);
}

BOOL CWnd::ModifyLong(int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD before = static_cast<DWORD>(::GetWindowLongW(m_hWnd, index));
    const DWORD after = (before & ~remove) | add;
    if (after == before)
        return FALSE;
    ::SetWindowLongW(m_hWnd, index, static_cast<LONG>(after));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}
