// The skinned frame dialog: set-up, caption buttons, hit tests and frame painting.
#include "uiSkinDialog.h"

#include <algorithm>
#include <climits>
#include <windowsx.h>

#include "uiApiLoader.h"
#include "uiDisplayList.h"
#include "uiMemDC.h"
#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

const int kFrameDialogType = 101;
const wchar_t* const kButtonNames[] = {L"minimise", L"maximise", L"close"};
const DWORD kButtonStyles[] = {WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_SYSMENU};
const LRESULT kButtonHits[] = {HTREDUCE, HTZOOM, HTCLOSE, HTSYSMENU};

}  // namespace

uiSkinDialog::uiSkinDialog()
    : m_border{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CXFRAME),
               GetSystemMetrics(SM_CYFRAME)},
      m_captionHeight(GetSystemMetrics(SM_CYCAPTION))
{
    m_typeCode = kFrameDialogType;
    m_styleName = L"dialog";
}

uiSkinDialog::~uiSkinDialog() = default;

void uiSkinDialog::OnAttached()
{
    m_resizable = (GetStyle() & WS_THICKFRAME) != 0;
    uiSkinControl::OnAttached();
    TakeStyle();
    OnSize(WM_SIZE, 0, 0);
}

void uiSkinDialog::RebindStyle()
{
    uiSkinControl::RebindStyle();
    TakeStyle();
}

void uiSkinDialog::TakeStyle()
{
    // Nothing of an earlier style may stay: without a caption height of its own the style leaves the
    // system's caption and no size limits.
    m_captionHeight = GetSystemMetrics(SM_CYCAPTION);
    m_minWidth = m_minHeight = m_maxWidth = m_maxHeight = INT_MAX;
    const uiDialogInfo* info = m_style ? m_style->dialoginfo.get() : nullptr;
    if (info && info->captionHeight != INT_MAX) {
        m_captionHeight = info->captionHeight;
        m_minWidth = info->minWidth;
        m_minHeight = info->minHeight;
        m_maxWidth = info->maxWidth;
        m_maxHeight = info->maxHeight;
    }
    SetUpButtons();
    UpdateCaptionButtonState();
}

void uiSkinDialog::SetUpButtons()
{
    // Only the buttons of the style attached now: none of an earlier one may stay.
    for (uiCaptionButton& button : m_buttons)
        button = uiCaptionButton();
    m_pressed = m_hot = -1;
    const uiSysMenuInfo* menu = m_style ? m_style->sysmenu.get() : nullptr;
    if (!menu)
        return;
    for (int index = Minimise; index <= Close; ++index) {
        for (int i = 0; i < menu->buttonCount && i < uiSysMenuInfo::MaxButtons; ++i) {
            const uiSysButton& entry = menu->buttons[i];
            if (entry.name.CompareNoCase(kButtonNames[index]) != 0)
                continue;
            m_buttons[index].present = TRUE;
            m_buttons[index].rect = entry.rect;
            m_buttons[index].style.reset(uiGetSkinAdmin().FindStyle(entry.label));
            break;
        }
    }
    if (HMENU system = GetSystemMenu(m_hwnd, FALSE)) {
        const UINT state = GetMenuState(system, SC_CLOSE, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1) && (state & MF_GRAYED))
            m_buttons[Close].present = FALSE;
    }
    m_buttons[Icon].present = TRUE;
    m_buttons[Icon].rect = m_style->dialoginfo ? m_style->dialoginfo->iconRect : uiDialogInfo().iconRect;
}

BOOL uiSkinDialog::UpdateCaptionButtonState()
{
    BOOL changed = FALSE;
    for (int i = 0; i < ButtonCount; ++i) {
        int state = 1;
        if (!m_buttons[i].present)
            state = 0x80;
        else if (i == m_hot && i == m_pressed)
            state = 4;
        else if (i == m_hot)
            state = 2;
        if (state != m_buttons[i].state) {
            m_buttons[i].state = state;
            changed = TRUE;
        }
    }
    return changed;
}

RECT uiSkinDialog::ButtonRect(int index) const
{
    const RECT window = GetWindowRect();
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    RECT rect = m_buttons[index].rect;
    if (rect.left < 0)
        rect.left += width;
    if (rect.right < 0)
        rect.right += width;
    if (rect.top < 0)
        rect.top += height;
    if (rect.bottom < 0)
        rect.bottom += height;
    return rect;
}

RECT uiSkinDialog::ClientArea(const RECT& window) const
{
    return {window.left + m_border[0], window.top + m_captionHeight, window.right - m_border[2],
            window.bottom - m_border[3]};
}

