// BMP decoding: 8-bit images with a 256-entry palette and 24-bit images, uncompressed, rows bottom-up
// or top-down. Every size and offset of the headers is checked against the bytes present.
#include "uiDibBMP.h"
#include "uiLittleEndian.h"

#include <cstdint>
#include <cstring>

#include "uiLogFile.h"
#include "uiSkinError.h"

namespace {

const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
const size_t kPaletteBytes = 256 * sizeof(RGBQUAD);

} // namespace

BOOL uiDibBMP::Decode(const BYTE* bytes, size_t length)
{
    const wchar_t* name = GetName();
    if (!bytes || length < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        uiLogReport(UI_LOG_ERROR, L"Bitmap decode failed, not a bitmap format image. [%s]", name);
        return FALSE;
    }
    auto fail = [&](const wchar_t* format) {
        SetErrorCode(UI_ERROR_BMP_DECODE);
        uiSetSkinError(UI_ERROR_BMP_DECODE);
        uiLogReport(UI_LOG_ERROR, format, name);
        return FALSE;
    };
    if (length < kFileHeaderSize + kInfoHeaderSize)
        return fail(L"Bitmap decode failed, the bitmap is damaged. [%s]");
    BITMAPINFOHEADER header;
    memcpy(&header, bytes + kFileHeaderSize, kInfoHeaderSize);
    // An 8-bit image must carry the full palette (a count of 0 stands for 256 at this depth).
    const bool palette8 = header.biBitCount == 8 && (header.biClrUsed == 0 || header.biClrUsed == 256);
    const bool rgb24 = header.biBitCount == 24 && header.biClrUsed == 0;
    if (header.biSize < kInfoHeaderSize || header.biCompression != BI_RGB || !(palette8 || rgb24))
        return fail(L"Bitmap decode failed, only support 8bit, 24bit bitmap. [%s]");

    const long long width = header.biWidth, height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    const size_t stride = CheckedStride(width, height, header.biBitCount);
    const uint64_t paletteOffset = kFileHeaderSize + static_cast<uint64_t>(header.biSize);
    const size_t paletteSize = palette8 ? kPaletteBytes : 0;
    uint64_t bitsOffset = uiReadDword(bytes + 10);
    if (bitsOffset < paletteOffset + paletteSize)
        bitsOffset = paletteOffset + paletteSize;
    if (!stride || bitsOffset + static_cast<uint64_t>(stride) * height > length)
        return fail(L"Bitmap decode failed, the bitmap is damaged. [%s]");

    const size_t imageSize = stride * static_cast<size_t>(height);
    std::vector<BYTE> packed(kInfoHeaderSize + paletteSize + imageSize, 0);
    FillHeader(packed.data(), static_cast<int>(width), static_cast<int>(height), header.biBitCount, imageSize);
    memcpy(packed.data() + kInfoHeaderSize, bytes + paletteOffset, paletteSize);
    BYTE* bits = packed.data() + kInfoHeaderSize + paletteSize;
    const BYTE* source = bytes + bitsOffset;
    for (long long y = 0; y < height; ++y) {
        // Top-down files (negative height) are stored bottom-up like every other bitmap.
        const long long target = header.biHeight < 0 ? height - 1 - y : y;
        memcpy(bits + target * stride, source + y * stride, stride);
    }
    SetDecoded(std::move(packed), palette8 ? UI_DIB_PALETTE8 : UI_DIB_RGB24, FALSE);
    return TRUE;
}
