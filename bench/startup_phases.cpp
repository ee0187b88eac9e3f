#include "startup_phases.h"

#include <algorithm>

namespace {

const wchar_t kMarkPrefix[] = L"startup:";
// The statistics module's own trace at the start of every send splits the launch report in two.
const wchar_t kSendTrace[] = L"send times:";
const DWORD kPaintWaitMs = 20;
const double kGiveUpMs = 60000;

double ElapsedMs(const LARGE_INTEGER& begin)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return Seconds(begin, now) * 1000;
}

std::wstring ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    const SIZE_T length = info.nDebugStringLength;
    SIZE_T read = 0;
    if (info.fUnicode) {
        std::wstring text(length, L'\0');
        ReadProcessMemory(process, info.lpDebugStringData, &text[0], length * sizeof(wchar_t), &read);
        text.resize(wcsnlen(text.c_str(), read / sizeof(wchar_t)));
        return text;
    }
    std::string text(length, '\0');
    ReadProcessMemory(process, info.lpDebugStringData, &text[0], length, &read);
    text.resize(strnlen(text.c_str(), read));
    return std::wstring(text.begin(), text.end());  // the marks are ASCII
}

void NoteDebugString(const std::wstring& text, double ms, std::vector<PhaseMark>& marks)
{
    const size_t prefix = wcslen(kMarkPrefix);
    if (text.compare(0, prefix, kMarkPrefix) == 0) {
        marks.push_back({text.substr(prefix), ms});
        return;
    }
    const bool send = text.compare(0, wcslen(kSendTrace), kSendTrace) == 0;
    if (send && std::none_of(marks.begin(), marks.end(), [](const PhaseMark& mark) { return mark.name == L"send"; }))
        marks.push_back({L"send", ms});
}

// Serves one debug event; true when it was the process's exit.
bool ServeEvent(const DEBUG_EVENT& event, HANDLE process, double ms, std::vector<PhaseMark>& marks)
{
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
    case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
    case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile)
            CloseHandle(event.u.LoadDll.hFile);
        break;
    case OUTPUT_DEBUG_STRING_EVENT:
        NoteDebugString(ReadDebugString(process, event.u.DebugString), ms, marks);
        break;
    case EXCEPTION_DEBUG_EVENT:
        // The loader's initial breakpoint is ours; every other exception is the program's own.
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED;
        break;
    default:
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    return event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
}

bool HasUpdateRegion(HWND window)
{
    return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM lParam)
{
    if (!HasUpdateRegion(child))
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

// The window and its children have no region left to paint, and the thread has come back from the
// paint: a message sent now is answered only once the painting message has been handled.
bool FirstPaintDone(DWORD processId)
{
    HWND window = FindVisibleWindow(processId);
    if (!window || HasUpdateRegion(window))
        return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted &&
           SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPaintWaitMs, nullptr) != 0;
}

}  // namespace

std::vector<PhaseMark> TracePhases(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER begin;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &process))
        return {};
    std::vector<PhaseMark> marks;
    bool painted = false, ending = false, exited = false;
    while (!exited) {
        DEBUG_EVENT event;
        if (WaitForDebugEvent(&event, 1))
            exited = ServeEvent(event, process.hProcess, ElapsedMs(begin), marks);
        if (ending || exited)
            continue;
        painted = FirstPaintDone(process.dwProcessId);
        if (painted)
            marks.push_back({L"first paint", ElapsedMs(begin)});
        if (painted || ElapsedMs(begin) > kGiveUpMs) {
            // The debugger keeps serving events until the exit comes through.
            TerminateProcess(process.hProcess, 0);
            ending = true;
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return painted ? marks : std::vector<PhaseMark>();
}
