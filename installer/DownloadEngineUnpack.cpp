#include "DownloadEngineUnpack.h"

#include <windows.h>
#include <shellapi.h>

#include "InstallerUtils.h"

namespace {

const int kExtractorLibraryId = 129;
const int kExtractorId = 130;
const int kEngineArchiveId = 131;

}  // namespace

int UnpackDownloadEngine() {
    const CString folder = GetTempFolder();
    const CString archive = folder + L"downloader.zip";
    WriteResourceToFile(folder + L"7z.dll", L"EXE", kExtractorLibraryId);
    WriteResourceToFile(folder + L"7ZG.EXE", L"EXE", kExtractorId);
    WriteResourceToFile(archive, L"EXE", kEngineArchiveId);
    CString arguments;
    arguments.Format(L"x \"%s\" -y -o\"%s\"", archive.GetString(), folder.GetString());
    ShellExecuteW(nullptr, L"open", folder + L"7ZG.EXE", arguments, folder, SW_HIDE);
    return 1;
}
