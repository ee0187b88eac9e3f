// A DLL that the installer loads on its first call and that is missing then, or a function missing
// from it, ends the program as the loader ends one whose start it refuses: a message naming what is
// missing, then the loader's exit status. The probe program beside this test makes either call.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
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
        : probe_(std::wstring(L"\"") + GetModuleFolder().GetString() + L"\\delay_load_probe.exe\" " + call)
    {
    }

    // The probe's message window, or null when the probe ended (or never started) without one.
    HWND WaitForMessage() const
    {
        WindowSearch search = {probe_.id(), nullptr};
        WaitUntil([&] {
            EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found || !probe_.started() || probe_.EndsWithin(0);
        });
        return search.found;
    }

    // The exit status once the probe ended, after the message was answered.
    DWORD StatusAfterAnswering(HWND message) const
    {
        PostMessageW(message, WM_COMMAND, IDOK, 0);
        return WaitUntil([this] { return probe_.EndsWithin(0); }) ? probe_.ExitCode() : 0;
    }

private:
    ChildProcess probe_;
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
