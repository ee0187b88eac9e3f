// Rectangles, round rectangles, lines, text width, DC copies and colour-keyed blits.
#include "uiDrawRoutines.h"

#include "uiColorInfo.h"
#include "uiSaturate.h"

namespace {

// Saves the DC and clips away the inside of the rectangle, leaving a band of the border width. The
// border width comes from the skin as written: the inside stops at the ends of the range, and a band
// at least half as wide as the rectangle leaves no inside (GDI would turn the crossed edges round and
// cut a hole).
void ClipToBand(HDC dc, const RECT& rect, int borderWidth)
{
    SaveDC(dc);
    const RECT inside = {uiSaturatedAdd(rect.left, borderWidth), uiSaturatedAdd(rect.top, borderWidth),
                         uiSaturatedSubtract(rect.right, borderWidth), uiSaturatedSubtract(rect.bottom, borderWidth)};
    if (inside.left < inside.right && inside.top < inside.bottom)
        ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
}

// A memory DC with a bitmap selected, released with the object.
class ScratchDC {
public:
    ScratchDC(HDC compatible, HBITMAP bitmap) : m_dc(CreateCompatibleDC(compatible)), m_bitmap(bitmap)
    {
        if (m_dc && m_bitmap)
            m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~ScratchDC()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
        if (m_dc)
            DeleteDC(m_dc);
        if (m_bitmap)
            DeleteObject(m_bitmap);
    }
    ScratchDC(const ScratchDC&) = delete;
    ScratchDC& operator=(const ScratchDC&) = delete;

    bool IsValid() const { return m_previous != nullptr; }
    HDC Get() const { return m_dc; }
    // Hands the bitmap to the caller.
    HBITMAP Release()
    {
        SelectObject(m_dc, m_previous);
        m_previous = nullptr;
        HBITMAP bitmap = m_bitmap;
        m_bitmap = nullptr;
        return bitmap;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

} // namespace

int uiDrawRectangle(HDC dc, const RECT& rect, HPEN pen, HBRUSH brush, int borderWidth, BOOL bandOnly)
{
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    if (bandOnly)
        ClipToBand(dc, rect, borderWidth);
    const int right = uiSaturatedSubtract(rect.right, 1);
    const int bottom = uiSaturatedSubtract(rect.bottom, 1);
    const RECT fill = {rect.left, rect.top, right, bottom};
    FillRect(dc, &fill, brush);
    POINT old;
    MoveToEx(dc, rect.left, rect.top, &old);
    LineTo(dc, right, rect.top);
    LineTo(dc, right, bottom);
    LineTo(dc, rect.left, bottom);
    LineTo(dc, rect.left, rect.top);
    MoveToEx(dc, old.x, old.y, nullptr);
    if (bandOnly)
        RestoreDC(dc, -1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    return 1;
}

int uiDrawRoundRect(HDC dc, const RECT& rect, int ellipseWidth, int ellipseHeight, HPEN pen, HBRUSH brush,
                    int borderWidth, BOOL bandOnly)
{
    if (bandOnly)
        ClipToBand(dc, rect, borderWidth);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (bandOnly)
        RestoreDC(dc, -1);
    return 1;
}

void uiDrawLine(HDC dc, POINT start, POINT end)
{
    POINT old;
    MoveToEx(dc, start.x, start.y, &old);
    LineTo(dc, end.x, end.y);
    MoveToEx(dc, old.x, old.y, nullptr);
}

int uiGetTextWidth(HDC dc, HFONT font, const CString& text)
{
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    SelectObject(dc, oldFont);
    return size.cx;
}

void uiRectScreenToWindow(HWND window, RECT* rect)
{
    RECT windowRect = {0, 0, 0, 0};
    GetWindowRect(window, &windowRect);
    OffsetRect(rect, -windowRect.left, -windowRect.top);
}

HBITMAP uiCopyDCToBitmap(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    ScratchDC copy(dc, CreateCompatibleBitmap(dc, width, height));
    if (!copy.IsValid())
        return nullptr;
    BitBlt(copy.Get(), 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    return copy.Release();
}

void uiTransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, COLORREF key)
{
    auto copyFromSource = [&](HDC target, int targetX, int targetY) {
        if (sourceWidth == width && sourceHeight == height)
            BitBlt(target, targetX, targetY, width, height, source, sourceX, sourceY, SRCCOPY);
        else
            StretchBlt(target, targetX, targetY, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY);
    };
    if (key == UI_NO_COLOR) {
        copyFromSource(destination, x, y);
        return;
    }
    ScratchDC color(destination, CreateCompatibleBitmap(destination, width, height));
    ScratchDC mask(destination, CreateBitmap(width, height, 1, 1, nullptr));
    if (!color.IsValid() || !mask.IsValid())
        return;
    copyFromSource(color.Get(), 0, 0);
    // Key pixels become 1 in the mask, then black in the copy.
    SetBkColor(color.Get(), uiGdiColor(key));
    BitBlt(mask.Get(), 0, 0, width, height, color.Get(), 0, 0, SRCCOPY);
    SetBkColor(color.Get(), RGB(0, 0, 0));
    SetTextColor(color.Get(), RGB(255, 255, 255));
    BitBlt(color.Get(), 0, 0, width, height, mask.Get(), 0, 0, SRCAND);
    SetBkColor(destination, RGB(255, 255, 255));
    SetTextColor(destination, RGB(0, 0, 0));
    BitBlt(destination, x, y, width, height, mask.Get(), 0, 0, SRCAND);
    BitBlt(destination, x, y, width, height, color.Get(), 0, 0, SRCPAINT);
}

void uiTransparentBltRect(HDC destination, const RECT& d, HDC source, const RECT& s, COLORREF key)
{
    uiTransparentBlt(destination, d.left, d.top, d.right - d.left, d.bottom - d.top, source, s.left, s.top,
                     s.right - s.left, s.bottom - s.top, key);
}
