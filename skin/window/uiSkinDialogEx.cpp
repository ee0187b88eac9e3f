// The extended skinned dialog.
#include "uiSkinDialogEx.h"

#include <algorithm>

#include "uiDisplayList.h"
#include "uiDrawRoutines.h"
#include "uiStyle.h"
#include "uiStyleRecords.h"
#include "uiWindowHelpers.h"

namespace {

const int kWindows7 = 9;
// The inactive look is painted on top of the normal one.
const DWORD kInactiveState = 0x800;
const DWORD kAllStates = 135;

}  // namespace

uiSkinDialogEx::uiSkinDialogEx()
{
    m_typeCode = 100;
    m_styleName = L"dialog";
}

// The guards take the no-skin marks off the caption buttons.
uiSkinDialogEx::~uiSkinDialogEx() = default;

LRESULT uiSkinDialogEx::OnReflectedNotify(uiReflectInfo*, NMHDR* header)
{
    return header && header->code == static_cast<UINT>(TCN_SELCHANGE);
}

void uiSkinDialogEx::UpdateRegion(BOOL)
{
    m_sizeBusy = TRUE;
    uiSkinControl::UpdateRegion(IsZoomed(m_hwnd));
    m_sizeBusy = FALSE;
}

void uiSkinDialogEx::OnAttached()
{
    SetEventEnabled(TRUE);
    uiSkinControl::OnAttached();
    m_tracker.SetMask(0);
    m_resizable = (GetStyle() & WS_THICKFRAME) != 0;
    ReadDialogInfo();
    FindButtonSources();
    FindMenuBar();
    if (GetStyle() & WS_CAPTION) {
        RemoveSystemCaption();
        if (GetMenu(m_hwnd) && !m_menuBar)
            CreateMenuBar();
        if (m_menuBar)
            PlaceMenuBar();
    }
    const DWORD style = GetStyle();
    if ((style & WS_SYSMENU) && m_ownCaption) {
        CreateCaptionButton(kClose, kCloseId);
        HMENU systemMenu = GetSystemMenu(m_hwnd, FALSE);
        const UINT closeState = systemMenu ? GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
        // -1 means the menu has no close item at all.
        if (m_buttons[kClose] && closeState != static_cast<UINT>(-1) && (closeState & MF_GRAYED))
            EnableWindow(m_buttons[kClose], FALSE);
    }
    if (style & WS_MAXIMIZEBOX) {
        CreateCaptionButton(kMaximise, kMaximiseId);
        ShowMaximiseLook((style & WS_MAXIMIZE) == 0);
    }
    if (style & WS_MINIMIZEBOX)
        CreateCaptionButton(kMinimise, kMinimiseId);
    m_ready = TRUE;
    m_resizable = (GetStyle() & WS_THICKFRAME) != 0;
    if (m_ownCaption) {
        OnSize(SIZE_RESTORED, 0);
        MoveChildrenDown(m_clientStartY, m_clientStartY + m_menuBarHeight);
    }
}

void uiSkinDialogEx::RebindStyle()
{
    uiSkinControl::RebindStyle();
    const int clientStartBefore = m_clientStartY;
    ReadDialogInfo();
    FindButtonSources();
    for (int index = 0; index < kButtonCount; ++index)
        SkinCaptionButton(index);
    ShowMaximiseLook(!IsZoomed(m_hwnd));
    // The client area starts where the new style says.
    if (m_ownCaption && m_clientStartY != clientStartBefore)
        MoveChildrenDown(m_clientStartY - clientStartBefore, m_clientStartY - clientStartBefore);
    LayoutCaptionButtons();
    InvalidateCaptionButtons();
}

