// The menu bar: toolbar creation from the menu, drop-downs and the message filter of menu mode.
#include "uiMenuToolBar.h"

#include <commctrl.h>

#include "uiApiLoader.h"
#include "uiSkinError.h"
#include "uiSkinMenu.h"

namespace {

const UINT kOpenCurrent = 0x87F;
const UINT kToolbarId = 1220;
const DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TRANSPARENT | TBSTYLE_LIST | TBSTYLE_WRAPABLE
                            | TBSTYLE_TOOLTIPS | CCS_NODIVIDER;
const int kItemTextLength = 100;
const int kMnemonicTextLength = 80;
const wchar_t kMenuBarProperty[] = L"##uiskin_maintoolbar_tag##";

// Set while a drop-down is open; menus are modal on the one user-interface thread.
uiMenuToolBar* g_openBar = nullptr;
HHOOK g_filterHook = nullptr;

}  // namespace

BOOL uiIsMenuBarWindow(HWND hwnd)
{
    return GetPropW(hwnd, kMenuBarProperty) ? TRUE : FALSE;
}

void uiMarkMenuBarWindow(HWND hwnd, BOOL mark)
{
    if (mark)
        SetPropW(hwnd, kMenuBarProperty, reinterpret_cast<HANDLE>(1));
    else
        RemovePropW(hwnd, kMenuBarProperty);
}

uiMenuToolBar::uiMenuToolBar() = default;

uiMenuToolBar::~uiMenuToolBar() = default;

BOOL uiMenuToolBar::Create(HWND owner, HMENU menu)
{
    m_menu = menu;
    m_owner = owner;
    if (!menu)
        return TRUE;
    if (!uiApiLoader::CreateToolbarEx) {
        uiSetSkinError(UI_ERROR_NO_TOOLBAR);
        return FALSE;
    }
    m_toolbar = uiApiLoader::CreateToolbarEx(owner, kToolbarStyle, kToolbarId, 0, nullptr, 0, nullptr, 0, 0, 0, 0,
                                             0, sizeof(TBBUTTON));
    const int count = GetMenuItemCount(menu);
    for (int position = 0; m_toolbar && position < count; ++position) {
        wchar_t text[kItemTextLength] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kItemTextLength;
        GetMenuItemInfoW(menu, position, TRUE, &info);
        TBBUTTON button = {};
        button.iBitmap = 0;
        button.idCommand = position;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_AUTOSIZE;
        SendMessageW(m_toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&button));
        TBBUTTONINFOW buttonInfo = {};
        buttonInfo.cbSize = sizeof(buttonInfo);
        buttonInfo.dwMask = TBIF_TEXT;
        buttonInfo.pszText = text;
        SendMessageW(m_toolbar, TB_SETBUTTONINFOW, position, reinterpret_cast<LPARAM>(&buttonInfo));
    }
    if (m_toolbar) {
        SkinWindow(m_toolbar, nullptr, TRUE, FALSE);
        m_noSkinGuard.Set(m_toolbar);
    }
    return TRUE;
}

