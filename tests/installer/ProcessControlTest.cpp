// Running a program and waiting for it, and stopping running copies by name, with a small helper
// program that lies beside this test.
#include <gtest/gtest.h>

#include <windows.h>

#include "CStringPrinting.h"
#include "InstallerUtils.h"

namespace {

const wchar_t kHelperName[] = L"utility_helper.exe";

CString HelperPath()
{
    return GetModuleFolder() + L"\\" + kHelperName;
}

// A started copy of the helper that sleeps; terminated on every path of the test.
class SleepingHelper {
public:
    SleepingHelper()
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        CString commandLine = L"\"" + HelperPath() + L"\" sleep 60000";
        CreateProcessW(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info_);
        commandLine.ReleaseBuffer();
        if (info_.hThread)
            CloseHandle(info_.hThread);
    }
    ~SleepingHelper()
    {
        if (!info_.hProcess)
            return;
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
    }
    SleepingHelper(const SleepingHelper&) = delete;
    SleepingHelper& operator=(const SleepingHelper&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    bool EndsWithin(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_ = {};
};

CString ReadFileText(const CString& path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CString();
    char buffer[64] = {};
    DWORD got = 0;
    ReadFile(file, buffer, sizeof(buffer) - 1, &got, nullptr);
    CloseHandle(file);
    return CString(buffer);
}

}  // namespace

TEST(KillProcessByName, StopsOneRunningCopyPerCall)
{
    SleepingHelper first;
    SleepingHelper second;
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    Sleep(300);  // let both appear in the process list

    // The name is matched without regard to case.
    ASSERT_TRUE(KillProcessByName(L"UTILITY_helper.EXE"));
    const bool firstEnded = first.EndsWithin(5000);
    const bool secondEnded = second.EndsWithin(firstEnded ? 300 : 5000);
    EXPECT_NE(firstEnded, secondEnded) << "exactly one copy ends per call";
    const SleepingHelper& killed = firstEnded ? first : second;
    const SleepingHelper& survivor = firstEnded ? second : first;
    EXPECT_EQ(0u, killed.ExitCode());

    ASSERT_TRUE(KillProcessByName(kHelperName));
    EXPECT_TRUE(survivor.EndsWithin(5000));
    EXPECT_EQ(0u, survivor.ExitCode());

    EXPECT_FALSE(KillProcessByName(kHelperName));
}

TEST(RunProgramAndWait, WaitsUntilTheProgramHasEnded)
{
    const CString folder = GetTempFolder() + L"run and wait";
    CreateDirectoryW(folder, nullptr);
    const CString marker = folder + L"\\marker file.txt";
    DeleteFileW(marker);

    // The program writes its marker only after a pause, so the marker proves the wait; the
    // quoted path with blanks arrives as one argument.
    EXPECT_TRUE(RunProgramAndWait(HelperPath(), L"touch \"" + marker + L"\" 700"));
    EXPECT_EQ(CString(L"done"), ReadFileText(marker));

    DeleteFileW(marker);
    RemoveDirectoryW(folder);
}

TEST(RunProgramAndWait, MissingProgramIsNotStarted)
{
    EXPECT_FALSE(RunProgramAndWait(GetModuleFolder() + L"\\no_such_program.exe", L""));
}