void uiSkinDialogEx::ReadDialogInfo()
{
    // Nothing of an earlier style may stay: what the style's dialog record lacks has the dialog's
    // own defaults.
    m_borderLeft = m_borderTop = m_borderRight = m_borderBottom = 0;
    m_sendSysCmd = FALSE;
    m_captionHeight = kDefaultCaptionHeight;
    m_clientStartY = kDefaultClientStartY;
    m_minWidth = m_minHeight = m_maxHeight = m_maxWidth = INT_MAX;
    if (!m_style)
        return;
    const uiDialogInfo* info = m_style->dialoginfo.get();
    if (info) {
        m_borderLeft = info->borderLeft;
        m_borderTop = info->borderTop;
        m_borderRight = info->borderRight;
        m_borderBottom = info->borderBottom;
        m_sendSysCmd = info->sendSysCmdMsg;
        if (info->captionHeight != UI_UNSET)
            m_captionHeight = info->captionHeight == -1 ? 10000 : info->captionHeight;
        if (info->clientStartY != UI_UNSET)
            m_clientStartY = info->clientStartY;
        m_minWidth = info->minWidth;
        m_minHeight = info->minHeight;
        m_maxHeight = info->maxHeight;
        m_maxWidth = info->maxWidth;
    }
    m_displayList = &m_style->displayList;
}

void uiSkinDialogEx::RemoveSystemCaption()
{
    m_sizeBusy = TRUE;
    uiModifyStyle(m_hwnd, 0xC0008C, 0, 0);
    uiModifyStyleEx(m_hwnd, WS_EX_DLGMODALFRAME, 0, 0);
    uiModifyStyleEx(m_hwnd, WS_EX_WINDOWEDGE, 0, 0);
    m_sizeBusy = FALSE;
    m_ownCaption = TRUE;
}

