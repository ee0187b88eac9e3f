// A display item that draws a rectangle: filled, a border band only, rounded, or a two-colour gradient.
#pragma once

#include "uiDisplayItem.h"
#include "uiColorInfo.h"

class uiDisplayRect : public uiDisplayItem {
public:
    uiDisplayRect();

    int Paint(HDC dc) override;
    uiDisplayItem* Clone() const override;
    int AdjustColor(int hue, int saturation, int lightness) override;

    int m_borderWidth = 1;
    int m_cornerWidth = 0;
    int m_cornerHeight = 0;
    BOOL m_gradient = FALSE;
    // 0 horizontal, 1 vertical.
    int m_gradientMode = 0;
    // 0 draws the border band without filling ("hole").
    BOOL m_fill = TRUE;
    int m_radius = 0;
    CString m_textExtent;
    HFONT m_font = nullptr;
    uiColorInfo m_borderColor;
    uiColorInfo m_fillColor;
    uiColorInfo m_gradientBegin;
    uiColorInfo m_gradientEnd;
};
