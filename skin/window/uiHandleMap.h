// The process-wide map from a window to the head of its chain of skin objects. It also remembers the
// window's original procedure for as long as the shared procedure may still be called for the window:
// when something subclassed the window above the chain, the shared procedure cannot be taken out
// when the chain empties, and it then hands every message to the original procedure.
#pragma once

#include <windows.h>
#include <map>

class uiSubclassWnd;

class uiHandleMap {
public:
    uiHandleMap() = default;
    uiHandleMap(const uiHandleMap&) = delete;
    uiHandleMap& operator=(const uiHandleMap&) = delete;
    virtual ~uiHandleMap() = default;

    // Puts the shared procedure on the window unless it is already there; the original procedure.
    WNDPROC Subclass(HWND hwnd);
    // Pushes the object on the window's chain.
    void Attach(HWND hwnd, uiSubclassWnd* object);
    // Takes the object out of its window's chain; when the chain empties and nothing subclassed the
    // window after the chain, the original procedure is put back.
    void Detach(uiSubclassWnd* object);
    // The head of the window's chain, or null.
    uiSubclassWnd* Find(HWND hwnd) const;
    // Detaches every object of the window, head first.
    void DetachAll(HWND hwnd);
    // The window's procedure from before the chain; null when the window was never subclassed.
    WNDPROC OriginalProc(HWND hwnd) const;
    // The window is being destroyed: forgets it.
    void Forget(HWND hwnd);

private:
    struct Entry {
        uiSubclassWnd* head;
        WNDPROC oldProc;
    };
    std::map<HWND, Entry> m_entries;
};

uiHandleMap* uiGetHandleMap();
