// Start-up to the first visible window: starts a program, waits until one of its top-level windows
// is visible, ends it, and times that span. Takes the installer and two references (the install
// view's template without the skin, a bare dialog program) in turn under the same Wine and prints
// the three medians in milliseconds: "installer template bare". Then the same number of starts of
// each under the debugger loop (startup_phases.cpp), whose medians follow as a table of where the
// installer's time goes, up to the end of its first window's first paint.
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

// The programs: the installer, then the references.
const char* const kProgramNames[] = {"installer", "template", "bare dialog"};
const int kProgramCount = 3;

// The program that starts at a place in a round. Each round begins with the next program, so that
// every program comes equally often first, second and third: a start is slower or faster for the
// one before it (its teardown, the extractor that the installer leaves running).
int ProgramAt(int round, int place)
{
    return (round + place) % kProgramCount;
}

bool TraceRounds(int rounds, const wchar_t* const programs[kProgramCount])
{
    PhaseTimes phases[kProgramCount];
    for (int round = 0; round < rounds; ++round) {
        for (int place = 0; place < kProgramCount; ++place) {
            const int program = ProgramAt(round, place);
            const std::vector<PhaseMark> marks = TracePhases(programs[program]);
            if (marks.empty()) {
                std::fwprintf(stderr, L"startup_bench: no first paint of %hs under the debugger in round %d\n",
                              kProgramNames[program], round);
                return false;
            }
            AddPhases(marks, phases[program]);
            phases[program][L"total"].push_back(marks.back().ms);
        }
    }
    for (const auto& phase : kPhases)
        if (phases[0].count(phase.mark))
            std::printf("  %-46s %8.1f ms\n", phase.text, Median(phases[0][phase.mark]));
    for (int program = 0; program < kProgramCount; ++program) {
        const std::string total = std::string(kProgramNames[program]) + " to first paint (debugged)";
        std::printf("  %-46s %8.1f ms", total.c_str(), Median(phases[program][L"total"]));
        // The template marks its WinMain too: Wine's own share of a start of a program like it.
        if (program > 0 && phases[program].count(L"winmain"))
            std::printf(", WinMain at %.1f ms", Median(phases[program][L"winmain"]));
        std::printf("\n");
    }
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
    if (argc < 2 + kProgramCount) {
        std::fwprintf(stderr, L"usage: startup_bench ROUNDS INSTALLER TEMPLATE BARE_DIALOG\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    const wchar_t* const* programs = argv + 2;
    std::vector<double> times[kProgramCount];
    for (int round = 0; round < rounds; ++round) {
        for (int place = 0; place < kProgramCount; ++place) {
            const int program = ProgramAt(round, place);
            times[program].push_back(TimeToFirstWindow(programs[program]));
            if (times[program].back() < 0) {
                std::fwprintf(stderr, L"startup_bench: no visible window of %hs in round %d\n",
                              kProgramNames[program], round);
                return 1;
            }
        }
    }
    std::printf("%.1f %.1f %.1f\n", Median(times[0]), Median(times[1]), Median(times[2]));
    return TraceRounds(rounds, programs) ? 0 : 1;
}
