// The skin's colour record: a base colour, its current (adjusted) value, and how adjustments treat it.
#pragma once

#include <windows.h>

// Skin colours keep a top byte that GDI would misread; GDI receives only red, green and blue.
inline COLORREF uiGdiColor(COLORREF color)
{
    return color & 0x00FFFFFF;
}

// -1: the skin's "no colour".
const COLORREF UI_NO_COLOR = static_cast<COLORREF>(-1);

class uiColorInfo {
public:
    uiColorInfo() = default;
    explicit uiColorInfo(COLORREF color) : m_baseColor(color), m_curColor(color) {}

    void SetColor(COLORREF color) { m_baseColor = m_curColor = color; }
    void SetCanAdjust(BOOL canAdjust) { m_canAdjust = canAdjust; }
    void SetOnlyBlackWhite(BOOL onlyBlackWhite) { m_onlyBlackWhite = onlyBlackWhite; }

    COLORREF GetBaseColor() const { return m_baseColor; }
    COLORREF GetColor() const { return m_curColor; }
    BOOL GetCanAdjust() const { return m_canAdjust; }
    BOOL GetOnlyBlackWhite() const { return m_onlyBlackWhite; }

    // Recomputes the current colour from the base colour for a hue shift (degrees), a saturation
    // (percent, 100 unchanged) and a lightness (percent, -100 to 100).
    void AdjustColor(int hue, int saturation, int lightness);

private:
    COLORREF m_baseColor = UI_NO_COLOR;
    COLORREF m_curColor = UI_NO_COLOR;
    BOOL m_canAdjust = TRUE;
    BOOL m_onlyBlackWhite = FALSE;
};
