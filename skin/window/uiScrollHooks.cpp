// The saved pointers of the eight USER32 scroll-bar functions and their redirection to the
// custom-drawn scroll bars: while installed, each function goes to its custom counterpart for a
// window with custom bars and to the system's own code through its saved pointer otherwise.
#include "uiScrollHooks.h"

#include "ApiHook.h"
#include "uiCustomScrollBar.h"

decltype(&::EnableScrollBar) uiSysEnableScrollBar = &::EnableScrollBar;
decltype(&::GetScrollInfo) uiSysGetScrollInfo = &::GetScrollInfo;
decltype(&::GetScrollPos) uiSysGetScrollPos = &::GetScrollPos;
decltype(&::GetScrollRange) uiSysGetScrollRange = &::GetScrollRange;
decltype(&::SetScrollInfo) uiSysSetScrollInfo = &::SetScrollInfo;
decltype(&::SetScrollPos) uiSysSetScrollPos = &::SetScrollPos;
decltype(&::SetScrollRange) uiSysSetScrollRange = &::SetScrollRange;
decltype(&::ShowScrollBar) uiSysShowScrollBar = &::ShowScrollBar;

namespace {

BOOL WINAPI RedirectEnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbEnableScrollBar(hwnd, bar, arrows) : uiSysEnableScrollBar(hwnd, bar, arrows);
}

BOOL WINAPI RedirectGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbGetScrollInfo(hwnd, bar, info) : uiSysGetScrollInfo(hwnd, bar, info);
}

int WINAPI RedirectGetScrollPos(HWND hwnd, int bar)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbGetScrollPos(hwnd, bar) : uiSysGetScrollPos(hwnd, bar);
}

BOOL WINAPI RedirectGetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbGetScrollRange(hwnd, bar, minPos, maxPos)
                                : uiSysGetScrollRange(hwnd, bar, minPos, maxPos);
}

int WINAPI RedirectSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbSetScrollInfo(hwnd, bar, info, redraw)
                                : uiSysSetScrollInfo(hwnd, bar, info, redraw);
}

int WINAPI RedirectSetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbSetScrollPos(hwnd, bar, pos, redraw) : uiSysSetScrollPos(hwnd, bar, pos, redraw);
}

BOOL WINAPI RedirectSetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbSetScrollRange(hwnd, bar, minPos, maxPos, redraw)
                                : uiSysSetScrollRange(hwnd, bar, minPos, maxPos, redraw);
}

BOOL WINAPI RedirectShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    return uiCsbIsEnabled(hwnd) ? uiCsbShowScrollBar(hwnd, bar, show) : uiSysShowScrollBar(hwnd, bar, show);
}

struct Redirection {
    PVOID* saved;
    PVOID replacement;
};

template <typename Fn>
Redirection Entry(Fn& saved, Fn replacement)
{
    return Redirection{reinterpret_cast<PVOID*>(&saved), reinterpret_cast<PVOID>(replacement)};
}

const Redirection* Redirections(size_t* count)
{
    static const Redirection table[] = {
        Entry(uiSysEnableScrollBar, &RedirectEnableScrollBar),
        Entry(uiSysGetScrollInfo, &RedirectGetScrollInfo),
        Entry(uiSysGetScrollPos, &RedirectGetScrollPos),
        Entry(uiSysGetScrollRange, &RedirectGetScrollRange),
        Entry(uiSysSetScrollInfo, &RedirectSetScrollInfo),
        Entry(uiSysSetScrollPos, &RedirectSetScrollPos),
        Entry(uiSysSetScrollRange, &RedirectSetScrollRange),
        Entry(uiSysShowScrollBar, &RedirectShowScrollBar),
    };
    *count = sizeof(table) / sizeof(table[0]);
    return table;
}

bool IsWindows9x()
{
    return (GetVersion() & 0x80000000u) != 0;
}

// Installed once at most: hooking the saved trampolines a second time would chain the
// redirection onto itself.
bool g_installed = false;

bool RunTransaction(LONG (*request)(PVOID*, PVOID))
{
    if (HookTransactionBegin() != 0)
        return false;
    HookUpdateThread(GetCurrentThread());
    size_t count = 0;
    const Redirection* table = Redirections(&count);
    for (size_t i = 0; i < count; ++i)
        request(table[i].saved, table[i].replacement);
    return HookTransactionCommit() == 0;
}

}  // namespace

int uiInstallScrollHooks()
{
    if (IsWindows9x())
        return 0;
    if (!g_installed)
        g_installed = RunTransaction(&HookAttach);
    return 1;
}

int uiRemoveScrollHooks()
{
    if (IsWindows9x())
        return 0;
    if (g_installed)
        g_installed = !RunTransaction(&HookDetach);
    return 1;
}
