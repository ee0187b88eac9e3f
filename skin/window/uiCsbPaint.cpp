// Painting of the custom-drawn scroll bars: each bar part by part, either through the custom-draw
// notification (when the window answers the bar's pre-paint stage with 4) or in the built-in look
// of arrows, checkered page areas and a raised thumb; then the size box and the window's borders.
#include "uiCsbInternal.h"

#include <initializer_list>

namespace {

// Sends one custom-draw notification with the window's answer in *answer; false when its handler
// took the bars off the window, which frees the state: nothing more of it may be drawn or read.
bool SendDrawNotify(HWND hwnd, const CustomSBWnd& sb, HDC hdc, UINT stage, const RECT* rc, UINT item, UINT state,
                    UINT bar, LRESULT* answer = nullptr)
{
    CustomSBDrawInfo info{};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongW(hwnd, GWL_ID));
    info.hdr.code = kCsbCustomDrawCode;
    info.drawStage = stage;
    info.hdc = hdc;
    info.bar = bar;
    WPARAM wParam = 0;
    if (stage == kCsbStagePart) {
        info.rect = *rc;
        info.item = item;
        info.itemState = state;
        wParam = info.hdr.idFrom;
    }
    const LRESULT result = SendMessageW(hwnd, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&info));
    if (answer)
        *answer = result;
    return uiCsbHasState(hwnd, sb);
}

struct BarPainter {
    HWND hwnd;
    HDC hdc;
    const CustomSBWnd& sb;
    const CustomSBBar& bar;  // the caller's copy, taken before the first notification
    int barCode;
    bool custom;
    bool gone;  // a notification's handler took the bars off: nothing more is sent

    // Part rectangles come in the horizontal form.
    RECT Real(const RECT& h) const { return uiCsbToHorizontal(h, barCode); }

    void Notify(int item, UINT state, const RECT& h);
    void Arrow(int item, const RECT& h, UINT flags, bool pressed, bool hot);
    void Page(int item, const RECT& h, bool pressed);
    void Thumb(const RECT& h, bool pressed, bool hot);
    void Plain(int item, const RECT& h, int colorIndex);
    // The stage-2 notification.
    void Finish();
};

// The bar's stage-1 notification, and a painter for its parts in the look that the answer chose.
BarPainter StartBar(HWND hwnd, const CustomSBWnd& sb, HDC hdc, const CustomSBBar& bar, int barCode)
{
    LRESULT answer = 0;
    const bool kept = SendDrawNotify(hwnd, sb, hdc, kCsbStagePrePaint, nullptr, 0, 0, static_cast<UINT>(barCode),
                                     &answer);
    return BarPainter{hwnd, hdc, sb, bar, barCode, answer == kCsbSkipDefault, !kept};
}

void FillSysColor(HDC hdc, const RECT& rc, int colorIndex)
{
    FillRect(hdc, &rc, GetSysColorBrush(colorIndex));
}

void FillColor(HDC hdc, const RECT& rc, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    FillRect(hdc, &rc, brush);
    DeleteObject(brush);
}

// The flat arrow with its glyph drawn white on a dark background (pressed or hot look).
void DrawFlatArrowInverted(HDC hdc, const RECT& rc, UINT flags, COLORREF background)
{
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    HDC mem = CreateCompatibleDC(hdc);
    HDC maskDC = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, w, h);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    if (mem && maskDC && bmp && mask) {
        HGDIOBJ oldBmp = SelectObject(mem, bmp);
        HGDIOBJ oldMask = SelectObject(maskDC, mask);
        RECT local{0, 0, w, h};
        DrawFrameControl(mem, &local, DFC_SCROLL, flags | DFCS_FLAT);
        // Glyph pixels become 1 in the mask.
        SetBkColor(mem, GetSysColor(COLOR_BTNTEXT));
        BitBlt(maskDC, 0, 0, w, h, mem, 0, 0, SRCCOPY);
        // Mask 1 (glyph) → white, 0 → background.
        SetBkColor(mem, RGB(255, 255, 255));
        SetTextColor(mem, background);
        BitBlt(mem, 0, 0, w, h, maskDC, 0, 0, SRCCOPY);
        BitBlt(hdc, rc.left, rc.top, w, h, mem, 0, 0, SRCCOPY);
        SelectObject(maskDC, oldMask);
        SelectObject(mem, oldBmp);
    }
    if (mask)
        DeleteObject(mask);
    if (bmp)
        DeleteObject(bmp);
    if (maskDC)
        DeleteDC(maskDC);
    if (mem)
        DeleteDC(mem);
}

void BarPainter::Notify(int item, UINT state, const RECT& h)
{
    if (gone)
        return;
    const RECT rc = Real(h);
    gone = !SendDrawNotify(hwnd, sb, hdc, kCsbStagePart, &rc, static_cast<UINT>(item), state,
                           static_cast<UINT>(barCode));
}