void uiSkinDialogEx::MoveChildrenDown(int menuBarOffset, int childOffset)
{
    for (HWND child = GetTopWindow(m_hwnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (std::find(std::begin(m_buttons), std::end(m_buttons), child) != std::end(m_buttons))
            continue;
        const int offset = child == m_menuBar ? menuBarOffset : childOffset;
        if (offset == 0)
            continue;
        RECT rect = {};
        ::GetWindowRect(child, &rect);
        uiRectScreenToClient(m_hwnd, &rect);
        ::MoveWindow(child, rect.left, rect.top + offset, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
}

void uiSkinDialogEx::ReleaseStyle()
{
    DestroyCaptionButtons();
    if (m_ownCaption && IsWindow(m_hwnd)) {
        uiModifyStyle(m_hwnd, 0, 0xC00084, 0);
        uiModifyStyleEx(m_hwnd, 0, WS_EX_DLGMODALFRAME, 0);
    }
    m_ownCaption = FALSE;
    // After the caption flag so that the recalculated frame is the system's again.
    RemoveMenuBar();
    m_ready = FALSE;
    uiSkinControl::ReleaseStyle();
}

LRESULT uiSkinDialogEx::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (OnEventMessage(msg, wParam, lParam))
        return 1;
    switch (msg) {
    case WM_NCHITTEST:
        return HitTest({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(m_hwnd);
        if (!dc)
            return 1;
        const RECT client = GetClientRect();
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        PresentBackground(dc);
        ReleaseDC(m_hwnd, dc);
        return 1;
    }
    case WM_NCACTIVATE:
        return OnNcActivate(static_cast<BOOL>(wParam));
    case WM_COMMAND:
        if (m_ownCaption && OnCaptionButtonClick(wParam, reinterpret_cast<HWND>(lParam)))
            return 1;
        break;
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_NCCALCSIZE:
        if (m_ownCaption)
            return wParam == 1 ? 1 : 0;
        break;
    case WM_SIZE:
        return m_sizeBusy ? 0 : OnSize(wParam, lParam);
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(wParam, reinterpret_cast<MINMAXINFO*>(lParam));
    default:
        break;
    }
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}

LRESULT uiSkinDialogEx::HitTest(POINT point)
{
    const RECT window = GetWindowRect();
    if (m_resizable && !IsZoomed(m_hwnd)) {
        const LONG left = window.left + m_borderLeft;
        const LONG right = window.right - m_borderRight;
        const LONG top = window.top + m_borderTop;
        const LONG bottom = window.bottom - m_borderBottom;
        if (point.x < left)
            return point.y < top ? HTTOPLEFT : point.y < bottom ? HTLEFT : HTBOTTOMLEFT;
        if (point.x >= right)
            return point.y < top ? HTTOPRIGHT : point.y < bottom ? HTRIGHT : HTBOTTOMRIGHT;
        if (point.y < top)
            return HTTOP;
        if (point.y >= bottom)
            return HTBOTTOM;
    }
    const POINT inWindow = {point.x - window.left, point.y - window.top};
    if (HitTestItem(inWindow))
        return HTCLIENT;
    if (point.y < window.top + m_captionHeight)
        return HTCAPTION;
    return PtInRect(&window, point) ? HTCLIENT : HTBORDER;
}

LRESULT uiSkinDialogEx::OnNcActivate(BOOL active)
{
    HDC background = m_background ? GetBackgroundDC() : nullptr;
    if (m_displayList && background) {
        m_displayList->Paint(background, kAllStates);
        if (!active)
            m_displayList->Paint(background, kInactiveState);
        PaintEventItems(background);
        RedrawNow();
    }
    return 1;
}

LRESULT uiSkinDialogEx::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = SetTextWithoutRedraw(wParam, lParam);
    if (m_style)
        m_style->displayList.SetText(nullptr, GetWindowText());
    SetDirty(TRUE);
    RECT caption = GetWindowRect();
    uiRectScreenToClient(m_hwnd, &caption);
    caption.bottom = caption.top + m_captionHeight;
    Invalidate(&caption, TRUE);
    return result;
}

BOOL uiSkinDialogEx::ApplicationAllows(UINT command)
{
    if (!m_sendSysCmd)
        return TRUE;
    LONG allow = 1;
    uiSkinBase::WindowProc(WM_SYSCOMMAND, command, reinterpret_cast<LPARAM>(&allow));
    return allow != 0;
}

LRESULT uiSkinDialogEx::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = static_cast<UINT>(wParam);
    switch (command) {
    case SC_MINIMIZE:
    case SC_RESTORE:
        if (ApplicationAllows(command))
            ShowCommand(command);
        return 1;
    case SC_MAXIMIZE:
    case 0xF032:
    case 0xF122:
        ShowCommand(command);
        return 1;
    default:
        if (OpenMenuBarFromKeyboard(command, lParam))
            return 1;
        return uiSkinControl::WindowProc(WM_SYSCOMMAND, wParam, lParam);
    }
}

void uiSkinDialogEx::ShowCommand(UINT command)
{
    if (command == SC_MINIMIZE) {
        ShowWindow(m_hwnd, SW_MINIMIZE);
        return;
    }
    if (IsZoomed(m_hwnd) || command == SC_RESTORE || !IsWindowVisible(m_hwnd)) {
        ShowMaximiseLook(TRUE);
        ShowWindow(m_hwnd, SW_RESTORE);
        return;
    }
    ShowMaximiseLook(FALSE);
    if (m_sendSysCmd)
        uiSkinBase::WindowProc(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ShowWindow(m_hwnd, SW_MAXIMIZE);
}

LRESULT uiSkinDialogEx::OnSize(WPARAM type, LPARAM lParam)
{
    if (!m_ready)
        return DefaultProc(WM_SIZE, type, lParam);
    DefaultProc(WM_SIZE, type, lParam);
    if (type == SIZE_MINIMIZED)
        return 0;
    if (type == SIZE_MAXIMIZED)
        ShowMaximiseLook(FALSE);
    RelayoutAll();
    LayoutCaptionButtons();
    RebuildBackground(FALSE);
    InvalidateCaptionButtons();
    return 0;
}

LRESULT uiSkinDialogEx::OnGetMinMaxInfo(WPARAM wParam, MINMAXINFO* info)
{
    if (m_maxWidth != INT_MAX && m_maxHeight != INT_MAX) {
        info->ptMaxSize = {m_maxWidth, m_maxHeight};
    } else if (uiGetOSVersion() == kWindows7) {
        info->ptMaxPosition.x += 5;
        info->ptMaxPosition.y += 5;
        info->ptMaxSize.x -= 7;
        info->ptMaxSize.y -= 7;
    } else {
        RECT work = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        info->ptMaxPosition = {work.left - 2, work.top - 2};
        info->ptMaxSize = {work.right - work.left + 4, work.bottom - work.top + 4};
    }
    if (m_minWidth != INT_MAX && m_minHeight != INT_MAX)
        info->ptMinTrackSize = {std::max<LONG>(m_minWidth, info->ptMinTrackSize.x),
                                std::max<LONG>(m_minHeight, info->ptMinTrackSize.y)};
    return DefaultProc(WM_GETMINMAXINFO, wParam, reinterpret_cast<LPARAM>(info));
}
