// Optional system functions.
#include "uiApiLoader.h"

#include <initializer_list>

#include "uiSkinError.h"

decltype(&::AlphaBlend) uiApiLoader::AlphaBlend = nullptr;
decltype(&::GradientFill) uiApiLoader::GradientFill = nullptr;
decltype(&::InitCommonControlsEx) uiApiLoader::InitCommonControlsEx = nullptr;
decltype(&::_TrackMouseEvent) uiApiLoader::_TrackMouseEvent = nullptr;
decltype(&::CreateToolbarEx) uiApiLoader::CreateToolbarEx = nullptr;
decltype(&::GetMonitorInfoA) uiApiLoader::GetMonitorInfoA = nullptr;
decltype(&::MonitorFromRect) uiApiLoader::MonitorFromRect = nullptr;
decltype(&::MonitorFromWindow) uiApiLoader::MonitorFromWindow = nullptr;
decltype(&::SetLayeredWindowAttributes) uiApiLoader::SetLayeredWindowAttributes = nullptr;
decltype(&::UpdateLayeredWindow) uiApiLoader::UpdateLayeredWindow = nullptr;
decltype(&::ImageList_Draw) uiApiLoader::ImageList_Draw = nullptr;
decltype(&::IsThemeActive) uiApiLoader::IsThemeActive = nullptr;
HMODULE uiApiLoader::msimg32 = nullptr;
HMODULE uiApiLoader::comctl32 = nullptr;
HMODULE uiApiLoader::user32 = nullptr;
HMODULE uiApiLoader::uxtheme = nullptr;

namespace {

template <typename Function>
void Lookup(HMODULE module, const char* name, Function* function)
{
    *function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A module loaded by an earlier Load keeps its one reference.
HMODULE LoadOnce(HMODULE* module, const wchar_t* name)
{
    if (!*module)
        *module = LoadLibraryW(name);
    return *module;
}

} // namespace

BOOL uiApiLoader::Load()
{
    BOOL complete = TRUE;
    HMODULE module = LoadOnce(&msimg32, L"Msimg32.dll");
    Lookup(module, "AlphaBlend", &AlphaBlend);
    Lookup(module, "GradientFill", &GradientFill);
    if (!module) {
        uiSetSkinError(UI_ERROR_NO_MSIMG32);
        complete = FALSE;
    }
    module = LoadOnce(&comctl32, L"ComCtl32.dll");
    Lookup(module, "InitCommonControlsEx", &InitCommonControlsEx);
    Lookup(module, "_TrackMouseEvent", &_TrackMouseEvent);
    Lookup(module, "CreateToolbarEx", &CreateToolbarEx);
    Lookup(module, "ImageList_Draw", &ImageList_Draw);
    if (!module) {
        uiSetSkinError(UI_ERROR_NO_COMCTL32);
        complete = FALSE;
    }
    Lookup(LoadOnce(&uxtheme, L"UxTheme.dll"), "IsThemeActive", &IsThemeActive);
    module = LoadOnce(&user32, L"User32.dll");
    Lookup(module, "SetLayeredWindowAttributes", &SetLayeredWindowAttributes);
    Lookup(module, "GetMonitorInfoA", &GetMonitorInfoA);
    Lookup(module, "MonitorFromRect", &MonitorFromRect);
    Lookup(module, "MonitorFromWindow", &MonitorFromWindow);
    Lookup(module, "UpdateLayeredWindow", &UpdateLayeredWindow);
    return complete;
}

BOOL uiApiLoader::Unload()
{
    // Pointers into a freed library would crash their callers: they go with it.
    AlphaBlend = nullptr;
    GradientFill = nullptr;
    InitCommonControlsEx = nullptr;
    _TrackMouseEvent = nullptr;
    CreateToolbarEx = nullptr;
    GetMonitorInfoA = nullptr;
    MonitorFromRect = nullptr;
    MonitorFromWindow = nullptr;
    SetLayeredWindowAttributes = nullptr;
    UpdateLayeredWindow = nullptr;
    ImageList_Draw = nullptr;
    IsThemeActive = nullptr;
    for (HMODULE* module : {&msimg32, &comctl32, &user32, &uxtheme}) {
        if (*module)
            FreeLibrary(*module);
        *module = nullptr;
    }
    return TRUE;
}
