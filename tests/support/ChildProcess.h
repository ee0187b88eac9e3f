// A program that a test starts, ended on every path of the test: one still running when the object
// goes is terminated (exit code 99).
#pragma once

#include <windows.h>

#include <string>

class ChildProcess {
public:
    explicit ChildProcess(std::wstring commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    HANDLE process() const { return info_.hProcess; }
    DWORD id() const { return info_.dwProcessId; }
    bool EndsWithin(DWORD ms) const;
    // STILL_ACTIVE while the program runs.
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION info_ = {};
};
