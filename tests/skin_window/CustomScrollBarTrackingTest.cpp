// Custom scroll bars: hit testing, the custom-draw notification, built-in painting read back from a
// DIB, and the press, repeat, drag and snap-back sequences driven by mouse messages.
#include "VerticalBarFixture.h"

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
