// The executable loads some system DLLs on their first call instead of at start (cmake/DelayLoad.cmake).
// Where one of them, or a function in it, is missing, the loader would have refused to start the
// program with a message; the delay-load helper would instead raise an exception that no caller
// expects. This hook keeps the loader's behaviour: the message, then the end of the process.
#include <windows.h>
#include <delayimp.h>

#include <cwchar>
#include <string>

namespace {

// The system's own text for the error, in the user's language.
std::wstring SystemMessage(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    return message;
}

FARPROC WINAPI DelayLoadFailed(unsigned notification, PDelayLoadInfo info)
{
    const bool noLibrary = notification == dliFailLoadLib;
    if (!noLibrary && notification != dliFailGetProc)
        return nullptr;
    wchar_t what[300] = {};
    if (noLibrary || !info->dlp.fImportByName)
        std::swprintf(what, 300, L"%hs", info->szDll);
    else
        std::swprintf(what, 300, L"%hs: %hs", info->szDll, info->dlp.szProcName);
    const DWORD error = noLibrary ? ERROR_MOD_NOT_FOUND : ERROR_PROC_NOT_FOUND;
    const std::wstring text = std::wstring(what) + L"\n" + SystemMessage(error);
    MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    // Ended at once, as after a refused start: no code of the program (exit handlers, destructors) runs
    // on with a function missing.
    TerminateProcess(GetCurrentProcess(), noLibrary ? STATUS_DLL_NOT_FOUND : STATUS_ENTRYPOINT_NOT_FOUND);
    return nullptr;
}

}  // namespace

// Read by the delay-load helper of the C runtime library; the executable's link asks for this
// definition so that it replaces the library's empty one.
PfnDliHook __pfnDliFailureHook2 = DelayLoadFailed;
