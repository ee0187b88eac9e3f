// The engine's free GDI routines: images stretched by margins, rectangles, lines, text width,
// colour-keyed blits, window regions from bitmaps and a few system helpers.
#pragma once

#include <windows.h>
#include "CString.h"

class uiImage;

// Grid modes of uiDrawImageGrid.
enum uiGridMode {
    UI_GRID_HORIZONTAL3 = 2,
    UI_GRID_VERTICAL3 = 3,
    UI_GRID_NINE = 4,
};

// 0 (nothing drawn) when the margins exceed the image; else draws by mode and returns 1.
int uiDrawImageGrid(HDC dc, uiImage* image, int mode, const RECT& destination, int left, int top, int right, int bottom);
int uiDrawImageNineGrid(HDC dc, uiImage* image, const RECT& destination, int left, int top, int right, int bottom);

// Fills with the brush and outlines with the pen; band-only paints a band of the border width alone.
int uiDrawRectangle(HDC dc, const RECT& rect, HPEN pen, HBRUSH brush, int borderWidth, BOOL bandOnly);
int uiDrawRoundRect(HDC dc, const RECT& rect, int ellipseWidth, int ellipseHeight, HPEN pen, HBRUSH brush,
                    int borderWidth, BOOL bandOnly);
void uiDrawLine(HDC dc, POINT start, POINT end);
int uiGetTextWidth(HDC dc, HFONT font, const CString& text);

void uiRectScreenToWindow(HWND window, RECT* rect);
// A new bitmap (owned by the caller) holding a copy of the rectangle of the DC.
HBITMAP uiCopyDCToBitmap(HDC dc, const RECT& rect);

// Copies the source into the destination, leaving out pixels of the key colour (-1: no key).
void uiTransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, COLORREF key);
void uiTransparentBltRect(HDC destination, const RECT& destinationRect, HDC source, const RECT& sourceRect, COLORREF key);

// The region of the pixels that differ from the key (red, green and blue compared); null on failure.
// uiRegionFromBitmap reads the bitmap selected into the DC, uiBitmapToRegion a bitmap selected nowhere.
HRGN uiRegionFromBitmap(HDC dc, HBITMAP bitmap, COLORREF key);
HRGN uiBitmapToRegion(HBITMAP bitmap, COLORREF key);

// Drive and directory of the executable, ending in one backslash.
CString uiGetModuleFolder();
// 0 unknown; 1 Win32s; 2 NT 4 or older; 3, 4, 5 Windows 95, 98, Me; 6, 7, 8, 9 Windows 2000, XP, Vista, 7.
int uiGetOSVersion();
