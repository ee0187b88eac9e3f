// Internal pieces of the custom-drawn scroll bars shared by their state, geometry, painting and
// window-procedure files: state lookup, sizes, rectangles, the thumb, hit testing, bar drawing and
// the process-wide tracking state.
#pragma once

#include "uiCustomScrollBar.h"

CustomSBWnd* uiCsbGetState(HWND hwnd);
// Whether the window still has the bars of this state: a procedure or handler that the library
// calls may take them off, which frees the state.
inline bool uiCsbHasState(HWND hwnd, const CustomSBWnd& sb)
{
    return uiCsbGetState(hwnd) == &sb;
}
// Lets go of the window in the tracking state, restores the previous procedure and frees the state
// without redrawing; false without state.
bool uiCsbDetach(HWND hwnd);
// The bar record for bar code 0 or 1, else null.
CustomSBBar* uiCsbBarOf(CustomSBWnd* sb, int bar);
// Frame change: SetWindowPos with SWP_FRAMECHANGED; else WM_NCPAINT with wParam 1.
void uiCsbRedraw(HWND hwnd, bool frameChange);
bool uiCsbCanScroll(const CustomSBBar& bar);
int uiCsbDefaultMinThumbSize();

// Sizes with the system metrics applied to negative fields.
int uiCsbThickness(const CustomSBBar& bar);
int uiCsbArrowLength(const CustomSBBar& bar);

// Bar rectangles in screen coordinates; empty when the bar is not visible.
RECT uiCsbBarRect(HWND hwnd, const CustomSBWnd& sb, int bar);
bool uiCsbSizeBoxRect(HWND hwnd, const CustomSBWnd& sb, RECT* box);

// A vertical bar is handled in the horizontal form: x and y exchanged.
RECT uiCsbFlip(const RECT& rc);
inline RECT uiCsbToHorizontal(const RECT& rc, int bar)
{
    return bar == SB_VERT ? uiCsbFlip(rc) : rc;
}
inline POINT uiCsbToHorizontal(POINT pt, int bar)
{
    return bar == SB_VERT ? POINT{pt.y, pt.x} : pt;
}

struct CsbThumb {
    int start;  // along the bar, in the coordinates of the bar rectangle
    int size;
};
// The thumb of a bar that runs from left to right (horizontal form).
CsbThumb uiCsbGetThumb(const CustomSBBar& bar, int left, int right);
// Part under a point, both in horizontal form; kCsbPartNone when none.
int uiCsbHitTestBar(const CustomSBBar& bar, const RECT& rc, POINT pt);

// Draws one bar into a window DC at a rectangle relative to the window; shownPart is drawn
// pressed. Returns whether the bar was drawn through part notifications.
bool uiCsbDrawBar(HWND hwnd, CustomSBWnd& sb, HDC hdc, int bar, const RECT& rc, int shownPart);
// Redraws the track of a bar whose thumb is dragged: the page areas in their normal look and the
// thumb pressed at thumbOffset from the bar's start (along the bar).
void uiCsbDrawDraggedThumb(HWND hwnd, CustomSBWnd& sb, HDC hdc, int bar, const RECT& rc, int thumbOffset,
                           int thumbSize);
// Draws the visible bars and the size box into hdc; the previous procedure paints the borders
// with wParam when paintBorders is set. Returns the previous procedure's answer.
LRESULT uiCsbDrawNonClient(HWND hwnd, CustomSBWnd& sb, HDC hdc, WPARAM wParam, bool paintBorders);
// The window DC with the client area excluded; release with ReleaseDC.
HDC uiCsbGetNonClientDC(HWND hwnd);
// Non-client paint with the given wParam.
LRESULT uiCsbPaintNCWith(HWND hwnd, CustomSBWnd& sb, WPARAM wParam);
// Redraws one bar now, as the tracking state shows it, or with the given part pressed.
void uiCsbRedrawBar(HWND hwnd, CustomSBWnd& sb, int bar);
void uiCsbRedrawBarShowing(HWND hwnd, CustomSBWnd& sb, int bar, int shownPart);
// A screen rectangle relative to the window's top-left corner.
RECT uiCsbToWindow(HWND hwnd, const RECT& screen);
// Calls the previous procedure with the scroll styles taken away.
LRESULT uiCsbCallGuarded(HWND hwnd, CustomSBWnd& sb, UINT msg, WPARAM wParam, LPARAM lParam);

// One mouse operation at a time in the whole process.
struct CsbTracking {
    int pressedPart = kCsbPartNone;
    int shownPart = kCsbPartNone;
    int trackedBar = -1;
    UINT scrollMsg = 0;
    UINT_PTR repeatTimer = 0;
    int thumbStart = 0;
    int thumbSize = 0;
    int dragOffset = 0;
    RECT savedBarRect{};  // horizontal form, screen
    bool hasDragPos = false;
    int lastDragPos = 0;
    HWND hotWnd = nullptr;
    int hotBar = -1;
    RECT hotBarRect{};  // screen
    int hotPart = kCsbPartNone;
    int lastHotPart = kCsbPartNone;
    UINT_PTR hoverTimer = 0;
    int lastPartUnderMouse = kCsbPartNone;
    LPARAM lastNcMousePos = 0;
};
CsbTracking& uiCsbTracking();
// The bars are leaving the window: a press on them ends, and the hover lets go of the window.
void uiCsbForgetWindow(HWND hwnd);
