// The skinned up-down control.
#include "uiSkinSpinButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiEngineMessages.h"

namespace {

const wchar_t* const kImageNames[] = {
    L"spinbutton.up.normal",   L"spinbutton.up.over",   L"spinbutton.up.down",   L"spinbutton.up.dis",
    L"spinbutton.down.normal", L"spinbutton.down.over", L"spinbutton.down.down", L"spinbutton.down.dis",
};

const int kSpinMask = 135;

}  // namespace

uiSkinSpinButton::uiSkinSpinButton()
{
    m_styleName = L"spinbutton";
}

int uiSkinSpinButton::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    for (int i = 0; i < ImageCount; ++i)
        m_images[i] = m_displayList ? m_displayList->FindItem(kImageNames[i]) : nullptr;
    return result;
}

void uiSkinSpinButton::OnAttached()
{
    uiSkinBase::OnAttached();
    const HWND buddy = reinterpret_cast<HWND>(SendMessageW(m_hwnd, UDM_GETBUDDY, 0, 0));
    wchar_t className[32] = {};
    if (buddy && IsWindow(buddy) && GetClassNameW(buddy, className, 32) && lstrcmpiW(className, L"edit") == 0)
        SendMessageW(buddy, UIM_SPINBUDDY, 0, reinterpret_cast<LPARAM>(m_hwnd));
    m_vertical = (GetStyle() & UDS_HORZ) == 0;
    m_tracker.Attach(m_hwnd, kSpinMask);
}

void uiSkinSpinButton::GetHalves(RECT* first, RECT* second) const
{
    const RECT client = GetClientRect();
    *first = client;
    *second = client;
    if (m_vertical) {
        first->bottom = second->top = client.top + (client.bottom - client.top) / 2;
    } else {
        first->right = second->left = client.left + (client.right - client.left) / 2;
    }
}

int uiSkinSpinButton::HalfAt(POINT point) const
{
    RECT first = {}, second = {};
    GetHalves(&first, &second);
    if (PtInRect(&first, point))
        return 1;
    return PtInRect(&second, point) ? 0 : -1;
}

void uiSkinSpinButton::OnMouseMove(LPARAM lParam)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const BOOL upHot = HalfAt(point) == 1;
    if (upHot != m_upHot) {
        m_upHot = upHot;
        Invalidate(nullptr, TRUE);
    }
}

void uiSkinSpinButton::PaintHalves(HDC dc, int state, int half)
{
    int first = -1, second = -1;
    switch (state) {
    case uiMouseStateTracker::Normal:
        first = UpNormal, second = DownNormal;
        break;
    case uiMouseStateTracker::Over:
        if (half == 0)
            first = UpNormal, second = DownOver;
        else
            first = UpOver, second = DownNormal;
        break;
    case uiMouseStateTracker::Down:
        if (half == -1)
            return;
        if (half == 1)
            first = UpDown, second = DownNormal;
        else
            first = UpNormal, second = DownDown;
        break;
    case uiMouseStateTracker::Disabled:
        first = UpDisabled, second = DownDisabled;
        break;
    default:
        return;
    }
    RECT firstRect = {}, secondRect = {};
    GetHalves(&firstRect, &secondRect);
    if (m_images[first])
        m_images[first]->SetRectAndPaint(dc, firstRect);
    if (m_images[second])
        m_images[second]->SetRectAndPaint(dc, secondRect);
}

void uiSkinSpinButton::OnPaint()
{
    const DWORD position = GetMessagePos();
    POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(m_hwnd, &point);
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(m_hwnd, &paint);
    if (dc)
        PaintHalves(dc, m_tracker.GetState(), HalfAt(point));
    EndPaint(m_hwnd, &paint);
}

LRESULT uiSkinSpinButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_tracker.GetWindow())
        m_tracker.WindowProc(msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 1;
    case UIM_STATECHANGED:
        Invalidate(nullptr, TRUE);
        return 1;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinSpinButton::ForgetStyle()
{
    for (uiDisplayItem*& image : m_images)
        image = nullptr;
    uiSkinBase::ForgetStyle();
}
