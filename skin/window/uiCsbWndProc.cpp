// Window procedure of the custom-drawn scroll bars: room for the bars in the non-client area, hit
// testing, painting, and the mouse tracking that turns presses, held buttons and thumb drags into
// WM_HSCROLL and WM_VSCROLL messages. One mouse operation runs at a time in the whole process.
#include "uiCsbInternal.h"

#include <windowsx.h>

namespace {

constexpr UINT_PTR kRepeatDelayTimer = 0xFFFD;
constexpr UINT_PTR kRepeatTimer = 0xFFFE;
constexpr UINT_PTR kHoverTimer = 0xFFFFFFF2;
constexpr UINT kRepeatDelayMs = 300;
constexpr UINT kRepeatMs = 55;
constexpr UINT kHoverMs = 20;
constexpr int kDragZoneAlong = 48;
constexpr int kDragZoneAcross = 24;

CsbTracking g_tracking;
// Set while the release gives the capture back itself, so that its WM_CAPTURECHANGED ends nothing.
bool g_releasing = false;

LRESULT CallPrevious(HWND hwnd, const CustomSBWnd& sb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(sb.prevProc, hwnd, msg, wParam, lParam);
}

POINT MessagePoint()
{
    const DWORD pos = GetMessagePos();
    return POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
}

CustomSBBar& BarRecord(CustomSBWnd& sb, int bar)
{
    return bar == SB_HORZ ? sb.horz : sb.vert;
}

int PartAt(HWND hwnd, CustomSBWnd& sb, int bar, POINT screen)
{
    const RECT rc = uiCsbBarRect(hwnd, sb, bar);
    return uiCsbHitTestBar(BarRecord(sb, bar), uiCsbToHorizontal(rc, bar), uiCsbToHorizontal(screen, bar));
}

// Not both arrows disabled, and something to scroll unless the bar keeps its thumb anyway.
bool CanBeScrolled(const CustomSBBar& bar)
{
    const UINT both = kCsbFirstArrowDisabled | kCsbSecondArrowDisabled;
    return (bar.flags & both) != both && ((bar.flags & kCsbKeepThumb) || uiCsbCanScroll(bar));
}

// Sends the scroll message and tells whether the window still has these bars: its handler may take
// them off, which frees the state and ends the press.
bool SendScroll(HWND hwnd, const CustomSBWnd& sb, UINT msg, int code, int pos)
{
    SendMessageW(hwnd, msg, MAKEWPARAM(code, pos), 0);
    return uiCsbHasState(hwnd, sb);
}

void ResetPress()
{
    g_tracking.pressedPart = kCsbPartNone;
    g_tracking.shownPart = kCsbPartNone;
    g_tracking.trackedBar = -1;
    g_tracking.scrollMsg = 0;
    g_tracking.repeatTimer = 0;
    g_tracking.lastPartUnderMouse = kCsbPartNone;
    g_tracking.hasDragPos = false;
}

// The bars are going during a press: nothing of it may go on, neither its timer nor the capture.
void AbandonPress(HWND hwnd)
{
    if (g_tracking.repeatTimer)
        KillTimer(hwnd, g_tracking.repeatTimer);
    ResetPress();
    if (GetCapture() == hwnd) {
        g_releasing = true;
        ReleaseCapture();
        g_releasing = false;
    }
}

LRESULT OnNcCalcSize(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    RECT* rc = reinterpret_cast<RECT*>(lParam);
    const RECT before = *rc;
    const LRESULT result = uiCsbCallGuarded(hwnd, sb, WM_NCCALCSIZE, wParam, lParam);
    if (!uiCsbHasState(hwnd, sb))
        return result;
    sb.borderLeft = rc->left - before.left;
    sb.borderRight = before.right - rc->right;
    sb.borderTop = rc->top - before.top;
    sb.borderBottom = before.bottom - rc->bottom;

    const int hThick = uiCsbThickness(sb.horz);
    sb.horz.visibleNow = (sb.horz.flags & kCsbShown) && hThick < rc->bottom - rc->top;
    if (sb.horz.visibleNow)
        rc->bottom -= hThick;
    const int vThick = uiCsbThickness(sb.vert);
    sb.vert.visibleNow = (sb.vert.flags & kCsbShown) && rc->right - rc->left >= vThick;
    if (sb.vert.visibleNow) {
        if (sb.leftScrollBar)
            rc->left += vThick;
        else
            rc->right -= vThick;
    }
    return result;
}

LRESULT OnNcHitTest(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT rc = uiCsbBarRect(hwnd, sb, SB_HORZ);
    if (sb.horz.visibleNow && PtInRect(&rc, pt))
        return HTHSCROLL;
    rc = uiCsbBarRect(hwnd, sb, SB_VERT);
    if (sb.vert.visibleNow && PtInRect(&rc, pt))
        return HTVSCROLL;
    return CallPrevious(hwnd, sb, WM_NCHITTEST, wParam, lParam);
}

LRESULT OnPress(HWND hwnd, CustomSBWnd& sb, UINT msg, WPARAM hit, LPARAM lParam)
{
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    CsbTracking& t = g_tracking;
    t.hotWnd = hwnd;
    if (hit != HTHSCROLL && hit != HTVSCROLL) {
        t.pressedPart = kCsbPartNone;
        return CallPrevious(hwnd, sb, msg, hit, lParam);
    }
    const int bar = hit == HTHSCROLL ? SB_HORZ : SB_VERT;
    CustomSBBar& b = BarRecord(sb, bar);
    t.trackedBar = bar;
    t.scrollMsg = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    t.pressedPart = PartAt(hwnd, sb, bar, p);
    const int part = t.pressedPart;
    if (part == kCsbPartNone) {
        ResetPress();
        return CallPrevious(hwnd, sb, msg, hit, lParam);
    }
    // A press that starts nothing leaves no operation behind to end.
    if ((part == kCsbPartFirstArrow && (b.flags & kCsbFirstArrowDisabled)) ||
        (part == kCsbPartSecondArrow && (b.flags & kCsbSecondArrowDisabled)) ||
        (part == kCsbPartThumb && !CanBeScrolled(b))) {
        ResetPress();
        return 0;
    }
    if (part == kCsbPartThumb) {
        const RECT h = uiCsbToHorizontal(uiCsbBarRect(hwnd, sb, bar), bar);
        const CsbThumb thumb = uiCsbGetThumb(b, h.left, h.right);
        t.thumbStart = thumb.start;
        t.thumbSize = thumb.size;
        t.savedBarRect = h;
        sb.thumbTracking = TRUE;
        b.info.nTrackPos = b.info.nPos;
        t.dragOffset = uiCsbToHorizontal(p, bar).x - thumb.start;
        t.hasDragPos = false;
        uiCsbRedrawBarShowing(hwnd, sb, bar, kCsbPartThumb);
        // A custom-draw handler may take the bars off, which ends the press.
        if (!uiCsbHasState(hwnd, sb))
            return 0;
    } else {
        if (CanBeScrolled(b)) {
            if (!SendScroll(hwnd, sb, t.scrollMsg, part, 0))
                return 0;
            t.shownPart = part;
            uiCsbRedrawBar(hwnd, sb, bar);
            if (!uiCsbHasState(hwnd, sb))
                return 0;
            SetTimer(hwnd, kRepeatDelayTimer, kRepeatDelayMs, nullptr);
            t.repeatTimer = kRepeatDelayTimer;
        }
        t.lastPartUnderMouse = part;
    }
    if (sb.trackCapture)
        SetCapture(hwnd);
    return 0;
}

void Drag(HWND hwnd, CustomSBWnd& sb, POINT screen)
{
    CsbTracking& t = g_tracking;
    const int bar = t.trackedBar;
    CustomSBBar& b = BarRecord(sb, bar);
    const POINT p = uiCsbToHorizontal(screen, bar);
    const RECT& saved = t.savedBarRect;
    const int a = uiCsbArrowLength(b);
    const int trackLeft = saved.left + a;
    const int trackRight = saved.right - a;
    const RECT zone{saved.left - kDragZoneAlong, saved.top - kDragZoneAcross, saved.right + kDragZoneAlong,
                    saved.bottom + kDragZoneAcross};
    int start = t.thumbStart;  // outside the zone the thumb snaps back
    if (PtInRect(&zone, p)) {
        start = p.x - t.dragOffset;
        if (start > trackRight - t.thumbSize)
            start = trackRight - t.thumbSize;
        if (start < trackLeft)
            start = trackLeft;
    }
    if (HDC hdc = uiCsbGetNonClientDC(hwnd)) {
        uiCsbDrawDraggedThumb(hwnd, sb, hdc, bar, uiCsbToWindow(hwnd, uiCsbBarRect(hwnd, sb, bar)),
                              start - saved.left, t.thumbSize);
        ReleaseDC(hwnd, hdc);
    }
    if (!uiCsbHasState(hwnd, sb))
        return;  // taken off by a custom-draw handler
    const SCROLLINFO& si = b.info;
    const int range = si.nMax - si.nMin;
    const int travel = (trackRight - trackLeft) - t.thumbSize;
    // Positions are absolute, as those of the system's scroll bars: they start at nMin.
    int pos = si.nMin + (start - trackLeft);
    if (range > 0 && travel > 0)
        pos = si.nMin + MulDiv(start - trackLeft, range - static_cast<int>(si.nPage) + 1, travel);
    const bool changed = !t.hasDragPos || pos != t.lastDragPos;
    t.hasDragPos = true;
    t.lastDragPos = pos;
    if (changed) {
        b.info.nTrackPos = pos;
        SendScroll(hwnd, sb, t.scrollMsg, SB_THUMBTRACK, pos);
    }
}

// The pressed part is shown pressed only while the mouse stays on it.
void TrackPressedPart(HWND hwnd, CustomSBWnd& sb, POINT screen)
{
    CsbTracking& t = g_tracking;
    const int part = PartAt(hwnd, sb, t.trackedBar, screen);
    t.shownPart = part == t.pressedPart ? part : kCsbPartNone;
    if (part != t.lastPartUnderMouse)
        uiCsbRedrawBar(hwnd, sb, t.trackedBar);
    t.lastPartUnderMouse = part;
}

LRESULT OnMouseMove(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    if (sb.thumbTracking && g_tracking.hotWnd == hwnd) {
        Drag(hwnd, sb, MessagePoint());
        return 0;
    }
    if (g_tracking.pressedPart == kCsbPartNone || g_tracking.hotWnd != hwnd)
        return CallPrevious(hwnd, sb, WM_MOUSEMOVE, wParam, lParam);
    TrackPressedPart(hwnd, sb, MessagePoint());
    return 0;
}

LRESULT OnRelease(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    CsbTracking& t = g_tracking;
    if (t.pressedPart == kCsbPartNone || t.hotWnd != hwnd)
        return CallPrevious(hwnd, sb, WM_LBUTTONUP, wParam, lParam);
    if (sb.trackCapture && GetCapture() == hwnd) {
        g_releasing = true;
        ReleaseCapture();
        g_releasing = false;
    }
    if (t.pressedPart != kCsbPartThumb && t.repeatTimer)
        KillTimer(hwnd, t.repeatTimer);
    t.repeatTimer = 0;
    // Taken before the messages: a handler that takes the bars off ends the press.
    const int bar = t.trackedBar;
    const UINT scrollMsg = t.scrollMsg;
    bool attached = true;
    if (sb.thumbTracking) {
        attached = SendScroll(hwnd, sb, scrollMsg, SB_THUMBPOSITION,
                              t.hasDragPos ? t.lastDragPos : BarRecord(sb, bar).info.nPos);
        if (attached)
            sb.thumbTracking = FALSE;
    }
    attached = SendScroll(hwnd, sb, scrollMsg, SB_ENDSCROLL, 0) && attached;
    ResetPress();
    if (attached)
        uiCsbRedrawBar(hwnd, sb, bar);
    return 0;
}

// Another window took the mouse during a press (a box shown from the scroll handler): the button-up
// will not come here, so the press ends as a release would, or the thumb would stay tracked, with
// range changes and redraws held back, and a held part would repeat on.
LRESULT OnCaptureChanged(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    // The scroll handler may take the bars off the window: the state is not read after the release.
    const WNDPROC previous = sb.prevProc;
    if (!g_releasing && sb.trackCapture && g_tracking.hotWnd == hwnd && g_tracking.pressedPart != kCsbPartNone &&
        reinterpret_cast<HWND>(lParam) != hwnd)
        OnRelease(hwnd, sb, 0, 0);
    return CallWindowProcW(previous, hwnd, WM_CAPTURECHANGED, wParam, lParam);
}

void StopHover(HWND hwnd, CustomSBWnd& sb)
{
    CsbTracking& t = g_tracking;
    KillTimer(hwnd, kHoverTimer);
    t.hoverTimer = 0;
    t.hotBar = -1;
    t.hotPart = kCsbPartNone;
    t.lastHotPart = kCsbPartNone;
    uiCsbPaintNCWith(hwnd, sb, 1);
}

LRESULT OnTimer(HWND hwnd, CustomSBWnd& sb, WPARAM id, LPARAM lParam)
{
    CsbTracking& t = g_tracking;
    const bool ours = t.hotWnd == hwnd;
    if (id == kRepeatDelayTimer && ours && t.repeatTimer == kRepeatDelayTimer) {
        KillTimer(hwnd, kRepeatDelayTimer);
        SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
        t.repeatTimer = kRepeatTimer;
        return 0;
    }
    if (id == kRepeatTimer && ours && t.repeatTimer == kRepeatTimer) {
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPressedPart(hwnd, sb, cursor);
        if (t.shownPart != kCsbPartNone)
            SendScroll(hwnd, sb, t.scrollMsg, t.shownPart, 0);
        return 0;
    }
    if (id == kHoverTimer && t.hoverTimer) {
        if (!ours) {
            KillTimer(hwnd, kHoverTimer);  // left over from a window that is no longer hot
            return 0;
        }
        if (sb.thumbTracking)
            return 0;
        POINT cursor{};
        GetCursorPos(&cursor);
        if (!PtInRect(&t.hotBarRect, cursor)) {
            StopHover(hwnd, sb);
            return 0;
        }
        t.hotPart = PartAt(hwnd, sb, t.hotBar, cursor);
        if (t.hotPart != t.lastHotPart)
            uiCsbRedrawBar(hwnd, sb, t.hotBar);
        t.lastHotPart = t.hotPart;
        return 0;
    }
    return CallPrevious(hwnd, sb, WM_TIMER, id, lParam);
}

LRESULT OnNcMouseMove(HWND hwnd, CustomSBWnd& sb, WPARAM hit, LPARAM lParam)
{
    // A custom-draw handler of the repaint may take the bars off: the state is not read after it.
    const WNDPROC previous = sb.prevProc;
    CsbTracking& t = g_tracking;
    t.lastNcMousePos = lParam;
    const bool newHotWnd = t.hotWnd != hwnd;
    t.hotWnd = hwnd;
    if (hit == HTHSCROLL || hit == HTVSCROLL) {
        const int bar = hit == HTHSCROLL ? SB_HORZ : SB_VERT;
        if (newHotWnd || bar != t.hotBar) {
            t.hotPart = kCsbPartNone;
            t.lastHotPart = kCsbPartNone;
            t.hotBarRect = uiCsbBarRect(hwnd, sb, bar);
            t.hotBar = bar;
            SetTimer(hwnd, kHoverTimer, kHoverMs, nullptr);
            t.hoverTimer = kHoverTimer;
            uiCsbPaintNCWith(hwnd, sb, 1);
        }
    }
    return CallWindowProcW(previous, hwnd, WM_NCMOUSEMOVE, hit, lParam);
}

LRESULT OnNcDestroy(HWND hwnd, CustomSBWnd& sb, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = sb.prevProc;
    uiCsbDetach(hwnd);  // a dying window needs no frame redraw
    return CallWindowProcW(previous, hwnd, WM_NCDESTROY, wParam, lParam);
}

bool OnABar(WPARAM hit)
{
    return hit == HTHSCROLL || hit == HTVSCROLL;
}

}  // namespace