LRESULT uiSkinDialog::HitTest(POINT screen) const
{
    const RECT window = GetWindowRect();
    const DWORD style = GetStyle();
    const POINT local = {screen.x - window.left, screen.y - window.top};
    const DWORD needed[] = {WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_SYSMENU, WS_SYSMENU};
    for (int i = 0; i < ButtonCount; ++i) {
        const RECT rect = ButtonRect(i);
        if (m_buttons[i].present && (style & needed[i]) && PtInRect(&rect, local))
            return kButtonHits[i];
    }
    if (m_resizable && !IsZoomed(m_hwnd)) {
        const int corner = GetSystemMetrics(SM_CXSIZE);
        if (screen.x >= window.right - corner && screen.y >= window.bottom - corner)
            return HTBOTTOMRIGHT;
        const bool top = screen.y < window.top + m_border[1];
        const bool bottom = screen.y >= window.bottom - m_border[3];
        if (screen.x < window.left + m_border[0])
            return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        if (screen.x >= window.right - m_border[2])
            return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    const RECT client = ClientArea(window);
    if (screen.y < client.top)
        return HTCAPTION;
    return PtInRect(&client, screen) ? HTCLIENT : HTBORDER;
}

void uiSkinDialog::PaintCaptionButtons(HDC dc)
{
    if (!m_background)
        return;
    const DWORD style = GetStyle();
    for (int i = Minimise; i <= Close; ++i) {
        uiStyle* buttonStyle = m_buttons[i].style.get();
        if (!(style & kButtonStyles[i]) || !buttonStyle)
            continue;
        buttonStyle->displayList.Layout(ButtonRect(i));
        buttonStyle->displayList.Paint(dc, static_cast<DWORD>(m_buttons[i].state));
    }
}

void uiSkinDialog::AfterReBuildBkBitmap()
{
    if (m_background)
        PaintCaptionButtons(m_background->GetDC());
}

void uiSkinDialog::RepaintFrame()
{
    if (!GetHwnd())
        return;
    const HDC dc = GetWindowDC(m_hwnd);
    if (!dc)
        return;
    const RECT window = GetWindowRect();
    const RECT inner = {m_border[0], m_border[1] + m_captionHeight, window.right - window.left - m_border[2],
                        window.bottom - window.top - m_border[3]};
    if (HRGN area = CreateRectRgnIndirect(&inner)) {
        ExtSelectClipRgn(dc, area, RGN_DIFF);
        DeleteObject(area);
    }
    if (m_background)
        PaintCaptionButtons(m_background->GetDC());
    PresentBackground(dc);
    ReleaseDC(m_hwnd, dc);
}

void uiSkinDialog::UpdateRegion(BOOL)
{
    m_updatingRegion = TRUE;
    uiSkinControl::UpdateRegion(IsZoomed(m_hwnd) ? TRUE : FALSE);
    m_updatingRegion = FALSE;
}

LRESULT uiSkinDialog::OnSize(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (IsIconic(m_hwnd))
        return 0;
    if (IsZoomed(m_hwnd)) {
        RECT work = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        const HMONITOR handle = MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST);
        if (handle && GetMonitorInfoW(handle, &monitor) && (monitor.dwFlags & MONITORINFOF_PRIMARY))
            SetWindowPos(m_hwnd, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top, 0);
    }
    DefaultProc(msg, wParam, lParam);
    if (wParam == SIZE_MINIMIZED)
        return 0;
    RelayoutAll();
    RebuildBackground(TRUE);
    if (GetHwnd())
        InvalidateRect(m_hwnd, nullptr, TRUE);
    return 1;
}

LRESULT uiSkinDialog::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (info && m_maxWidth != INT_MAX && m_maxHeight != INT_MAX)
        info->ptMaxSize = {m_maxWidth, m_maxHeight};
    if (info && m_minWidth != INT_MAX && m_minHeight != INT_MAX) {
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, static_cast<LONG>(m_minWidth));
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, static_cast<LONG>(m_minHeight));
    }
    return DefaultProc(WM_GETMINMAXINFO, wParam, lParam);
}

LRESULT uiSkinDialog::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    const int hit = LOWORD(lParam);
    if ((GetStyle() & WS_THICKFRAME) && hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        LPCWSTR shape = IDC_SIZEWE;
        if (hit == HTTOP || hit == HTBOTTOM)
            shape = IDC_SIZENS;
        else if (hit == HTTOPLEFT || hit == HTBOTTOMRIGHT)
            shape = IDC_SIZENWSE;
        else if (hit == HTTOPRIGHT || hit == HTBOTTOMLEFT)
            shape = IDC_SIZENESW;
        if (SetCursor(LoadCursorW(nullptr, shape)))
            return 1;
    }
    uiSkinControl::WindowProc(WM_SETCURSOR, wParam, lParam);
    return 1;
}

