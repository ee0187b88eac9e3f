// The transparent-background helper and the transparent-control property.
#include "uiTransparentHelper.h"

#include "uiEngineMessages.h"
#include "uiWindowHelpers.h"

namespace {

const wchar_t kTransparentTag[] = L"uiskin_tranparentctrl_tag";

}  // namespace

BOOL uiSetTransparentTag(HWND hwnd)
{
    if (uiHasTransparentTag(hwnd))
        return FALSE;
    return SetPropW(hwnd, kTransparentTag, hwnd) ? TRUE : FALSE;
}

BOOL uiHasTransparentTag(HWND hwnd)
{
    return GetPropW(hwnd, kTransparentTag) != nullptr;
}

BOOL uiTransparentHelper::Attach(HWND hwnd)
{
    uiSetTransparentTag(hwnd);
    return uiHelper::Attach(hwnd, TRUE);
}

void uiTransparentHelper::Follow(HWND hwnd, BOOL transparent)
{
    if (transparent) {
        Attach(hwnd);
        return;
    }
    if (IsAttached())
        RemovePropW(m_hwnd, kTransparentTag);
    uiHelper::Attach(hwnd, FALSE);
}

void uiTransparentHelper::PaintParentBk(HDC hdc, HWND child)
{
    const HWND parent = GetParent(child);
    if (!parent)
        return;
    uiParentBkRequest request = {hdc, child, FALSE, {0, 0, 0, 0}};
    if (SendMessageW(parent, UIM_PAINTPARENTBK, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(&request)))
        return;
    // The parent erases in its own client coordinates: shift them so that the part under the child
    // lands at (0, 0).
    RECT place = {};
    GetWindowRect(child, &place);
    uiRectScreenToClient(parent, &place);
    POINT origin = {};
    OffsetWindowOrgEx(hdc, place.left, place.top, &origin);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    SetWindowOrgEx(hdc, origin.x, origin.y, nullptr);
}
