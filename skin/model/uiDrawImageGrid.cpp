// Images stretched by margins: three parts side by side or stacked, or nine parts whose corners keep
// their size.
#include "uiDrawRoutines.h"

#include <cstdint>

#include "uiImage.h"

namespace {

void DrawPart(HDC dc, uiImage* image, const RECT& source, const RECT& destination)
{
    image->Draw(dc, destination, &source);
}

bool MarginsFit(int size, int first, int second)
{
    return first >= 0 && second >= 0 && static_cast<int64_t>(first) + second <= size;
}

} // namespace

int uiDrawImageGrid(HDC dc, uiImage* image, int mode, const RECT& d, int left, int top, int right, int bottom)
{
    if (!image)
        return 0;
    const int w = image->GetWidth(), h = image->GetHeight();
    if (w < 0 || h < 0 || !MarginsFit(w, left, right) || !MarginsFit(h, top, bottom))
        return 0;
    switch (mode) {
    case UI_GRID_HORIZONTAL3:
        DrawPart(dc, image, {0, 0, left, h}, {d.left, d.top, d.left + left, d.bottom});
        DrawPart(dc, image, {left, 0, w - right, h}, {d.left + left, d.top, d.right - right, d.bottom});
        DrawPart(dc, image, {w - right, 0, w, h}, {d.right - right, d.top, d.right, d.bottom});
        return 1;
    case UI_GRID_VERTICAL3:
        DrawPart(dc, image, {0, 0, w, top}, {d.left, d.top, d.right, d.top + top});
        DrawPart(dc, image, {0, top, w, h - bottom}, {d.left, d.top + top, d.right, d.bottom - bottom});
        DrawPart(dc, image, {0, h - bottom, w, h}, {d.left, d.bottom - bottom, d.right, d.bottom});
        return 1;
    case UI_GRID_NINE:
        return uiDrawImageNineGrid(dc, image, d, left, top, right, bottom);
    default:
        return 1;
    }
}

int uiDrawImageNineGrid(HDC dc, uiImage* image, const RECT& d, int left, int top, int right, int bottom)
{
    if (!image)
        return 0;
    const int w = image->GetWidth(), h = image->GetHeight();
    // Column and row edges of the image and of the destination.
    const int sx[4] = {0, left, w - right, w}, sy[4] = {0, top, h - bottom, h};
    const int dx[4] = {d.left, d.left + left, d.right - right, d.right};
    const int dy[4] = {d.top, d.top + top, d.bottom - bottom, d.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const RECT source = {sx[column], sy[row], sx[column + 1], sy[row + 1]};
            if (source.right - source.left > 0 && source.bottom - source.top > 0)
                DrawPart(dc, image, source, {dx[column], dy[row], dx[column + 1], dy[row + 1]});
        }
    }
    return 1;
}