CsbTracking& uiCsbTracking()
{
    return g_tracking;
}

void uiCsbForgetWindow(HWND hwnd)
{
    // A hover timer may be left over even where the hover has moved on to another window.
    KillTimer(hwnd, kHoverTimer);
    if (g_tracking.hotWnd != hwnd)
        return;
    if (g_tracking.pressedPart != kCsbPartNone)
        AbandonPress(hwnd);
    g_tracking.hotWnd = nullptr;
    g_tracking.hotBar = -1;
    g_tracking.hotPart = kCsbPartNone;
    g_tracking.lastHotPart = kCsbPartNone;
    g_tracking.hoverTimer = 0;
}

LRESULT uiCsbCallGuarded(HWND hwnd, CustomSBWnd& sb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The guard covers both style changes, so that the WM_STYLECHANGED they cause stays here; a nested
    // guarded call leaves the outer guard standing.
    const BOOL outerGuard = sb.styleGuard;
    sb.styleGuard = TRUE;
    const DWORD scrollBits = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & (WS_HSCROLL | WS_VSCROLL);
    if (scrollBits)
        SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) & ~scrollBits);
    const LRESULT result = CallPrevious(hwnd, sb, msg, wParam, lParam);
    // The previous procedure may take the bars off the window, which frees the state: the window
    // gets its styles back, the state is left alone.
    const bool kept = uiCsbHasState(hwnd, sb);
    if (scrollBits)
        SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | scrollBits);
    if (kept)
        sb.styleGuard = outerGuard;
    return result;
}

