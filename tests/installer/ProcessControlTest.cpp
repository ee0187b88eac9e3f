// Running a program and waiting for it, and stopping running copies by name, with a small helper
// program that lies beside this test.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "CStringPrinting.h"
#include "ChildProcess.h"
#include "InstallerUtils.h"
#include "WaitUntil.h"

namespace {

const wchar_t kHelperName[] = L"utility_helper.exe";

CString HelperPath()
{
    return GetModuleFolder() + L"\\" + kHelperName;
}

// A started copy of the helper that sleeps. Far longer than any test run, so that only a kill ends it
// (exit code 0, not its own 3).
class SleepingHelper : public ChildProcess {
public:
    SleepingHelper() : ChildProcess(std::wstring(L"\"") + HelperPath().GetString() + L"\" sleep 600000") {}
};

// Whether the process list shows a process of this id under the helper's file name.
bool ListedAsHelper(DWORD processId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool listed = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !listed; more = Process32NextW(snapshot, &entry))
        listed = entry.th32ProcessID == processId && _wcsicmp(entry.szExeFile, kHelperName) == 0;
    CloseHandle(snapshot);
    return listed;
}

// Polls until both helpers are listed by name; false after a minute, far more than a loaded machine needs.
bool BothListed(const SleepingHelper& first, const SleepingHelper& second)
{
    return WaitUntil([&] { return ListedAsHelper(first.id()) && ListedAsHelper(second.id()); });
}

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
    ASSERT_TRUE(BothListed(first, second));

    // The name is matched without regard to case.
    ASSERT_TRUE(KillProcessByName(L"UTILITY_helper.EXE"));
    const HANDLE both[] = {first.process(), second.process()};
    const DWORD ended = WaitForMultipleObjects(2, both, FALSE, 60000);
    ASSERT_TRUE(ended == WAIT_OBJECT_0 || ended == WAIT_OBJECT_0 + 1);
    const SleepingHelper& killed = ended == WAIT_OBJECT_0 ? first : second;
    const SleepingHelper& survivor = ended == WAIT_OBJECT_0 ? second : first;
    EXPECT_EQ(0u, killed.ExitCode());

    // Exactly one copy ends per call: the other still runs and is listed, so the next call ends it.
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), survivor.ExitCode());
    EXPECT_TRUE(ListedAsHelper(survivor.id()));
    ASSERT_TRUE(KillProcessByName(kHelperName));
    EXPECT_TRUE(survivor.EndsWithin(60000));
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
