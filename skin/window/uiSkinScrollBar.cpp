// The skinned scroll-bar control: messages, scroll state, layout, hit testing and mouse tracking.
#include "uiSkinScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "uiApiLoader.h"
#include "uiCustomScrollBar.h"
#include "uiMemDC.h"
#include "uiWindowHelpers.h"

namespace {

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

int ClampInt(long long value, long long low, long long high)
{
    return static_cast<int>(std::max(low, std::min(value, high)));
}

}  // namespace

uiSkinScrollBar::uiSkinScrollBar()
{
    m_styleName = L"scrollbar";
}

uiSkinScrollBar::~uiSkinScrollBar()
{
    delete m_buffer;
}

LRESULT uiSkinScrollBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        OnSize();
        break;
    case WM_PAINT:
        OnPaint();
        return 1;
    case SBM_SETSCROLLINFO:
        return SetScrollInfo(static_cast<BOOL>(wParam), reinterpret_cast<const SCROLLINFO*>(lParam));
    case SBM_GETSCROLLINFO:
        GetScrollInfo(reinterpret_cast<SCROLLINFO*>(lParam));
        return 1;
    case SBM_SETPOS:
    case SBM_GETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_GETRANGE:
        return OnPositionMessage(msg, wParam, lParam);
    case WM_TIMER:
        OnTimer(wParam);
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam), true);
        return 1;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointOf(lParam));
        return 1;
    case WM_LBUTTONUP:
        OnLButtonUp(PointOf(lParam));
        return 1;
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_CAPTURECHANGED:
        // The mouse went to another window while a part was held (a box shown from the scroll
        // handler, another window's drag): the button-up will never come here, so the press ends
        // now, or its timer would go on scrolling and a later move would drag a thumb nobody holds.
        if (!m_releasing)
            EndPress(POINT{-1, -1});
        break;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinScrollBar::OnAttached()
{
    RECT place = GetWindowRect();
    uiRectScreenToClient(GetParent(m_hwnd), &place);
    if (IsVertical())
        place.right = place.left + m_cellWidth;
    else
        place.bottom = place.top + m_cellWidth;
    MoveWindow(place, TRUE);
    Layout();
    EnsureBuffer(true);
}

void uiSkinScrollBar::ReleaseStyle()
{
    uiSkinBase::ReleaseStyle();
    FreeCache();
}

void uiSkinScrollBar::ForgetStyle()
{
    m_background = nullptr;
    m_scrollInfo = nullptr;
    uiSkinBase::ForgetStyle();
}

int uiSkinScrollBar::FreeCache()
{
    delete m_buffer;
    m_buffer = nullptr;
    m_lastSize = SIZE{0, 0};
    return 1;
}

BOOL uiSkinScrollBar::IsVertical() const
{
    return (GetStyle() & SBS_VERT) != 0;
}

int uiSkinScrollBar::ArrowLength() const
{
    return IsVertical() ? m_cellHeight : m_cellWidth;
}

int uiSkinScrollBar::ShownPosition() const
{
    return m_dragging ? m_state.nTrackPos : m_state.nPos;
}

int uiSkinScrollBar::SetScrollInfo(BOOL redraw, const SCROLLINFO* info)
{
    if (!info)
        return m_state.nPos;
    uiCsbStoreScrollInfo(m_state, *info);
    // A new range alone moves the position into it as well.
    m_state.nPos = uiCsbClampPosition(m_state, m_state.nPos);
    Layout();
    if (redraw)
        Draw(m_dragging ? 2 : 0);
    return m_state.nPos;
}

void uiSkinScrollBar::GetScrollInfo(SCROLLINFO* info) const
{
    if (!info)
        return;
    if (info->fMask & SIF_PAGE)
        info->nPage = m_state.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = m_state.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = m_dragging ? m_state.nTrackPos : -1;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_state.nMin;
        info->nMax = m_state.nMax;
    }
}

LRESULT uiSkinScrollBar::OnPositionMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int previous = m_state.nPos;
    SCROLLINFO change = {sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    switch (msg) {
    case SBM_GETPOS:
        return previous;
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = m_state.nMin;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = m_state.nMax;
        return 0;
    case SBM_SETPOS:
        change.fMask = SIF_POS;
        change.nPos = static_cast<int>(wParam);
        SetScrollInfo(static_cast<BOOL>(lParam), &change);
        return previous;
    default:  // SBM_SETRANGE, SBM_SETRANGEREDRAW
        change.fMask = SIF_RANGE;
        change.nMin = static_cast<int>(wParam);
        change.nMax = static_cast<int>(lParam);
        SetScrollInfo(msg == SBM_SETRANGEREDRAW, &change);
        return previous;
    }
}

