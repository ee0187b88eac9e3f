// A two-colour gradient fill of a rectangle, shared by the rectangle and line items.
#pragma once

#include <windows.h>

// Nothing is drawn when the system lacks the gradient function. mode 0 runs left to right, 1 top to bottom; colours are skin colours (only red, green, blue count).
void uiFillGradient(HDC dc, const RECT& rect, COLORREF begin, COLORREF end, int mode);
