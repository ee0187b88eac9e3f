// The skinned window base: style copy, tooltip, dirty rectangle, colour adjustment and cursor.
#include "uiSkinBase.h"

#include "uiApiLoader.h"
#include "uiDisplayList.h"
#include "uiEngineMessages.h"
#include "uiGdiAdmin.h"
#include "uiHandleMap.h"
#include "uiLogFile.h"
#include "uiScrollBarHelper.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

namespace {

const int kMaxDefaultTipLength = 1024;
const wchar_t kDefaultScrollBars[] = L"scrollbar";

}  // namespace

uiSkinBase::uiSkinBase() = default;

uiSkinBase::~uiSkinBase()
{
    delete m_style;
    // An object deleted without being detached still owns its tooltip window.
    if (m_toolTipWnd)
        DestroyWindow(m_toolTipWnd);
}

void uiSkinBase::ForgetStyle()
{
    m_displayList = nullptr;
    // The tooltip's text came from the style: a style that takes its place brings its own, or none.
    DropToolTip();
}

void uiSkinBase::DropToolTip()
{
    if (m_toolTipWnd)
        DestroyWindow(m_toolTipWnd);
    m_toolTipWnd = nullptr;
    m_toolTipText.Empty();
}

void uiSkinBase::DeleteStyle()
{
    if (m_style)
        ForgetStyle();
    delete m_style;
    m_style = nullptr;
}

void uiSkinBase::ReleaseStyle()
{
    DeleteStyle();
    DropToolTip();
}

BOOL uiSkinBase::SkinWindow(HWND hwnd, const wchar_t* styleName, BOOL autoDelete, BOOL keepExisting)
{
    // An object serves one window at a time.
    if (IsAttached() && hwnd != m_hwnd)
        return FALSE;
    if (styleName)
        m_styleName = styleName;
    if (!keepExisting) {
        uiSubclassWnd* head = uiGetHandleMap()->Find(hwnd);
        if (head && head != this)
            head->Detach();
    }
    if (IsAttached()) {
        if (ReplaceStyle())
            return TRUE;
    } else {
        DeleteStyle();
        m_hwnd = hwnd;
        if (FetchStyle())
            return Attach(hwnd, autoDelete);
    }
    uiSetSkinError(UI_ERROR_STYLE_NOT_FOUND);
    uiLogReport(UI_LOG_ERROR, L"Control [HWND=0X%x] xml style name [%s] not found",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(hwnd)), m_styleName.GetString());
    return FALSE;
}

BOOL uiSkinBase::FetchStyle()
{
    m_style = uiGetSkinAdmin().FindStyle(m_styleName);
    if (!m_style)
        return FALSE;
    m_style->displayList.SetText(nullptr, GetWindowText());
    return TRUE;
}

BOOL uiSkinBase::ReplaceStyle()
{
    DeleteStyle();
    if (!FetchStyle())
        return FALSE;
    ApplyStyle();
    if (IsAttached())
        RebindStyle();
    SetDirty(TRUE);
    Invalidate(nullptr, TRUE);
    return TRUE;
}

BOOL uiSkinBase::HasTransparentBk() const
{
    return m_style && m_style->property && m_style->property->btransparentbk;
}

void uiSkinBase::BindScrollBars(uiScrollBarHelper& bars, BOOL unnamedToo)
{
    bars.Detach();
    const uiStyleProperty* property = m_style ? m_style->property.get() : nullptr;
    const BOOL named = property && !property->scrollbar.IsEmpty();
    if (!named && !unnamedToo)
        return;
    if (bars.LoadStyle(named ? property->scrollbar.GetString() : kDefaultScrollBars))
        bars.Attach(m_hwnd);
}

int uiSkinBase::ApplyStyle()
{
    if (!m_style)
        return 0;
    m_displayList = &m_style->displayList;
    const uiStyleProperty* property = m_style->property.get();
    if (!property)
        return 0;
    m_toolTipText = property->tooltips;
    if (m_toolTipText.CompareNoCase(L"#default") == 0) {
        wchar_t text[kMaxDefaultTipLength + 1] = {};
        ::GetWindowTextW(m_hwnd, text, kMaxDefaultTipLength + 1);
        m_toolTipText = text;
    }
    if (!m_toolTipText.IsEmpty())
        SetToolTips();
    ApplySize(property->width, property->height);
    RECT bounds = {};
    ::GetWindowRect(m_hwnd, &bounds);
    uiRectToOrigin(m_hwnd, &bounds);
    m_displayList->Layout(bounds);
    m_displayList->SetOwnerWindow(m_hwnd);
    return 1;
}

