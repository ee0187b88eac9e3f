// Window chores shared by the views.
#include "ViewHelpers.h"

void PlaceOnWorkArea(HWND hwnd, int width, int height)
{
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    MoveWindow(hwnd, (workArea.right - width) / 2, (workArea.bottom - height) / 2, width, height, TRUE);
}

void MakeAppWindow(HWND hwnd)
{
    const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, (exStyle & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
}

SIZE WindowSizeOf(HWND hwnd)
{
    RECT window = {};
    GetWindowRect(hwnd, &window);
    return {window.right - window.left, window.bottom - window.top};
}

void MoveChild(const CWnd& control, int x, int y, int width, int height)
{
    if (HWND child = control.GetSafeHwnd())
        MoveWindow(child, x, y, width, height, TRUE);
}
