// A plain window for the custom scroll-bar tests: it records the scroll messages and
// custom-draw notifications that reach its own procedure, answers the pre-paint stage as told,
// and pumps its thread's messages until a condition holds.
#pragma once

#include <windows.h>
#include <functional>
#include <ostream>
#include <vector>

#include "uiCustomScrollBar.h"

struct ScrollMsg {
    UINT msg;
    int code;
    int pos;
};

struct DrawNote {
    UINT stage;
    UINT item;
    UINT state;
    UINT bar;
    RECT rect;
    WPARAM wParam;
    int id;
};

// The one top-level host of the test windows, at the screen's origin, so that client coordinates in
// it are screen coordinates.
HWND ScrollTestHost();
// A visible child of the host, of a class whose procedure is DefWindowProc until the caller sets its own.
HWND CreateScrollTestChild(int x, int y, int w, int h, DWORD style = 0, DWORD exStyle = 0);

class ScrollTestWindow {
public:
    // A window with a one-pixel border at screen point (x, y), w × h, with extra styles.
    ScrollTestWindow(int x, int y, int w, int h, DWORD style = 0, DWORD exStyle = 0);
    ~ScrollTestWindow();
    ScrollTestWindow(const ScrollTestWindow&) = delete;
    ScrollTestWindow& operator=(const ScrollTestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    std::vector<ScrollMsg> scrolls;
    std::vector<DrawNote> notes;
    std::vector<UINT> passedOn;  // messages that reached this procedure
    LRESULT prePaintAnswer = 0;
    // Called after each scroll message is recorded, as an application's scroll handler.
    std::function<void(const ScrollMsg&)> onScroll;
    // Called after each custom-draw notification is recorded, as the window's handler of it.
    std::function<void(const DrawNote&)> onNote;
    // Called for every message that reaches this procedure, before it is handled.
    std::function<void(UINT)> onMessage;

    // Client rectangle in screen coordinates.
    RECT ScreenClient() const;
    // Pumps messages until pred holds or about ten seconds pass; returns pred().
    static bool PumpUntil(const std::function<bool()>& pred);
    static void PumpPending();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

// Takes the custom bars off a window, as a handler may, and takes the freed state's memory straight
// back filled with a pattern, so that a later write through a stale pointer shows.
class BarRemoval {
public:
    BarRemoval() = default;
    ~BarRemoval();
    BarRemoval(const BarRemoval&) = delete;
    BarRemoval& operator=(const BarRemoval&) = delete;

    void Remove(HWND hwnd);
    bool Removed() const { return m_removed; }
    // Whether the reclaimed memory still holds the pattern (true when the heap gave other memory).
    bool Untouched() const;

private:
    static constexpr unsigned char kPattern = 0x5A;
    void* m_block = nullptr;
    bool m_removed = false;
};

// A top-down 32-bit DIB selected into a memory DC; pixels read back as COLORREF.
class DibCanvas {
public:
    DibCanvas(int w, int h);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const;

private:
    int m_w;
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& os, const RECT& r)
{
    return os << '{' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << '}';
}
