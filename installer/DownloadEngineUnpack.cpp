#include "DownloadEngineUnpack.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "InstallerUtils.h"
#include "KernelHandle.h"

namespace {

const int kExtractorLibraryId = 129;
const int kExtractorId = 130;
const int kEngineArchiveId = 131;
const DWORD kCompareChunk = 64 * 1024;

// True when the file holds exactly the bytes of the "EXE" resource.
bool FileHoldsResource(const CString& filePath, int resourceId)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), L"EXE");
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    KernelHandle file(CreateFileW(filePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER fileSize = {};
    const DWORD size = bytes ? SizeofResource(nullptr, resource) : 0;
    if (!bytes || !file || !GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart != size)
        return false;
    std::vector<BYTE> chunk(kCompareChunk);
    for (DWORD at = 0; at < size;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk.data(), kCompareChunk, &read, nullptr) || read == 0 || read > size - at ||
            std::memcmp(chunk.data(), bytes + at, read) != 0)
            return false;
        at += read;
    }
    return true;
}

// A payload file that an earlier start left intact is kept: writing the same bytes again would
// only cost each start its time. Anything else there is replaced.
void WritePayload(const CString& filePath, int resourceId)
{
    if (!FileHoldsResource(filePath, resourceId))
        WriteResourceToFile(filePath, L"EXE", resourceId);
}

}  // namespace

int UnpackDownloadEngine() {
    const CString folder = GetTempFolder();
    const CString archive = folder + L"downloader.zip";
    WritePayload(folder + L"7z.dll", kExtractorLibraryId);
    WritePayload(folder + L"7ZG.EXE", kExtractorId);
    WritePayload(archive, kEngineArchiveId);
    CString arguments;
    arguments.Format(L"x \"%s\" -y -o\"%s\"", archive.GetString(), folder.GetString());
    ShellExecuteW(nullptr, L"open", folder + L"7ZG.EXE", arguments, folder, SW_HIDE);
    return 1;
}
