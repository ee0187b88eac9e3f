// System functions that the skin engine uses only when the running Windows offers them, looked up at
// run time. Every pointer is null when its function is absent; callers test it before the call.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

class uiApiLoader {
public:
    // 1 when both Msimg32.dll and ComCtl32.dll were loaded (else error 103 or 106); every library is tried.
    static BOOL Load();
    // Frees the libraries and forgets their functions.
    static BOOL Unload();

    static decltype(&::AlphaBlend) AlphaBlend;
    static decltype(&::GradientFill) GradientFill;
    static decltype(&::InitCommonControlsEx) InitCommonControlsEx;
    static decltype(&::_TrackMouseEvent) _TrackMouseEvent;
    static decltype(&::CreateToolbarEx) CreateToolbarEx;
    static decltype(&::GetMonitorInfoA) GetMonitorInfoA;
    static decltype(&::MonitorFromRect) MonitorFromRect;
    static decltype(&::MonitorFromWindow) MonitorFromWindow;
    static decltype(&::SetLayeredWindowAttributes) SetLayeredWindowAttributes;
    static decltype(&::UpdateLayeredWindow) UpdateLayeredWindow;
    static decltype(&::ImageList_Draw) ImageList_Draw;
    static decltype(&::IsThemeActive) IsThemeActive;

    static HMODULE msimg32;
    static HMODULE comctl32;
    static HMODULE user32;
    static HMODULE uxtheme;
};
