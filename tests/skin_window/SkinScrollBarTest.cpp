// The skinned scroll-bar control: its layout arithmetic, clamps and position messages, the arrow,
// page and thumb sequences driven by mouse and timer messages, and its look read back by pixel.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScrollGridOracle.h"
#include "ScrollWndTestSupport.h"
#include "uiSkinScrollBar.h"

namespace {

constexpr int kArrow = grid::kCellHeight;  // a vertical bar's arrows are one cell high
constexpr int kTrack = 100;
constexpr int kLength = 2 * kArrow + kTrack;
constexpr int kX = grid::kCellWidth / 2;  // the middle of the bar across

LPARAM At(int x, int y)
{
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

class ScrollBarControl : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadScrollTestSkin()); }
    void SetUp() override { Create(SBS_VERT, 40, kLength); }
    void TearDown() override
    {
        if (GetCapture() == bar)
            ReleaseCapture();
        DestroyWindow(bar);
    }
    void Create(DWORD style, int w, int h, const wchar_t* skinStyle = nullptr)
    {
        bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | style, 20, 10, w, h, owner.hwnd(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
        skin = new uiSkinScrollBar;
        ASSERT_TRUE(skin->SkinWindow(bar, skinStyle, TRUE, FALSE));
        SetInfo(0, 99, 10, 0);
        owner.notes.clear();
    }
    LRESULT SetInfo(int lo, int hi, UINT page, int pos)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, lo, hi, page, pos, 0};
        return SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
    }
    SCROLLINFO Info() const
    {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        SendMessageW(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
        return si;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ScrollNote& n : owner.notes)
            codes.push_back(n.code);
        return codes;
    }
    COLORREF Shown(int x, int y) const { return WindowPixels(bar)->Pixel(x, y); }
    void Repaint() const { RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    ScrollOwner owner{50, 50, 300, 300};
    HWND bar = nullptr;
    uiSkinScrollBar* skin = nullptr;
};

TEST_F(ScrollBarControl, AttachFitsTheBarToTheSkinsThicknessAndKeepsItsPlaceAndLength)
{
    RECT rc{};
    GetWindowRect(bar, &rc);
    MapWindowPoints(nullptr, owner.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ((RECT{20, 10, 20 + grid::kCellWidth, 10 + kLength}), rc);
}

TEST_F(ScrollBarControl, TheThumbIsThePagesShareOfTheTrackAndNeverShorterThanSix)
{
    EXPECT_EQ(kTrack, skin->GetTrackLength());
    EXPECT_EQ(10, skin->GetThumbLength());
    SetInfo(0, 99, 1, 0);
    EXPECT_EQ(6, skin->GetThumbLength());
    EXPECT_EQ(6, skin->GetThumbHitLength());
}

TEST_F(ScrollBarControl, APageOverTheWholeRangeShowsNoThumbYetTheHitTestFindsOne)
{
    SetInfo(0, 99, 100, 0);
    EXPECT_EQ(0, skin->GetThumbLength());
    const RECT thumb = skin->GetPartRect(5);
    EXPECT_TRUE(IsRectEmpty(&thumb));
    EXPECT_GE(skin->GetThumbHitLength(), 6);
    EXPECT_EQ(5, skin->HitTest(POINT{kX, kArrow + skin->GetThumbOffset()}));
}

TEST_F(ScrollBarControl, ABarShorterThanTwoArrowsIsTwoHalfArrows)
{
    MoveWindow(bar, 20, 10, grid::kCellWidth, 20, TRUE);
    EXPECT_EQ(0, skin->GetTrackLength());
    EXPECT_EQ(0, skin->HitTest(POINT{kX, 9}));
    EXPECT_EQ(1, skin->HitTest(POINT{kX, 10}));
    EXPECT_EQ((RECT{0, 10, grid::kCellWidth, 20}), skin->GetPartRect(1));
}

TEST_F(ScrollBarControl, APositionBeyondTheEndStoresTheLastReachablePosition)
{
    EXPECT_EQ(90, SetInfo(0, 99, 10, 500));
    EXPECT_EQ(90, Info().nPos);
    EXPECT_EQ(0, SetInfo(0, 99, 10, -5));
}

TEST_F(ScrollBarControl, ARangeNotStartingAtZeroClampsToItsOwnEnd)
{
    EXPECT_EQ(100, SetInfo(10, 109, 10, 500));
    EXPECT_EQ(10, SetInfo(10, 109, 10, 0));
    // Position 100 is the end: the thumb touches the lower arrow.
    SetInfo(10, 109, 10, 100);
    EXPECT_EQ(kTrack - 10, skin->GetThumbOffset());
}

TEST_F(ScrollBarControl, APageLargerThanTheRangeIsCutToTheRange)
{
    SetInfo(0, 9, 50, 0);
    EXPECT_EQ(10u, Info().nPage);
    EXPECT_EQ(0, skin->GetThumbLength());
}

TEST_F(ScrollBarControl, AnEmptyRangeShowsNoThumbAndSurvivesPressesAndDrags)
{
    SetInfo(5, 3, 0, 0);
    EXPECT_EQ(0, skin->GetThumbLength());
    SetInfo(5, 4, 0, 0);
    EXPECT_EQ(0, skin->GetThumbLength());
    owner.follow = false;
    const POINT thumb{kX, kArrow + skin->GetThumbOffset() + 1};
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(thumb.x, thumb.y));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(thumb.x, thumb.y + 40));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(thumb.x, thumb.y + 40));
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, kLength - 3));
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kDelayTimer, 0);
    SendMessageW(bar, WM_LBUTTONUP, 0, At(kX, kLength - 3));
    Repaint();
    EXPECT_TRUE(IsWindow(bar));
}

