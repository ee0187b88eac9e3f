// The text item: plain text through DrawTextW, a tab split for accelerators, or mark-up.
#include "uiDisplayText.h"

#include "uiMarkupRenderer.h"

uiDisplayText::uiDisplayText() : uiDisplayItem(UI_ITEM_TEXT)
{
}

int uiDisplayText::Paint(HDC dc)
{
    ResolveRelative();
    const COLORREF previousColor = SetTextColor(dc, uiGdiColor(m_textColor.GetColor()));
    HGDIOBJ previousFont = m_font ? SelectObject(dc, m_font) : nullptr;
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const RECT target = GetRect();
    if (m_richText)
        uiMarkupRenderer(m_font, m_textColor.GetColor(), m_format).Draw(dc, target, m_content);
    else
        PaintPlain(dc, target);
    SetBkMode(dc, previousMode);
    if (previousFont)
        SelectObject(dc, previousFont);
    SetTextColor(dc, previousColor);
    return 1;
}

void uiDisplayText::PaintPlain(HDC dc, RECT target)
{
    const int tab = m_tabSplit ? m_content.Find(L'\t') : -1;
    if (tab < 0) {
        DrawTextW(dc, m_content, m_content.GetLength(), &target, m_format);
        return;
    }
    RECT second = target;
    DrawTextW(dc, m_content, tab, &target, m_format);
    const CString accelerator = m_content.Mid(tab + 1);
    DrawTextW(dc, accelerator, accelerator.GetLength(), &second, m_format | DT_RIGHT);
}

uiDisplayItem* uiDisplayText::Clone() const
{
    auto* copy = new uiDisplayText;
    CopyTo(copy);
    copy->m_textColor = m_textColor;
    copy->m_font = m_font;
    copy->m_format = m_format;
    copy->m_content = m_content;
    copy->m_autoSize = m_autoSize;
    copy->m_windowText = m_windowText;
    copy->m_richText = m_richText;
    return copy;
}

int uiDisplayText::AdjustColor(int hue, int saturation, int lightness)
{
    m_textColor.AdjustColor(hue, saturation, lightness);
    return 1;
}

void uiDisplayText::SetText(const CString& text)
{
    if (text.Compare(m_content) != 0)
        m_content = text;
    if (!m_autoSize)
        return;
    int width = 0;
    if (!m_content.IsEmpty()) {
        HDC screen = GetDC(nullptr);
        HGDIOBJ previous = m_font ? SelectObject(screen, m_font) : nullptr;
        RECT measured = {0, 0, 0, 0};
        DrawTextW(screen, m_content, m_content.GetLength(), &measured, DT_CALCRECT | DT_SINGLELINE);
        width = measured.right - measured.left;
        if (previous)
            SelectObject(screen, previous);
        ReleaseDC(nullptr, screen);
    }
    m_width = width;
    m_w = width;
}

void uiDisplayText::SetHorzAlign(int align)
{
    m_format = (m_format & ~3u) | (static_cast<UINT>(align) & 3u);
}

void uiDisplayText::SetVertAlign(int align)
{
    if (m_format & static_cast<UINT>(align))
        return;
    m_format = (m_format & ~0xCu) | (static_cast<UINT>(align) & 0xCu);
}

void uiDisplayText::SetSingleLine(BOOL singleLine)
{
    if (singleLine)
        m_format |= DT_SINGLELINE;
    else
        m_format &= ~static_cast<UINT>(DT_SINGLELINE);
}

void uiDisplayText::SetAutoSize(BOOL autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        SetHorzAlign(0);
}

int uiDisplayText::GetTextWidth(HDC dc) const
{
    HGDIOBJ previous = m_font ? SelectObject(dc, m_font) : nullptr;
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, m_content, m_content.GetLength(), &size);
    if (previous)
        SelectObject(dc, previous);
    return size.cx;
}
