// Marks the end of a start-up step for bench/startup.sh, whose debugger loop timestamps each mark as
// it arrives. Without a debugger a mark costs one flag read.
#pragma once

#include <windows.h>

inline void MarkStartup(const wchar_t* mark)
{
    if (IsDebuggerPresent())
        OutputDebugStringW(mark);
}
