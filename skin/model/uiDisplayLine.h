// A display item that draws a horizontal or vertical line, or fills its rectangle with a gradient.
#pragma once

#include "uiDisplayItem.h"
#include "uiColorInfo.h"

class uiDisplayLine : public uiDisplayItem {
public:
    uiDisplayLine();

    int Paint(HDC dc) override;
    uiDisplayItem* Clone() const override;
    int AdjustColor(int hue, int saturation, int lightness) override;

    uiColorInfo m_lineColor;
    uiColorInfo m_gradientBegin;
    uiColorInfo m_gradientEnd;
    // PS_SOLID .. PS_DASHDOTDOT.
    int m_penStyle = PS_SOLID;
    BOOL m_gradient = FALSE;
    // 0 horizontal, 1 vertical; also the gradient's direction.
    int m_direction = 0;
    int m_penWidth = 1;
};
