// Lets a control show its parent's background through its transparent parts: the control carries a
// window property by which its parent finds it, and before painting its own look it asks the parent
// to paint the background under it.
#pragma once

#include <windows.h>

#include "uiHelper.h"

// What a transparent control sends with UIM_PAINTPARENTBK.
struct uiParentBkRequest {
    HDC hdc;
    HWND child;
    // 0 from every sender here; rect counts only when it is set.
    BOOL useRect;
    RECT rect;
};

class uiTransparentHelper : public uiHelper {
public:
    // Marks the window as transparent (unless it already is); always 1.
    BOOL Attach(HWND hwnd);
    // Attached while the window's style asks for it; otherwise detached, the window no longer marked
    // transparent, so that a style taking another's place does not keep the old one's transparency.
    void Follow(HWND hwnd, BOOL transparent);
    // Paints the parent's background under the child into hdc, which covers the child's window
    // rectangle from (0, 0): from a skinned parent's background, else through the parent's
    // WM_ERASEBKGND, aligned to the child's place.
    void PaintParentBk(HDC hdc, HWND child);
};

// 0 when the window already carries the transparent-control property, else sets it and returns 1.
BOOL uiSetTransparentTag(HWND hwnd);
BOOL uiHasTransparentTag(HWND hwnd);
