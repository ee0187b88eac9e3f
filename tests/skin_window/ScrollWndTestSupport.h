// Helpers of the scroll window tests: the packed test skin, an owner window that records the scroll
// notifications of its scroll-bar controls and moves them as an application would, and read-backs
// of what a window shows.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ScrollTestWindow.h"

// Loads the test skin (SKINDB 2031) once per process; whether it is loaded.
bool LoadScrollTestSkin();

struct ScrollNote {
    UINT msg;
    int code;
    int pos;
    HWND from;
};

// A child of a top-level host at the screen's origin (client coordinates in the host are screen
// coordinates). While follow is set it answers each line, page and thumb notification of a
// scroll-bar control by setting the control's new position, redrawn, through SBM_SETSCROLLINFO.
class ScrollOwner {
public:
    ScrollOwner(int x, int y, int w, int h);
    ~ScrollOwner();
    ScrollOwner(const ScrollOwner&) = delete;
    ScrollOwner& operator=(const ScrollOwner&) = delete;

    HWND hwnd() const { return m_hwnd; }
    std::vector<ScrollNote> notes;
    bool follow = true;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Follow(const ScrollNote& note);
    HWND m_hwnd = nullptr;
};

// What the window shows now, frame included, copied from its window DC.
std::unique_ptr<DibCanvas> WindowPixels(HWND hwnd);
// The window's size.
SIZE WindowSize(HWND hwnd);
