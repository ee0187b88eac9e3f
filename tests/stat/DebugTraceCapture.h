// Collects the lines a process writes to the debugger output, by watching the exceptions through which
// OutputDebugString hands its text to a debugger.
#pragma once

#include <string>
#include <vector>

class DebugTraceCapture {
public:
    DebugTraceCapture();
    ~DebugTraceCapture();
    DebugTraceCapture(const DebugTraceCapture&) = delete;
    DebugTraceCapture& operator=(const DebugTraceCapture&) = delete;

    std::vector<std::wstring> Lines() const;
    // How many captured lines are exactly line.
    int Count(const std::wstring& line) const;
    // How many captured lines start with prefix.
    int CountPrefix(const std::wstring& prefix) const;
    void Clear();
};