TEST_F(ScrollBarControl, PositionMessagesAreAnsweredFromTheControlsOwnState)
{
    EXPECT_EQ(0, SendMessageW(bar, SBM_SETPOS, 30, TRUE));
    EXPECT_EQ(30, SendMessageW(bar, SBM_GETPOS, 0, 0));
    EXPECT_EQ(30, GetScrollPos(bar, SB_CTL));
    EXPECT_EQ(30, SendMessageW(bar, SBM_SETRANGE, 0, 29));
    int lo = -1, hi = -1;
    SendMessageW(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(0, lo);
    EXPECT_EQ(29, hi);
    // The shorter range moved the position into it.
    EXPECT_EQ(20, SendMessageW(bar, SBM_GETPOS, 0, 0));

    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 7, 0};
    EXPECT_EQ(7, SetScrollInfo(bar, SB_CTL, &si, TRUE));
    SCROLLINFO back{sizeof(back), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &back));
    EXPECT_EQ(7, back.nPos);
    EXPECT_EQ(29, back.nMax);
    EXPECT_EQ(-1, back.nTrackPos);
}

TEST_F(ScrollBarControl, AHeldDownArrowScrollsAtOnceThenOnEachTimerUntilTheEnd)
{
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, kLength - 3));
    EXPECT_EQ(std::vector<int>{SB_LINEDOWN}, Codes());
    EXPECT_EQ(bar, GetCapture());
    EXPECT_EQ(1, skin->GetPressedPart());

    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kDelayTimer, 0);
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kRepeatTimer, 0);
    EXPECT_EQ((std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}), Codes());
    EXPECT_EQ(3, Info().nPos);

    SetInfo(0, 99, 10, 90);
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kRepeatTimer, 0);
    EXPECT_EQ(3u, owner.notes.size());

    SendMessageW(bar, WM_LBUTTONUP, 0, At(kX, kLength - 3));
    EXPECT_NE(bar, GetCapture());
    EXPECT_EQ(-1, skin->GetPressedPart());
    EXPECT_FALSE(KillTimer(bar, uiSkinScrollBar::kRepeatTimer));
}

TEST_F(ScrollBarControl, AHeldUpArrowRepeatsByItselfAndStopsWhenReleased)
{
    SetInfo(0, 99, 10, 50);
    owner.notes.clear();
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, 3));
    ASSERT_TRUE(ScrollTestWindow::PumpUntil([&] { return owner.notes.size() >= 4; }));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(kX, 3));
    const size_t sent = owner.notes.size();
    for (const ScrollNote& n : owner.notes)
        EXPECT_EQ(SB_LINEUP, n.code);
    EXPECT_FALSE(KillTimer(bar, uiSkinScrollBar::kRepeatTimer));
    EXPECT_FALSE(KillTimer(bar, uiSkinScrollBar::kDelayTimer));
    ScrollTestWindow::PumpPending();
    EXPECT_EQ(sent, owner.notes.size());
}

TEST_F(ScrollBarControl, AHeldPageAreaStopsRepeatingWhenTheThumbReachesTheCursor)
{
    // Each page moves the thumb 10 pixels; the cursor stands where the third page puts it.
    POINT press{kX, kArrow + 35};
    POINT screen = press;
    ClientToScreen(bar, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(press.x, press.y));
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kDelayTimer, 0);
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kRepeatTimer, 0);
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kRepeatTimer, 0);
    EXPECT_EQ((std::vector<int>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN}), Codes());
    EXPECT_EQ(30, Info().nPos);
    EXPECT_FALSE(KillTimer(bar, uiSkinScrollBar::kRepeatTimer));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(press.x, press.y));
}

