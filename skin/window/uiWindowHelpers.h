// Small operations on a window's styles and rectangles, shared by the skin objects.
#pragma once

#include <windows.h>

// new = (old & ~remove) | add. 0 when that changes nothing; else writes it and, with non-zero swpFlags,
// lets the frame follow through SetWindowPos (without size, move, z-order or activation change).
BOOL uiModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags);
BOOL uiModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags);
BOOL uiModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags);

BOOL uiMoveWindowToRect(HWND hwnd, const RECT& rect, BOOL repaint);
// Converts both corners from screen coordinates to the window's client coordinates.
void uiRectScreenToClient(HWND hwnd, RECT* rect);
// A screen point relative to the window rectangle's top-left corner.
void uiPointScreenToWindow(HWND hwnd, POINT* point);
// Moves the rectangle to (0, 0), keeping its size.
void uiRectToOrigin(HWND hwnd, RECT* rect);