LRESULT CALLBACK uiCsbWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CustomSBWnd* state = uiCsbGetState(hwnd);
    if (!state)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    CustomSBWnd& sb = *state;
    switch (msg) {
    case WM_NCCALCSIZE:
        return OnNcCalcSize(hwnd, sb, wParam, lParam);
    case WM_NCHITTEST:
        return OnNcHitTest(hwnd, sb, wParam, lParam);
    case WM_NCPAINT:
        return uiCsbPaintNCWith(hwnd, sb, wParam);
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(hwnd, sb, wParam, lParam);
    case WM_NCLBUTTONDOWN:
        return OnPress(hwnd, sb, msg, sb.verticalHitOnly ? HTVSCROLL : wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (OnABar(wParam))
            return OnPress(hwnd, sb, msg, wParam, lParam);
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (OnABar(wParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
        return OnMouseMove(hwnd, sb, wParam, lParam);
    case WM_LBUTTONUP:
        return OnRelease(hwnd, sb, wParam, lParam);
    case WM_TIMER:
        return OnTimer(hwnd, sb, wParam, lParam);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(hwnd, sb, wParam, lParam);
    case WM_STYLECHANGED:
        // Only the library's own passing removal of the scroll styles is kept from the window.
        if (sb.styleGuard)
            return 0;
        break;
    case WM_NCDESTROY:
        return OnNcDestroy(hwnd, sb, wParam, lParam);
    default:
        break;
    }
    return CallPrevious(hwnd, sb, msg, wParam, lParam);
}
