// A small program for the process tests: "sleep <ms>" waits and exits with 3; "touch <path> <ms>"
// waits, then writes "done" into the file and exits with 7.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && wcscmp(argv[1], L"sleep") == 0) {
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return 3;
    }
    if (argc >= 4 && wcscmp(argv[1], L"touch") == 0) {
        Sleep(static_cast<DWORD>(_wtoi(argv[3])));
        HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        DWORD written = 0;
        WriteFile(file, "done", 4, &written, nullptr);
        CloseHandle(file);
        return 7;
    }
    return 2;
}
