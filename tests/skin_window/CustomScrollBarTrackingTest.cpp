// Custom scroll bars: hit testing, the custom-draw notification, built-in painting read back from a
// DIB, and the press, repeat, drag and snap-back sequences driven by mouse messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ScrollTestWindow.h"

namespace {

constexpr int kArrow = 16;
constexpr int kThick = 20;
constexpr int kId = 321;
constexpr UINT_PTR kRepeatDelayTimer = 0xFFFD;
constexpr UINT_PTR kRepeatTimer = 0xFFFE;
constexpr UINT_PTR kHoverTimer = 0xFFFFFFF2;

LPARAM ScreenPoint(int x, int y)
{
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

class VerticalBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowLongW(w.hwnd(), GWL_ID, kId);
        AttachBars();
        ASSERT_TRUE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
        c = w.ScreenClient();
        GetWindowRect(w.hwnd(), &wr);
        track = (c.bottom - c.top) - 2 * kArrow;
        thumb = static_cast<int>(std::lround(10.0 * track / 100.0));
        w.scrolls.clear();
    }
    void TearDown() override
    {
        if (GetCapture() == w.hwnd())
            ReleaseCapture();
    }
    void AttachBars()
    {
        ASSERT_TRUE(uiCsbInit(w.hwnd()));
        ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_BOTH, kArrow, kThick));
        SetRange(0, 99, 10, 0);
        w.scrolls.clear();
    }
    void SetRange(int lo, int hi, UINT page, int pos)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, lo, hi, page, pos, 0};
        uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    }
    // Posts a mouse message with the cursor placed at the point first, so that the message carries
    // that position, and runs it.
    void MouseAt(UINT msg, WPARAM wParam, int x, int y)
    {
        SetCursorPos(x, y);
        PostMessageW(w.hwnd(), msg, wParam, ScreenPoint(x, y));
        ScrollTestWindow::PumpPending();
    }
    std::vector<DrawNote> PartNotes() const
    {
        std::vector<DrawNote> parts;
        for (const DrawNote& n : w.notes)
            if (n.stage == kCsbStagePart)
                parts.push_back(n);
        return parts;
    }
    const DrawNote* Part(UINT item) const
    {
        for (const DrawNote& n : w.notes)
            if (n.stage == kCsbStagePart && n.item == item)
                return &n;
        return nullptr;
    }
    // Places the cursor first, so that the press itself moves nothing.
    void Hover(int x, int y)
    {
        SetCursorPos(x, y);
        ScrollTestWindow::PumpPending();
    }
    static COLORREF TrackLight()
    {
        const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        const bool light = highlight == RGB(255, 255, 255) || highlight != GetSysColor(COLOR_WINDOW);
        return GetSysColor(light ? COLOR_3DHILIGHT : COLOR_3DFACE);
    }
    // A press on the thumb sends nothing of its own; a mouse move at the same place tracks pos.
    void ExpectOnlyTrackingAt(int pos)
    {
        for (const ScrollMsg& m : w.scrolls) {
            EXPECT_EQ(SB_THUMBTRACK, m.code);
            EXPECT_EQ(pos, m.pos);
        }
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ScrollMsg& m : w.scrolls)
            codes.push_back(m.code);
        return codes;
    }
    ScrollMsg Last() const { return w.scrolls.empty() ? ScrollMsg{0, -1, -1} : w.scrolls.back(); }

    ScrollTestWindow w{100, 100, 200, 300};
    RECT c{};
    RECT wr{};
    int track = 0;
    int thumb = 0;
};

}  // namespace

TEST_F(VerticalBar, HitTestFindsTheBarBesideTheClientArea)
{
    EXPECT_EQ(HTVSCROLL, SendMessageW(w.hwnd(), WM_NCHITTEST, 0, ScreenPoint(c.right + 1, c.top + 3)));
    EXPECT_EQ(HTVSCROLL, SendMessageW(w.hwnd(), WM_NCHITTEST, 0, ScreenPoint(c.right + kThick - 1, c.bottom - 1)));
    EXPECT_EQ(HTCLIENT, SendMessageW(w.hwnd(), WM_NCHITTEST, 0, ScreenPoint(c.right - 1, c.top + 3)));
}