void BarPainter::Finish()
{
    if (!gone)
        gone = !SendDrawNotify(hwnd, sb, hdc, kCsbStagePostPaint, nullptr, 0, 0, static_cast<UINT>(barCode));
}

void BarPainter::Arrow(int item, const RECT& h, UINT flags, bool pressed, bool hot)
{
    if (h.right <= h.left)
        return;
    if (custom) {
        const UINT state = pressed ? kCsbStatePressed
                           : hot   ? kCsbStateHot
                           : (flags & DFCS_INACTIVE) ? kCsbStateDisabled
                                                     : kCsbStateNormal;
        Notify(item, state, h);
        return;
    }
    uiCsbDrawArrowLook(hdc, Real(h), flags, bar.style, pressed, hot);
}

void BarPainter::Page(int item, const RECT& h, bool pressed)
{
    if (h.right <= h.left)
        return;
    if (custom)
        Notify(item, pressed ? kCsbStatePressed : kCsbStateNormal, h);
    else
        uiCsbDrawPageLook(hdc, Real(h), pressed);
}

void BarPainter::Thumb(const RECT& h, bool pressed, bool hot)
{
    if (h.right <= h.left)
        return;
    if (custom)
        Notify(kCsbPartThumb, (pressed || hot) ? kCsbStatePressed : kCsbStateNormal, h);
    else
        uiCsbDrawThumbLook(hdc, Real(h), bar.style, pressed, hot);
}

void BarPainter::Plain(int item, const RECT& h, int colorIndex)
{
    if (h.right <= h.left)
        return;
    if (custom)
        Notify(item, kCsbStateNormal, h);
    else
        FillColor(hdc, Real(h), GetSysColor(colorIndex));
}

RECT Span(const RECT& h, int left, int right)
{
    return RECT{left, h.top, right, h.bottom};
}

}  // namespace

