// Trace lines of the statistics module, written to the debugger output.
#pragma once

#include <string>

namespace ns_kw_stat {

// Writes text followed by a line feed.
void DebugOutput(const std::wstring& text);
// Writes prefix, text and a line feed as one line.
void DebugOutputWithPrefix(const std::wstring& prefix, const std::wstring& text);

}  // namespace ns_kw_stat
