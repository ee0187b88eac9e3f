// Folders of the system that the installer writes into or looks at.
#include "InstallerUtils.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

CString SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE))
        return CString();
    return CString(path);
}

}  // namespace

CString GetTempFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH)
        return CString();
    return CString(path);
}

CString GetModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    PathRemoveFileSpecW(path);
    return CString(path);
}

CString GetProgramFilesFolder()
{
    return SpecialFolder(CSIDL_PROGRAM_FILES);
}

CString GetAppDataFolder()
{
    return SpecialFolder(CSIDL_APPDATA);
}