TEST_F(VerticalBar, CustomDrawSendsEveryPartWithItsRectangleAndState)
{
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_FALSE(w.notes.empty());
    EXPECT_EQ(kCsbStagePrePaint, w.notes.front().stage);
    EXPECT_EQ(0u, w.notes.front().wParam);
    EXPECT_EQ(kCsbStagePostPaint, w.notes.back().stage);
    EXPECT_EQ(kId, w.notes.front().id);

    const int left = c.right - wr.left;
    const int top = c.top - wr.top;
    const int bottom = c.bottom - wr.top;
    const DrawNote* up = Part(kCsbPartFirstArrow);
    ASSERT_NE(nullptr, up);
    EXPECT_EQ((RECT{left, top, left + kThick, top + kArrow}), up->rect);
    EXPECT_EQ(kCsbStateNormal, up->state);
    EXPECT_EQ(1u, up->bar);
    EXPECT_EQ(static_cast<WPARAM>(kId), up->wParam);
    const DrawNote* down = Part(kCsbPartSecondArrow);
    ASSERT_NE(nullptr, down);
    EXPECT_EQ((RECT{left, bottom - kArrow, left + kThick, bottom}), down->rect);
    const DrawNote* th = Part(kCsbPartThumb);
    ASSERT_NE(nullptr, th);
    EXPECT_EQ((RECT{left, top + kArrow, left + kThick, top + kArrow + thumb}), th->rect);
    const DrawNote* page = Part(kCsbPartPageAfter);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ((RECT{left, top + kArrow + thumb, left + kThick, bottom - kArrow}), page->rect);
}

TEST_F(VerticalBar, AnyOtherPrePaintAnswerSendsNoPartNotifications)
{
    w.prePaintAnswer = 0;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    EXPECT_TRUE(PartNotes().empty());
    EXPECT_EQ(2u, w.notes.size());
}

TEST_F(VerticalBar, ThumbAtTheEndOfTheRangeTouchesTheLowerArrow)
{
    SetRange(0, 99, 10, 90);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    const DrawNote* th = Part(kCsbPartThumb);
    ASSERT_NE(nullptr, th);
    EXPECT_EQ(c.bottom - wr.top - kArrow, th->rect.bottom);
    ASSERT_NE(nullptr, Part(kCsbPartPageBefore));
}

TEST_F(VerticalBar, WithoutAPageTheThumbIsAsLongAsAnArrow)
{
    SetRange(0, 100, 0, 0);
    uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    const DrawNote* th = Part(kCsbPartThumb);
    ASSERT_NE(nullptr, th);
    EXPECT_EQ(kArrow, th->rect.bottom - th->rect.top);
}

TEST_F(VerticalBar, AShortBarShowsTwoHalfArrowsAndNoThumb)
{
    const int length = c.bottom - c.top;
    ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_VERT, 200, kThick));
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    EXPECT_EQ(nullptr, Part(kCsbPartThumb));
    const DrawNote* up = Part(kCsbPartFirstArrow);
    const DrawNote* down = Part(kCsbPartSecondArrow);
    ASSERT_NE(nullptr, up);
    ASSERT_NE(nullptr, down);
    EXPECT_EQ(length / 2, up->rect.bottom - up->rect.top);
    EXPECT_EQ(length / 2, down->rect.bottom - down->rect.top);
}

TEST_F(VerticalBar, BothBarsWithCustomDrawingNotifyTheSizeBox)
{
    uiCsbShowBar(w.hwnd(), SB_HORZ, TRUE);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    const DrawNote* box = Part(kCsbItemSizeBox);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(3u, box->bar);
    const RECT cl = w.ScreenClient();
    EXPECT_EQ((RECT{cl.right - wr.left, cl.bottom - wr.top, cl.right - wr.left + kThick, cl.bottom - wr.top + kThick}),
              box->rect);
}

