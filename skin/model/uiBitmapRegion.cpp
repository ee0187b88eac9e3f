// Window regions from the pixels of a bitmap that differ from a key colour: one rectangle per run of
// such pixels, merged into the region in batches so that no single region call grows without bound.
#include "uiDrawRoutines.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "uiMemDC.h"

namespace {

const DWORD kGrowBy = 100;
const DWORD kFlushAt = 2000;

class RegionBuilder {
public:
    RegionBuilder() : m_buffer(sizeof(RGNDATAHEADER) + kGrowBy * sizeof(RECT)) { Reset(); }
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;
    ~RegionBuilder()
    {
        if (m_result)
            DeleteObject(m_result);
    }

    bool Add(int left, int top, int right, int bottom)
    {
        if (Header()->nCount == Capacity())
            m_buffer.resize(m_buffer.size() + kGrowBy * sizeof(RECT));
        RECT& bound = Header()->rcBound;
        reinterpret_cast<RECT*>(m_buffer.data() + sizeof(RGNDATAHEADER))[Header()->nCount++] = {left, top, right, bottom};
        bound.left = std::min<LONG>(bound.left, left);
        bound.top = std::min<LONG>(bound.top, top);
        bound.right = std::max<LONG>(bound.right, right);
        bound.bottom = std::max<LONG>(bound.bottom, bottom);
        return Header()->nCount < kFlushAt || Flush();
    }

    // Merges the collected rectangles into the result; false when a region cannot be made.
    bool Flush()
    {
        HRGN part = Header()->nCount
                        ? ExtCreateRegion(nullptr, static_cast<DWORD>(m_buffer.size()), reinterpret_cast<RGNDATA*>(m_buffer.data()))
                        : CreateRectRgn(0, 0, 0, 0);
        Reset();
        if (!part)
            return false;
        if (!m_result) {
            m_result = part;
            return true;
        }
        CombineRgn(m_result, m_result, part, RGN_OR);
        DeleteObject(part);
        return true;
    }

    HRGN TakeResult()
    {
        HRGN result = m_result;
        m_result = nullptr;
        return result;
    }

private:
    RGNDATAHEADER* Header() { return reinterpret_cast<RGNDATAHEADER*>(m_buffer.data()); }
    DWORD Capacity() const { return static_cast<DWORD>((m_buffer.size() - sizeof(RGNDATAHEADER)) / sizeof(RECT)); }
    void Reset()
    {
        RGNDATAHEADER* header = Header();
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = 0;
        header->nRgnSize = 0;
        header->rcBound = {INT_MAX, INT_MAX, 0, 0};
    }

    std::vector<BYTE> m_buffer;
    HRGN m_result = nullptr;
};

bool SameRgb(const BYTE* pixel, COLORREF key)
{
    return pixel[0] == GetBValue(key) && pixel[1] == GetGValue(key) && pixel[2] == GetRValue(key);
}

// Builds the region from a DC holding the pixels at 0,0 and the size of the bitmap.
HRGN RegionFromPixels(HDC pixels, HBITMAP bitmap, COLORREF key)
{
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth, height = info.bmHeight;
    uiMemDC section(pixels);
    if (!section.CreateDibSurface(width, height))
        return nullptr;
    BitBlt(section.GetDC(), 0, 0, width, height, pixels, 0, 0, SRCCOPY);
    GdiFlush();
    const size_t stride = static_cast<size_t>(width) * 4;
    RegionBuilder builder;
    for (int y = 0; y < height; ++y) {
        // Bottom-up section: image row y is memory row height - 1 - y.
        const BYTE* row = section.GetBits() + (height - 1 - y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && SameRgb(row + x * 4, key))
                ++x;
            const int start = x;
            while (x < width && !SameRgb(row + x * 4, key))
                ++x;
            if (x > start && !builder.Add(start, y, x, y + 1))
                return nullptr;
        }
    }
    return builder.Flush() ? builder.TakeResult() : nullptr;
}

} // namespace

HRGN uiRegionFromBitmap(HDC dc, HBITMAP bitmap, COLORREF key)
{
    if (!dc || !bitmap)
        return nullptr;
    return RegionFromPixels(dc, bitmap, key);
}

HRGN uiBitmapToRegion(HBITMAP bitmap, COLORREF key)
{
    if (!bitmap)
        return nullptr;
    HDC source = CreateCompatibleDC(nullptr);
    if (!source)
        return nullptr;
    HGDIOBJ previous = SelectObject(source, bitmap);
    HRGN region = previous ? RegionFromPixels(source, bitmap, key) : nullptr;
    if (previous)
        SelectObject(source, previous);
    DeleteDC(source);
    return region;
}
