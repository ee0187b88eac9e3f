// Helpers of the skin model tests.
#include "SkinTestSupport.h"

#include <cstdlib>

#include "uiImageFile.h"

CString BuildTreePath(const wchar_t* folder, const wchar_t* relative)
{
    const wchar_t* binary = _wgetenv(L"TAVRIN_BINARY_DIR");
    CString path = CString(L"Z:") + (binary ? binary : L"") + L"/" + folder + L"/" + relative;
    path.Replace(L'/', L'\\');
    return path;
}

std::vector<BYTE> ReadFileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    uiReadFileBytes(path, &bytes);
    return bytes;
}

CString SamplePath(const wchar_t* relative)
{
    return BuildTreePath(L"skin-model-samples", relative);
}

std::vector<BYTE> ReadSample(const wchar_t* relative)
{
    return ReadFileBytes(SamplePath(relative));
}

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_previous = SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

PixelCanvas::~PixelCanvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void PixelCanvas::Fill(COLORREF color)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            SetPixel(x, y, color);
}

COLORREF PixelCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    const DWORD value = m_bits[y * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

void PixelCanvas::SetPixel(int x, int y, COLORREF color)
{
    SetRaw(x, y, (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color));
}

void PixelCanvas::SetRaw(int x, int y, DWORD value)
{
    GdiFlush();
    m_bits[y * m_width + x] = value;
}
