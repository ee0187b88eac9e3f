// An off-screen device context: controls paint into it and copy the result once, which keeps painting
// free of flicker. The rectangle form copies itself back to its target when destroyed unless it was
// copied already or was made with no-blit-back; the DIB form holds a 32-bit bottom-up section.
#pragma once

#include <windows.h>

class uiMemDC {
public:
    uiMemDC(HDC target, const RECT& rect);
    uiMemDC(HDC target, const RECT& rect, BOOL noBlitBack);
    // Keeps only the target; used with CreateDibSurface.
    explicit uiMemDC(HDC target);
    uiMemDC(const uiMemDC&) = delete;
    uiMemDC& operator=(const uiMemDC&) = delete;
    ~uiMemDC();

    // Creates the memory DC with a 32-bit DIB section of the given size; the memory DC, or null.
    HDC CreateDibSurface(int width, int height);
    // Copies the rectangle (same position in both DCs) into the DC.
    void BlitTo(HDC dc);
    // Copies the rectangle into the target.
    uiMemDC& Flush();
    void ExcludeClip(const RECT& rect);

    HDC GetDC() const { return m_memoryDC; }
    operator HDC() const { return m_memoryDC; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    // For a DIB surface: its pixels (bottom-up rows of 4 bytes per pixel), else null.
    BYTE* GetBits() const { return m_bits; }

private:
    void Create(const RECT& rect);

    HDC m_memoryDC = nullptr;
    HDC m_targetDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    RECT m_rect = {0, 0, 0, 0};
    BOOL m_blitted = FALSE;
    BOOL m_noBlitBack = FALSE;
    BYTE* m_bits = nullptr;
};
