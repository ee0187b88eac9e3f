// The skin engine's private window messages and its two registered messages. Every skin class that
// sends or answers one of them takes the number from here.
#pragma once

#include <windows.h>

enum uiEngineMessage : UINT {
    // The mouse-state tracker to its own window once per entry of the mouse (0, 0).
    UIM_MOUSEENTER = 0xB101,
    // The mouse-state tracker to its own window: wParam the old state, lParam the new state.
    UIM_STATECHANGED = 0xB102,
    // A transparent control to its parent: wParam the target DC, lParam a uiParentBkRequest*.
    // A result of 0 makes the sender fall back to WM_ERASEBKGND.
    UIM_PAINTPARENTBK = 0xB103,
    // The skinned spin button to its buddy window.
    UIM_SPINBUDDY = 0xB106,
    // Posted by the timer window every 50 ms to each registered visible window.
    UIM_TICK = 0xB107,
    // A skinned button invalidates without erasing and updates at once.
    UIM_REPAINT = 0xB108,
    // wParam 0: repaint over the parent's new background; wParam 1: apply the stored colour adjustment.
    UIM_UPDATE = 0xB10F,
    // The split button to its parent when its drop-down part is pressed: wParam the button.
    UIM_SPLITDROPDOWN = 3006,
};
// UIM_EVENTNOTIFY (3010), an event control's notice to the application, is defined beside the event
// items that send it (uiEventItemOwner.h).

// A parent's message about a child, reflected to the child: wParam the parent's wParam, lParam a
// uiReflectInfo*.
extern const UINT uiReflectMsg;
// Answered 1 by every window that has a subclass chain.
extern const UINT uiProbeMsg;