TEST_F(ScrollBarControl, DraggingTheThumbTracksAndTheReleaseReportsTheLastPositionWithoutEndScroll)
{
    const int y = kArrow + 5;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, y));
    EXPECT_TRUE(skin->IsDragging());
    EXPECT_TRUE(owner.notes.empty());

    // 90 positions over a free length of 90 pixels: one position per pixel.
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, y + 45));
    ASSERT_EQ(1u, owner.notes.size());
    EXPECT_EQ(SB_THUMBTRACK, owner.notes[0].code);
    EXPECT_EQ(45, owner.notes[0].pos);
    EXPECT_EQ(bar, owner.notes[0].from);
    EXPECT_EQ(45, Info().nTrackPos);

    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, y + 400));
    EXPECT_EQ(90, owner.notes.back().pos);
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, y + 401));
    EXPECT_EQ(2u, owner.notes.size());

    SendMessageW(bar, WM_LBUTTONUP, 0, At(kX, y + 401));
    EXPECT_EQ((std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION}), Codes());
    EXPECT_EQ(90, owner.notes.back().pos);
    EXPECT_EQ(-1, Info().nTrackPos);
    EXPECT_EQ(90, Info().nPos);
    EXPECT_EQ(kTrack - 10, skin->GetThumbOffset());
}

TEST_F(ScrollBarControl, AHeldArrowLetsGoWhenAnotherWindowTakesTheMouse)
{
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, kLength - 3));
    ASSERT_EQ(bar, GetCapture());
    SetCapture(owner.hwnd());
    EXPECT_EQ(-1, skin->GetPressedPart());
    EXPECT_FALSE(KillTimer(bar, uiSkinScrollBar::kDelayTimer));
    SendMessageW(bar, WM_TIMER, uiSkinScrollBar::kRepeatTimer, 0);
    EXPECT_EQ(std::vector<int>{SB_LINEDOWN}, Codes());
    ReleaseCapture();
}

TEST_F(ScrollBarControl, ADragEndsAtItsLastPositionWhenAnotherWindowTakesTheMouse)
{
    const int y = kArrow + 5;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, y));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, y + 20));
    SetCapture(owner.hwnd());
    EXPECT_FALSE(skin->IsDragging());
    EXPECT_EQ((std::vector<int>{SB_THUMBTRACK, SB_THUMBPOSITION}), Codes());
    EXPECT_EQ(20, owner.notes.back().pos);
    EXPECT_EQ(-1, Info().nTrackPos);
    // Moves with no button held only light the parts up.
    SendMessageW(bar, WM_MOUSEMOVE, 0, At(kX, y + 60));
    EXPECT_EQ(2u, owner.notes.size());
    ReleaseCapture();
}

TEST_F(ScrollBarControl, ADoubleClickDoesNothing)
{
    EXPECT_EQ(1, SendMessageW(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, At(kX, kLength - 3)));
    EXPECT_TRUE(owner.notes.empty());
    EXPECT_NE(bar, GetCapture());
}

TEST_F(ScrollBarControl, ThePaintShowsArrowsTrackAndThumbFromTheGridsNormalCells)
{
    SetInfo(0, 99, 10, 40);
    Repaint();
    auto shot = WindowPixels(bar);
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kNormal), shot->Pixel(kX, 2));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), shot->Pixel(kX, kLength - 2));
    EXPECT_EQ(grid::Cell(grid::kVertTrack, grid::kNormal), shot->Pixel(kX, kArrow + 10));
    // Thumb at 40 × 90 / 90 = 40 pixels into the track, 10 long, caps of 3.
    const int top = kArrow + 40;
    EXPECT_EQ(grid::Cell(grid::kVertTrack, grid::kNormal), shot->Pixel(kX, top - 1));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kLeadingCap), shot->Pixel(kX, top));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kMiddle), shot->Pixel(kX, top + 5));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kTrailingCap), shot->Pixel(kX, top + 9));
    EXPECT_EQ(grid::Cell(grid::kVertTrack, grid::kNormal), shot->Pixel(kX, top + 10));
}

