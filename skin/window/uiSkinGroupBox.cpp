// The skinned group box.
#include "uiSkinGroupBox.h"

#include "uiDisplayList.h"
#include "uiEngineMessages.h"
#include "uiGdiAdmin.h"
#include "uiMemDC.h"
#include "uiStyle.h"

uiSkinGroupBox::uiSkinGroupBox()
{
    m_styleName = L"groupbox";
}

void uiSkinGroupBox::OnAttached()
{
    uiSkinBase::OnAttached();
    m_transparent.Attach(m_hwnd);
    m_font = uiGetGdiAdmin().GetFont(L"default");
}

int uiSkinGroupBox::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    // A style without the record has the record's defaults, not an earlier style's offsets.
    const uiGroupBoxInfo defaults;
    const uiGroupBoxInfo& info = m_style && m_style->groupboxinfo ? *m_style->groupboxinfo : defaults;
    m_margin = info.textOffsetX;
    m_offset = info.textOffsetY;
    return result;
}

LRESULT uiSkinGroupBox::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = SetTextWithoutRedraw(wParam, lParam);
    SetDirty(TRUE);
    Invalidate(nullptr, TRUE);
    return result;
}

void uiSkinGroupBox::ClipSiblings(HDC dc) const
{
    const HWND parent = GetParent(m_hwnd);
    if (!parent)
        return;
    const RECT mine = GetWindowRect();
    for (HWND sibling = GetTopWindow(parent); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT place = {}, overlap = {};
        if (sibling == m_hwnd || !IsWindowVisible(sibling) || !::GetWindowRect(sibling, &place) ||
            !IntersectRect(&overlap, &place, &mine))
            continue;
        // The sibling's place in this window's client coordinates.
        POINT origin = {place.left, place.top};
        ::ScreenToClient(m_hwnd, &origin);
        HRGN area = CreateRectRgn(0, 0, 0, 0);
        if (!area)
            continue;
        const int kind = GetWindowRgn(sibling, area);
        if (kind == NULLREGION || kind == SIMPLEREGION || kind == COMPLEXREGION)
            OffsetRgn(area, origin.x, origin.y);
        else
            SetRectRgn(area, origin.x, origin.y, origin.x + place.right - place.left,
                       origin.y + place.bottom - place.top);
        ExtSelectClipRgn(dc, area, RGN_DIFF);
        DeleteObject(area);
    }
}

RECT uiSkinGroupBox::TextRect(SIZE text) const
{
    const RECT client = GetClientRect();
    const DWORD style = GetStyle();
    RECT rect = {0, m_offset, 0, m_offset + text.cy};
    if ((style & BS_CENTER) == BS_CENTER) {
        rect.left = (client.right - client.left - text.cx) / 2;
        rect.right = rect.left + text.cx + 4;
    } else if (style & BS_RIGHT) {
        rect.right = client.right - m_margin;
        rect.left = rect.right - text.cx - 4;
    } else {
        rect.left = client.left + m_margin;
        rect.right = rect.left + text.cx + 4;
    }
    return rect;
}

void uiSkinGroupBox::Paint(HDC dc)
{
    ClipSiblings(dc);
    const RECT client = GetClientRect();
    uiMemDC memory(dc, client);
    if (!memory.GetDC())
        return;
    if (m_transparent.IsAttached())
        m_transparent.PaintParentBk(memory, m_hwnd);
    wchar_t text[1024] = {};
    const int length = ::GetWindowTextW(m_hwnd, text, 1024);
    const HGDIOBJ oldFont = m_font ? SelectObject(memory, m_font) : nullptr;
    SIZE size = {};
    // The height of a line even for an empty caption: the frame starts half of it lower.
    GetTextExtentPoint32W(memory, length > 0 ? text : L" ", length > 0 ? length : 1, &size);
    if (length == 0)
        size.cx = 0;
    if (oldFont)
        SelectObject(memory, oldFont);
    if (!m_displayList)
        return;
    if (length > 0) {
        const RECT textRect = TextRect(size);
        m_displayList->Layout(textRect);
        m_displayList->SetText(L"groupbox.text", text);
        m_displayList->PaintItemEx(memory, L"groupbox.text", &textRect, 0);
        memory.ExcludeClip(textRect);
    }
    RECT frame = client;
    frame.top += size.cy / 2;
    m_displayList->PaintItemEx(memory, L"groupbox.rect", &frame, 0);
}

void uiSkinGroupBox::OnPaint()
{
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(m_hwnd, &paint);
    if (dc)
        Paint(dc);
    EndPaint(m_hwnd, &paint);
}

LRESULT uiSkinGroupBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case WM_UPDATEUISTATE:
        return 0;
    case UIM_UPDATE:
        if (wParam == 0) {
            if (const HDC dc = GetWindowDC(m_hwnd)) {
                Paint(dc);
                ReleaseDC(m_hwnd, dc);
            }
            return 1;
        }
        break;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}