void uiSkinScrollBar::Layout()
{
    const RECT client = GetClientRect();
    const bool vertical = IsVertical();
    const int arrow = ArrowLength();
    m_length = vertical ? client.bottom : client.right;
    m_trackLength = std::max(0, m_length - 2 * arrow);

    // Wide arithmetic: an empty range (maximum below minimum) has no thumb and divides nothing.
    const long long range = static_cast<long long>(m_state.nMax) - m_state.nMin + 1;
    const long long proportional = range > 0 ? m_state.nPage * static_cast<long long>(m_trackLength) / range : 0;
    long long thumb = std::max<long long>(proportional, kMinThumb);
    if (m_trackLength < kMinThumb || range <= 0 || m_state.nPage >= range)
        thumb = 0;
    m_thumbLength = static_cast<int>(std::min<long long>(thumb, m_trackLength));
    m_freeLength = m_trackLength - m_thumbLength;
    // Without a track both arrows share the bar and nothing between them can be hit as a thumb.
    m_thumbHitLength = m_trackLength ? static_cast<int>(std::max<long long>(proportional, kMinThumb)) : 0;
    UpdateThumbOffset();

    if (vertical)
        m_trackRect = RECT{0, arrow, client.right, arrow + m_trackLength};
    else
        m_trackRect = RECT{arrow, 0, arrow + m_trackLength, client.bottom};
}

void uiSkinScrollBar::UpdateThumbOffset()
{
    const long long steps = static_cast<long long>(m_state.nMax) - m_state.nMin - m_state.nPage + 1;
    const long long from = static_cast<long long>(ShownPosition()) - m_state.nMin;
    if (steps > 0)
        m_thumbOffset = ClampInt(from * m_freeLength / steps, 0, m_freeLength);
    else
        m_thumbOffset = steps == 0 ? m_freeLength / 2 : 0;
}

RECT uiSkinScrollBar::GetPartRect(int part) const
{
    const int arrow = m_trackLength ? ArrowLength() : m_length / 2;
    const int thumbStart = arrow + m_thumbOffset;
    const int thumbEnd = thumbStart + m_thumbLength;
    int from = 0;
    int to = 0;
    switch (part) {
    case 0:
        to = arrow;
        break;
    case 1:
        from = m_length - arrow;
        to = m_length;
        break;
    case 2:
        from = arrow;
        to = thumbStart;
        break;
    case 3:
        from = thumbEnd;
        to = m_length - arrow;
        break;
    case 5:
        from = thumbStart;
        to = thumbEnd;
        break;
    default:
        return RECT{0, 0, 0, 0};
    }
    const RECT client = GetClientRect();
    return IsVertical() ? RECT{0, from, client.right, to} : RECT{from, 0, to, client.bottom};
}

int uiSkinScrollBar::HitTest(POINT pt) const
{
    const int v = IsVertical() ? pt.y : pt.x;
    if (v < 0)
        return -1;
    const int arrow = m_trackLength ? ArrowLength() : m_length / 2;
    if (v < arrow)
        return 0;
    if (v < arrow + m_thumbOffset)
        return 2;
    if (v < arrow + m_thumbOffset + m_thumbHitLength)
        return 5;
    if (v < m_length - arrow)
        return 3;
    return 1;
}

void uiSkinScrollBar::Notify(WPARAM code)
{
    SendMessageW(GetParent(m_hwnd), IsVertical() ? WM_VSCROLL : WM_HSCROLL, code, reinterpret_cast<LPARAM>(m_hwnd));
}

void uiSkinScrollBar::OnSize()
{
    Layout();
    const RECT window = GetWindowRect();
    if (window.right - window.left != m_lastSize.cx || window.bottom - window.top != m_lastSize.cy)
        EnsureBuffer(true);
}

