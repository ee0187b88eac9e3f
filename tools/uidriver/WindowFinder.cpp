// Window lookup for the UI driver.
#include "WindowFinder.h"

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerTimeoutMs = 2000;

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.handle && window != query.handle) {
        return false;
    }
    if (!query.includeHidden && !IsWindowVisible(window)) {
        return false;
    }
    if (query.processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId) {
            return false;
        }
    }
    if (!query.className.empty() && ClassNameOf(window) != query.className) {
        return false;
    }
    if (!query.title.empty()) {
        wchar_t caption[1024] = {};
        GetWindowTextW(window, caption, 1024);
        if (query.title != caption) {
            return false;
        }
    }
    return true;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTopWindows(const WindowQuery& query)
{
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> matching;
    for (HWND window : all) {
        if (Matches(window, query)) {
            matching.push_back(window);
        }
    }
    return matching;
}

HWND FindTopWindow(const WindowQuery& query)
{
    const std::vector<HWND> windows = FindTopWindows(query);
    return windows.empty() ? nullptr : windows.front();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(kPollMs);
    }
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied)) {
        return L"";
    }
    text.resize(copied < length ? copied : length);
    return text;
}

std::vector<HWND> DescendantsOf(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}
