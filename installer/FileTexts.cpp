// Texts about sizes and files, and writing an embedded resource out to a file.
#include "InstallerUtils.h"

#include "HashFile.h"
#include "KernelHandle.h"
#include "VersionResource.h"

namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = 1048576.0;
constexpr double kGiga = 1073741824.0;

}  // namespace

CString FormatByteSize(double size)
{
    CString text;
    if (size > kGiga)
        text.Format(L"%0.2fGB", size / kGiga);
    else if (size > kMega)
        text.Format(L"%0.2fMB", size / kMega);
    else if (size > kKilo)
        text.Format(L"%0.2fKB", size / kKilo);
    else
        text.Format(L"%dByte", static_cast<int>(size));
    return text;
}

CString GetFileVersionText(const CString& filePath)
{
    const VersionResource resource(filePath);
    UINT fixedLength = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(resource.Value(L"\\", fixedLength));
    if (!fixed || fixedLength < sizeof(VS_FIXEDFILEINFO))
        return CString();
    CString text;
    text.Format(L"%d.%d.%d.%d", HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    return text;
}

CString GetFileMd5Text(const CString& filePath)
{
    HashRequest request;
    request.algorithm = 5;     // MD5
    request.inputKind = 2;     // the file named by path
    request.outputFormat = 1;  // lower-case hexadecimal, no separators
    request.path = ToNarrow(filePath);
    // The package's name comes from the service and may lie outside the ANSI code page.
    request.widePath = filePath;
    CStringA digest;
    HashFile(request, digest);
    return ToWide(digest);
}

bool WriteResourceToFile(const CString& filePath, const CString& resourceType, int resourceId)
{
    if (GetFileAttributesW(filePath) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(filePath);
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), resourceType);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    DWORD size = SizeofResource(nullptr, resource);
    KernelHandle file(CreateFileW(filePath, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes, size, &written, nullptr) && written == size;
}
