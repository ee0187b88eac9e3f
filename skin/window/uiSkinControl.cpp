// The skinned control base: the background bitmap, painting through it, and the children over it.
#include "uiSkinControl.h"

#include <windowsx.h>

#include "uiDisplayList.h"
#include "uiDrawRoutines.h"
#include "uiEngineMessages.h"
#include "uiMemDC.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

namespace {

const int kChildDialogType = 102;
const int kExtendedDialogType = 100;
const int kFrameDialogType = 101;
const int kStaticType = 106;
const int kComboBoxType = 110;
// A maximised frame dialog keeps this strip at its right edge out of the children's clipping.
const int kMaximisedFrameStrip = 8;

// Releases a window DC on every way out.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(GetWindowDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    operator HDC() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

RECT AtOrigin(RECT rect)
{
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

// The child's window rectangle relative to the top-left corner of the parent's window rectangle.
RECT ChildRectInWindow(HWND parent, HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    uiRectScreenToWindow(parent, &rect);
    return rect;
}

}  // namespace

uiSkinControl::uiSkinControl()
{
    m_styleName = L"dialog";
}

uiSkinControl::~uiSkinControl()
{
    StopMovie();
    delete m_background;
}

void uiSkinControl::ForgetStyle()
{
    StopMovie();
    uiSkinEventCtrl::ForgetStyle();
}

void uiSkinControl::RebindStyle()
{
    uiSkinEventCtrl::RebindStyle();
    BindMovie();
    TakeMouseChoice();
}

void uiSkinControl::TakeMouseChoice()
{
    // A dialog follows the mouse only for the event items of its style.
    const BOOL dialog = m_typeCode == kExtendedDialogType || m_typeCode == kChildDialogType;
    m_tracker.SetMouseOff(dialog && !HasStyleEventItems());
}

void uiSkinControl::BindMovie()
{
    if (m_style && m_style->animateList.GetCount() > 0) {
        m_movie.Attach(m_hwnd, &m_style->animateList);
        m_movieBound = TRUE;
    }
}

void uiSkinControl::StopMovie()
{
    if (!m_movieBound)
        return;
    m_movie.Detach();
    m_movieBound = FALSE;
}

void uiSkinControl::OnAttached()
{
    m_tracker.Attach(m_hwnd, uiMouseStateTracker::kDefaultMask);
    if (m_typeCode == kExtendedDialogType || m_typeCode == kChildDialogType || m_typeCode == kStaticType)
        SetEventEnabled(TRUE);
    TakeMouseChoice();
    uiSkinEventCtrl::OnAttached();
    BindMovie();
}

int uiSkinControl::ApplyStyle()
{
    const int result = uiSkinEventCtrl::ApplyStyle();
    m_isTransparent = HasTransparentBk();
    m_transparent.Follow(m_hwnd, m_isTransparent);
    return result;
}

int uiSkinControl::SetColorAdjust(int hue, int saturation, int lightness)
{
    uiSkinEventCtrl::SetColorAdjust(hue, saturation, lightness);
    return 1;
}

HDC uiSkinControl::GetBackgroundDC()
{
    return m_background ? m_background->GetDC() : nullptr;
}

int uiSkinControl::GetPaintState()
{
    return HasTrackerWindow() ? m_tracker.GetState() : uiMouseStateTracker::Normal;
}

RECT uiSkinControl::GetRectInParent() const
{
    RECT rect = GetWindowRect();
    uiRectScreenToClient(GetParent(m_hwnd), &rect);
    return rect;
}

BOOL uiSkinControl::RebuildBackground(BOOL force)
{
    if (ApplyDeferredColorAdjust())
        force = TRUE;
    RECT rect = GetWindowRect();
    if (rect.right == rect.left || rect.bottom == rect.top)
        return TRUE;
    if (m_isTransparent && GetParent(m_hwnd)) {
        const RECT place = GetRectInParent();
        if (!EqualRect(&place, &m_parentPos)) {
            m_parentPos = place;
            force = TRUE;
        }
    }
    rect = AtOrigin(rect);
    const BOOL sameSize = rect.bottom == m_bkHeight && rect.right == m_bkWidth;
    if ((!force && sameSize) || IsIconic(m_hwnd))
        return TRUE;
    {
        WindowDC windowDC(m_hwnd);
        // The bitmap only grows: a smaller window paints into the part it covers.
        if (rect.right > m_bkWidth || rect.bottom > m_bkHeight) {
            delete m_background;
            m_background = new uiMemDC(windowDC, rect, TRUE);
            if (!m_background->GetDC() || !m_background->GetBitmap()) {
                delete m_background;
                m_background = nullptr;
                m_bkWidth = m_bkHeight = 0;
                return FALSE;
            }
        }
        m_bkWidth = rect.right;
        m_bkHeight = rect.bottom;
    }
    const HDC memoryDC = m_background->GetDC();
    // The look is painted afresh from the current state: a paint already asked for by a change
    // (the flag) finds it done and only copies the bitmap, instead of painting the same look again.
    SetDirty(FALSE);
    if (m_style && m_style->property) {
        if (HBRUSH brush = CreateSolidBrush(uiGdiColor(m_style->property->bkColor.GetColor()))) {
            FillRect(memoryDC, &rect, brush);
            DeleteObject(brush);
        }
    }
    if (m_transparent.IsAttached())
        m_transparent.PaintParentBk(memoryDC, m_hwnd);
    PaintLook(memoryDC, GetPaintState());
    AfterReBuildBkBitmap();
    if (!sameSize)
        UpdateRegion(FALSE);
    NotifyChildrenUpdate();
    return TRUE;
}

void uiSkinControl::PaintLook(HDC hdc, int state)
{
    if (m_displayList)
        m_displayList->Paint(hdc, static_cast<DWORD>(state));
    PaintEventItems(hdc);
}

void uiSkinControl::PresentBackground(HDC hdc)
{
    if (!m_background)
        return;
    if (!m_movieBound) {
        m_background->BlitTo(hdc);
        return;
    }
    const RECT rect = AtOrigin(GetWindowRect());
    uiMemDC frame(hdc, rect);
    m_background->BlitTo(frame);
    m_movie.SetRect(rect);
    m_movie.Paint(frame);
}

void uiSkinControl::RedrawNow()
{
    if (!GetHwnd())
        return;
    WindowDC windowDC(m_hwnd);
    if (!windowDC)
        return;
    PaintBackground(windowDC);
    PresentBackground(windowDC);
}

void uiSkinControl::NotifyChildrenUpdate()
{
    const BOOL everywhere = IsRectEmpty(&m_dirtyRect);
    for (HWND child = GetTopWindow(m_hwnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !uiHasTransparentTag(child))
            continue;
        const RECT place = ChildRectInWindow(m_hwnd, child);
        RECT overlap = {};
        if (everywhere || IntersectRect(&overlap, &m_dirtyRect, &place))
            SendMessageW(child, UIM_UPDATE, 0, 0);
    }
    SetRectEmpty(&m_dirtyRect);
}

void uiSkinControl::PaintBackground(HDC hdc)
{
    for (HWND child = GetTopWindow(m_hwnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const RECT place = ChildRectInWindow(m_hwnd, child);
        HRGN area = CreateRectRgnIndirect(&place);
        if (!area)
            continue;
        if (HRGN shape = CreateRectRgn(0, 0, 0, 0)) {
            const int kind = GetWindowRgn(child, shape);
            if (kind != ERROR && kind != NULLREGION) {
                OffsetRgn(shape, place.left, place.top);
                CombineRgn(area, area, shape, RGN_AND);
            }
            DeleteObject(shape);
        }
        ExtSelectClipRgn(hdc, area, RGN_DIFF);
        DeleteObject(area);
    }
    if (m_typeCode == kFrameDialogType && IsZoomed(m_hwnd)) {
        const RECT rect = AtOrigin(GetWindowRect());
        if (HRGN strip = CreateRectRgn(rect.right - kMaximisedFrameStrip, 0, rect.right, rect.bottom)) {
            ExtSelectClipRgn(hdc, strip, RGN_OR);
            DeleteObject(strip);
        }
    }
}

LRESULT uiSkinControl::PaintForChild(HDC childDC, const uiParentBkRequest* request)
{
    if (!m_background || !request)
        return 0;
    RECT source = ChildRectInWindow(m_hwnd, request->child);
    if (request->useRect) {
        const POINT at = {source.left, source.top};
        source = request->rect;
        OffsetRect(&source, at.x, at.y);
    }
    BitBlt(childDC, 0, 0, source.right - source.left, source.bottom - source.top, m_background->GetDC(),
           source.left, source.top, SRCCOPY);
    return 1;
}

LRESULT uiSkinControl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_typeCode == kChildDialogType || m_typeCode == kStaticType || m_typeCode == kExtendedDialogType) {
        if (OnEventMessage(msg, wParam, lParam))
            return 1;
        // The items' handlers may have detached this object.
        if (!IsAttached())
            return 0;
    }
    if (m_typeCode == kComboBoxType && msg == WM_MOUSEMOVE) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (GetComboBoxInfo(m_hwnd, &info) && PtInRect(&info.rcButton, point))
            m_tracker.WindowProc(msg, wParam, lParam);
        return uiSkinBase::WindowProc(msg, wParam, lParam);
    }
    if (HasTrackerWindow())
        m_tracker.WindowProc(msg, wParam, lParam);
    if (m_movieBound)
        m_movie.OnMessage(msg, wParam, lParam);
    if (!IsAttached())
        return 0;
    switch (msg) {
    case UIM_PAINTPARENTBK:
        return PaintForChild(reinterpret_cast<HDC>(wParam), reinterpret_cast<const uiParentBkRequest*>(lParam));
    case WM_NCPAINT:
        RedrawNow();
        return 1;
    case UIM_STATECHANGED:
        if (m_typeCode != kExtendedDialogType && m_typeCode != kFrameDialogType && m_typeCode != kChildDialogType &&
            GetHwnd()) {
            SetDirty(TRUE);
            Invalidate(nullptr, TRUE);
        }
        return 1;
    case UIM_UPDATE:
        if (wParam != 0)
            break;
        if (GetHwnd()) {
            RebuildBackground(TRUE);
            RedrawNow();
        }
        return 1;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged();
        break;
    case WM_SIZE:
        DefaultProc(msg, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) {
            RelayoutAll();
            RebuildBackground(TRUE);
        }
        return 1;
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
}

void uiSkinControl::OnWindowPosChanged()
{
    if (!m_isTransparent || !GetParent(m_hwnd))
        return;
    const RECT place = GetRectInParent();
    if (EqualRect(&place, &m_parentPos))
        return;
    m_parentPos = place;
    SetDirty(TRUE);
    Invalidate(nullptr, TRUE);
}

LRESULT uiSkinControl::OnSetText(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = SetTextWithoutRedraw(wParam, lParam);
    if (m_style && m_displayList)
        m_displayList->SetText(nullptr, GetWindowText());
    SetDirty(TRUE);
    Invalidate(nullptr, TRUE);
    return result;
}

void uiSkinControl::OnPaint()
{
    if (m_dirty) {
        RebuildBackground(TRUE);
        SetDirty(FALSE);
    } else {
        RebuildBackground(FALSE);
    }
    PAINTSTRUCT paint = {};
    BeginPaint(m_hwnd, &paint);
    {
        WindowDC windowDC(m_hwnd);
        if (windowDC) {
            PaintBackground(windowDC);
            PresentBackground(windowDC);
        }
    }
    EndPaint(m_hwnd, &paint);
}
