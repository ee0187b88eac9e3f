// The rectangle item: a border and fill, rounded corners, or a two-colour gradient.
#include "uiDisplayRect.h"

#include "uiDrawRoutines.h"
#include "uiGradient.h"

uiDisplayRect::uiDisplayRect() : uiDisplayItem(UI_ITEM_RECT)
{
}

int uiDisplayRect::Paint(HDC dc)
{
    ResolveRelative();
    const RECT rect = GetRect();
    if (m_gradient) {
        uiFillGradient(dc, rect, m_gradientBegin.GetColor(), m_gradientEnd.GetColor(), m_gradientMode);
        return 1;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, uiGdiColor(m_borderColor.GetColor()));
    HBRUSH brush = CreateSolidBrush(uiGdiColor(m_fillColor.GetColor()));
    if (m_cornerWidth != 0 || m_cornerHeight != 0)
        uiDrawRoundRect(dc, rect, m_cornerWidth, m_cornerHeight, pen, brush, m_borderWidth, !m_fill);
    else
        uiDrawRectangle(dc, rect, pen, brush, m_borderWidth, !m_fill);
    DeleteObject(pen);
    DeleteObject(brush);
    return 1;
}

uiDisplayItem* uiDisplayRect::Clone() const
{
    auto* copy = new uiDisplayRect;
    CopyTo(copy);
    copy->m_borderWidth = m_borderWidth;
    copy->m_cornerWidth = m_cornerWidth;
    copy->m_cornerHeight = m_cornerHeight;
    copy->m_gradient = m_gradient;
    copy->m_gradientMode = m_gradientMode;
    copy->m_fill = m_fill;
    copy->m_radius = m_radius;
    copy->m_textExtent = m_textExtent;
    copy->m_font = m_font;
    copy->m_borderColor = m_borderColor;
    copy->m_fillColor = m_fillColor;
    copy->m_gradientBegin = m_gradientBegin;
    copy->m_gradientEnd = m_gradientEnd;
    return copy;
}

int uiDisplayRect::AdjustColor(int hue, int saturation, int lightness)
{
    m_borderColor.AdjustColor(hue, saturation, lightness);
    m_fillColor.AdjustColor(hue, saturation, lightness);
    m_gradientBegin.AdjustColor(hue, saturation, lightness);
    m_gradientEnd.AdjustColor(hue, saturation, lightness);
    return 1;
}
