// Icons from .ico bytes.
#include "uiIconFromBytes.h"
#include "uiLittleEndian.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const size_t kHeaderSize = 6;
const size_t kEntrySize = 16;

} // namespace

bool uiIconImageFits(const BYTE* image, size_t size)
{
    static const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= sizeof(kPngSignature) && memcmp(image, kPngSignature, sizeof(kPngSignature)) == 0)
        return true;
    if (size < sizeof(BITMAPINFOHEADER))
        return false;
    const DWORD headerSize = uiReadDword(image);
    const int width = static_cast<int>(uiReadDword(image + 4));
    const int doubleHeight = static_cast<int>(uiReadDword(image + 8));
    const int bitCount = uiReadWord(image + 14);
    const DWORD colorsUsed = uiReadDword(image + 32);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size || width <= 0 || width > 1024 ||
        doubleHeight <= 0 || doubleHeight > 2048 || colorsUsed > 256)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    const uint64_t colors = colorsUsed ? colorsUsed : (bitCount <= 8 ? 1u << bitCount : 0);
    const uint64_t height = doubleHeight / 2;
    const uint64_t colorStride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t maskStride = (static_cast<uint64_t>(width) + 31) / 32 * 4;
    return headerSize + colors * 4 + (colorStride + maskStride) * height <= size;
}

HICON uiCreateIconFromBytes(const BYTE* bytes, size_t length, int width, int height)
{
    if (!bytes || length < kHeaderSize || uiReadWord(bytes) != 0 || uiReadWord(bytes + 2) != 1)
        return nullptr;
    const int wantWidth = width > 0 ? width : GetSystemMetrics(SM_CXICON);
    const int wantHeight = height > 0 ? height : GetSystemMetrics(SM_CYICON);
    const size_t count = uiReadWord(bytes + 4);
    const BYTE* best = nullptr;
    int bestDistance = INT_MAX, bestDepth = -1;
    for (size_t i = 0; i < count && kHeaderSize + (i + 1) * kEntrySize <= length; ++i) {
        const BYTE* entry = bytes + kHeaderSize + i * kEntrySize;
        const DWORD size = uiReadDword(entry + 8), offset = uiReadDword(entry + 12);
        if (size == 0 || static_cast<uint64_t>(offset) + size > length || !uiIconImageFits(bytes + offset, size))
            continue;
        const int entryWidth = entry[0] ? entry[0] : 256, entryHeight = entry[1] ? entry[1] : 256;
        const int distance = std::abs(entryWidth - wantWidth) + std::abs(entryHeight - wantHeight);
        const int depth = uiReadWord(entry + 6);
        if (distance < bestDistance || (distance == bestDistance && depth > bestDepth)) {
            best = entry;
            bestDistance = distance;
            bestDepth = depth;
        }
    }
    if (!best)
        return nullptr;
    const int imageWidth = width > 0 ? width : (best[0] ? best[0] : 256);
    const int imageHeight = height > 0 ? height : (best[1] ? best[1] : 256);
    return CreateIconFromResourceEx(const_cast<BYTE*>(bytes + uiReadDword(best + 12)), uiReadDword(best + 8), TRUE,
                                    0x00030000, imageWidth, imageHeight, LR_DEFAULTCOLOR);
}