TEST_F(ScrollBarControl, ALongThumbCarriesTheGripperInItsMiddle)
{
    SetInfo(0, 99, 50, 0);
    Repaint();
    auto shot = WindowPixels(bar);
    // Thumb 50 long: middle 44, gripper 12 high from 12 + 3 + 22 - 6.
    const int gripper = kArrow + 3 + 22 - 6;
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kMiddle), shot->Pixel(kX, gripper - 1));
    EXPECT_EQ(grid::Cell(grid::kVertGripper, grid::kNormal), shot->Pixel(kX, gripper));
    EXPECT_EQ(grid::Cell(grid::kVertGripper, grid::kNormal), shot->Pixel(kX, gripper + 11));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kMiddle), shot->Pixel(kX, gripper + 12));
}

TEST_F(ScrollBarControl, HoverLightsArrowsAndThumbAndAPressShowsThePressedArrow)
{
    Repaint();
    owner.follow = false;
    SendMessageW(bar, WM_MOUSEMOVE, 0, At(kX, kArrow + 5));
    EXPECT_EQ(5, skin->GetHotPart());
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kMiddle), Shown(kX, kArrow + 5));

    SendMessageW(bar, WM_MOUSEMOVE, 0, At(kX, kLength - 3));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kMiddle), Shown(kX, kArrow + 5));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kHot), Shown(kX, kLength - 3));

    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kX, kLength - 3));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kPressed), Shown(kX, kLength - 3));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, kArrow + 50));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), Shown(kX, kLength - 3));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, At(kX, kLength - 3));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kPressed), Shown(kX, kLength - 3));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(kX, kLength - 3));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), Shown(kX, kLength - 3));

    SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, skin->GetHotPart());
}

// Without the grid's cells the image can give nothing: the bar is drawn in the custom bars' built-in
// look, flat with hot tracking as the skinned scroll windows' bars are.
TEST_F(ScrollBarControl, AStyleWithAnImageButNoGridCellsPaintsTheBuiltInLook)
{
    DestroyWindow(bar);
    constexpr int kCell = 18;  // the cells' size when the style gives none
    Create(SBS_VERT, 40, 2 * kCell + kTrack, L"scrollbar.noinfo");
    ASSERT_EQ(kCell, WindowSize(bar).cx);
    SetInfo(0, 99, 10, 40);
    Repaint();
    auto shot = WindowPixels(bar);
    // Thumb at 40 × 90 / 90 = 40 pixels into the track, 10 long.
    const int x = kCell / 2;
    const int top = kCell + 40;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), shot->Pixel(x, top + 5));
    const COLORREF track = shot->Pixel(x, kCell + 10);
    EXPECT_TRUE(track == GetSysColor(COLOR_SCROLLBAR) || track == GetSysColor(COLOR_3DHILIGHT) ||
                track == GetSysColor(COLOR_3DFACE))
        << std::hex << track;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), shot->Pixel(2, 2));

    owner.follow = false;
    SendMessageW(bar, WM_MOUSEMOVE, 0, At(x, top + 5));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), Shown(x, top + 5));
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(x, 2));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), Shown(2, 2));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(x, 2));
}

TEST_F(ScrollBarControl, AHorizontalBarUsesTheHorizontalRowsAndNotifiesWithHScroll)
{
    DestroyWindow(bar);
    constexpr int kHorzLength = 2 * grid::kCellWidth + kTrack;
    Create(SBS_HORZ, kHorzLength, 40);
    SIZE size = WindowSize(bar);
    EXPECT_EQ(kHorzLength, size.cx);
    EXPECT_EQ(grid::kCellWidth, size.cy);
    EXPECT_EQ(kTrack, skin->GetTrackLength());

    Repaint();
    auto shot = WindowPixels(bar);
    const int y = grid::kCellWidth / 2;
    EXPECT_EQ(grid::Cell(grid::kLeftArrow, grid::kNormal), shot->Pixel(2, y));
    EXPECT_EQ(grid::Cell(grid::kRightArrow, grid::kNormal), shot->Pixel(kHorzLength - 2, y));
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kNormal, grid::kLeadingCap), shot->Pixel(grid::kCellWidth, y));
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kNormal, grid::kTrailingCap),
              shot->Pixel(grid::kCellWidth + 9, y));
    EXPECT_EQ(grid::Cell(grid::kHorzTrack, grid::kNormal), shot->Pixel(grid::kCellWidth + 50, y));

    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(kHorzLength - 3, y));
    SendMessageW(bar, WM_LBUTTONUP, 0, At(kHorzLength - 3, y));
    ASSERT_EQ(1u, owner.notes.size());
    EXPECT_EQ(static_cast<UINT>(WM_HSCROLL), owner.notes[0].msg);
    EXPECT_EQ(SB_LINEDOWN, owner.notes[0].code);
}

}  // namespace
