// Reading a file's version resource.
#include "VersionResource.h"

VersionResource::VersionResource(const CString& filePath)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(filePath, &ignored);
    if (size == 0)
        return;
    block_.resize(size);
    if (!GetFileVersionInfoW(filePath, 0, size, block_.data()))
        block_.clear();
}

const void* VersionResource::Value(const CString& subBlock, UINT& length) const
{
    length = 0;
    void* value = nullptr;
    if (block_.empty() || !VerQueryValueW(block_.data(), subBlock, &value, &length))
        return nullptr;
    return value;
}