void uiSkinBase::ApplySize(int width, int height)
{
    if (width == INT_MAX && height == INT_MAX)
        return;
    RECT rect = {};
    ::GetWindowRect(m_hwnd, &rect);
    const BOOL dialog = m_typeCode == 100 || m_typeCode == 101;
    if (!dialog)
        uiRectScreenToClient(GetParent(m_hwnd), &rect);
    if (width != INT_MAX)
        rect.right = rect.left + width;
    if (height != INT_MAX)
        rect.bottom = rect.top + height;
    if (dialog)
        SetWindowPos(m_hwnd, HWND_NOTOPMOST, 0, 0, rect.right - rect.left, rect.bottom - rect.top, SWP_NOMOVE);
    else
        ::MoveWindow(m_hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int uiSkinBase::ReloadStyle()
{
    if (m_style)
        ReplaceStyle();
    return 1;
}

int uiSkinBase::SetColorAdjust(int hue, int saturation, int lightness)
{
    m_colorAdjust[0] = hue;
    m_colorAdjust[1] = saturation;
    m_colorAdjust[2] = lightness;
    if (IsWindowVisible(m_hwnd) || !IsDialogType())
        ApplyColorAdjust(hue, saturation, lightness, TRUE);
    else
        m_colorAdjustPending = true;
    return 1;
}

void uiSkinBase::ApplyColorAdjust(int hue, int saturation, int lightness, BOOL redraw)
{
    if (m_displayList)
        m_displayList->AdjustColor(hue, saturation, lightness);
    if (m_style)
        m_style->AdjustColor(hue, saturation, lightness);
    if (redraw && m_typeCode != 112) {
        SetDirty(TRUE);
        Invalidate(nullptr, TRUE);
    }
}

BOOL uiSkinBase::ApplyDeferredColorAdjust()
{
    if (!m_colorAdjustPending)
        return FALSE;
    ApplyColorAdjust(m_colorAdjust[0], m_colorAdjust[1], m_colorAdjust[2], FALSE);
    m_colorAdjustPending = false;
    return TRUE;
}

int uiSkinBase::ShowDisplayItems(int first, int last, BOOL visible)
{
    if (!m_displayList)
        return 1;
    const RECT changed = m_displayList->ShowItemsByIndex(first, last, visible);
    RECT joined = {};
    UnionRect(&joined, &m_dirtyRect, &changed);
    m_dirtyRect = joined;
    return 1;
}

int uiSkinBase::ShowDisplayItemsByName(const wchar_t* name, BOOL visible)
{
    if (m_displayList)
        m_displayList->ShowItem(name, visible);
    return 1;
}

void uiSkinBase::FillToolInfo(BOOL withClientRect)
{
    m_toolInfo.cbSize = TTTOOLINFOW_V2_SIZE;
    m_toolInfo.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    m_toolInfo.hwnd = m_hwnd;
    m_toolInfo.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    m_toolInfo.hinst = GetModuleHandleW(nullptr);
    if (withClientRect)
        ::GetClientRect(m_hwnd, &m_toolInfo.rect);
    m_toolInfo.lpszText = const_cast<wchar_t*>(m_toolTipText.GetString());
}

int uiSkinBase::SetToolTips()
{
    if (!m_toolTipWnd) {
        if (uiApiLoader::InitCommonControlsEx) {
            INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), 0xFF};
            uiApiLoader::InitCommonControlsEx(&init);
        }
        m_toolTipWnd = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, GetModuleHandleW(nullptr),
                                       nullptr);
        FillToolInfo(TRUE);
        SendMessageW(m_toolTipWnd, TTM_ACTIVATE, TRUE, 0);
        SendMessageW(m_toolTipWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    }
    FillToolInfo(TRUE);
    SetWindowPos(m_toolTipWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(m_toolTipWnd, TTM_SETMAXTIPWIDTH, 0, 150);
    SendMessageW(m_toolTipWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    return 1;
}

void uiSkinBase::ShowToolTip(const CString& text)
{
    m_toolTipText = text;
    if (!m_toolTipWnd) {
        SetToolTips();
        return;
    }
    FillToolInfo(FALSE);
    SendMessageW(m_toolTipWnd, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(m_toolTipWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
}

void uiSkinBase::HideToolTip()
{
    if (!m_toolTipWnd)
        return;
    m_toolInfo.lpszText = nullptr;
    SendMessageW(m_toolTipWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    SendMessageW(m_toolTipWnd, TTM_ACTIVATE, FALSE, 0);
}

void uiSkinBase::Invalidate(const RECT* rect, BOOL erase)
{
    InvalidateRect(m_hwnd, rect, erase);
}

CString uiSkinBase::GetWindowText() const
{
    CString text;
    const int length = GetWindowTextLengthW(m_hwnd);
    if (length > 0) {
        ::GetWindowTextW(m_hwnd, text.GetBuffer(length), length + 1);
        text.ReleaseBuffer();
    }
    return text;
}

LRESULT uiSkinBase::SetTextWithoutRedraw(WPARAM wParam, LPARAM lParam)
{
    if (!IsWindowVisible(m_hwnd))
        return DefaultProc(WM_SETTEXT, wParam, lParam);
    DefaultProc(WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefaultProc(WM_SETTEXT, wParam, lParam);
    DefaultProc(WM_SETREDRAW, TRUE, 0);
    return result;
}

BOOL uiSkinBase::IsItemListType() const
{
    return m_typeCode == 121 || m_typeCode == 108 || m_typeCode == 109;
}

void uiSkinBase::DefaultDrawItem(DRAWITEMSTRUCT* item)
{
    if (GetHwnd())
        DefaultProc(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(item));
}

LRESULT uiSkinBase::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETCURSOR && m_style && m_style->property && !m_style->property->cursor.IsEmpty()) {
        if (HCURSOR cursor = uiGetGdiAdmin().GetCursor(m_style->property->cursor)) {
            SetCursor(cursor);
            return 1;
        }
    }
    if (msg == UIM_UPDATE && wParam == 1) {
        ApplyColorAdjust(m_colorAdjust[0], m_colorAdjust[1], m_colorAdjust[2], TRUE);
        return 1;
    }
    if (m_toolTipWnd) {
        if (msg == UIM_MOUSEENTER)
            SendMessageW(m_toolTipWnd, TTM_ACTIVATE, TRUE, 0);
        else if (msg == WM_MOUSELEAVE)
            SendMessageW(m_toolTipWnd, TTM_ACTIVATE, FALSE, 0);
    }
    return uiSubclassWnd::WindowProc(msg, wParam, lParam);
}
