// Draws a one-line mark-up text run by run: <B>, <I>, <U>, <STRIKE>, <BIG>, <SMALL> and
// <FONT COLOR BGCOLOR FACE SIZE>, each run in a font of its own, all runs side by side.
#pragma once

#include <windows.h>
#include "CString.h"

class uiMarkupRenderer {
public:
    // font null: the system font's description is the base; color is a skin colour.
    uiMarkupRenderer(HFONT font, COLORREF color, UINT format);

    void Draw(HDC dc, const RECT& target, const CString& markup);

private:
    // Applies the tag at the front of the text and returns its length; 0 when no tag starts there,
    // -1 when a tag has no closing ">".
    int ApplyTag(const wchar_t* text);
    void ApplyFontAttributes(const wchar_t* begin, const wchar_t* end);
    void DrawRun(HDC dc, const RECT& target, const wchar_t* text, int length);
    void ResetFont();

    LOGFONTW m_base;
    LOGFONTW m_current;
    COLORREF m_itemColor;
    COLORREF m_textColor;
    COLORREF m_backColor = 0xFFFFFF;
    BOOL m_opaque = FALSE;
    UINT m_format;
    int m_bold = 0;
    int m_italic = 0;
    int m_underline = 0;
    int m_strikeOut = 0;
    int m_pen = 0;
};