TEST_F(VerticalBar, BuiltInLookPaintsACheckeredTrackAndAFaceColouredThumb)
{
    DibCanvas canvas(wr.right - wr.left, wr.bottom - wr.top);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    const int x = c.right - wr.left + kThick / 2;
    const int thumbMiddle = c.top - wr.top + kArrow + thumb / 2;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.Pixel(x, thumbMiddle));

    // The track alternates the two colours pixel by pixel (they may be equal in a theme).
    const int y = c.bottom - wr.top - kArrow - 20;
    const COLORREF a = canvas.Pixel(x, y);
    const COLORREF b = canvas.Pixel(x + 1, y);
    EXPECT_TRUE((a == TrackLight() && b == GetSysColor(COLOR_SCROLLBAR)) ||
                (b == TrackLight() && a == GetSysColor(COLOR_SCROLLBAR)));
    EXPECT_EQ(a, canvas.Pixel(x + 1, y + 1));
    EXPECT_EQ(b, canvas.Pixel(x, y + 1));
}

TEST_F(VerticalBar, PressedPageAreaIsDrawnInInvertedColours)
{
    const int x = c.right + 10;
    const int y = c.bottom - kArrow - 20;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    DibCanvas canvas(wr.right - wr.left, wr.bottom - wr.top);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    MouseAt(WM_LBUTTONUP, 0, x, y);
    const COLORREF a = canvas.Pixel(x - wr.left, y - wr.top);
    const COLORREF b = canvas.Pixel(x - wr.left + 1, y - wr.top);
    EXPECT_TRUE((a == (TrackLight() ^ 0xFFFFFF) && b == (GetSysColor(COLOR_SCROLLBAR) ^ 0xFFFFFF)) ||
                (b == (TrackLight() ^ 0xFFFFFF) && a == (GetSysColor(COLOR_SCROLLBAR) ^ 0xFFFFFF)));
}

TEST_F(VerticalBar, RightAndMiddleClicksOnABarAreSwallowed)
{
    w.passedOn.clear();
    const LPARAM pt = ScreenPoint(c.right + 5, c.top + 40);
    EXPECT_EQ(0, SendMessageW(w.hwnd(), WM_NCRBUTTONDOWN, HTVSCROLL, pt));
    EXPECT_EQ(0, SendMessageW(w.hwnd(), WM_NCMBUTTONUP, HTVSCROLL, pt));
    EXPECT_TRUE(w.passedOn.empty());
    EXPECT_TRUE(w.scrolls.empty());
    SendMessageW(w.hwnd(), WM_NCMBUTTONUP, HTNOWHERE, pt);
    EXPECT_EQ(1u, w.passedOn.size());
}

TEST_F(VerticalBar, HeldArrowScrollsAtOnceThenRepeatsUntilReleased)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_EQ(1u, w.scrolls.size());
    EXPECT_EQ(static_cast<UINT>(WM_VSCROLL), w.scrolls[0].msg);
    EXPECT_EQ(SB_LINEDOWN, w.scrolls[0].code);
    EXPECT_EQ(w.hwnd(), GetCapture());

    ASSERT_TRUE(ScrollTestWindow::PumpUntil([&] { return w.scrolls.size() >= 4; }));
    for (const ScrollMsg& m : w.scrolls)
        EXPECT_EQ(SB_LINEDOWN, m.code);

    MouseAt(WM_LBUTTONUP, 0, x, y);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
    EXPECT_NE(w.hwnd(), GetCapture());
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatTimer));
}

TEST_F(VerticalBar, LeavingThePressedPartStopsRepeatsWithoutEndingThePress)
{
    const int x = c.right + 10;
    const int y = c.bottom - kArrow - 10;  // page area below the thumb
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_EQ(1u, w.scrolls.size());
    EXPECT_EQ(SB_PAGEDOWN, w.scrolls[0].code);
    ASSERT_TRUE(ScrollTestWindow::PumpUntil([&] { return w.scrolls.size() >= 2; }));

    SetCursorPos(c.left + 10, c.top + 10);
    const size_t before = w.scrolls.size();
    SendMessageW(w.hwnd(), WM_TIMER, kRepeatTimer, 0);
    EXPECT_EQ(before, w.scrolls.size());

    SetCursorPos(x, y);
    SendMessageW(w.hwnd(), WM_TIMER, kRepeatTimer, 0);
    ASSERT_EQ(before + 1, w.scrolls.size());
    EXPECT_EQ(SB_PAGEDOWN, Last().code);
    MouseAt(WM_LBUTTONUP, 0, x, y);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
}

