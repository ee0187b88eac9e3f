// Start-up to the first visible window: starts a program, waits until one of its top-level windows
// is visible, ends it, and times that span. Alternates the installer and a bare dialog program
// under the same Wine and prints both medians in milliseconds: "installer bare".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from the start to the first visible window; negative when none came within a minute.
double TimeToFirstWindow(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER begin, now;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    Search search = {process.dwProcessId, false};
    double elapsed = 0;
    for (;;) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        elapsed = Seconds(begin, now);
        if (search.found || elapsed > 60 || WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found ? elapsed * 1000 : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: startup_bench ROUNDS INSTALLER BARE_DIALOG\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    std::vector<double> installer, bare;
    for (int round = 0; round < rounds; ++round) {
        installer.push_back(TimeToFirstWindow(argv[2]));
        bare.push_back(TimeToFirstWindow(argv[3]));
        if (installer.back() < 0 || bare.back() < 0) {
            std::fwprintf(stderr, L"startup_bench: no visible window in round %d\n", round);
            return 1;
        }
    }
    std::printf("%.1f %.1f\n", Median(installer), Median(bare));
    return 0;
}
