// The skin engine's entry functions: load the skin once, skin each window by control-type code
// and style name, switch a skinned window's display items, shut the engine down at exit.
// Control-type codes run from 100 ('d') to 126 ('~').
#pragma once

#include <windows.h>

// Loads the skin database from the program's resource (name may be an integer id); 0 when the
// name is null or the database could not be loaded.
int uiLoadSkin(LPCWSTR name, LPCWSTR type);
// Skins one window; for the dialog codes 100 to 102 a nonzero bSkinChildren skins its direct
// children too. 1 when the window (and its children) were skinned.
BOOL uiSkinWindow(HWND hwnd, int code, LPCWSTR styleName, BOOL bSkinChildren);
// Skins the direct children of a window with their class defaults; 0 when hwnd is no window.
BOOL uiSkinChildWindows(HWND hwnd);
// Gives the parent of hwnd the shared window procedure so that it reflects notifications.
void uiAttachParentSkin(HWND hwnd);
// Shows or hides the display items first..last of a skinned window; always 1.
int uiSetDisplayParams(HWND hwnd, int first, int last, BOOL visible, BOOL redraw);
BOOL uiIsMenuSkinned();
int uiSetMenuSkin(BOOL enable);
// Removes the hooks and frees the skin; always 1. Skin objects of live windows go with their windows.
int uiExitSkin();
