// The engine's one scratch off-screen DC for short drawing (menu items, tabs). Its bitmap grows to
// the largest size ever asked for and is never shrunk, so most requests allocate nothing. Its content
// is undefined between requests: callers copy in, draw and copy out before the next request.
#pragma once

#include <windows.h>

class uiSharedMemDC {
public:
    uiSharedMemDC() = default;
    uiSharedMemDC(const uiSharedMemDC&) = delete;
    uiSharedMemDC& operator=(const uiSharedMemDC&) = delete;
    ~uiSharedMemDC();

    // The scratch DC covering at least the rectangle's size, remembered as the current request.
    HDC Prepare(HDC hdc, const RECT& rect);
    // The scratch DC with a bitmap of at least the size, clipping reset; null when the DC or its
    // bitmap cannot be made (the next request tries again).
    HDC Ensure(HDC hdc, SIZE size);

    const RECT& GetRect() const { return m_rect; }
    HDC GetTargetDC() const { return m_targetDC; }

private:
    void ReleaseBitmap();

    HDC m_memDC = nullptr;
    int m_capWidth = 0;
    int m_capHeight = 0;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    RECT m_rect = {0, 0, 0, 0};
    HDC m_targetDC = nullptr;
};

uiSharedMemDC* uiGetSharedMemDC();
