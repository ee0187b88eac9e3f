// Cursors from the bytes of a .cur file held in the skin database.
#include "uiGdiAdmin.h"

#include "uiIconFromBytes.h"
#include "uiLittleEndian.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const size_t kHeaderSize = 6;
const size_t kEntrySize = 16;

} // namespace

HCURSOR uiCreateCursorFromBytes(const BYTE* bytes, size_t length)
{
    // The header and the first directory entry must be present, and the image inside the bytes.
    if (!bytes || length < kHeaderSize + kEntrySize)
        return nullptr;
    if (uiReadWord(bytes) != 0 || uiReadWord(bytes + 2) != 2 || uiReadWord(bytes + 4) != 1)
        return nullptr;
    const BYTE* entry = bytes + kHeaderSize;
    const WORD hotX = uiReadWord(entry + 4), hotY = uiReadWord(entry + 6);
    const DWORD imageSize = uiReadDword(entry + 8), imageOffset = uiReadDword(entry + 12);
    if (imageSize == 0 || static_cast<uint64_t>(imageOffset) + imageSize > length ||
        !uiIconImageFits(bytes + imageOffset, imageSize))
        return nullptr;
    // CreateIconFromResourceEx takes a cursor image preceded by its hot spot.
    std::vector<BYTE> resource(imageSize + 4);
    memcpy(resource.data(), &hotX, 2);
    memcpy(resource.data() + 2, &hotY, 2);
    memcpy(resource.data() + 4, bytes + imageOffset, imageSize);
    return CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), FALSE, 0x00030000, 0, 0, 0);
}
