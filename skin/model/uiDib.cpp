// Decoded images: loading through the decoders, the transparent-colour mask, gray and adjusted copies.
#include "uiDib.h"

#include <climits>
#include <cstring>

#include "uiColorAdjust.h"
#include "uiDibBMP.h"
#include "uiDibJpeg.h"
#include "uiDibPNG.h"
#include "uiImageFile.h"

namespace {

const size_t kHeaderSize = sizeof(BITMAPINFOHEADER);
const int kPaletteEntries = 256;
const COLORREF kMagenta = RGB(255, 0, 255);

COLORREF QuadColor(const RGBQUAD& quad)
{
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

void SetPixelColor(BYTE* bgr, DWORD dibOrderValue)
{
    bgr[0] = static_cast<BYTE>(dibOrderValue);
    bgr[1] = static_cast<BYTE>(dibOrderValue >> 8);
    bgr[2] = static_cast<BYTE>(dibOrderValue >> 16);
}

BYTE GrayValue(int red, int green, int blue)
{
    return static_cast<BYTE>((blue * 117 + green * 601 + red * 306) >> 10);
}

} // namespace

size_t uiDib::CheckedStride(long long width, long long height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0 || width > INT_MAX / 32 || height > INT_MAX)
        return 0;
    const unsigned long long stride = (static_cast<unsigned long long>(width) * bitsPerPixel + 31) / 32 * 4;
    if (stride * static_cast<unsigned long long>(height) > UI_MAX_IMAGE_BYTES)
        return 0;
    return static_cast<size_t>(stride);
}

void uiDib::FillHeader(BYTE* packed, int width, int height, int bitCount, size_t imageSize)
{
    BITMAPINFOHEADER header = {};
    header.biSize = kHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageSize);
    header.biClrUsed = bitCount == 8 ? kPaletteEntries : 0;
    memcpy(packed, &header, kHeaderSize);
}

void uiDib::SetDecoded(std::vector<BYTE>&& packed, int format, BOOL alpha)
{
    m_packed = std::move(packed);
    m_format = format;
    m_alpha = alpha;
}

const BITMAPINFOHEADER* uiDib::Header() const
{
    return reinterpret_cast<const BITMAPINFOHEADER*>(m_packed.data());
}

int uiDib::GetWidth() const
{
    return IsEmpty() ? 0 : Header()->biWidth;
}

int uiDib::GetHeight() const
{
    return IsEmpty() ? 0 : Header()->biHeight;
}

const BITMAPINFO* uiDib::GetInfo() const
{
    return IsEmpty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(m_packed.data());
}

const BYTE* uiDib::GetBits() const
{
    return IsEmpty() ? nullptr : m_packed.data() + BitsOffset();
}

size_t uiDib::BitsOffset() const
{
    return kHeaderSize + (m_format == UI_DIB_PALETTE8 ? kPaletteEntries * sizeof(RGBQUAD) : 0);
}

size_t uiDib::Stride() const
{
    return (static_cast<size_t>(GetWidth()) * Header()->biBitCount + 31) / 32 * 4;
}

const BITMAPINFO* uiDib::ShownInfo() const
{
    return reinterpret_cast<const BITMAPINFO*>(m_modifiedInfo.empty() ? m_packed.data() : m_modifiedInfo.data());
}

const BYTE* uiDib::ShownBits() const
{
    return m_modifiedBits.empty() ? m_packed.data() + BitsOffset() : m_modifiedBits.data();
}

template <typename Decoder>
BOOL uiDib::DecodeWith(const BYTE* bytes, size_t length)
{
    Decoder decoder;
    uiDib& result = decoder;
    result.m_name = m_name;
    const BOOL ok = decoder.Decode(bytes, length);
    m_errorCode = result.m_errorCode;
    if (ok)
        SetDecoded(std::move(result.m_packed), result.m_format, result.m_alpha);
    return ok;
}

BOOL uiDib::LoadFromMemory(const CString& name, const BYTE* bytes, size_t length)
{
    m_name = name;
    m_packed.clear();
    m_mask.clear();
    m_modifiedInfo.clear();
    m_modifiedBits.clear();
    m_gray = m_adjusted = m_alpha = FALSE;
    m_format = UI_DIB_NONE;
    m_blackIndex = m_whiteIndex = -1;
    m_errorCode = 0;

    const CString extension = uiGetLowerExtension(name);
    BOOL ok = FALSE;
    if (extension == L".png")
        ok = DecodeWith<uiDibPNG>(bytes, length);
    else if (extension == L".bmp")
        ok = DecodeWith<uiDibBMP>(bytes, length);
    else if (extension == L".jpg" || extension == L".jpeg" || extension == L".jpe")
        ok = DecodeWith<uiDibJpeg>(bytes, length);
    if (!ok) {
        m_packed.clear();
        return FALSE;
    }
    if (m_transparentColor != static_cast<COLORREF>(-1))
        BuildMask();
    return TRUE;
}

BOOL uiDib::LoadFromFile(const CString& path)
{
    std::vector<BYTE> bytes;
    if (!uiReadFileBytes(path, &bytes))
        return FALSE;
    return LoadFromMemory(path, bytes.data(), bytes.size());
}

void uiDib::BuildMask()
{
    if (m_format == UI_DIB_RGB24)
        BuildMask24();
    else if (m_format == UI_DIB_PALETTE8)
        BuildMask8();
}

