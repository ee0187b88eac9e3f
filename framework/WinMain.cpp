// The process's entry point for programs built on CWinApp (linked with -municode). Kept apart so
// that programs with their own entry point, such as the tests, do not pull it in.
#include "CWinApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int cmdShow)
{
    return AfxWinMain(instance, commandLine, cmdShow);
}
