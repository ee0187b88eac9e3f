// The skin's colour record and its adjustment.
#include "uiColorInfo.h"

#include "uiColorAdjust.h"

void uiColorInfo::AdjustColor(int hue, int saturation, int lightness)
{
    if (!m_canAdjust)
        return;
    if (m_onlyBlackWhite) {
        // Text on a recoloured background: only black or white, whichever reads on it.
        if (lightness < 0) {
            m_curColor = RGB(255, 255, 255);
        } else if (lightness > 0) {
            m_curColor = RGB(0, 0, 0);
        } else {
            int red = 0, green = 0, blue = 0;
            uiHsvToRgb(hue, saturation, 1, &red, &green, &blue);
            const int luma = (blue * 117 + green * 601 + red * 306) >> 10;
            m_curColor = (luma > 0 && luma < 125) ? RGB(255, 255, 255) : RGB(0, 0, 0);
        }
        return;
    }
    uiSetColorAdjust(hue, saturation, lightness);
    if (hue != 0 || saturation != 100 || lightness != 0)
        m_curColor = uiSwapRedBlue(uiAdjustColorValue(m_baseColor));
    else
        m_curColor = m_baseColor;
}
