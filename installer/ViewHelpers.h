// Small window chores that several of the installer's views share.
#pragma once

#include <windows.h>

#include "CWnd.h"

// Sizes the window and places it at ((work-area right - width) / 2, (work-area bottom - height) / 2).
void PlaceOnWorkArea(HWND hwnd, int width, int height);

// Shows the window on the taskbar as an application window, never as a tool window.
void MakeAppWindow(HWND hwnd);

// Width and height of the window's whole rectangle.
SIZE WindowSizeOf(HWND hwnd);

// Moves a child control when its window exists. The view's own control object is asked, not the
// dialog by id: under Wine each lookup by id is a round trip to the window server.
void MoveChild(const CWnd& control, int x, int y, int width, int height);