int uiMenuToolBar::HitTest(POINT point) const
{
    return static_cast<int>(SendMessageW(m_toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
}

int uiMenuToolBar::GetButtonCount() const
{
    return static_cast<int>(SendMessageW(m_toolbar, TB_BUTTONCOUNT, 0, 0));
}

void uiMenuToolBar::PressButton(int index, BOOL pressed)
{
    SendMessageW(m_toolbar, TB_PRESSBUTTON, index, MAKELPARAM(pressed, 0));
}

BOOL uiMenuToolBar::GetButtonRect(int index, RECT* rect) const
{
    return static_cast<BOOL>(SendMessageW(m_toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
}

void uiMenuToolBar::OpenDropDown(int index)
{
    m_current = index;
    PostMessageW(m_toolbar, kOpenCurrent, 0, 0);
}

LRESULT uiMenuToolBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN)
        return OnLButtonDown(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (msg == kOpenCurrent)
        return OnOpenCurrent();
    return uiSkinToolbarCtrl::WindowProc(msg, wParam, lParam);
}

LRESULT uiMenuToolBar::OnLButtonDown(POINT point)
{
    const int index = HitTest(point);
    if (index < 0 || index >= GetButtonCount())
        return 0;
    m_current = index;
    DropDown();
    return 1;
}

LRESULT uiMenuToolBar::OnOpenCurrent()
{
    const int count = GetButtonCount();
    if (m_current < 0)
        m_current = count - 1;
    else if (m_current >= count)
        m_current = 0;
    DropDown();
    return 0;
}

void uiMenuToolBar::DropDown()
{
    HMENU submenu = GetSubMenu(m_menu, m_current);
    if (!submenu)
        return;
    PressButton(m_current, TRUE);
    RECT button = {};
    GetButtonRect(m_current, &button);
    MapWindowPoints(m_toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    RECT desktop = {};
    ::GetWindowRect(GetDesktopWindow(), &desktop);
    IntersectRect(&button, &button, &desktop);

    // A drop-down opened while another is still tracking (a posted open served inside the outer
    // menu's loop) installs a hook of its own; the outer one's bar and hook come back afterwards.
    uiMenuToolBar* const outerBar = g_openBar;
    const HHOOK outerHook = g_filterHook;
    g_openBar = this;
    g_filterHook = SetWindowsHookExW(WH_MSGFILTER, &uiMenuToolBar::MsgFilterHook, nullptr, GetCurrentThreadId());
    {
        // Detached by hand and deleted here, once: it is not the owner window's to delete.
        uiSkinMenu dropDown;
        dropDown.TrackPopupMenu(submenu, TPM_RIGHTBUTTON | TPM_VERTICAL, button.left, button.bottom, m_owner,
                                nullptr, m_dropDownStyle);
        if (dropDown.IsAttached())
            dropDown.Detach();
    }
    PressButton(m_current, FALSE);
    if (g_filterHook)
        UnhookWindowsHookEx(g_filterHook);
    g_filterHook = outerHook;
    g_openBar = outerBar;
}

LRESULT CALLBACK uiMenuToolBar::MsgFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    // With drop-downs nested, the outer one's hook is next in the chain: the message was filtered once.
    static bool passingOn = false;
    if (passingOn)
        return CallNextHookEx(g_filterHook, code, wParam, lParam);
    if (g_openBar && code == MSGF_MENU && lParam
        && g_openBar->FilterMenuMessage(reinterpret_cast<const MSG*>(lParam)))
        return 1;
    passingOn = true;
    const LRESULT result = CallNextHookEx(g_filterHook, code, wParam, lParam);
    passingOn = false;
    return result;
}

BOOL uiMenuToolBar::FilterMenuMessage(const MSG* msg)
{
    // The message's own screen position: during menu mode the mouse messages' coordinates are
    // relative to whichever window holds the capture.
    switch (msg->message) {
    case WM_MOUSEMOVE:
        return OnMenuMouseMove(msg->pt);
    case WM_KEYDOWN:
        return OnMenuKeyDown(static_cast<UINT>(msg->wParam));
    case WM_MENUSELECT:
        SendMessageW(GetParent(m_toolbar), WM_MENUSELECT, msg->wParam, msg->lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
        return OnMenuLButtonDown(msg->pt);
    default:
        return FALSE;
    }
}

BOOL uiMenuToolBar::OnMenuMouseMove(POINT screenPoint)
{
    POINT point = screenPoint;
    ::ScreenToClient(m_toolbar, &point);
    if (point.x == m_lastMouse.x && point.y == m_lastMouse.y)
        return TRUE;
    m_lastMouse = point;
    const int index = HitTest(point);
    if (index < 0 || index >= GetButtonCount() || index == m_current)
        return FALSE;
    PressButton(m_current, FALSE);
    SendMessageW(GetParent(m_toolbar), WM_CANCELMODE, 0, 0);
    m_current = index;
    PostMessageW(m_toolbar, kOpenCurrent, 0, 0);
    return TRUE;
}

BOOL uiMenuToolBar::OnMenuKeyDown(UINT key)
{
    BOOL result = FALSE;
    if (key == VK_LEFT || key == VK_RIGHT) {
        PressButton(m_current, FALSE);
        m_current += key == VK_LEFT ? -1 : 1;
        CancelMenu();
        PostMessageW(m_toolbar, kOpenCurrent, 0, 0);
        result = TRUE;
    } else if (key == VK_ESCAPE) {
        CancelMenu();
        m_active = 0;
        result = TRUE;
    }
    if (ChooseByMnemonic(key))
        result = TRUE;
    return result;
}

BOOL uiMenuToolBar::OnMenuLButtonDown(POINT screenPoint)
{
    POINT point = screenPoint;
    ::ScreenToClient(m_toolbar, &point);
    const int index = HitTest(point);
    if (index < 0) {
        // Off the bar: the menu deals with the click itself.
        m_active = 0;
        return FALSE;
    }
    if (index != m_current)
        return FALSE;
    // A click on the open button closes its menu.
    m_active = 0;
    CancelMenu();
    return TRUE;
}

BOOL uiMenuToolBar::ChooseByMnemonic(UINT key)
{
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return FALSE;
    // Virtual-key codes of letters and digits only: 'a'..'z' are the numeric keypad and F-keys.
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!letterOrDigit)
        return FALSE;
    HMENU submenu = GetSubMenu(m_menu, m_current);
    const int count = submenu ? GetMenuItemCount(submenu) : 0;
    for (int position = 0; position < count; ++position) {
        wchar_t text[kMnemonicTextLength + 1] = {};
        GetMenuStringW(submenu, position, text, kMnemonicTextLength, MF_BYPOSITION);
        const wchar_t* amp = wcschr(text, L'&');
        if (!amp || !amp[1])
            continue;
        CharUpperW(text);
        if (text[amp - text + 1] != static_cast<wchar_t>(key))
            continue;
        PostMessageW(GetParent(m_toolbar), WM_COMMAND, GetMenuItemID(submenu, position), 0);
        PressButton(m_current, FALSE);
        CancelMenu();
        return TRUE;
    }
    return FALSE;
}

void uiMenuToolBar::CancelMenu()
{
    PostMessageW(GetParent(m_toolbar), WM_CANCELMODE, 0, 0);
}
