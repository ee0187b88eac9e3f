// Keeps a window out of automatic child skinning for as long as the guard holds it. When the window
// is guarded already, the guard stays empty and leaves the property to its first owner.
#pragma once

#include <windows.h>

class uiNoSkinGuard {
public:
    uiNoSkinGuard() = default;
    uiNoSkinGuard(const uiNoSkinGuard&) = delete;
    uiNoSkinGuard& operator=(const uiNoSkinGuard&) = delete;
    ~uiNoSkinGuard() { Remove(); }

    void Set(HWND hwnd);
    // Takes the property off the window this guard marked; nothing for an empty guard.
    void Remove();
    HWND GetHwnd() const { return m_hwnd; }

    // Whether the window carries the no-skin property, set by any guard.
    static BOOL IsGuarded(HWND hwnd);

private:
    HWND m_hwnd = nullptr;
};
