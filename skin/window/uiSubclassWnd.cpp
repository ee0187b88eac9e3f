// The subclass object, the shared window procedure and the reflection of children's notifications.
#include "uiSubclassWnd.h"

#include "uiEngineMessages.h"
#include "uiHandleMap.h"
#include "uiWindowHelpers.h"

namespace {

// The child that a parent's message is about, or null when the message is not reflected.
HWND ChildOfMessage(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
        return wParam && lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam && lParam ? GetDlgItem(parent, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID)
                                : nullptr;
    case WM_DELETEITEM:
        return wParam && lParam ? GetDlgItem(parent, reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->CtlID)
                                : nullptr;
    case WM_COMPAREITEM:
        return wParam && lParam ? GetDlgItem(parent, reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->CtlID)
                                : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace

// Counts a frame of the object on the stack; the last frame to return carries out a deletion that
// was asked for while the object was still running.
class uiSubclassWnd::StackFrame {
public:
    explicit StackFrame(uiSubclassWnd* object) : m_object(object) { ++m_object->m_depth; }
    StackFrame(const StackFrame&) = delete;
    StackFrame& operator=(const StackFrame&) = delete;
    ~StackFrame()
    {
        if (--m_object->m_depth == 0 && m_object->m_deletePending)
            delete m_object;
    }

private:
    uiSubclassWnd* m_object;
};

uiSubclassWnd::~uiSubclassWnd()
{
    // An object deleted while attached must not stay behind in its window's chain.
    if (m_oldProc)
        uiGetHandleMap()->Detach(this);
}

BOOL uiSubclassWnd::Attach(HWND hwnd, BOOL autoDelete)
{
    if (!hwnd || !IsWindow(hwnd) || m_oldProc)
        return FALSE;
    // The shared procedure goes on the window before the style is applied: a subclass that applying
    // the style makes (the tooltip's) then sits above it, and taking itself out puts the shared
    // procedure back. Below the chain, its removal could reset the window to the original procedure
    // and cut the chain off.
    uiHandleMap* map = uiGetHandleMap();
    if (!map->Subclass(hwnd))
        return FALSE;
    ReapplyStyle();
    if (!IsWindow(hwnd))
        return FALSE;
    m_hwnd = hwnd;
    map->Attach(hwnd, this);
    m_autoDelete = autoDelete;
    m_deletePending = false;
    OnAttached();
    return TRUE;
}

void uiSubclassWnd::Detach()
{
    ReleaseStyle();
    uiGetHandleMap()->Detach(this);
    m_oldProc = nullptr;
    m_hwnd = nullptr;
    if (!m_autoDelete)
        return;
    if (m_depth > 0)
        m_deletePending = true;
    else
        delete this;
}

LRESULT uiSubclassWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    StackFrame frame(this);
    return WindowProc(msg, wParam, lParam);
}

HWND uiSubclassWnd::GetHwnd() const
{
    return m_hwnd && IsWindow(m_hwnd) ? m_hwnd : nullptr;
}

LRESULT uiSubclassWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_oldProc || !GetHwnd())
        return 0;
    return CallWindowProcW(m_oldProc, m_hwnd, msg, wParam, lParam);
}

LRESULT uiSubclassWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_oldProc)
        return 0;
    if (msg == uiReflectMsg)
        return DispatchReflected(reinterpret_cast<uiReflectInfo*>(lParam));
    if (const LRESULT reflected = ReflectChildMessage(msg, wParam, lParam))
        return reflected;
    // The child's handler may have detached this object.
    if (!m_oldProc)
        return 0;
    if (m_next)
        return m_next->Dispatch(msg, wParam, lParam);
    return CallWindowProcW(m_oldProc, m_hwnd, msg, wParam, lParam);
}

LRESULT uiSubclassWnd::DispatchReflected(uiReflectInfo* info)
{
    if (!info)
        return 0;
    switch (info->msg) {
    case WM_NOTIFY:
        return OnReflectedNotify(info, reinterpret_cast<NMHDR*>(info->lParam));
    case WM_COMMAND:
        return OnReflectedCommand(HIWORD(info->wParam), LOWORD(info->wParam), reinterpret_cast<HWND>(info->lParam));
    default:
        return OnReflectedMessage(info->msg, info->wParam, info);
    }
}

LRESULT uiSubclassWnd::OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info)
{
    if (!m_next)
        return 0;
    StackFrame frame(m_next);
    return m_next->OnReflectedMessage(msg, wParam, info);
}

LRESULT uiSubclassWnd::OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control)
{
    if (!m_next)
        return 0;
    StackFrame frame(m_next);
    return m_next->OnReflectedCommand(notifyCode, controlId, control);
}

LRESULT uiSubclassWnd::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    if (!m_next)
        return 0;
    StackFrame frame(m_next);
    return m_next->OnReflectedNotify(info, header);
}

LRESULT uiSubclassWnd::ReflectChildMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == uiProbeMsg)
        return 1;
    const HWND child = ChildOfMessage(m_hwnd, msg, wParam, lParam);
    if (!child || !IsWindow(child))
        return 0;
    uiReflectInfo info = {msg, wParam, lParam, FALSE};
    const LRESULT result = SendMessageW(child, uiReflectMsg, wParam, reinterpret_cast<LPARAM>(&info));
    return result && info.handled ? result : 0;
}

RECT uiSubclassWnd::GetClientRect() const
{
    RECT rect = {};
    ::GetClientRect(GetHwnd(), &rect);
    return rect;
}

RECT uiSubclassWnd::GetWindowRect() const
{
    RECT rect = {};
    ::GetWindowRect(GetHwnd(), &rect);
    return rect;
}

DWORD uiSubclassWnd::GetStyle() const
{
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

DWORD uiSubclassWnd::GetExStyle() const
{
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_EXSTYLE));
}

BOOL uiSubclassWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return uiModifyStyle(m_hwnd, remove, add, swpFlags);
}

BOOL uiSubclassWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return uiModifyStyleEx(m_hwnd, remove, add, swpFlags);
}

UINT_PTR uiSubclassWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(m_hwnd, id, elapse, proc);
}

BOOL uiSubclassWnd::KillTimer(UINT_PTR id)
{
    return ::KillTimer(m_hwnd, id);
}

BOOL uiSubclassWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    return uiMoveWindowToRect(m_hwnd, rect, repaint);
}

void uiSubclassWnd::ScreenToClient(RECT* rect) const
{
    uiRectScreenToClient(m_hwnd, rect);
}

void uiSubclassWnd::ClientToScreen(RECT* rect) const
{
    POINT topLeft = {rect->left, rect->top};
    POINT bottomRight = {rect->right, rect->bottom};
    ::ClientToScreen(m_hwnd, &topLeft);
    ::ClientToScreen(m_hwnd, &bottomRight);
    *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

LRESULT CALLBACK uiSubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    uiHandleMap* map = uiGetHandleMap();
    try {
        if (msg == WM_NCDESTROY) {
            const WNDPROC original = map->OriginalProc(hwnd);
            map->DetachAll(hwnd);
            map->Forget(hwnd);
            return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam)
                            : DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        if (uiSubclassWnd* head = map->Find(hwnd))
            return head->Dispatch(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
    // No chain (any more): the window behaves as it did before it was skinned.
    const WNDPROC original = map->OriginalProc(hwnd);
    return original ? CallWindowProcW(original, hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}