TEST_F(VerticalBar, PressOnADisabledArrowDoesNothing)
{
    uiCsbEnableScrollBar(w.hwnd(), SB_VERT, ESB_DISABLE_RTDN);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, c.right + 10, c.bottom - 5);
    EXPECT_TRUE(w.scrolls.empty());
    EXPECT_NE(w.hwnd(), GetCapture());
    MouseAt(WM_LBUTTONUP, 0, c.right + 10, c.bottom - 5);
    EXPECT_TRUE(w.scrolls.empty());
}

TEST_F(VerticalBar, DraggedThumbTracksSnapsBackOutsideTheZoneAndResumes)
{
    const int x = c.right + 10;
    const int y = c.top + kArrow + 5;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ExpectOnlyTrackingAt(0);
    EXPECT_TRUE(uiCsbIsThumbTracking(w.hwnd()));

    // 50 pixels of the 'track − thumb' travel cover 50/travel of the 90 scrollable positions.
    const int expected = static_cast<int>(std::lround(50.0 * 90 / (track - thumb)));
    MouseAt(WM_MOUSEMOVE, 0, x, y + 50);
    EXPECT_EQ(SB_THUMBTRACK, Last().code);
    EXPECT_EQ(expected, Last().pos);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS | SIF_POS;
    uiCsbGetScrollInfo(w.hwnd(), SB_VERT, &si);
    EXPECT_EQ(expected, si.nTrackPos);
    EXPECT_EQ(0, si.nPos);

    // The range stays as it is while the thumb is dragged.
    EXPECT_EQ(0, uiCsbSetScrollRange(w.hwnd(), SB_VERT, 0, 500, FALSE));
    int lo = 0;
    int hi = 0;
    uiCsbGetScrollRange(w.hwnd(), SB_VERT, &lo, &hi);
    EXPECT_EQ(99, hi);

    MouseAt(WM_MOUSEMOVE, 0, x + kThick + 30, y + 50);  // more than 24 pixels beside the bar
    EXPECT_EQ(SB_THUMBTRACK, Last().code);
    EXPECT_EQ(0, Last().pos);
    MouseAt(WM_MOUSEMOVE, 0, x, y + 50);
    EXPECT_EQ(expected, Last().pos);
    MouseAt(WM_MOUSEMOVE, 0, x, c.bottom + 60);  // more than 48 pixels past the end
    EXPECT_EQ(0, Last().pos);
    MouseAt(WM_MOUSEMOVE, 0, x, c.bottom + 40);  // within the zone: the far end
    EXPECT_EQ(90, Last().pos);

    MouseAt(WM_LBUTTONUP, 0, x, c.bottom + 40);
    ASSERT_GE(w.scrolls.size(), 2u);
    EXPECT_EQ(SB_THUMBPOSITION, w.scrolls[w.scrolls.size() - 2].code);
    EXPECT_EQ(90, w.scrolls[w.scrolls.size() - 2].pos);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
    EXPECT_FALSE(uiCsbIsThumbTracking(w.hwnd()));
}

TEST_F(VerticalBar, ThumbReleasedWithoutMovingReportsTheCurrentPosition)
{
    SetRange(0, 99, 10, 40);
    RECT th{};
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_NE(nullptr, Part(kCsbPartThumb));
    th = Part(kCsbPartThumb)->rect;
    const int x = c.right + 10;
    const int y = wr.top + (th.top + th.bottom) / 2;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    MouseAt(WM_LBUTTONUP, 0, x, y);
    // Taking the capture may bring a mouse move at the same place: it tracks the same position.
    ASSERT_GE(w.scrolls.size(), 2u);
    for (size_t i = 0; i + 2 < w.scrolls.size(); ++i) {
        EXPECT_EQ(SB_THUMBTRACK, w.scrolls[i].code);
        EXPECT_EQ(40, w.scrolls[i].pos);
    }
    EXPECT_EQ(SB_THUMBPOSITION, w.scrolls[w.scrolls.size() - 2].code);
    EXPECT_EQ(40, w.scrolls[w.scrolls.size() - 2].pos);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
}

