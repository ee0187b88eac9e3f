// A display item that draws a text, fixed or the owner window's own, plainly or as a one-line mark-up
// with bold, italic, underline, strike-out, size, colour and face changes.
#pragma once

#include "uiDisplayItem.h"
#include "uiColorInfo.h"

class uiDisplayText : public uiDisplayItem {
public:
    uiDisplayText();

    int Paint(HDC dc) override;
    // The copy has no tab split until SetTextParam reaches it.
    uiDisplayItem* Clone() const override;
    int AdjustColor(int hue, int saturation, int lightness) override;

    // Sets the content; with autosize the width follows the text.
    void SetText(const CString& text);
    // 0 left, 1 centre, 2 right.
    void SetHorzAlign(int align);
    // 0 top, 4 centre, 8 bottom.
    void SetVertAlign(int align);
    void SetSingleLine(BOOL singleLine);
    // True also aligns left.
    void SetAutoSize(BOOL autoSize);
    void AddFormat(UINT bits) { m_format |= bits; }
    int GetTextWidth(HDC dc) const;

    uiColorInfo m_textColor{0xFF000000};
    HFONT m_font = nullptr;
    UINT m_format = DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER;
    CString m_content;
    wchar_t m_tabChar = L'\t';
    BOOL m_tabSplit = FALSE;
    BOOL m_autoSize = FALSE;
    // The content stands for the owner window's text ("#default").
    BOOL m_windowText = TRUE;
    BOOL m_richText = FALSE;

private:
    void PaintPlain(HDC dc, RECT target);
};
