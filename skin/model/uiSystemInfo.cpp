// The executable's folder and the Windows version code.
#include "uiDrawRoutines.h"

#include <cwchar>
#include <cstdlib>

CString uiGetModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t drive[_MAX_DRIVE] = {}, directory[_MAX_DIR] = {};
    _wsplitpath_s(path, drive, _MAX_DRIVE, directory, _MAX_DIR, nullptr, 0, nullptr, 0);
    CString folder = CString(drive) + directory;
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return folder;
}

int uiGetOSVersion()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version))
        return 0;
    if (version.dwPlatformId == VER_PLATFORM_WIN32s)
        return 1;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion <= 4)
        return 2;
    static const struct {
        DWORD platform, major, minor;
        int code;
    } kVersions[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 3}, {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 4}, {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 5},
        {VER_PLATFORM_WIN32_NT, 5, 0, 6}, {VER_PLATFORM_WIN32_NT, 5, 1, 7}, {VER_PLATFORM_WIN32_NT, 6, 0, 8},
        {VER_PLATFORM_WIN32_NT, 6, 1, 9},
    };
    for (const auto& known : kVersions)
        if (known.platform == version.dwPlatformId && known.major == version.dwMajorVersion &&
            known.minor == version.dwMinorVersion)
            return known.code;
    return 0;
}