LRESULT uiSkinDialog::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    if (GetSystemMetrics(SM_CYCAPTION) == m_captionHeight || !lParam)
        return uiSkinControl::WindowProc(WM_NCCALCSIZE, wParam, lParam);
    // Both forms of the message start with the proposed window rectangle.
    RECT* proposed = reinterpret_cast<RECT*>(lParam);
    *proposed = ClientArea(*proposed);
    return 0;
}

LRESULT uiSkinDialog::OnNcActivate(WPARAM wParam)
{
    if (m_displayList && m_background) {
        m_displayList->Paint(m_background->GetDC(), wParam ? 0x87 : 0x800);
    }
    RepaintFrame();
    return 1;
}

void uiSkinDialog::OnNcMouseMove(WPARAM hit, LPARAM point)
{
    int index = -1;
    if (hit == HTREDUCE)
        index = Minimise;
    else if (hit == HTZOOM)
        index = Maximise;
    else if (hit == HTCLOSE)
        index = Close;
    if (m_pressed != -1 && m_pressed != index) {
        if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
            m_pressed = -1;
        index = -1;
    }
    if (index == -1)
        DefaultProc(WM_NCMOUSEMOVE, hit, point);
    m_hot = index;
    if (UpdateCaptionButtonState())
        RepaintFrame();
    if (!m_ncTracking) {
        m_ncTracking = TRUE;
        if (uiApiLoader::_TrackMouseEvent) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hwnd, HOVER_DEFAULT};
            uiApiLoader::_TrackMouseEvent(&track);
        }
    }
}

LRESULT uiSkinDialog::OnNcButtonDown(WPARAM hit, LPARAM lParam)
{
    m_repaintPending = TRUE;
    if (hit == HTREDUCE || hit == HTZOOM || hit == HTCLOSE) {
        m_pressed = m_hot = hit == HTREDUCE ? Minimise : hit == HTZOOM ? Maximise : Close;
        if (UpdateCaptionButtonState())
            RepaintFrame();
        return 1;
    }
    if (hit == HTSYSMENU) {
        m_pressed = m_hot = -1;
        UpdateCaptionButtonState();
    }
    return DefaultProc(WM_NCLBUTTONDOWN, hit, lParam);
}

LRESULT uiSkinDialog::OnNcButtonUp()
{
    if (m_pressed == -1)
        return 0;
    if (m_pressed == m_hot) {
        WPARAM command = SC_CLOSE;
        if (m_pressed == Minimise)
            command = SC_MINIMIZE;
        else if (m_pressed == Maximise)
            command = IsZoomed(m_hwnd) ? SC_RESTORE : SC_MAXIMIZE;
        PostMessageW(m_hwnd, WM_SYSCOMMAND, command, 0);
    }
    ResetButtons();
    return 1;
}

void uiSkinDialog::ResetButtons()
{
    m_pressed = m_hot = -1;
    if (UpdateCaptionButtonState())
        RepaintFrame();
}

void uiSkinDialog::OnNcMouseLeave()
{
    if (!m_ncTracking)
        return;
    m_ncTracking = FALSE;
    ResetButtons();
}

LRESULT uiSkinDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_repaintPending) {
        m_repaintPending = FALSE;
        RepaintFrame();
    }
    switch (msg) {
    case WM_SIZE:
        return m_updatingRegion ? 0 : OnSize(msg, wParam, lParam);
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_INITMENU:
    case WM_SYSCOMMAND: {
        const LRESULT result = DefaultProc(msg, wParam, lParam);
        RepaintFrame();
        return result;
    }
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(wParam, lParam);
    case WM_NCCALCSIZE:
        return OnNcCalcSize(wParam, lParam);
    case WM_NCHITTEST:
        return HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCACTIVATE:
        return OnNcActivate(wParam);
    case WM_NCPAINT:
    case WM_SYNCPAINT:
    case 0x00AE:
    case 0x00AF:
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
    case 0x08C3:
        RepaintFrame();
        return 1;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(wParam, lParam);
        return 0;
    case WM_NCLBUTTONDOWN:
        return OnNcButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP:
        return OnNcButtonUp();
    case WM_NCLBUTTONDBLCLK:
        m_repaintPending = TRUE;
        if (wParam == HTSYSMENU) {
            PostMessageW(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 1;
        }
        DefaultProc(msg, wParam, lParam);
        return 0;
    case WM_NCMOUSELEAVE:
        OnNcMouseLeave();
        break;
    default:
        break;
    }
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}
