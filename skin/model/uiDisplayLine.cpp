// The line item: a pen line along the top or left edge of its rectangle, or a gradient fill.
#include "uiDisplayLine.h"

#include "uiDrawRoutines.h"
#include "uiGradient.h"

uiDisplayLine::uiDisplayLine() : uiDisplayItem(UI_ITEM_LINE)
{
}

int uiDisplayLine::Paint(HDC dc)
{
    if (m_gradient) {
        uiFillGradient(dc, GetRect(), m_gradientBegin.GetColor(), m_gradientEnd.GetColor(), m_direction);
        return 1;
    }
    HPEN pen = CreatePen(m_penStyle, m_penWidth, uiGdiColor(m_lineColor.GetColor()));
    HGDIOBJ previous = SelectObject(dc, pen);
    // The far ends saturate: a line near the end of the range never wraps round across the surface.
    const RECT rect = GetRect();
    const POINT start = {rect.left, rect.top};
    const POINT end = m_direction == 1 ? POINT{rect.left, rect.bottom} : POINT{rect.right, rect.top};
    uiDrawLine(dc, start, end);
    SelectObject(dc, previous);
    DeleteObject(pen);
    return 1;
}

uiDisplayItem* uiDisplayLine::Clone() const
{
    auto* copy = new uiDisplayLine;
    CopyTo(copy);
    copy->m_lineColor = m_lineColor;
    copy->m_gradientBegin = m_gradientBegin;
    copy->m_gradientEnd = m_gradientEnd;
    copy->m_penStyle = m_penStyle;
    copy->m_gradient = m_gradient;
    copy->m_direction = m_direction;
    copy->m_penWidth = m_penWidth;
    return copy;
}

int uiDisplayLine::AdjustColor(int hue, int saturation, int lightness)
{
    m_lineColor.AdjustColor(hue, saturation, lightness);
    m_gradientBegin.AdjustColor(hue, saturation, lightness);
    m_gradientEnd.AdjustColor(hue, saturation, lightness);
    return 1;
}
