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
    const DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return 1;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (major == 4 && minor == 0)
            return 3;
        if (major == 4 && minor == 10)
            return 4;
        if (major == 4 && minor == 90)
            return 5;
        return 0;
    case VER_PLATFORM_WIN32_NT:
        if (major <= 4)
            return 2;
        if (major == 5 && minor == 0)
            return 6;
        if (major == 5 && minor == 1)
            return 7;
        if (major == 6 && minor == 0)
            return 8;
        if (major == 6 && minor == 1)
            return 9;
        return 0;
    default:
        return 0;
    }
}
