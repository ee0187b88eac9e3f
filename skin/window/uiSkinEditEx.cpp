// The skinned edit control.
#include "uiSkinEditEx.h"

#include "uiColorInfo.h"
#include "uiDisplayList.h"
#include "uiEngineMessages.h"
#include "uiGdiAdmin.h"
#include "uiMemDC.h"
#include "uiStyle.h"

uiSkinEditEx::uiSkinEditEx()
{
    m_styleName = L"edit";
}

uiSkinEditEx::~uiSkinEditEx()
{
    DropPatternBrush();
    DropClientCopy();
}

void uiSkinEditEx::DropPatternBrush()
{
    if (m_patternBrush)
        DeleteObject(m_patternBrush);
    m_patternBrush = nullptr;
}

void uiSkinEditEx::DropClientCopy()
{
    delete m_clientCopy;
    m_clientCopy = nullptr;
}

void uiSkinEditEx::OnAttached()
{
    uiSkinControl::OnAttached();
    m_tracker.SetMask(uiMouseStateTracker::Normal | uiMouseStateTracker::Over | uiMouseStateTracker::Disabled);
    m_multiLine = (GetStyle() & ES_MULTILINE) != 0;
    TakeStyle();
    m_hasBorder = (GetStyle() & WS_BORDER) || (GetExStyle() & WS_EX_CLIENTEDGE);
}

void uiSkinEditEx::RebindStyle()
{
    uiSkinControl::RebindStyle();
    TakeStyle();
    // The border is not part of what the edit paints itself.
    Refresh();
}

void uiSkinEditEx::TakeStyle()
{
    // Nothing of an earlier style may stay: a style without an edit record, or one that lacks a
    // value, leaves the edit without that part of the skin.
    if (m_multiLine)
        BindScrollBars(m_scrollBars, TRUE);
    const uiEditInfo* info = m_style ? m_style->editinfo.get() : nullptr;
    m_useImageBk = info && info->useImageBk;
    if (!m_useImageBk) {
        DropPatternBrush();
        DropClientCopy();
    }
    const HFONT font = info && !info->font.IsEmpty() ? uiGetGdiAdmin().GetFont(info->font) : nullptr;
    const BOOL margins = info && (info->marginLeft != 0 || info->marginRight != 0);
    TakeFontAndMargins(font, margins, margins ? MAKELPARAM(info->marginLeft, info->marginRight) : 0);
    m_showAutoItem = info && m_displayList && m_displayList->FindItem(L"auto.item") != nullptr;
}

void uiSkinEditEx::TakeFontAndMargins(HFONT font, BOOL marginsGiven, LPARAM margins)
{
    // The edit's own font and margins are kept, before either changes (a new font resets the
    // margins), while a style's are on it, and come back when a style has none.
    if (font && !m_skinFont)
        m_ownFont = reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    if (marginsGiven && !m_skinMargins)
        m_ownMargins = static_cast<LPARAM>(SendMessageW(m_hwnd, EM_GETMARGINS, 0, 0));
    if (font || m_skinFont)
        SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : m_ownFont), TRUE);
    if (marginsGiven || m_skinMargins)
        SendMessageW(m_hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, marginsGiven ? margins : m_ownMargins);
    m_skinFont = font;
    m_skinMargins = marginsGiven;
}

void uiSkinEditEx::ReleaseStyle()
{
    uiSkinControl::ReleaseStyle();
    DropPatternBrush();
    DropClientCopy();
    m_scrollBars.Detach();
}

int uiSkinEditEx::SetColorAdjust(int hue, int saturation, int lightness)
{
    uiSkinControl::SetColorAdjust(hue, saturation, lightness);
    if (!m_useImageBk)
        PaintBorder();
    else if (m_background)
        Invalidate(nullptr, TRUE);
    if (m_scrollBars.IsAttached())
        m_scrollBars.Redraw();
    return 1;
}

LRESULT uiSkinEditEx::OnReflectedCommand(UINT notifyCode, UINT, HWND)
{
    if (notifyCode == EN_CHANGE && m_useImageBk) {
        SetDirty(TRUE);
        Invalidate(nullptr, TRUE);
    }
    return 0;
}

COLORREF uiSkinEditEx::TextColor() const
{
    const uiEditInfo* info = m_style ? m_style->editinfo.get() : nullptr;
    if (!info)
        return 0;
    if (!IsWindowEnabled(m_hwnd))
        return uiGdiColor(info->textColorDisabled);
    if (GetStyle() & ES_READONLY)
        return uiGdiColor(info->textColorReadOnly);
    return uiGdiColor(info->textColor);
}

