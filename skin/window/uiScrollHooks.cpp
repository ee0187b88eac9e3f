// The saved pointers of the eight USER32 scroll-bar functions and their redirection to the
// custom-drawn scroll bars.
#include "uiScrollHooks.h"

decltype(&::EnableScrollBar) uiSysEnableScrollBar = &::EnableScrollBar;
decltype(&::GetScrollInfo) uiSysGetScrollInfo = &::GetScrollInfo;
decltype(&::GetScrollPos) uiSysGetScrollPos = &::GetScrollPos;
decltype(&::GetScrollRange) uiSysGetScrollRange = &::GetScrollRange;
decltype(&::SetScrollInfo) uiSysSetScrollInfo = &::SetScrollInfo;
decltype(&::SetScrollPos) uiSysSetScrollPos = &::SetScrollPos;
decltype(&::SetScrollRange) uiSysSetScrollRange = &::SetScrollRange;
decltype(&::ShowScrollBar) uiSysShowScrollBar = &::ShowScrollBar;
