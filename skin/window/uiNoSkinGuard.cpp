// The no-skin guard.
#include "uiNoSkinGuard.h"

namespace {

const wchar_t kNoSkinProperty[] = L"#2008_uiskin_set_this_hwnd_no_skin";

}  // namespace

BOOL uiNoSkinGuard::IsGuarded(HWND hwnd)
{
    return GetPropW(hwnd, kNoSkinProperty) != nullptr;
}

void uiNoSkinGuard::Set(HWND hwnd)
{
    // A guard that moves on must not leave its first window marked for good.
    Remove();
    if (!hwnd || IsGuarded(hwnd))
        return;
    if (SetPropW(hwnd, kNoSkinProperty, hwnd))
        m_hwnd = hwnd;
}

void uiNoSkinGuard::Remove()
{
    if (!m_hwnd)
        return;
    RemovePropW(m_hwnd, kNoSkinProperty);
    m_hwnd = nullptr;
}