void uiDib::BuildMask24()
{
    const size_t stride = Stride(), offset = BitsOffset();
    const int width = GetWidth(), height = GetHeight();
    std::vector<BYTE> mask(m_packed.size(), 0);
    memcpy(mask.data(), m_packed.data(), offset);
    const BYTE red = GetRValue(m_transparentColor), green = GetGValue(m_transparentColor), blue = GetBValue(m_transparentColor);
    bool any = false;
    for (int y = 0; y < height; ++y) {
        BYTE* row = m_packed.data() + offset + y * stride;
        BYTE* maskRow = mask.data() + offset + y * stride;
        for (int x = 0; x < width; ++x) {
            BYTE* pixel = row + x * 3;
            if (pixel[0] == blue && pixel[1] == green && pixel[2] == red) {
                memset(maskRow + x * 3, 255, 3);
                memset(pixel, 0, 3);
                any = true;
            }
        }
    }
    if (any)
        m_mask.swap(mask);
}

int uiDib::NearestPaletteIndex(COLORREF color, int maxDistance) const
{
    const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(m_packed.data() + kHeaderSize);
    int best = -1, bestDistance = INT_MAX;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const int dr = palette[i].rgbRed - GetRValue(color);
        const int dg = palette[i].rgbGreen - GetGValue(color);
        const int db = palette[i].rgbBlue - GetBValue(color);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return bestDistance <= maxDistance ? best : -1;
}

void uiDib::BuildMask8()
{
    const int key = NearestPaletteIndex(m_transparentColor, 128);
    if (key < 0)
        return;
    m_blackIndex = NearestPaletteIndex(RGB(0, 0, 0), INT_MAX);
    m_whiteIndex = NearestPaletteIndex(RGB(255, 255, 255), INT_MAX);
    const size_t stride = Stride(), offset = BitsOffset();
    const int width = GetWidth(), height = GetHeight();
    std::vector<BYTE> mask(m_packed);
    bool any = false;
    for (int y = 0; y < height; ++y) {
        BYTE* row = m_packed.data() + offset + y * stride;
        BYTE* maskRow = mask.data() + offset + y * stride;
        for (int x = 0; x < width; ++x) {
            const bool transparent = row[x] == key;
            maskRow[x] = static_cast<BYTE>(transparent ? m_whiteIndex : m_blackIndex);
            if (transparent) {
                row[x] = static_cast<BYTE>(m_blackIndex);
                any = true;
            }
        }
    }
    if (any)
        m_mask.swap(mask);
}

bool uiDib::IsKeyColor(COLORREF color) const
{
    return color == kMagenta ||
           (m_transparentColor != static_cast<COLORREF>(-1) && color == (m_transparentColor & 0xFFFFFF));
}

bool uiDib::KeepsColor(COLORREF color) const
{
    return color == RGB(0, 0, 0) || color == RGB(255, 255, 255) || IsKeyColor(color);
}

template <typename F>
void uiDib::ForEachPixel(std::vector<BYTE>& bits, F f)
{
    const size_t stride = Stride(), bytesPerPixel = Header()->biBitCount / 8;
    const int width = GetWidth(), height = GetHeight();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f(bits.data() + y * stride + x * bytesPerPixel);
}

template <typename Keep, typename Recolor>
void uiDib::ModifyColors(Keep keep, Recolor recolor)
{
    if (m_format == UI_DIB_PALETTE8) {
        m_modifiedInfo.assign(m_packed.begin(), m_packed.begin() + BitsOffset());
        RGBQUAD* palette = reinterpret_cast<RGBQUAD*>(m_modifiedInfo.data() + kHeaderSize);
        for (int i = 0; i < kPaletteEntries; ++i) {
            const bool maskEntry = i == m_blackIndex || i == m_whiteIndex;
            if (!maskEntry && !keep(QuadColor(palette[i])))
                recolor(reinterpret_cast<BYTE*>(&palette[i]));
        }
        return;
    }
    m_modifiedBits.assign(m_packed.begin() + BitsOffset(), m_packed.end());
    ForEachPixel(m_modifiedBits, [&](BYTE* p) {
        if (!keep(RGB(p[2], p[1], p[0])))
            recolor(p);
    });
}

void uiDib::MakeGray()
{
    if (m_gray || IsEmpty())
        return;
    m_gray = TRUE;
    // Palettes keep their key entries; direct pixels all turn gray (transparent ones are black already).
    const bool palette = m_format == UI_DIB_PALETTE8;
    ModifyColors([&](COLORREF color) { return palette && IsKeyColor(color); },
                 [](BYTE* p) { p[0] = p[1] = p[2] = GrayValue(p[2], p[1], p[0]); });
}

void uiDib::AdjustColor(int hue, int saturation, int lightness)
{
    if (m_gray || IsEmpty())
        return;
    if (hue == 0 && saturation == 100 && lightness == 0) {
        m_modifiedInfo.clear();
        m_modifiedBits.clear();
        m_adjusted = FALSE;
        return;
    }
    uiSetColorAdjust(hue, saturation, lightness);
    m_adjusted = TRUE;
    ModifyColors([this](COLORREF color) { return KeepsColor(color); },
                 [](BYTE* p) { SetPixelColor(p, uiAdjustColorValue(RGB(p[2], p[1], p[0]))); });
}
