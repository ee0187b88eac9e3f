// Drawing pieces shared by the skinned list box, list view and tree view.
#include "uiListDrawing.h"

#include <commctrl.h>

#include "uiApiLoader.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiDrawObj.h"
#include "uiListRecords.h"

namespace {

const DWORD kBorderState = 0x87;
const wchar_t kDefaultLook[] = L"default";

}  // namespace

void uiPaintListBorder(HWND hwnd, uiDisplayList* displayList)
{
    RECT frame = {};
    GetWindowRect(hwnd, &frame);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&frame), 2);
    if (!frame.left || !frame.top || !displayList)
        return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    const RECT whole = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
    displayList->PaintItemEx(dc, L"border", &whole, kBorderState);
    ReleaseDC(hwnd, dc);
}

BOOL uiRequestMouseLeave(HWND hwnd)
{
    if (!uiApiLoader::_TrackMouseEvent)
        return FALSE;
    TRACKMOUSEEVENT request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = hwnd;
    request.dwHoverTime = HOVER_DEFAULT;
    return uiApiLoader::_TrackMouseEvent(&request);
}

const uiDrawObj* uiFindRowTemplate(const uiDrawObjList& looks, const wchar_t* name)
{
    return looks.Find(name ? name : kDefaultLook);
}

uiDrawObj* uiCloneRowLook(const uiDrawObj& look, const int* adjust)
{
    uiDrawObj* copy = look.Clone();
    if (adjust)
        uiAdjustRowLook(copy, adjust[0], adjust[1], adjust[2]);
    return copy;
}

void uiAdjustRowLook(uiDrawObj* look, int hue, int saturation, int lightness)
{
    if (!look)
        return;
    look->GetDisplayList().AdjustColor(hue, saturation, lightness);
    look->GetEventList().AdjustColor(hue, saturation, lightness);
}

void uiFillSolid(HDC dc, const RECT& rect, const uiColorInfo& color)
{
    const COLORREF previous = SetBkColor(dc, uiGdiColor(color.GetColor()));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

uiRowBitmap::uiRowBitmap(HDC target, int width, int height, const uiColorInfo& background)
    : m_rect{0, 0, width, height}
{
    if (width <= 0 || height <= 0)
        return;
    m_dc = CreateCompatibleDC(target);
    m_bitmap = CreateCompatibleBitmap(target, width, height);
    if (!m_dc || !m_bitmap)
        return;
    m_previous = SelectObject(m_dc, m_bitmap);
    uiFillSolid(m_dc, m_rect, background);
}

uiRowBitmap::~uiRowBitmap()
{
    if (m_dc) {
        if (m_previous)
            SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

void uiRowBitmap::CopyTo(HDC target, int x, int y) const
{
    BitBlt(target, x, y, m_rect.right, m_rect.bottom, m_dc, 0, 0, SRCCOPY);
}
