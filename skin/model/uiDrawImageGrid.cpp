// Images stretched by margins: three parts side by side or stacked, or nine parts whose corners keep
// their size. Margins may be negative: the middle part then reaches beyond the destination.
#include "uiDrawRoutines.h"

#include <cstdint>

#include "uiImage.h"

namespace {

// The four column (or row) edges of the image and of the destination.
struct GridEdges {
    int source[4];
    int target[4];
};

// GDI addresses coordinates up to 2^27; only absurd margins put an edge beyond, and refusing them keeps
// every width and height computed from the edges inside the int range.
const int64_t kCoordinateLimit = 1 << 27;

bool ComputeEdges(int size, int start, int end, int first, int second, GridEdges* edges)
{
    const int64_t source[4] = {0, first, static_cast<int64_t>(size) - second, size};
    const int64_t target[4] = {start, static_cast<int64_t>(start) + first, static_cast<int64_t>(end) - second, end};
    for (int i = 0; i < 4; ++i) {
        if (source[i] < -kCoordinateLimit || source[i] > kCoordinateLimit || target[i] < -kCoordinateLimit ||
            target[i] > kCoordinateLimit)
            return false;
        edges->source[i] = static_cast<int>(source[i]);
        edges->target[i] = static_cast<int>(target[i]);
    }
    return true;
}

bool ComputeGrid(uiImage* image, const RECT& d, int left, int top, int right, int bottom, GridEdges* columns,
                 GridEdges* rows)
{
    return ComputeEdges(image->GetWidth(), d.left, d.right, left, right, columns) &&
           ComputeEdges(image->GetHeight(), d.top, d.bottom, top, bottom, rows);
}

void DrawPart(HDC dc, uiImage* image, const RECT& source, const RECT& destination)
{
    image->Draw(dc, destination, &source);
}

// The nine parts; a part without pixels of the image is left out.
void DrawNineParts(HDC dc, uiImage* image, const GridEdges& columns, const GridEdges& rows)
{
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const RECT source = {columns.source[column], rows.source[row], columns.source[column + 1],
                                 rows.source[row + 1]};
            if (source.right > source.left && source.bottom > source.top)
                DrawPart(dc, image, source,
                         {columns.target[column], rows.target[row], columns.target[column + 1], rows.target[row + 1]});
        }
    }
}

} // namespace

int uiDrawImageGrid(HDC dc, uiImage* image, int mode, const RECT& d, int left, int top, int right, int bottom)
{
    if (!image)
        return 0;
    const int w = image->GetWidth(), h = image->GetHeight();
    GridEdges columns, rows;
    if (w < 0 || h < 0 || static_cast<int64_t>(left) + right > w || static_cast<int64_t>(top) + bottom > h ||
        !ComputeGrid(image, d, left, top, right, bottom, &columns, &rows))
        return 0;
    switch (mode) {
    case UI_GRID_HORIZONTAL3:
        for (int i = 0; i < 3; ++i)
            DrawPart(dc, image, {columns.source[i], 0, columns.source[i + 1], h},
                     {columns.target[i], d.top, columns.target[i + 1], d.bottom});
        return 1;
    case UI_GRID_VERTICAL3:
        for (int i = 0; i < 3; ++i)
            DrawPart(dc, image, {0, rows.source[i], w, rows.source[i + 1]},
                     {d.left, rows.target[i], d.right, rows.target[i + 1]});
        return 1;
    case UI_GRID_NINE:
        DrawNineParts(dc, image, columns, rows);
        return 1;
    default:
        return 1;
    }
}

int uiDrawImageNineGrid(HDC dc, uiImage* image, const RECT& d, int left, int top, int right, int bottom)
{
    GridEdges columns, rows;
    if (!image || !ComputeGrid(image, d, left, top, right, bottom, &columns, &rows))
        return 0;
    DrawNineParts(dc, image, columns, rows);
    return 1;
}
