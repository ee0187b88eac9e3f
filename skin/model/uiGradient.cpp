// Gradient fill through GDI's two-vertex rectangle gradient, when the system offers it.
#include "uiGradient.h"

#include "uiApiLoader.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color)
{
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    // GDI takes 16-bit channels.
    vertex.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    vertex.Alpha = 0;
    return vertex;
}

} // namespace

void uiFillGradient(HDC dc, const RECT& rect, COLORREF begin, COLORREF end, int mode)
{
    if (!uiApiLoader::GradientFill)
        return;
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, begin), Vertex(rect.right, rect.bottom, end)};
    GRADIENT_RECT mesh = {0, 1};
    uiApiLoader::GradientFill(dc, vertices, 2, &mesh, 1, mode == 1 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}
