// Off-screen device contexts.
#include "uiMemDC.h"

uiMemDC::uiMemDC(HDC target, const RECT& rect) : m_targetDC(target)
{
    Create(rect);
}

uiMemDC::uiMemDC(HDC target, const RECT& rect, BOOL noBlitBack) : m_targetDC(target), m_noBlitBack(noBlitBack)
{
    Create(rect);
}

uiMemDC::uiMemDC(HDC target) : m_targetDC(target)
{
}

void uiMemDC::Create(const RECT& rect)
{
    m_rect = rect;
    m_memoryDC = CreateCompatibleDC(m_targetDC);
    m_bitmap = CreateCompatibleBitmap(m_targetDC, rect.right - rect.left, rect.bottom - rect.top);
    if (m_memoryDC && m_bitmap)
        m_previousBitmap = SelectObject(m_memoryDC, m_bitmap);
}

HDC uiMemDC::CreateDibSurface(int width, int height)
{
    if (m_memoryDC || width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * height * 4;
    m_memoryDC = CreateCompatibleDC(m_targetDC);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_targetDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_memoryDC || !m_bitmap)
        return nullptr;
    m_bits = static_cast<BYTE*>(bits);
    m_previousBitmap = SelectObject(m_memoryDC, m_bitmap);
    return m_memoryDC;
}

void uiMemDC::BlitTo(HDC dc)
{
    BitBlt(dc, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_memoryDC,
           m_rect.left, m_rect.top, SRCCOPY);
    m_blitted = TRUE;
}

uiMemDC& uiMemDC::Flush()
{
    BlitTo(m_targetDC);
    return *this;
}

void uiMemDC::ExcludeClip(const RECT& rect)
{
    ExcludeClipRect(m_memoryDC, rect.left, rect.top, rect.right, rect.bottom);
}

uiMemDC::~uiMemDC()
{
    if (!m_blitted && !m_noBlitBack && m_targetDC && m_memoryDC)
        Flush();
    if (m_memoryDC) {
        if (m_previousBitmap)
            SelectObject(m_memoryDC, m_previousBitmap);
        DeleteDC(m_memoryDC);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}