TEST_F(VerticalBar, AHeldArrowEndsWhenAnotherWindowTakesTheMouse)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_EQ(w.hwnd(), GetCapture());
    ScrollTestWindow other(400, 100, 50, 50);
    SetCapture(other.hwnd());
    EXPECT_EQ((std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}), Codes());
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer));
    SendMessageW(w.hwnd(), WM_TIMER, kRepeatTimer, 0);
    EXPECT_EQ(2u, w.scrolls.size());
    ReleaseCapture();
}

TEST_F(VerticalBar, AThumbDragEndsAtItsPositionWhenAnotherWindowTakesTheMouse)
{
    SetRange(0, 99, 10, 40);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_NE(nullptr, Part(kCsbPartThumb));
    const RECT th = Part(kCsbPartThumb)->rect;
    const int x = c.right + 10;
    const int y = wr.top + (th.top + th.bottom) / 2;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_TRUE(uiCsbIsThumbTracking(w.hwnd()));
    ScrollTestWindow other(400, 100, 50, 50);
    SetCapture(other.hwnd());
    EXPECT_FALSE(uiCsbIsThumbTracking(w.hwnd()));
    ASSERT_GE(w.scrolls.size(), 2u);
    EXPECT_EQ(SB_THUMBPOSITION, w.scrolls[w.scrolls.size() - 2].code);
    EXPECT_EQ(40, w.scrolls[w.scrolls.size() - 2].pos);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
    // Range changes are no longer held back as during a drag.
    uiCsbSetScrollRange(w.hwnd(), SB_VERT, 0, 49, FALSE);
    int lo = -1, hi = -1;
    ASSERT_TRUE(uiCsbGetScrollRange(w.hwnd(), SB_VERT, &lo, &hi));
    EXPECT_EQ(49, hi);
    ReleaseCapture();
}

TEST_F(VerticalBar, DragPositionsAreAbsoluteForARangeNotStartingAtZero)
{
    SetRange(100, 199, 10, 100);
    w.scrolls.clear();
    const int x = c.right + 10;
    const int y = c.top + kArrow + 5;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    MouseAt(WM_MOUSEMOVE, 0, x, y + 50);
    EXPECT_EQ(100 + static_cast<int>(std::lround(50.0 * 90 / (track - thumb))), Last().pos);
    MouseAt(WM_LBUTTONUP, 0, x, y + 50);
}

TEST_F(VerticalBar, HotTrackingLightsThePartUnderTheMouseUntilItLeavesTheBar)
{
    uiCsbSetStyle(w.hwnd(), SB_VERT, 2);
    w.prePaintAnswer = kCsbSkipDefault;
    const int x = c.right + 10;
    const int y = c.bottom - 5;  // lower arrow
    SetCursorPos(x, y);
    SendMessageW(w.hwnd(), WM_NCMOUSEMOVE, HTVSCROLL, ScreenPoint(x, y));
    w.notes.clear();
    SendMessageW(w.hwnd(), WM_TIMER, kHoverTimer, 0);
    const DrawNote* down = Part(kCsbPartSecondArrow);
    ASSERT_NE(nullptr, down);
    EXPECT_EQ(kCsbStateHot, down->state);
    EXPECT_EQ(kCsbStateNormal, Part(kCsbPartFirstArrow)->state);

    // The same part at the next tick draws nothing.
    w.notes.clear();
    SendMessageW(w.hwnd(), WM_TIMER, kHoverTimer, 0);
    EXPECT_TRUE(w.notes.empty());

    SetCursorPos(c.left + 5, c.top + 5);
    w.notes.clear();
    SendMessageW(w.hwnd(), WM_TIMER, kHoverTimer, 0);
    ASSERT_NE(nullptr, Part(kCsbPartSecondArrow));
    EXPECT_EQ(kCsbStateNormal, Part(kCsbPartSecondArrow)->state);
    EXPECT_FALSE(KillTimer(w.hwnd(), kHoverTimer));
}

