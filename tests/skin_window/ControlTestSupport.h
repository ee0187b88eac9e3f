// Helpers of the skinned control tests: plain host windows that record the event notifications they
// receive, a message pump with a bound, and pixel reads from a window's own device context.
#pragma once

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "uiEventItemOwner.h"

class uiSkinControl;

// One UIM_EVENTNOTIFY as it arrived: which window it reached, from which control, with what record.
struct Notice {
    HWND receiver;
    HWND control;
    int type;
    std::wstring name;
    int index;
    int x;
    int y;
};
std::vector<Notice>& Notices();

// A window of a class that paints nothing itself (no class brush, DefWindowProc) and records notices.
// Child windows get a control id; the window is destroyed with the object unless destroyed before.
class HostWindow {
public:
    HostWindow(HWND parent, int x, int y, int width, int height, DWORD style = 0);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    operator HWND() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// A child of the class that fills its client area with one colour on WM_PAINT.
HWND CreateSolidChild(HWND parent, const RECT& place, COLORREF color);

// One visible top-level window for the whole run that the tests' windows live in: under Wine without
// a window manager every top-level window that goes waits for the display server.
HWND Stage();

// A new uiSkinControl of the type code on the window with the style, auto-deleting; null on failure.
uiSkinControl* SkinControl(HWND hwnd, const wchar_t* style, int typeCode);

void PumpPending();
// Pumps until the condition holds, by default at most a minute (far more than a loaded machine needs);
// whether it held. With no time left it pumps once and looks once.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 60000);
// Paints everything pending of the window and its children now.
void PaintNow(HWND hwnd);
// The pixel at a point of the window rectangle, read from the window's own DC.
COLORREF WindowPixel(HWND hwnd, int x, int y);
SIZE SelectedBitmapSize(HDC dc);

// The process's live GDI objects: GetGuiResources where the system counts them, else the used
// entries of the process's shared GDI handle table (Wine keeps one but reports 0 to GetGuiResources).
// -1 when neither is available.
long LiveGdiObjects();

// Posts the mouse message with the client point. The real cursor stays parked outside the test
// windows (ParkCursor), so that no mouse move of its own comes between the posted ones.
void PostMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0);
void ParkCursor();

// Posted to a host window: it destroys the window in wParam.
const UINT kDestroyWindow = WM_APP + 7;
// Posted to a host window: it runs the task in wParam, a std::function<void()>* (the application's
// answer to something while a loop of the control pumps the messages).
const UINT kRunTask = WM_APP + 8;
