// Redirection of the eight USER32 scroll-bar functions to the custom-drawn scroll bars while a
// skin is loaded. The saved pointers always reach the system's own functions (through their
// trampolines while the redirection is installed), so the custom bars' fallbacks call them
// without looping through the redirection.
#pragma once

#include <windows.h>

extern decltype(&::EnableScrollBar) uiSysEnableScrollBar;
extern decltype(&::GetScrollInfo) uiSysGetScrollInfo;
extern decltype(&::GetScrollPos) uiSysGetScrollPos;
extern decltype(&::GetScrollRange) uiSysGetScrollRange;
extern decltype(&::SetScrollInfo) uiSysSetScrollInfo;
extern decltype(&::SetScrollPos) uiSysSetScrollPos;
extern decltype(&::SetScrollRange) uiSysSetScrollRange;
extern decltype(&::ShowScrollBar) uiSysShowScrollBar;

// 0 on Windows 9x (nothing redirected), else 1.
int uiInstallScrollHooks();
int uiRemoveScrollHooks();