LRESULT uiSkinEditEx::OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info)
{
    if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORSTATIC)
        return uiSkinControl::OnReflectedMessage(msg, wParam, info);
    const HDC dc = reinterpret_cast<HDC>(info ? info->wParam : wParam);
    if (m_style && m_style->editinfo)
        SetTextColor(dc, TextColor());
    if (!m_useImageBk || !m_clientCopy || !info)
        return 0;
    const HBITMAP source = m_hasBorder ? m_clientCopy->GetBitmap() : (m_background ? m_background->GetBitmap() : nullptr);
    HBRUSH brush = source ? CreatePatternBrush(source) : nullptr;
    if (!brush)
        return 0;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, brush);
    // The brush of the previous message goes now that the DC holds the new one.
    DropPatternBrush();
    m_patternBrush = brush;
    info->handled = TRUE;
    return reinterpret_cast<LRESULT>(brush);
}

void uiSkinEditEx::AfterReBuildBkBitmap()
{
    if (!m_style || !m_background || !m_displayList)
        return;
    const HDC background = m_background->GetDC();
    if (m_showAutoItem && GetFocus() != m_hwnd && GetWindowTextLengthW(m_hwnd) == 0)
        m_displayList->PaintItem(background, L"auto.item");
    if (GetStyle() & ES_READONLY)
        m_displayList->PaintItem(background, L"readonly");
    if (!m_useImageBk)
        return;
    DropClientCopy();
    RECT client = GetClientRect();
    MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT window = GetWindowRect();
    OffsetRect(&client, -window.left, -window.top);
    const RECT size = {0, 0, client.right - client.left, client.bottom - client.top};
    m_clientCopy = new uiMemDC(background, size, TRUE);
    if (!m_clientCopy->GetDC() || !m_clientCopy->GetBitmap()) {
        DropClientCopy();
        return;
    }
    BitBlt(*m_clientCopy, 0, 0, size.right, size.bottom, background, client.left, client.top, SRCCOPY);
    m_lastRect = window;
}

void uiSkinEditEx::PaintBorder()
{
    if (!GetHwnd())
        return;
    // The edit paints its client area itself, so a change marked dirty shows only through here.
    RebuildBackground(m_forceRebuild || m_dirty);
    m_forceRebuild = FALSE;
    SetDirty(FALSE);
    const HDC dc = GetWindowDC(m_hwnd);
    if (!dc)
        return;
    RECT rect = GetWindowRect();
    OffsetRect(&rect, -rect.left, -rect.top);
    if (m_nextToSpin)
        ExcludeClipRect(dc, rect.right - 2, rect.top, rect.right, rect.bottom);
    else
        ExcludeClipRect(dc, rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    PresentBackground(dc);
    ReleaseDC(m_hwnd, dc);
}

void uiSkinEditEx::Refresh()
{
    SetDirty(TRUE);
    PaintBorder();
    Invalidate(nullptr, TRUE);
}

LRESULT uiSkinEditEx::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_multiLine) {
        const LRESULT answer = m_scrollBars.OnMessage(msg, wParam, lParam);
        if (uiScrollBarHelper::IsCustomDraw(msg, lParam))
            return answer;
    }
    switch (msg) {
    case UIM_UPDATE:
        if (wParam != 0)
            break;
        Refresh();
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_showAutoItem && IsWindowVisible(m_hwnd))
            Refresh();
        break;
    case WM_PAINT:
    case WM_ERASEBKGND:
        return uiSkinBase::WindowProc(msg, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        if (m_useImageBk) {
            const RECT now = GetWindowRect();
            if (!EqualRect(&now, &m_lastRect))
                SetDirty(TRUE);
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (m_useImageBk) {
            const RECT now = GetWindowRect();
            const bool sameSize = now.right - now.left == m_lastRect.right - m_lastRect.left &&
                                  now.bottom - now.top == m_lastRect.bottom - m_lastRect.top;
            if (!EqualRect(&now, &m_lastRect) && sameSize) {
                SetDirty(TRUE);
                if (IsWindowVisible(m_hwnd)) {
                    PaintBorder();
                    Invalidate(nullptr, TRUE);
                }
            }
        }
        break;
    case WM_NCPAINT:
        PaintBorder();
        return 1;
    case UIM_STATECHANGED:
        if (GetHwnd()) {
            m_forceRebuild = TRUE;
            PaintBorder();
        }
        return 1;
    case UIM_SPINBUDDY:
        m_nextToSpin = TRUE;
        return 1;
    default:
        break;
    }
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}
