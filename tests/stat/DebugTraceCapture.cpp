// A vectored exception handler sees the debug-print exceptions before OutputDebugString's own handler
// takes them; it copies the text and lets the exception go on. A wide print may be followed by the
// narrow copy of the same line, which is then skipped.
#include "DebugTraceCapture.h"

#include <windows.h>

#include <mutex>

namespace {

const DWORD kPrintNarrow = 0x40010006;  // DBG_PRINTEXCEPTION_C
const DWORD kPrintWide = 0x4001000A;    // DBG_PRINTEXCEPTION_WIDE_C

std::mutex g_mutex;
std::vector<std::wstring> g_lines;
PVOID g_handler = nullptr;
thread_local bool t_wideSeen = false;

std::wstring Widen(const char* text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    std::wstring line;
    if (record->ExceptionCode == kPrintWide && record->NumberParameters >= 2) {
        line = reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]);
        t_wideSeen = true;
    } else if (record->ExceptionCode == kPrintNarrow && record->NumberParameters >= 2) {
        if (t_wideSeen) {
            t_wideSeen = false;
            return EXCEPTION_CONTINUE_SEARCH;
        }
        line = Widen(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
    } else {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if (!line.empty() && line.back() == L'\n')
        line.pop_back();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.push_back(line);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

DebugTraceCapture::DebugTraceCapture()
{
    Clear();
    g_handler = AddVectoredExceptionHandler(1, OnException);
}

DebugTraceCapture::~DebugTraceCapture()
{
    RemoveVectoredExceptionHandler(g_handler);
}

std::vector<std::wstring> DebugTraceCapture::Lines() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_lines;
}

int DebugTraceCapture::Count(const std::wstring& line) const
{
    int count = 0;
    for (const std::wstring& captured : Lines())
        count += captured == line;
    return count;
}

int DebugTraceCapture::CountPrefix(const std::wstring& prefix) const
{
    int count = 0;
    for (const std::wstring& captured : Lines())
        count += captured.compare(0, prefix.size(), prefix) == 0;
    return count;
}

void DebugTraceCapture::Clear()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.clear();
}
