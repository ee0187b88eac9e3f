// Helpers of the skin model tests: the generated samples and their oracle files, and a 32-bit canvas
// whose pixels the tests read back after drawing.
#pragma once

#include <windows.h>
#include <string>
#include <vector>
#include "CString.h"

// Windows path (through drive Z:) of a file in a folder that a test fixture wrote into the build folder.
CString BuildTreePath(const wchar_t* folder, const wchar_t* relative);
// The file's bytes; empty when it cannot be read.
std::vector<BYTE> ReadFileBytes(const CString& path);

// Windows path of a file of the sample folder that make_samples.sh wrote into the build folder.
CString SamplePath(const wchar_t* relative);
std::vector<BYTE> ReadSample(const wchar_t* relative);

// A top-down 32-bit DIB section selected into a memory DC.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC GetDC() const { return m_dc; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    void Fill(COLORREF color);
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    // Writes the pixel's four bytes as they are (0xAARRGGBB).
    void SetRaw(int x, int y, DWORD value);

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};