// Bars taken off the window under the mouse let go of it: no hover timer or press runs on in the
// plain window, and bars given to it again start with nothing hot.
TEST_F(VerticalBar, BarsTakenOffTheHoveredOrPressedWindowLetGoOfIt)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;  // lower arrow
    uiCsbSetStyle(w.hwnd(), SB_VERT, 2);
    SetCursorPos(x, y);
    SendMessageW(w.hwnd(), WM_NCMOUSEMOVE, HTVSCROLL, ScreenPoint(x, y));
    SendMessageW(w.hwnd(), WM_TIMER, kHoverTimer, 0);
    ASSERT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_FALSE(KillTimer(w.hwnd(), kHoverTimer));

    AttachBars();
    uiCsbSetStyle(w.hwnd(), SB_VERT, 2);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_NE(nullptr, Part(kCsbPartSecondArrow));
    EXPECT_EQ(kCsbStateNormal, Part(kCsbPartSecondArrow)->state);

    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_EQ(w.hwnd(), GetCapture());
    ASSERT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_NE(w.hwnd(), GetCapture());
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer));
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatTimer));
}

TEST_F(VerticalBar, APressedArrowIsNotifiedPressedWhileTheMouseStaysOnIt)
{
    w.prePaintAnswer = kCsbSkipDefault;
    const int x = c.right + 10;
    const int y = c.top + 5;  // upper arrow
    Hover(x, y);
    w.notes.clear();
    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_FALSE(w.scrolls.empty());
    EXPECT_EQ(SB_LINEUP, w.scrolls[0].code);
    ASSERT_NE(nullptr, Part(kCsbPartFirstArrow));
    EXPECT_EQ(kCsbStatePressed, Part(kCsbPartFirstArrow)->state);

    w.notes.clear();
    MouseAt(WM_MOUSEMOVE, 0, x, c.bottom - 5);
    ASSERT_NE(nullptr, Part(kCsbPartFirstArrow));
    EXPECT_EQ(kCsbStateNormal, Part(kCsbPartFirstArrow)->state);
    MouseAt(WM_LBUTTONUP, 0, x, c.bottom - 5);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
}

TEST_F(VerticalBar, TheThumbNeverGetsShorterThanTheMinimumSize)
{
    SetRange(0, 9999, 1, 0);
    ASSERT_TRUE(uiCsbSetMinThumbSize(w.hwnd(), SB_VERT, 12));
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_NE(nullptr, Part(kCsbPartThumb));
    EXPECT_EQ(12, Part(kCsbPartThumb)->rect.bottom - Part(kCsbPartThumb)->rect.top);
}

TEST_F(VerticalBar, VerticalHitOnlyTakesAnyNonClientPressAsOneOnTheVerticalBar)
{
    ASSERT_TRUE(uiCsbSetVerticalHitOnly(w.hwnd(), TRUE));
    ASSERT_TRUE(uiCsbSetTrackCapture(w.hwnd(), FALSE));
    const int x = c.right + 10;
    const int y = c.bottom - 5;
    Hover(x, y);
    MouseAt(WM_NCLBUTTONDOWN, HTBORDER, x, y);
    ASSERT_EQ(1u, w.scrolls.size());
    EXPECT_EQ(SB_LINEDOWN, w.scrolls[0].code);
    EXPECT_NE(w.hwnd(), GetCapture());
    MouseAt(WM_LBUTTONUP, 0, x, y);
    EXPECT_EQ(SB_ENDSCROLL, Last().code);
}

// A scroll handler may take the bars off the window: the press ends there, with no timer, no capture
// and no use of the freed state.
TEST_F(VerticalBar, AnArrowPressOrRepeatWhoseHandlerRemovesTheBarsEndsThere)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;
    for (size_t removeAt : {1u, 2u}) {  // the press's own message, then the first repeat
        if (removeAt == 2)
            AttachBars();
        BarRemoval removal;
        w.onScroll = [&](const ScrollMsg&) {
            if (w.scrolls.size() == removeAt)
                removal.Remove(w.hwnd());
        };
        MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
        ASSERT_TRUE(ScrollTestWindow::PumpUntil([&] { return removal.Removed(); })) << removeAt;
        w.onScroll = nullptr;
        EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
        EXPECT_NE(w.hwnd(), GetCapture()) << removeAt;
        EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer)) << removeAt;
        EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatTimer)) << removeAt;
        EXPECT_TRUE(removal.Untouched()) << removeAt;
        MouseAt(WM_LBUTTONUP, 0, x, y);
        EXPECT_EQ(removeAt, w.scrolls.size());
    }
}

