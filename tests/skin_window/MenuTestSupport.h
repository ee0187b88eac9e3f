// Helpers of the menu tests: an owner window in the foreground, a timer that acts while a menu is
// open, the menu window of a menu, and pixel reads of a window through a DIB.
#pragma once

#include <windows.h>
#include <functional>
#include <vector>

// A visible top-level window of a plain class, brought to the foreground; destroyed with the object.
class MenuOwner {
public:
    explicit MenuOwner(WNDPROC procedure = DefWindowProcW, int x = 40, int y = 40, int width = 320, int height = 200);
    ~MenuOwner();
    MenuOwner(const MenuOwner&) = delete;
    MenuOwner& operator=(const MenuOwner&) = delete;
    operator HWND() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Runs track (which opens a menu and returns when it closes) while a thread timer calls step every
// few milliseconds until step returns true. A menu still open after a generous number of calls is
// ended with EndMenu; the result says whether step finished on its own.
bool RunDuringMenu(const std::function<bool()>& step, const std::function<void()>& track);

// Dispatches the thread's messages until the step of RunDuringMenu has finished; for menus that
// open again from posted messages after the first one closed.
void PumpUntilStepsFinish();

// The visible menu window of the calling thread that shows the menu, or null.
HWND FindMenuWindow(HMENU menu);
// The item's rectangle relative to the menu window's top-left corner.
RECT ItemRectInWindow(HMENU menu, int position, HWND menuWindow);

// Posts a key press and release as the keyboard would.
void PostKey(HWND hwnd, UINT key);

// The whole window (frame included) read into a 32-bit DIB: after a synchronous repaint, or as the
// window prints itself (WM_PRINT with its frame and client area).
class WindowCapture {
public:
    enum Source { kScreen, kPrint };
    explicit WindowCapture(HWND hwnd, Source source = kScreen);
    // The pixel at window coordinates; 0xFFFFFFFF outside.
    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};

// Equal within a small tolerance per channel (the display may round colours).
bool SameColor(COLORREF actual, COLORREF expected);
