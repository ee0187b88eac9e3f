// A program that calls, on its first call, a function of a DLL that does not exist ("library") or a
// function that kernel32.dll lacks ("function"), both delay-loaded, with the installer's hook for such
// failures linked in. Neither call returns when the hook does its work.
#include <windows.h>

#include <cwchar>

extern "C" int WINAPI TavrinAbsentCall();
extern "C" int WINAPI TavrinAbsentKernelCall();

namespace {

// Should the hook not do its work, the exception ends the probe at once instead of under a debugger.
LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(EndAtOnce);
    if (argc > 1 && wcscmp(argv[1], L"library") == 0)
        return TavrinAbsentCall();
    if (argc > 1 && wcscmp(argv[1], L"function") == 0)
        return TavrinAbsentKernelCall();
    return 2;
}
