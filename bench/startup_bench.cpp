// Start-up to the first visible window: starts a program, waits until one of its top-level windows
// is visible, ends it, and times that span. Alternates the installer and a bare dialog program
// under the same Wine and prints both medians in milliseconds: "installer bare". Then the same
// number of starts of each under the debugger loop (startup_phases.cpp), whose medians follow as a
// table of where the installer's time goes, up to the end of its first window's first paint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "startup_phases.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
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
    bool found = false;
    double elapsed = 0;
    for (;;) {
        found = FindVisibleWindow(process.dwProcessId) != nullptr;
        QueryPerformanceCounter(&now);
        elapsed = Seconds(begin, now);
        if (found || elapsed > 60 || WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return found ? elapsed * 1000 : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each phase ends at its mark and starts at the mark before it.
const struct {
    const wchar_t* mark;
    const char* text;
} kPhases[] = {
    {L"winmain", "process start to WinMain"},
    {L"prepare", "single instance, installed version, controls"},
    {L"skin", "skin load"},
    {L"send", "statistics: settings, device description"},
    {L"statistics", "statistics: launch report sent"},
    {L"views", "view objects"},
    {L"unpack", "engine unpack"},
    {L"main view", "main view created and skinned"},
    {L"version", "version query"},
    {L"first paint", "install view shown, first paint"},
};

using PhaseTimes = std::map<std::wstring, std::vector<double>>;

void AddPhases(const std::vector<PhaseMark>& marks, PhaseTimes& phases)
{
    double previous = 0;
    for (const PhaseMark& mark : marks) {
        phases[mark.name].push_back(mark.ms - previous);
        previous = mark.ms;
    }
}

bool TraceRounds(int rounds, const std::wstring& installer, const std::wstring& bare)
{
    PhaseTimes phases;
    std::vector<double> bareTotal;
    for (int round = 0; round < rounds; ++round) {
        const std::vector<PhaseMark> marks = TracePhases(installer);
        const std::vector<PhaseMark> bareMarks = TracePhases(bare);
        if (marks.empty() || bareMarks.empty()) {
            std::fwprintf(stderr, L"startup_bench: no first paint under the debugger in round %d\n", round);
            return false;
        }
        AddPhases(marks, phases);
        phases[L"total"].push_back(marks.back().ms);
        bareTotal.push_back(bareMarks.back().ms);
    }
    for (const auto& phase : kPhases)
        if (phases.count(phase.mark))
            std::printf("  %-46s %8.1f ms\n", phase.text, Median(phases[phase.mark]));
    std::printf("  %-46s %8.1f ms\n", "installer to first paint (debugged)", Median(phases[L"total"]));
    std::printf("  %-46s %8.1f ms\n", "bare dialog to first paint (debugged)", Median(bareTotal));
    return true;
}

}  // namespace

HWND FindVisibleWindow(DWORD processId)
{
    Search search = {processId, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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
    return TraceRounds(rounds, argv[2], argv[3]) ? 0 : 1;
}
