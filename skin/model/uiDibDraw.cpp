// Drawing of decoded images: plain and masked stretches through StretchDIBits, alpha blending over the
// destination, and premultiplied copies.
#include "uiDib.h"

#include <cstdint>

#include "uiImageFile.h"
#include "uiMemDC.h"

namespace {

// Row y (counted from the top) of a 32-bit bottom-up surface.
BYTE* SurfaceRow(const uiMemDC& surface, int width, int height, int y)
{
    return surface.GetBits() + static_cast<size_t>(height - 1 - y) * width * 4;
}

// A 32-bit surface for the destination's size; null when none can be made.
HDC CreateSurface(uiMemDC& surface, int width, int height)
{
    if (static_cast<uint64_t>(width) * height * 4 > UI_MAX_IMAGE_BYTES)
        return nullptr;
    return surface.CreateDibSurface(width, height);
}

// Calls f(destination row, destination column, source pixel) for every destination pixel, taking the
// nearest source pixel of a bottom-up 32-bit bitmap.
template <typename F>
void SampleNearest(const BYTE* bits, size_t stride, int bitmapHeight, const RECT& source, int width, int height, F f)
{
    const int64_t sourceWidth = source.right - source.left, sourceHeight = source.bottom - source.top;
    for (int i = 0; i < height; ++i) {
        const int64_t sourceY = source.top + i * sourceHeight / height;
        const BYTE* row = bits + (bitmapHeight - 1 - sourceY) * stride;
        for (int j = 0; j < width; ++j)
            f(i, j, row + (source.left + j * sourceWidth / width) * 4);
    }
}

} // namespace

BOOL uiDib::Draw(HDC dc, const RECT& destination, const RECT& requested) const
{
    if (IsEmpty() || IsRectEmpty(&destination))
        return FALSE;
    const RECT bounds = {0, 0, GetWidth(), GetHeight()};
    RECT source;
    if (!IntersectRect(&source, &requested, &bounds))
        return FALSE;
    if (m_alpha)
        return BlendOnto(dc, destination, source, ShownBits());

    const int width = destination.right - destination.left, height = destination.bottom - destination.top;
    const int sourceWidth = source.right - source.left, sourceHeight = source.bottom - source.top;
    // Bottom-up rows: the source position counts from the bitmap's last row.
    const int sourceY = GetHeight() - source.bottom;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (HasMask()) {
        const BITMAPINFO* maskInfo = reinterpret_cast<const BITMAPINFO*>(m_mask.data());
        StretchDIBits(dc, destination.left, destination.top, width, height, source.left, sourceY, sourceWidth,
                      sourceHeight, m_mask.data() + BitsOffset(), maskInfo, DIB_RGB_COLORS, SRCAND);
    }
    StretchDIBits(dc, destination.left, destination.top, width, height, source.left, sourceY, sourceWidth,
                  sourceHeight, ShownBits(), ShownInfo(), DIB_RGB_COLORS, HasMask() ? SRCPAINT : SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return TRUE;
}

BOOL uiDib::BlendOnto(HDC dc, const RECT& destination, const RECT& source, const BYTE* bits) const
{
    const int width = destination.right - destination.left, height = destination.bottom - destination.top;
    uiMemDC surface(dc);
    HDC surfaceDC = CreateSurface(surface, width, height);
    if (!surfaceDC)
        return FALSE;
    BitBlt(surfaceDC, 0, 0, width, height, dc, destination.left, destination.top, SRCCOPY);
    GdiFlush();
    SampleNearest(bits, Stride(), GetHeight(), source, width, height, [&](int i, int j, const BYTE* pixel) {
        BYTE* target = SurfaceRow(surface, width, height, i) + j * 4;
        const int alpha = pixel[3];
        for (int c = 0; c < 3; ++c)
            target[c] = static_cast<BYTE>(((target[c] * (255 - alpha) + pixel[c] * alpha) * 257 + 255) >> 16);
    });
    BitBlt(dc, destination.left, destination.top, width, height, surfaceDC, 0, 0, SRCCOPY);
    return TRUE;
}

BOOL uiDib::DrawPremultiplied(HDC dc, const RECT& destination) const
{
    if (IsEmpty() || m_format != UI_DIB_RGB32 || IsRectEmpty(&destination))
        return FALSE;
    const int width = destination.right - destination.left, height = destination.bottom - destination.top;
    uiMemDC surface(dc);
    HDC surfaceDC = CreateSurface(surface, width, height);
    if (!surfaceDC)
        return FALSE;
    const RECT whole = {0, 0, GetWidth(), GetHeight()};
    SampleNearest(ShownBits(), Stride(), GetHeight(), whole, width, height, [&](int i, int j, const BYTE* pixel) {
        BYTE* target = SurfaceRow(surface, width, height, i) + j * 4;
        const int alpha = pixel[3];
        for (int c = 0; c < 3; ++c)
            target[c] = alpha == 255 ? pixel[c] : static_cast<BYTE>(pixel[c] * alpha >> 8);
        target[3] = static_cast<BYTE>(alpha);
    });
    BitBlt(dc, destination.left, destination.top, width, height, surfaceDC, 0, 0, SRCCOPY);
    return TRUE;
}
