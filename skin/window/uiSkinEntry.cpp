// Entry functions of the skin engine in their plain form: the engine's window classes are not
// part of this build yet, so no style can be found and every window keeps its system look. What
// callers depend on beyond the look stays: a static skinned with code 106 reports clicks
// (SS_NOTIFY), and the results are those of an engine whose skin did not load.
#include "uiSkinEntry.h"

namespace {

constexpr int kCodeStatic = 106;
bool g_menuSkinned = false;

}  // namespace

int uiLoadSkin(LPCWSTR name, LPCWSTR type)
{
    (void)type;
    if (!name)
        return 0;
    g_menuSkinned = true;
    return 0;
}

BOOL uiSkinWindow(HWND hwnd, int code, LPCWSTR styleName, BOOL bSkinChildren)
{
    (void)styleName;
    (void)bSkinChildren;
    if (code == kCodeStatic && IsWindow(hwnd))
        SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | SS_NOTIFY);
    return FALSE;
}

BOOL uiSkinChildWindows(HWND hwnd)
{
    return IsWindow(hwnd) ? TRUE : FALSE;
}

void uiAttachParentSkin(HWND hwnd)
{
    (void)hwnd;
}

int uiSetDisplayParams(HWND hwnd, int first, int last, BOOL visible, BOOL redraw)
{
    (void)hwnd;
    (void)first;
    (void)last;
    (void)visible;
    (void)redraw;
    return 1;
}

BOOL uiIsMenuSkinned()
{
    return g_menuSkinned ? TRUE : FALSE;
}

int uiSetMenuSkin(BOOL enable)
{
    g_menuSkinned = enable != FALSE;
    return 1;
}

int uiExitSkin()
{
    g_menuSkinned = false;
    return 1;
}
