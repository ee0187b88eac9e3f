// File helpers of the image loaders.
#include "uiImageFile.h"

#include <algorithm>

bool uiReadFileBytes(const CString& path, std::vector<BYTE>* bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size != INVALID_FILE_SIZE && high == 0 && size <= UI_MAX_IMAGE_BYTES) {
        bytes->resize(size);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(file, bytes->data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok;
}

CString uiGetLowerExtension(const CString& path)
{
    const int dot = path.ReverseFind(L'.');
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    if (dot < 0 || dot < slash)
        return CString();
    CString extension = path.Mid(dot);
    extension.MakeLower();
    return extension;
}
