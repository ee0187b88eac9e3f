// The gallery program: shows every skinned control kind in one window. With "--shot FILE" it saves a
// picture of the window as a BMP file once everything is painted, and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "GalleryWindow.h"
#include "WindowCapture.h"

namespace {

// Lets every pending message run, so that the picture shows the painted window.
void Settle()
{
    for (int round = 0; round < 50; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring shot;
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (std::wstring(argv[i]) == L"--shot")
            shot = argv[i + 1];
    }
    if (argv)
        LocalFree(argv);
    if (!gallery::LoadSkin())
        return 2;
    const HWND window = gallery::CreateGalleryWindow(40, 40, shot.empty());
    if (!window)
        return 3;
    if (!shot.empty()) {
        Settle();
        const bool saved = CaptureWindowToBmp(window, shot);
        DestroyWindow(window);
        return saved ? 0 : 4;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
