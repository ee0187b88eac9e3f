// Starting a program and waiting for it, and stopping a running program by its file name.
#include "InstallerUtils.h"
#include "KernelHandle.h"

#include <shellapi.h>
#include <tlhelp32.h>

bool RunProgramAndWait(const CString& programPath, const CString& parameters)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // A program that cannot be started is reported by the result, never by an error box.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = programPath;
    info.lpParameters = parameters;
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info))
        return false;
    KernelHandle process(info.hProcess);
    if (process.get())
        WaitForSingleObject(process.get(), INFINITE);
    return true;
}

bool KillProcessByName(const CString& exeName)
{
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.get())
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName) != 0)
            continue;
        KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        return process.get() && TerminateProcess(process.get(), 0);
    }
    return false;
}

void StopRunningProduct()
{
    KillProcessByName(L"Tavrin.exe");
    KillProcessByName(L"zazava.exe");
}
