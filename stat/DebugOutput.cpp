// Trace output through OutputDebugStringW; each line is handed over whole so that lines of
// concurrent reports do not interleave.
#include "DebugOutput.h"

#include <windows.h>

namespace ns_kw_stat {

void DebugOutput(const std::wstring& text)
{
    DebugOutputWithPrefix(std::wstring(), text);
}

void DebugOutputWithPrefix(const std::wstring& prefix, const std::wstring& text)
{
    const std::wstring line = prefix + text + L"\n";
    OutputDebugStringW(line.c_str());
}

}  // namespace ns_kw_stat
