// Icons from .ico bytes.
#include "uiIconFromBytes.h"
#include "uiLittleEndian.h"

#include <cstdint>
#include <cstring>
#include <vector>

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
    // The system chooses among the entries from a directory in the layout of icon resources: the
    // file's entries with the image offset replaced by an id (entry number + 1). Only entries whose
    // image lies wholly inside the bytes are listed, so the chosen one is always safe to hand over.
    const size_t count = uiReadWord(bytes + 4);
    std::vector<const BYTE*> listed;
    std::vector<BYTE> directory(kHeaderSize);
    for (size_t i = 0; i < count && kHeaderSize + (i + 1) * kEntrySize <= length; ++i) {
        const BYTE* entry = bytes + kHeaderSize + i * kEntrySize;
        const DWORD size = uiReadDword(entry + 8), offset = uiReadDword(entry + 12);
        if (size == 0 || static_cast<uint64_t>(offset) + size > length || !uiIconImageFits(bytes + offset, size))
            continue;
        listed.push_back(entry);
        const WORD id = static_cast<WORD>(listed.size());
        directory.insert(directory.end(), entry, entry + 12);
        directory.push_back(static_cast<BYTE>(id));
        directory.push_back(static_cast<BYTE>(id >> 8));
    }
    if (listed.empty())
        return nullptr;
    const WORD listedCount = static_cast<WORD>(listed.size());
    directory[2] = 1;
    directory[4] = static_cast<BYTE>(listedCount);
    directory[5] = static_cast<BYTE>(listedCount >> 8);
    const int id = LookupIconIdFromDirectoryEx(directory.data(), TRUE, width, height, LR_DEFAULTCOLOR);
    if (id < 1 || static_cast<size_t>(id) > listed.size())
        return nullptr;
    const BYTE* chosen = listed[id - 1];
    return CreateIconFromResourceEx(const_cast<BYTE*>(bytes + uiReadDword(chosen + 12)), uiReadDword(chosen + 8), TRUE,
                                    0x00030000, width, height, LR_DEFAULTCOLOR);
}
