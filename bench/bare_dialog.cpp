// The reference of the start-up benchmark: a plain dialog from an in-memory template, nothing else.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    dialog.header.cx = 320;
    dialog.header.cy = 200;
    return static_cast<int>(DialogBoxIndirectW(instance, &dialog.header, nullptr, DialogProc));
}