void uiSkinScrollBar::OnLButtonDown(POINT pt)
{
    SetCapture(m_hwnd);
    const int part = HitTest(pt);
    if (part == 5) {
        m_dragging = TRUE;
        m_dragStart = pt;
        m_state.nTrackPos = m_state.nPos;
        m_dragStartPos = m_state.nPos;
        return;
    }
    if (part < 0)
        return;
    m_pressedPart = part;
    Notify(static_cast<WPARAM>(part));
    SetTimer(kDelayTimer, 500);
    m_outside = FALSE;
    if (part <= 1)
        DrawArrowNow(part, 2);
}

void uiSkinScrollBar::OnTimer(UINT_PTR id)
{
    if (id == kDelayTimer) {
        m_repeating = TRUE;
        KillTimer(kDelayTimer);
        SetTimer(kRepeatTimer, 100);
    } else if (id != kRepeatTimer) {
        return;
    }
    if (m_outside || m_pressedPart < 0 || m_pressedPart > 3)
        return;
    switch (m_pressedPart) {
    case 0:
        if (m_state.nPos == m_state.nMin)
            KillTimer(kRepeatTimer);
        else
            Notify(SB_LINEUP);
        break;
    case 1:
        // The last position the bar can take, as clamped by SetScrollInfo.
        if (m_state.nPos == uiCsbClampPosition(m_state, m_state.nMax))
            KillTimer(kRepeatTimer);
        else
            Notify(SB_LINEDOWN);
        break;
    default: {
        // A page press stops once the thumb has come under the cursor.
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        ::ScreenToClient(m_hwnd, &cursor);
        const RECT thumb = GetPartRect(5);
        if (PtInRect(&thumb, cursor))
            KillTimer(kRepeatTimer);
        else
            Notify(static_cast<WPARAM>(m_pressedPart));
        break;
    }
    }
}

void uiSkinScrollBar::OnMouseMove(POINT pt, bool realMove)
{
    if (!m_tracking && realMove && uiApiLoader::_TrackMouseEvent) {
        TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hwnd, 1};
        m_tracking = uiApiLoader::_TrackMouseEvent(&track);
    }
    const bool vertical = IsVertical();
    if (m_dragging) {
        const long long moved = vertical ? pt.y - m_dragStart.y : pt.x - m_dragStart.x;
        const long long steps = static_cast<long long>(m_state.nMax) - m_state.nMin - m_state.nPage + 1;
        const long long delta = m_freeLength ? steps * moved / m_freeLength : 0;
        const int position = uiCsbClampPosition(m_state, ClampInt(m_dragStartPos + delta, INT_MIN, INT_MAX));
        if (position == m_state.nTrackPos)
            return;
        m_state.nTrackPos = position;
        UpdateThumbOffset();
        Draw(2);
        Notify(MAKEWPARAM(SB_THUMBTRACK, position));
        return;
    }
    if (m_pressedPart < 0) {
        const int part = HitTest(pt);
        if (part == m_hotPart)
            return;
        auto look = [this](int which, int column) {
            if (which == 5)
                Draw(column);
            else if (which == 0 || which == 1)
                DrawArrowNow(which, column);
        };
        look(m_hotPart, 0);
        look(part, 1);
        m_hotPart = part;
        return;
    }
    const RECT pressed = GetPartRect(m_pressedPart);
    m_outside = !PtInRect(&pressed, pt);
    if (m_pressedPart <= 1)
        DrawArrowNow(m_pressedPart, m_outside ? 0 : 2);
}

void uiSkinScrollBar::OnLButtonUp(POINT pt)
{
    m_releasing = TRUE;
    ReleaseCapture();
    m_releasing = FALSE;
    EndPress(pt);
}

void uiSkinScrollBar::EndPress(POINT pt)
{
    if (m_dragging) {
        m_dragging = FALSE;
        Notify(MAKEWPARAM(SB_THUMBPOSITION, m_state.nTrackPos));
        m_state.nTrackPos = -1;
        UpdateThumbOffset();
        Draw(HitTest(pt) == 5 ? 1 : 0);
        return;
    }
    if (m_pressedPart < 0)
        return;
    if (m_repeating) {
        KillTimer(kRepeatTimer);
        m_repeating = FALSE;
    } else {
        KillTimer(kDelayTimer);
    }
    if (m_pressedPart <= 1)
        DrawArrowNow(m_pressedPart, 0);
    m_pressedPart = -1;
}

void uiSkinScrollBar::OnMouseLeave()
{
    m_tracking = FALSE;
    OnMouseMove(POINT{-1, -1}, false);
}