void uiCsbDrawArrowLook(HDC hdc, const RECT& rc, UINT flags, int style, bool pressed, bool hot)
{
    RECT area = rc;
    if (style == 0) {
        DrawFrameControl(hdc, &area, DFC_SCROLL, flags | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    } else if (pressed) {
        DrawFlatArrowInverted(hdc, rc, flags, GetSysColor(COLOR_3DDKSHADOW));
    } else if (hot) {
        DrawFlatArrowInverted(hdc, rc, flags, GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawFrameControl(hdc, &area, DFC_SCROLL, flags | DFCS_FLAT);
    }
}

void uiCsbDrawPageLook(HDC hdc, const RECT& rc, bool pressed)
{
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF fore = (highlight == RGB(255, 255, 255) || highlight != GetSysColor(COLOR_WINDOW))
                        ? GetSysColor(COLOR_3DHILIGHT)
                        : GetSysColor(COLOR_3DFACE);
    COLORREF back = GetSysColor(COLOR_SCROLLBAR);
    if (pressed) {
        fore ^= 0xFFFFFF;
        back ^= 0xFFFFFF;
    }
    static const WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kChecker);
    HBRUSH brush = pattern ? CreatePatternBrush(pattern) : nullptr;
    if (brush) {
        const COLORREF oldText = SetTextColor(hdc, fore);
        const COLORREF oldBk = SetBkColor(hdc, back);
        POINT oldOrg{};
        SetBrushOrgEx(hdc, rc.left, rc.top, &oldOrg);
        FillRect(hdc, &rc, brush);
        SetBrushOrgEx(hdc, oldOrg.x, oldOrg.y, nullptr);
        SetBkColor(hdc, oldBk);
        SetTextColor(hdc, oldText);
        DeleteObject(brush);
    }
    if (pattern)
        DeleteObject(pattern);
}

void uiCsbDrawThumbLook(HDC hdc, const RECT& rc, int style, bool pressed, bool hot)
{
    if (style != 0 && (pressed || hot)) {
        FillSysColor(hdc, rc, COLOR_BTNSHADOW);
        return;
    }
    RECT inside = rc;
    DrawEdge(hdc, &inside, EDGE_RAISED, BF_RECT | BF_ADJUST | (style != 0 ? BF_FLAT : 0));
    FillSysColor(hdc, inside, COLOR_BTNFACE);
}

bool uiCsbDrawBar(HWND hwnd, CustomSBWnd& sb, HDC hdc, int barCode, const RECT& rc, int shownPart)
{
    // A copy: the handler of a notification may take the bars off, which frees the state.
    const CustomSBBar bar = barCode == SB_HORZ ? sb.horz : sb.vert;
    const RECT h = uiCsbToHorizontal(rc, barCode);
    const int width = h.right - h.left;
    if (width <= 0)
        return false;
    BarPainter paint = StartBar(hwnd, sb, hdc, bar, barCode);
    if (paint.gone)
        return false;

    const bool canScroll = uiCsbCanScroll(bar);
    const bool keepThumb = (bar.flags & kCsbKeepThumb) != 0;
    UINT firstFlags = barCode == SB_HORZ ? DFCS_SCROLLLEFT : DFCS_SCROLLUP;
    UINT secondFlags = barCode == SB_HORZ ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
    if ((bar.flags & kCsbFirstArrowDisabled) || (!canScroll && !keepThumb))
        firstFlags |= DFCS_INACTIVE;
    if ((bar.flags & kCsbSecondArrowDisabled) || (!canScroll && !keepThumb))
        secondFlags |= DFCS_INACTIVE;

    const CsbTracking& t = uiCsbTracking();
    const bool onHotBar = t.hotWnd == hwnd && t.hotBar == barCode;
    auto arrowHot = [&](int part, UINT flags) {
        return bar.style == 2 && onHotBar && t.hotPart == part && !(flags & DFCS_INACTIVE);
    };
    auto pressed = [&](int part) { return part == shownPart; };

    const int a = uiCsbArrowLength(bar);
    if (2 * a < width) {
        paint.Arrow(kCsbPartFirstArrow, Span(h, h.left, h.left + a), firstFlags,
                    pressed(kCsbPartFirstArrow), arrowHot(kCsbPartFirstArrow, firstFlags));
        const int trackLeft = h.left + a;
        const int trackRight = h.right - a;
        const CsbThumb thumb = uiCsbGetThumb(bar, h.left, h.right);
        const bool bothDisabled = (bar.flags & (kCsbFirstArrowDisabled | kCsbSecondArrowDisabled)) ==
                                  (kCsbFirstArrowDisabled | kCsbSecondArrowDisabled);
        if (thumb.size > 0 && thumb.size < trackRight - trackLeft && canScroll && !bothDisabled) {
            paint.Page(kCsbPartPageBefore, Span(h, trackLeft, thumb.start), pressed(kCsbPartPageBefore));
            paint.Page(kCsbPartPageAfter, Span(h, thumb.start + thumb.size, trackRight),
                       pressed(kCsbPartPageAfter));
            paint.Thumb(Span(h, thumb.start, thumb.start + thumb.size), pressed(kCsbPartThumb),
                        onHotBar && t.hotPart == kCsbPartThumb);
        } else if (!canScroll && keepThumb && bar.minThumbSize < trackRight - trackLeft) {
            paint.Thumb(Span(h, trackLeft, trackRight - 1), false, false);
            paint.Plain(kCsbPartPageAfter, Span(h, trackRight - 1, trackRight), COLOR_SCROLLBAR);
        } else {
            paint.Page(kCsbPartPageAfter, Span(h, trackLeft, trackRight), pressed(kCsbPartPageAfter));
        }
        paint.Arrow(kCsbPartSecondArrow, Span(h, trackRight, h.right), secondFlags,
                    pressed(kCsbPartSecondArrow), arrowHot(kCsbPartSecondArrow, secondFlags));
    } else {
        const int half = width / 2;
        paint.Arrow(kCsbPartFirstArrow, Span(h, h.left, h.left + half), firstFlags,
                    pressed(kCsbPartFirstArrow), arrowHot(kCsbPartFirstArrow, firstFlags));
        paint.Page(kCsbPartPageAfter, Span(h, h.left + half, h.right - half), false);
        paint.Arrow(kCsbPartSecondArrow, Span(h, h.right - half, h.right), secondFlags,
                    pressed(kCsbPartSecondArrow), arrowHot(kCsbPartSecondArrow, secondFlags));
    }
    paint.Finish();
    return paint.custom;
}

void uiCsbDrawDraggedThumb(HWND hwnd, CustomSBWnd& sb, HDC hdc, int barCode, const RECT& rc, int thumbOffset,
                           int thumbSize)
{
    const CustomSBBar bar = barCode == SB_HORZ ? sb.horz : sb.vert;  // see uiCsbDrawBar
    const RECT h = uiCsbToHorizontal(rc, barCode);
    if (h.right <= h.left)
        return;
    BarPainter paint = StartBar(hwnd, sb, hdc, bar, barCode);
    if (paint.gone)
        return;
    const int a = uiCsbArrowLength(bar);
    const int start = h.left + thumbOffset;
    paint.Page(kCsbPartPageBefore, Span(h, h.left + a, start), false);
    paint.Page(kCsbPartPageAfter, Span(h, start + thumbSize, h.right - a), false);
    paint.Thumb(Span(h, start, start + thumbSize), true, true);
    paint.Finish();
}

RECT uiCsbToWindow(HWND hwnd, const RECT& screen)
{
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    return RECT{screen.left - wr.left, screen.top - wr.top, screen.right - wr.left, screen.bottom - wr.top};
}

namespace {

int ShownPartFor(HWND hwnd, int bar)
{
    const CsbTracking& t = uiCsbTracking();
    return (t.hotWnd == hwnd && t.trackedBar == bar) ? t.shownPart : kCsbPartNone;
}

// The grip is drawn only where the box, with the window's borders, reaches the corner of the
// parent's client area that resizing would use.
bool SizeBoxReachesCorner(HWND hwnd, const CustomSBWnd& sb, const RECT& box)
{
    HWND parent = GetParent(hwnd);
    RECT client{};
    if (!parent || !GetClientRect(parent, &client))
        return false;
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (box.bottom + sb.borderBottom < client.bottom)
        return false;
    return sb.leftScrollBar ? box.left - sb.borderLeft <= client.left
                            : box.right + sb.borderRight >= client.right;
}

}  // namespace

LRESULT uiCsbDrawNonClient(HWND hwnd, CustomSBWnd& sb, HDC hdc, WPARAM wParam, bool paintBorders)
{
    bool custom = false;
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (!uiCsbBarOf(&sb, bar)->visibleNow)
            continue;
        custom |= uiCsbDrawBar(hwnd, sb, hdc, bar, uiCsbToWindow(hwnd, uiCsbBarRect(hwnd, sb, bar)),
                               ShownPartFor(hwnd, bar));
        // The bars may have been taken off by a handler; their removal redraws the frame.
        if (!uiCsbHasState(hwnd, sb))
            return 0;
    }
    LRESULT result = 0;
    if (paintBorders) {
        result = uiCsbCallGuarded(hwnd, sb, WM_NCPAINT, wParam, 0);
        if (!uiCsbHasState(hwnd, sb))
            return result;
    }
    RECT box{};
    if (uiCsbSizeBoxRect(hwnd, sb, &box)) {
        RECT rc = uiCsbToWindow(hwnd, box);
        if (custom)
            SendDrawNotify(hwnd, sb, hdc, kCsbStagePart, &rc, kCsbItemSizeBox, kCsbStateNormal, kCsbBarSizeBox);
        else if (SizeBoxReachesCorner(hwnd, sb, box))
            DrawFrameControl(hdc, &rc, DFC_SCROLL,
                             sb.leftScrollBar ? DFCS_SCROLLSIZEGRIPRIGHT : DFCS_SCROLLSIZEGRIP);
        else
            FillSysColor(hdc, rc, COLOR_BTNFACE);
    }
    return result;
}

