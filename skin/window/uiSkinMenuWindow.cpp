// The menu windows' side of the menu skin: the hook that subclasses them as they are created, their
// procedure (frame, size, print) and the background kept for each of them.
#include "uiSkinMenu.h"

#include "uiDisplayList.h"
#include "uiDrawRoutines.h"
#include "uiMemDC.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

namespace {

const wchar_t kOldProcProperty[] = L"UISKIN_MenuOldWndProc#2008###";
const wchar_t kThisProperty[] = L"UISKIN_Menuthispointer#2008##";
const wchar_t kMenuClass[] = L"#32768";
// Sent while the system sizes a menu window; a second chance to catch it.
const UINT kMenuSizeWindow = 0x1E2;
const UINT kMenuGetMenu = 0x1E1;
const COLORREF kRegionKey = 0xFF00FF;

// The hook lives on the user-interface thread alone, and so do these.
HHOOK g_hook = nullptr;
uiSkinMenu* g_current = nullptr;
int g_printFlag = 1;

bool IsMenuWindow(HWND hwnd)
{
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpW(name, kMenuClass) == 0;
}

RECT WindowRectAtOrigin(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

}  // namespace

uiSkinMenu::~uiSkinMenu()
{
    if (g_current == this)
        g_current = nullptr;
    // Menu windows that outlive the object fall back to their own procedure's look.
    for (HWND hwnd : m_menuWindows) {
        if (IsWindow(hwnd) && GetPropW(hwnd, kThisProperty) == this)
            RemovePropW(hwnd, kThisProperty);
    }
    for (auto& entry : m_backgrounds)
        delete entry.second;
}

void uiSkinMenu::SetMsgHook(BOOL on)
{
    if ((on != FALSE) == (g_hook != nullptr))
        return;
    if (on) {
        g_hook = SetWindowsHookExW(WH_CALLWNDPROC, &uiSkinMenu::MsgHook, nullptr, GetCurrentThreadId());
    } else {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

BOOL uiSkinMenu::IsMsgHookSet()
{
    return g_hook ? TRUE : FALSE;
}

uiSkinMenu* uiSkinMenu::GetCurrent()
{
    return g_current;
}

void uiSkinMenu::SetCurrent(uiSkinMenu* menu)
{
    g_current = menu;
}

int uiSkinMenu::GetPrintFlag()
{
    return g_printFlag;
}

LRESULT CALLBACK uiSkinMenu::MsgHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (g_current && code == HC_ACTION && lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if ((call->message == WM_CREATE || call->message == kMenuSizeWindow) && IsMenuWindow(call->hwnd)
            && !GetPropW(call->hwnd, kOldProcProperty) && GetForegroundWindow())
            g_current->SubclassMenuWindow(call->hwnd);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

BOOL uiSkinMenu::SubclassMenuWindow(HWND hwnd)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (!previous)
        return FALSE;
    SetPropW(hwnd, kOldProcProperty, reinterpret_cast<HANDLE>(previous));
    SetPropW(hwnd, kThisProperty, reinterpret_cast<HANDLE>(this));
    if (!SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&uiSkinMenu::MenuProc))) {
        RemovePropW(hwnd, kOldProcProperty);
        RemovePropW(hwnd, kThisProperty);
        return FALSE;
    }
    // The skin draws the frame and the shape; the system's shadow would outline the old square.
    SetClassLongW(hwnd, GCL_STYLE, GetClassLongW(hwnd, GCL_STYLE) & ~CS_DROPSHADOW);
    uiModifyStyle(hwnd, WS_BORDER, 0, 0);
    uiModifyStyleEx(hwnd, WS_EX_WINDOWEDGE, 0, 0);
    m_menuWindows.insert(hwnd);
    return TRUE;
}

LRESULT CALLBACK uiSkinMenu::MenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProcProperty));
    auto* skin = reinterpret_cast<uiSkinMenu*>(GetPropW(hwnd, kThisProperty));
    if (msg == WM_NCDESTROY) {
        RemovePropW(hwnd, kOldProcProperty);
        RemovePropW(hwnd, kThisProperty);
    }
    if (skin) {
        skin->WindowMenuProc(hwnd, msg, wParam, lParam);
        if (msg == WM_NCCALCSIZE || msg == WM_NCPAINT || msg == WM_PRINT)
            return 0;
    }
    if (!previous)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

