// Small window chores that several of the installer's views share.
#pragma once

#include <windows.h>

// Sizes the window and places it at ((work-area right - width) / 2, (work-area bottom - height) / 2).
void PlaceOnWorkArea(HWND hwnd, int width, int height);

// Shows the window on the taskbar as an application window, never as a tool window.
void MakeAppWindow(HWND hwnd);

// Width and height of the window's whole rectangle.
SIZE WindowSizeOf(HWND hwnd);

// Moves a child control when it exists.
void MoveChild(HWND parent, int id, int x, int y, int width, int height);
