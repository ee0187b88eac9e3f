// Window style and rectangle helpers.
#include "uiWindowHelpers.h"

BOOL uiModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD old = static_cast<DWORD>(GetWindowLongW(hwnd, index));
    const DWORD updated = (old & ~remove) | add;
    if (updated == old)
        return FALSE;
    SetWindowLongW(hwnd, index, static_cast<LONG>(updated));
    if (swpFlags)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL uiModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags)
{
    return uiModifyWindowLong(hwnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL uiModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags)
{
    return uiModifyWindowLong(hwnd, GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL uiMoveWindowToRect(HWND hwnd, const RECT& rect, BOOL repaint)
{
    return MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

void uiRectScreenToClient(HWND hwnd, RECT* rect)
{
    POINT topLeft = {rect->left, rect->top};
    POINT bottomRight = {rect->right, rect->bottom};
    ScreenToClient(hwnd, &topLeft);
    ScreenToClient(hwnd, &bottomRight);
    *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void uiPointScreenToWindow(HWND hwnd, POINT* point)
{
    RECT window = {};
    GetWindowRect(hwnd, &window);
    point->x -= window.left;
    point->y -= window.top;
}

void uiRectToOrigin(HWND, RECT* rect)
{
    OffsetRect(rect, -rect->left, -rect->top);
}