HDC uiCsbGetNonClientDC(HWND hwnd)
{
    HDC hdc = GetWindowDC(hwnd);
    if (!hdc)
        return nullptr;
    RECT wr{};
    RECT client{};
    GetWindowRect(hwnd, &wr);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ExcludeClipRect(hdc, client.left - wr.left, client.top - wr.top, client.right - wr.left,
                    client.bottom - wr.top);
    return hdc;
}

LRESULT uiCsbPaintNCWith(HWND hwnd, CustomSBWnd& sb, WPARAM wParam)
{
    HDC hdc = uiCsbGetNonClientDC(hwnd);
    if (!hdc)
        return uiCsbCallGuarded(hwnd, sb, WM_NCPAINT, wParam, 0);
    const LRESULT result = uiCsbDrawNonClient(hwnd, sb, hdc, wParam, true);
    ReleaseDC(hwnd, hdc);
    return result;
}

void uiCsbRedrawBar(HWND hwnd, CustomSBWnd& sb, int bar)
{
    uiCsbRedrawBarShowing(hwnd, sb, bar, ShownPartFor(hwnd, bar));
}

void uiCsbRedrawBarShowing(HWND hwnd, CustomSBWnd& sb, int bar, int shownPart)
{
    const CustomSBBar* b = uiCsbBarOf(&sb, bar);
    if (!b || !b->visibleNow)
        return;
    HDC hdc = uiCsbGetNonClientDC(hwnd);
    if (!hdc)
        return;
    uiCsbDrawBar(hwnd, sb, hdc, bar, uiCsbToWindow(hwnd, uiCsbBarRect(hwnd, sb, bar)), shownPart);
    ReleaseDC(hwnd, hdc);
}

void uiCsbPaintNC(HWND hwnd)
{
    if (CustomSBWnd* sb = uiCsbGetState(hwnd))
        uiCsbPaintNCWith(hwnd, *sb, 1);
}

// Bars and size box only: the borders belong to whoever prints the frame.
void uiCsbPrintNC(HDC hdc, HWND hwnd)
{
    if (CustomSBWnd* sb = uiCsbGetState(hwnd))
        uiCsbDrawNonClient(hwnd, *sb, hdc, 1, false);
}
