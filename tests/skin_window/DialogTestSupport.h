// Helpers of the entry-function and dialog tests: the test skin loaded once through uiLoadSkin, a
// top-level host window of a chosen style whose procedure records what the dialog passes on, and a
// bounded message pump.
#pragma once

#include <windows.h>
#include <functional>

// What the host's procedure saw last.
struct HostRecord {
    int closeRequests = 0;
    // Non-zero: the host clears the value behind lParam of SC_MINIMIZE (the application's veto).
    bool vetoMinimise = false;
    int minimiseOffers = 0;
};
HostRecord& Host();

// A top-level window of the host class at (100, 100), 400 x 300; destroyed with the object.
class HostWindow {
public:
    explicit HostWindow(DWORD style, HWND parent = nullptr);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    operator HWND() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// A child control of a system class.
HWND MakeChild(HWND parent, const wchar_t* className, DWORD style, int id);
// Pumps the thread's messages until done() holds, at most a generous number of rounds.
bool PumpUntil(const std::function<bool()>& done);
