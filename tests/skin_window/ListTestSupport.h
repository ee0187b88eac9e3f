// Helpers of the list control tests: the test skin, a host window whose own skin object reflects its
// children's notifications, and common-control children made on it.
#pragma once

#include <windows.h>

#include "ControlTestSupport.h"

// Loads the list test skin once; whether it is loaded.
bool LoadListsSkin();

// How many more GDI objects the process can make now: brushes are made until the system refuses one,
// then deleted. Wine reports no object counts, but its handle table is finite; a leak shows as less
// room.
int GdiHeadroom();

// The top-level host of the list tests, with a plain skin object, so that owner-draw and notify
// messages reach the children's own skin objects. One host serves every test (under Wine a shown
// top-level window takes seconds to go); each ListHost destroys the children made on it.
class ListHost {
public:
    ListHost();
    ~ListHost();
    ListHost(const ListHost&) = delete;
    ListHost& operator=(const ListHost&) = delete;
    operator HWND() const { return m_window; }
    // A child of the class with the style, at the place, id 100.
    HWND Child(const wchar_t* className, DWORD style, const RECT& place, DWORD exStyle = 0) const;

private:
    HWND m_window;
};
