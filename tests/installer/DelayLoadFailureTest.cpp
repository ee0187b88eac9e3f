// A DLL that the installer loads on its first call and that is missing then, or a function missing
// from it, ends the program as the loader ends one whose start it refuses: a message naming what is
// missing, then the loader's exit status. The probe program beside this test makes either call.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "InstallerUtils.h"
#include "WaitUntil.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK AppendText(HWND window, LPARAM lParam)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    *reinterpret_cast<std::wstring*>(lParam) += std::wstring(text) + L"\n";
    return TRUE;
}

// One run of the probe, ended on every path of the test.
class ProbeRun {
public:
    explicit ProbeRun(const wchar_t* call)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        CString commandLine = L"\"" + GetModuleFolder() + L"\\delay_load_probe.exe\" " + call;
        CreateProcessW(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info_);
        commandLine.ReleaseBuffer();
        if (info_.hThread)
            CloseHandle(info_.hThread);
    }
    ~ProbeRun()
    {
        if (!info_.hProcess)
            return;
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
    }
    ProbeRun(const ProbeRun&) = delete;
    ProbeRun& operator=(const ProbeRun&) = delete;

    bool Ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

    // The probe's message window, or null when the probe ended (or never started) without one.
    HWND WaitForMessage() const
    {
        WindowSearch search = {info_.dwProcessId, nullptr};
        WaitUntil([&] {
            EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found || !info_.hProcess || Ended();
        });
        return search.found;
    }

    // The exit status once the probe ended, after the message was answered.
    DWORD StatusAfterAnswering(HWND message) const
    {
        PostMessageW(message, WM_COMMAND, IDOK, 0);
        DWORD status = 0;
        if (WaitUntil([this] { return Ended(); }))
            GetExitCodeProcess(info_.hProcess, &status);
        return status;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

std::wstring TextsOf(HWND window)
{
    std::wstring texts;
    EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST(DelayLoadFailure, MissingLibraryIsNamedAndEndsTheProgramWithTheLoadersStatus)
{
    ProbeRun probe(L"library");
    const HWND message = probe.WaitForMessage();
    ASSERT_TRUE(message) << "the probe ended without a message";
    EXPECT_NE(std::wstring::npos, TextsOf(message).find(L"tavrin_absent.dll")) << TextsOf(message).c_str();
    EXPECT_EQ(STATUS_DLL_NOT_FOUND, probe.StatusAfterAnswering(message));
}

TEST(DelayLoadFailure, MissingFunctionIsNamedAndEndsTheProgramWithTheLoadersStatus)
{
    ProbeRun probe(L"function");
    const HWND message = probe.WaitForMessage();
    ASSERT_TRUE(message) << "the probe ended without a message";
    EXPECT_NE(std::wstring::npos, TextsOf(message).find(L"kernel32.dll: TavrinAbsentKernelCall"))
        << TextsOf(message).c_str();
    EXPECT_EQ(STATUS_ENTRYPOINT_NOT_FOUND, probe.StatusAfterAnswering(message));
}

}  // namespace
