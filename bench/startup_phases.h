// Where the installer's start-up time goes: the installer runs under this program's debugger loop,
// which timestamps each start-up mark ("startup:<name>", sent with OutputDebugStringW only while a
// debugger is present) as it arrives, and the end of the first window's first paint.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PhaseMark {
    std::wstring name;
    double ms;  // since the process was created
};

// The marks of one debugged start, ending with "first paint"; empty when no window painted within
// a minute.
std::vector<PhaseMark> TracePhases(const std::wstring& program);

// Shared with the plain timing: the visible top-level window of a process, or null.
HWND FindVisibleWindow(DWORD processId);
double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to);
