// The image item and its paint modes.
#include "uiDisplayImage.h"

#include <algorithm>
#include <climits>
#include "uiDrawRoutines.h"
#include "uiImage.h"
#include "uiSaturate.h"

namespace {

int Width(const RECT& rect)
{
    return uiSaturate(static_cast<long long>(rect.right) - rect.left);
}

int Height(const RECT& rect)
{
    return uiSaturate(static_cast<long long>(rect.bottom) - rect.top);
}

// The source drawn unscaled with its top-left corner at (left, top).
int DrawUnscaled(uiImage* image, HDC dc, long long left, long long top, const RECT& source)
{
    const RECT destination = {uiSaturate(left), uiSaturate(top), uiSaturate(left + Width(source)), uiSaturate(top + Height(source))};
    return image->Draw(dc, destination, &source);
}

int DrawTiles(uiImage* image, HDC dc, const RECT& target, const RECT& source)
{
    const long long pw = Width(source), ph = Height(source);
    if (pw <= 0 || ph <= 0)
        return 0;
    // Only the tiles that meet the DC's visible area are drawn: a skin can give a target far larger
    // than any window, and positions are kept in 64 bits so that no step wraps.
    RECT visible;
    if (GetClipBox(dc, &visible) == ERROR || !IntersectRect(&visible, &visible, &target))
        return 1;
    const long long firstColumn = (visible.left - static_cast<long long>(target.left)) / pw;
    const long long firstRow = (visible.top - static_cast<long long>(target.top)) / ph;
    for (long long top = target.top + firstRow * ph; top < visible.bottom; top += ph) {
        for (long long left = target.left + firstColumn * pw; left < visible.right; left += pw) {
            const RECT tile = {static_cast<LONG>(left), static_cast<LONG>(top),
                               static_cast<LONG>(std::min<long long>(left + pw, target.right)),
                               static_cast<LONG>(std::min<long long>(top + ph, target.bottom))};
            const RECT portion = {source.left, source.top, source.left + Width(tile), source.top + Height(tile)};
            image->Draw(dc, tile, &portion);
        }
    }
    return 1;
}

// Column of a "3in" or "4in" strip for the state the item is drawn in.
int StateColumn(DWORD mask)
{
    switch (mask) {
    case UI_STATE_OVER:
        return 1;
    case UI_STATE_DOWN:
        return 2;
    case UI_STATE_DISABLED:
        return 3;
    default:
        return 0;
    }
}

} // namespace

uiDisplayImage::uiDisplayImage() : uiDisplayItem(UI_ITEM_IMAGE)
{
}

int uiDisplayImage::Paint(HDC dc)
{
    ResolveRelative();
    if (!m_image)
        return 0;
    SelectStateColumn();
    RECT source = {0, 0, m_image->GetWidth(), m_image->GetHeight()};
    if (m_hasPart)
        source = m_partRect;
    return DrawByMode(dc, GetRect(), source);
}

uiDisplayItem* uiDisplayImage::Clone() const
{
    auto* copy = new uiDisplayImage;
    CopyTo(copy);
    copy->m_partLeft = m_partLeft;
    copy->m_partRight = m_partRight;
    copy->m_partTop = m_partTop;
    copy->m_partBottom = m_partBottom;
    copy->m_transparentColor = m_transparentColor;
    copy->m_image = m_image;
    copy->m_hasPart = m_hasPart;
    copy->m_canAdjust = m_canAdjust;
    copy->m_partRect = m_partRect;
    copy->m_paintMode = m_paintMode;
    copy->m_gray = m_gray;
    copy->m_autoSize = m_autoSize;
    return copy;
}

int uiDisplayImage::PaintDirect(HDC dc)
{
    if (!m_image)
        return 0;
    m_image->Draw(dc, GetRect(), nullptr);
    return 1;
}

int uiDisplayImage::GetImageWidth() const
{
    if (m_hasPart)
        return Width(m_partRect);
    return m_image ? std::max(m_image->GetWidth(), 0) : 0;
}

int uiDisplayImage::GetImageHeight() const
{
    if (m_hasPart)
        return Height(m_partRect);
    return m_image ? std::max(m_image->GetHeight(), 0) : 0;
}

int uiDisplayImage::PaintInRect(HDC dc, const RECT& target, const RECT* sub)
{
    if (!m_image)
        return 0;
    SelectStateColumn();
    RECT source = {0, 0, m_image->GetWidth(), m_image->GetHeight()};
    if (m_hasPart && sub) {
        source.left = uiSaturate(static_cast<long long>(m_partRect.left) + sub->left);
        source.top = uiSaturate(static_cast<long long>(m_partRect.top) + sub->top);
        source.right = uiSaturate(static_cast<long long>(source.left) + Width(*sub));
        source.bottom = uiSaturate(static_cast<long long>(source.top) + Height(*sub));
    } else if (m_hasPart) {
        source = m_partRect;
    } else if (sub) {
        source = *sub;
    }
    return DrawByMode(dc, target, source);
}

int uiDisplayImage::PaintFrame(HDC dc, int frame)
{
    if (!m_image)
        return 0;
    return m_image->DrawFrame(dc, GetRect(), frame);
}

int uiDisplayImage::DrawByMode(HDC dc, const RECT& target, const RECT& source)
{
    const int pw = Width(source), ph = Height(source);
    switch (m_paintMode) {
    case UI_PAINT_STRETCH:
        return m_image->Draw(dc, target, &source);
    case UI_PAINT_TILE:
        return DrawTiles(m_image, dc, target, source);
    case UI_PAINT_STRETCH_PART_HORZ:
    case UI_PAINT_STRETCH_PART_VERT:
    case UI_PAINT_STRETCH_PART_ALL:
        return uiDrawImageGrid(dc, m_image, m_paintMode, target, m_partLeft, m_partTop, m_partRight, m_partBottom);
    case UI_PAINT_CENTER:
        return DrawUnscaled(m_image, dc, static_cast<long long>(target.left) + Width(target) / 2 - pw / 2,
                            static_cast<long long>(target.top) + Height(target) / 2 - ph / 2, source);
    case UI_PAINT_LEFT:
    case UI_PAINT_TOP:
        return DrawUnscaled(m_image, dc, target.left, target.top, source);
    case UI_PAINT_RIGHT:
        return DrawUnscaled(m_image, dc, static_cast<long long>(target.right) - pw, target.top, source);
    case UI_PAINT_BOTTOM: {
        const RECT band = {target.left, uiSaturate(static_cast<long long>(target.bottom) - ph), target.right, target.bottom};
        return m_image->Draw(dc, band, &source);
    }
    default:
        return 0;
    }
}

void uiDisplayImage::SelectStateColumn()
{
    if (m_paintMode != UI_PAINT_3IN && m_paintMode != UI_PAINT_4IN)
        return;
    const int columns = m_paintMode == UI_PAINT_3IN ? 3 : 4;
    const int columnWidth = GetImageWidth() / columns;
    const int height = GetImageHeight();
    const int column = StateColumn(m_stateMask);
    const int left = uiSaturate(static_cast<long long>(column) * columnWidth);
    m_partRect = {left, 0, uiSaturatedAdd(left, columnWidth), height};
    m_hasPart = TRUE;
    m_paintMode = UI_PAINT_STRETCH;
}
