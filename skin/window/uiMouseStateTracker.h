// Turns a window's mouse and enable messages into one paint state (normal, over, down, disabled) and
// tells the window itself: UIM_STATECHANGED on every change, UIM_MOUSEENTER once per entry of the
// mouse. A plain member of its skin object, which hands it the messages it sees.
#pragma once

#include <windows.h>

class uiMouseStateTracker {
public:
    enum State {
        Normal = 0x1,
        Over = 0x2,
        Down = 0x4,
        Disabled = 0x80,
    };
    static const int kDefaultMask = Normal | Over | Down | Disabled;

    // Binds the window; a disabled window starts in the disabled state without a notification.
    // Whether the window is enabled.
    BOOL Attach(HWND window, int mask);
    void SetMask(int mask) { m_mask = mask; }
    // While set, mouse moves and mouse leaves are ignored.
    void SetMouseOff(BOOL off) { m_mouseOff = off; }
    int GetState() const { return m_state; }
    HWND GetWindow() const { return m_window; }

    // Always 1.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Enters a state that the mask allows and that differs from the current one, and says so.
    void SetState(int state);

private:
    void OnMouseMove();

    int m_state = Normal;
    HWND m_window = nullptr;
    // A mouse-leave notification is pending.
    BOOL m_tracking = FALSE;
    int m_mask = kDefaultMask;
    BOOL m_mouseOff = FALSE;
};