TEST_F(VerticalBar, AThumbDragOrReleaseWhoseHandlerRemovesTheBarsEndsThere)
{
    const int x = c.right + 10;
    const int y = c.top + kArrow + 5;
    for (int removeOn : {SB_THUMBTRACK, SB_THUMBPOSITION}) {
        if (removeOn == SB_THUMBPOSITION)
            AttachBars();
        BarRemoval removal;
        w.onScroll = [&](const ScrollMsg& m) {
            if (m.code == removeOn && !removal.Removed())
                removal.Remove(w.hwnd());
        };
        Hover(x, y);
        MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
        MouseAt(WM_MOUSEMOVE, 0, x, y + 50);
        MouseAt(WM_LBUTTONUP, 0, x, y + 50);
        w.onScroll = nullptr;
        EXPECT_TRUE(removal.Removed()) << removeOn;
        EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
        EXPECT_NE(w.hwnd(), GetCapture()) << removeOn;
        EXPECT_TRUE(removal.Untouched()) << removeOn;
        // The release still tells the window that scrolling ended.
        if (removeOn == SB_THUMBPOSITION) {
            EXPECT_EQ(SB_ENDSCROLL, Last().code);
        }
    }
}

// A custom-draw handler may take the bars off the window at any stage of the redraw of a press, of a
// drag step or of the hover's start: that ends there, with no timer, no capture, no scroll message
// after it and no use of the freed state.
TEST_F(VerticalBar, APressDragOrHoverWhoseCustomDrawHandlerRemovesTheBarsEndsThere)
{
    w.prePaintAnswer = kCsbSkipDefault;
    const POINT arrow{c.right + 10, c.bottom - 5};
    const POINT onThumb{c.right + 10, c.top + kArrow + 5};
    struct Case {
        const char* name;
        UINT msg;
        POINT at;
        bool drag;
    };
    const Case cases[] = {{"arrow", WM_NCLBUTTONDOWN, arrow, false},
                          {"thumb", WM_NCLBUTTONDOWN, onThumb, false},
                          {"drag", WM_NCLBUTTONDOWN, onThumb, true},
                          {"hover", WM_NCMOUSEMOVE, arrow, false}};
    for (const Case& k : cases) {
        for (UINT stage : {kCsbStagePrePaint, kCsbStagePart, kCsbStagePostPaint}) {
            if (!uiCsbIsEnabled(w.hwnd()))
                AttachBars();
            ScrollTestWindow::PumpPending();  // the frame's repaint, before anything is armed
            BarRemoval removal;
            bool armed = false;
            size_t scrollsAtRemoval = 0;
            w.onNote = [&](const DrawNote& n) {
                if (armed && n.stage == stage && !removal.Removed()) {
                    removal.Remove(w.hwnd());
                    scrollsAtRemoval = w.scrolls.size();
                }
            };
            // Sent, not posted: nothing else (a hover tick) redraws the bar meanwhile.
            SetCursorPos(k.at.x, k.at.y);
            armed = !k.drag;
            SendMessageW(w.hwnd(), k.msg, HTVSCROLL, ScreenPoint(k.at.x, k.at.y));
            armed = true;
            if (k.drag)
                MouseAt(WM_MOUSEMOVE, 0, k.at.x, k.at.y + 50);
            w.onNote = nullptr;
            const ::testing::Message which = ::testing::Message() << k.name << " at stage " << stage;
            ASSERT_TRUE(removal.Removed()) << which;
            EXPECT_NE(w.hwnd(), GetCapture()) << which;
            EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer)) << which;
            EXPECT_FALSE(KillTimer(w.hwnd(), kHoverTimer)) << which;
            EXPECT_TRUE(removal.Untouched()) << which;
            MouseAt(WM_LBUTTONUP, 0, k.at.x, k.at.y);
            EXPECT_EQ(scrollsAtRemoval, w.scrolls.size()) << which;
        }
    }
}
