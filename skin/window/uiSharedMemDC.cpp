// The shared scratch memory DC.
#include "uiSharedMemDC.h"

#include <algorithm>

uiSharedMemDC* uiGetSharedMemDC()
{
    static uiSharedMemDC shared;
    return &shared;
}

uiSharedMemDC::~uiSharedMemDC()
{
    ReleaseBitmap();
    if (m_memDC)
        DeleteDC(m_memDC);
}

HDC uiSharedMemDC::Prepare(HDC hdc, const RECT& rect)
{
    const HDC dc = Ensure(hdc, SIZE{rect.right - rect.left, rect.bottom - rect.top});
    m_rect = rect;
    m_targetDC = hdc;
    return dc;
}

HDC uiSharedMemDC::Ensure(HDC hdc, SIZE size)
{
    m_rect = {0, 0, size.cx, size.cy};
    m_targetDC = hdc;
    if (m_bitmap && m_capWidth >= size.cx && m_capHeight >= size.cy) {
        SelectClipRgn(m_memDC, nullptr);
        return m_memDC;
    }
    const int width = std::max(m_capWidth, static_cast<int>(size.cx));
    const int height = std::max(m_capHeight, static_cast<int>(size.cy));
    ReleaseBitmap();
    if (!m_memDC)
        m_memDC = CreateCompatibleDC(hdc);
    if (!m_memDC)
        return nullptr;
    m_bitmap = CreateCompatibleBitmap(hdc, std::max(width, 1), std::max(height, 1));
    if (!m_bitmap)
        return nullptr;
    m_oldBitmap = SelectObject(m_memDC, m_bitmap);
    m_capWidth = width;
    m_capHeight = height;
    SelectClipRgn(m_memDC, nullptr);
    return m_memDC;
}

void uiSharedMemDC::ReleaseBitmap()
{
    if (!m_bitmap)
        return;
    SelectObject(m_memDC, m_oldBitmap);
    DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_capWidth = 0;
    m_capHeight = 0;
}