LRESULT uiSkinMenu::WindowMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCALCSIZE:
        if (RECT* proposed = reinterpret_cast<RECT*>(lParam)) {
            proposed->right -= 2;
            proposed->bottom -= 3;
        }
        return 0;
    case WM_PAINT:
        g_printFlag = 0;
        return 1;
    case WM_WINDOWPOSCHANGING:
        if (lParam)
            OnWindowPosChanging(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
        return 1;
    case WM_NCDESTROY:
        DropBackground(hwnd);
        ForgetMenuWindow(hwnd);
        return 1;
    case WM_NCPAINT:
        if (!m_regionPending)
            OnNcPaint(hwnd);
        return 0;
    case WM_PRINT:
        OnPrint(hwnd, reinterpret_cast<HDC>(wParam), lParam);
        return 0;
    default:
        return 1;
    }
}

void uiSkinMenu::OnWindowPosChanging(HWND hwnd, WINDOWPOS* position)
{
    // The size that the frame the window had would take, against the frame the skin draws.
    RECT frame = {0, 0, 32, 32};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
    position->cx += 34 - (frame.right - frame.left);
    position->cy += 35 - (frame.bottom - frame.top);
    if (position->x != 0 || position->y != 0)
        position->x += 1;
}

void uiSkinMenu::OnNcPaint(HWND hwnd)
{
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    RECT inner = WindowRectAtOrigin(hwnd);
    inner.left += 2;
    inner.top += 2;
    inner.right -= 1;
    inner.bottom -= 3;
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    PaintNonClient(hwnd, dc);
    ReleaseDC(hwnd, dc);
}

void uiSkinMenu::OnPrint(HWND hwnd, HDC dc, LPARAM flags)
{
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return;
    const RECT rect = WindowRectAtOrigin(hwnd);
    uiMemDC memory(dc, rect, TRUE);
    if (flags & PRF_NONCLIENT)
        PaintNonClient(hwnd, memory);
    if (flags & PRF_CLIENT) {
        g_printFlag = 1;
        PaintNonClient(hwnd, memory);
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.GetDC()), PRF_CLIENT);
    }
    memory.BlitTo(dc);
}

uiMemDC* uiSkinMenu::GetBackground(HWND hwnd)
{
    const auto found = m_backgrounds.find(hwnd);
    return found != m_backgrounds.end() ? found->second : CreateBackground(hwnd);
}

uiMemDC* uiSkinMenu::CreateBackground(HWND hwnd)
{
    const RECT rect = WindowRectAtOrigin(hwnd);
    HDC windowDC = GetWindowDC(hwnd);
    auto* background = new uiMemDC(windowDC, rect, TRUE);
    ReleaseDC(hwnd, windowDC);
    m_backgrounds[hwnd] = background;
    PaintMenuBack(hwnd, *background, rect);
    const uiStyleProperty* property = m_style ? m_style->property.get() : nullptr;
    if (property && property->hasClipColor) {
        // The region's key is magenta whatever colour the style names.
        if (HRGN region = uiRegionFromBitmap(*background, background->GetBitmap(), kRegionKey)) {
            m_regionPending = TRUE;
            SetWindowRgn(hwnd, region, TRUE);
            m_regionPending = FALSE;
        }
    }
    return background;
}

void uiSkinMenu::PaintMenuBack(HWND hwnd, HDC dc, const RECT& rect)
{
    if (!m_style)
        return;
    uiDisplayList& list = m_style->displayList;
    list.Layout(rect);
    // The menu window of the tracked menu itself is the first level; its submenus are deeper.
    const bool level0 = reinterpret_cast<HMENU>(SendMessageW(hwnd, kMenuGetMenu, 0, 0)) == m_menu;
    list.PaintItem(dc, m_multiBg && level0 ? L"menu.back.level0" : L"menu.back");
}

void uiSkinMenu::PaintNonClient(HWND hwnd, HDC dc)
{
    uiMemDC* background = GetBackground(hwnd);
    const RECT rect = WindowRectAtOrigin(hwnd);
    BitBlt(dc, 0, 0, rect.right, rect.bottom, *background, 0, 0, SRCCOPY);
}

void uiSkinMenu::DrawItemBackground(HDC destination, HDC itemDC, const RECT& item)
{
    HWND hwnd = WindowFromDC(itemDC);
    if (!hwnd || !m_menuWindows.count(hwnd))
        return;
    uiMemDC* background = GetBackground(hwnd);
    BitBlt(destination, 0, 0, item.right - item.left, item.bottom - item.top, *background, 0, item.top, SRCCOPY);
}

void uiSkinMenu::DropBackground(HWND hwnd)
{
    const auto found = m_backgrounds.find(hwnd);
    if (found == m_backgrounds.end())
        return;
    delete found->second;
    m_backgrounds.erase(found);
}

void uiSkinMenu::ForgetMenuWindow(HWND hwnd)
{
    m_menuWindows.erase(hwnd);
}
