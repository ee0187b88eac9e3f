// What the skinned list box, list view and tree view share: the skin's border over their frame, the
// leave notification behind their hover highlight, the per-row looks they copy from the style, and
// the off-screen bitmap each row is drawn in before it reaches the screen in one copy.
#pragma once

#include <windows.h>

#include "uiColorInfo.h"

class uiDisplayList;
class uiDrawObj;
class uiDrawObjList;

// Paints the display item "border" over the whole window (state 0x87) when the window has a frame on
// its left and on its top.
void uiPaintListBorder(HWND hwnd, uiDisplayList* displayList);

// Asks for WM_MOUSELEAVE through the optional _TrackMouseEvent; 0 when it is not available.
BOOL uiRequestMouseLeave(HWND hwnd);

// The template of a row look: the draw object of that name, or "default" when no name is given.
const uiDrawObj* uiFindRowTemplate(const uiDrawObjList& looks, const wchar_t* name);

// A copy of a row look; with adjust non-null it takes the three colour-adjustment values.
uiDrawObj* uiCloneRowLook(const uiDrawObj& look, const int* adjust);

// The colour adjustment of a row look's display and event items.
void uiAdjustRowLook(uiDrawObj* look, int hue, int saturation, int lightness);

// Fills a rectangle with one colour without making a brush.
void uiFillSolid(HDC dc, const RECT& rect, const uiColorInfo& color);

// A memory bitmap of one row, compatible with the target DC, filled with the background colour;
// drawn at (0, 0) and copied to the row's place in one BitBlt.
class uiRowBitmap {
public:
    uiRowBitmap(HDC target, int width, int height, const uiColorInfo& background);
    uiRowBitmap(const uiRowBitmap&) = delete;
    uiRowBitmap& operator=(const uiRowBitmap&) = delete;
    ~uiRowBitmap();

    // Whether the DC and its bitmap exist.
    BOOL IsValid() const { return m_dc && m_bitmap; }
    HDC GetDC() const { return m_dc; }
    const RECT& GetRect() const { return m_rect; }
    void CopyTo(HDC target, int x, int y) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    RECT m_rect;
};
