// A display item that draws a skin image, or a part of it, by one of the paint modes.
#pragma once

#include "uiDisplayItem.h"
#include "uiColorInfo.h"

class uiImage;

// Paint modes of image items.
enum uiPaintMode {
    UI_PAINT_STRETCH = 0,
    UI_PAINT_TILE = 1,
    UI_PAINT_STRETCH_PART_HORZ = 2,
    UI_PAINT_STRETCH_PART_VERT = 3,
    UI_PAINT_STRETCH_PART_ALL = 4,
    UI_PAINT_CENTER = 5,
    UI_PAINT_LEFT = 6,
    UI_PAINT_TOP = 7,
    UI_PAINT_RIGHT = 8,
    UI_PAINT_BOTTOM = 13,
    UI_PAINT_3IN = 14,
    UI_PAINT_4IN = 15,
};

class uiDisplayImage : public uiDisplayItem {
public:
    uiDisplayImage();

    int Paint(HDC dc) override;
    uiDisplayItem* Clone() const override;
    int PaintDirect(HDC dc) override;

    // Size of the part when one is set, else of the whole image; 0 without an image.
    int GetImageWidth() const;
    int GetImageHeight() const;
    // Draws like Paint into the target; the sub-rectangle, when given, is taken inside the part.
    int PaintInRect(HDC dc, const RECT& target, const RECT* sub);
    int PaintFrame(HDC dc, int frame);

    int m_partLeft = 0;
    int m_partRight = 0;
    int m_partTop = 0;
    int m_partBottom = 0;
    COLORREF m_transparentColor = UI_NO_COLOR;
    uiImage* m_image = nullptr;
    BOOL m_hasPart = FALSE;
    BOOL m_canAdjust = TRUE;
    RECT m_partRect = {0, 0, 0, 0};
    int m_paintMode = UI_PAINT_STRETCH;
    BOOL m_gray = FALSE;
    BOOL m_autoSize = FALSE;

private:
    int DrawByMode(HDC dc, const RECT& target, const RECT& source);
    void SelectStateColumn();
};
