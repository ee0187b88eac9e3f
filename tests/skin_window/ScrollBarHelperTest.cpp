// The scroll-bar helper: each custom-draw notification paints the grid cell of its part and state,
// the thumb with its caps and gripper, and the adjustments that list controls make to their bars.
#include <gtest/gtest.h>

#include "ScrollGridOracle.h"
#include "ScrollWndTestSupport.h"
#include "uiCustomScrollBar.h"
#include "uiScrollBarHelper.h"
#include "uiScrollHooks.h"

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);

class HelperPainting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadScrollTestSkin()); }
    void SetUp() override
    {
        ASSERT_TRUE(helper.Attach(window.hwnd()));
        Clear();
    }
    void TearDown() override { helper.Detach(); }
    void Clear()
    {
        RECT all{0, 0, 200, 200};
        HBRUSH brush = CreateSolidBrush(kUntouched);
        FillRect(canvas.dc(), &all, brush);
        DeleteObject(brush);
    }
    LRESULT Notify(UINT stage, UINT bar, UINT item, UINT state, const RECT& rect)
    {
        CustomSBDrawInfo info{};
        info.hdr.hwndFrom = window.hwnd();
        info.hdr.code = kCsbCustomDrawCode;
        info.drawStage = stage;
        info.hdc = canvas.dc();
        info.rect = rect;
        info.item = item;
        info.itemState = state;
        info.bar = bar;
        return helper.OnMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    }
    LRESULT Part(UINT bar, UINT item, UINT state, const RECT& rect)
    {
        return Notify(kCsbStagePart, bar, item, state, rect);
    }
    COLORREF At(int x, int y) const { return canvas.Pixel(x, y); }

    ScrollTestWindow window{100, 100, 200, 200};
    uiScrollBarHelper helper;
    DibCanvas canvas{200, 200};
};

TEST_F(HelperPainting, ThePrePaintStageSkipsTheBuiltInLookAndPaintsNothing)
{
    EXPECT_EQ(kCsbSkipDefault, Notify(kCsbStagePrePaint, SB_VERT, 0, 0, RECT{0, 0, 50, 50}));
    EXPECT_EQ(kUntouched, At(10, 10));
}

TEST_F(HelperPainting, ArrowsOfAVerticalBarTakeTheColumnOfTheirState)
{
    const RECT up{0, 0, 16, 12};
    EXPECT_EQ(kCsbSkipDefault, Part(SB_VERT, kCsbPartFirstArrow, kCsbStateNormal, up));
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kNormal), At(8, 6));
    Part(SB_VERT, kCsbPartFirstArrow, kCsbStateHot, up);
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kHot), At(8, 6));
    Part(SB_VERT, kCsbPartFirstArrow, kCsbStatePressed, up);
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kPressed), At(8, 6));
    Part(SB_VERT, kCsbPartFirstArrow, kCsbStateDisabled, up);
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kDisabled), At(8, 6));
    Part(SB_VERT, kCsbPartFirstArrow, 2, up);
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kDisabled), At(8, 6));

    Part(SB_VERT, kCsbPartSecondArrow, kCsbStateNormal, RECT{0, 50, 16, 62});
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), At(8, 56));
    EXPECT_EQ(kUntouched, At(8, 62));
}

TEST_F(HelperPainting, AHorizontalBarUsesTheHorizontalRowsAndState2IsNormalThere)
{
    Part(SB_HORZ, kCsbPartFirstArrow, 2, RECT{0, 0, 12, 16});
    EXPECT_EQ(grid::Cell(grid::kLeftArrow, grid::kNormal), At(6, 8));
    Part(SB_HORZ, kCsbPartSecondArrow, kCsbStateHot, RECT{40, 0, 52, 16});
    EXPECT_EQ(grid::Cell(grid::kRightArrow, grid::kHot), At(46, 8));
    Part(SB_HORZ, kCsbPartPageAfter, kCsbStatePressed, RECT{12, 0, 40, 16});
    EXPECT_EQ(grid::Cell(grid::kHorzTrack, grid::kPressed), At(30, 8));
}

TEST_F(HelperPainting, AVerticalThumbHasUnstretchedCapsAndTheGripperCentred)
{
    EXPECT_EQ(kCsbSkipDefault, Part(SB_VERT, kCsbPartThumb, kCsbStateHot, RECT{0, 20, 16, 80}));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kLeadingCap), At(8, 20));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kLeadingCap), At(8, 22));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kMiddle), At(8, 23));
    // Middle 54 long: the 12-pixel gripper starts at 20 + 3 + 27 - 6.
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kMiddle), At(8, 43));
    EXPECT_EQ(grid::Cell(grid::kVertGripper, grid::kHot), At(8, 44));
    EXPECT_EQ(grid::Cell(grid::kVertGripper, grid::kHot), At(8, 55));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kMiddle), At(8, 56));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kTrailingCap), At(8, 77));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kHot, grid::kTrailingCap), At(8, 79));
    EXPECT_EQ(kUntouched, At(8, 80));
}

TEST_F(HelperPainting, AThumbWhoseMiddleIsNoLongerThanTheGripperShowsNone)
{
    // 18 long: a middle of 12, the gripper's own height.
    Part(SB_VERT, kCsbPartThumb, kCsbStateNormal, RECT{0, 0, 16, 18});
    for (int y = 3; y < 15; ++y)
        EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kMiddle), At(8, y)) << y;
}

TEST_F(HelperPainting, AHorizontalThumbRunsItsCapsAndGripperAlongX)
{
    Part(SB_HORZ, kCsbPartThumb, kCsbStatePressed, RECT{10, 0, 70, 16});
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kPressed, grid::kLeadingCap), At(12, 8));
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kPressed, grid::kMiddle), At(13, 8));
    // Middle 54 long: the 16-pixel gripper starts at 10 + 3 + 27 - 8.
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kPressed, grid::kMiddle), At(31, 8));
    EXPECT_EQ(grid::Cell(grid::kHorzGripper, grid::kPressed), At(32, 8));
    EXPECT_EQ(grid::Cell(grid::kHorzGripper, grid::kPressed), At(47, 8));
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kPressed, grid::kMiddle), At(48, 8));
    EXPECT_EQ(grid::Cell(grid::kHorzThumb, grid::kPressed, grid::kTrailingCap), At(67, 8));
}

TEST_F(HelperPainting, TheSizeBoxIsTheSizeGripCellAndAnswersZero)
{
    EXPECT_EQ(0, Part(kCsbBarSizeBox, kCsbItemSizeBox, kCsbStateNormal, RECT{0, 0, 16, 16}));
    EXPECT_EQ(grid::Cell(grid::kSizeGrip, grid::kNormal), At(8, 8));
}

TEST_F(HelperPainting, WithoutAGridImageTheBarsAreLaidOutButNothingIsPainted)
{
    helper.Detach();
    ASSERT_TRUE(helper.LoadStyle(L"scrollbar.noimage"));
    ASSERT_TRUE(helper.Attach(window.hwnd()));
    EXPECT_EQ(kCsbSkipDefault, Part(SB_VERT, kCsbPartFirstArrow, kCsbStateNormal, RECT{0, 0, 16, 12}));
    EXPECT_EQ(kCsbSkipDefault, Part(SB_VERT, kCsbPartThumb, kCsbStateNormal, RECT{0, 20, 16, 80}));
    EXPECT_EQ(kUntouched, At(8, 6));
    EXPECT_EQ(kUntouched, At(8, 50));
}

// The adjustments read the bar through USER32 GetScrollInfo: here the system's own state, as it is
// while no skin has redirected those functions.
class HelperAdjustments : public HelperPainting {
protected:
    void SetSystemRange(int hi, UINT page)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, hi, page, 0, 0};
        uiSysSetScrollInfo(window.hwnd(), SB_VERT, &si, FALSE);
    }
    void SetCustomRange(int hi, UINT page)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, hi, page, 0, 0};
        uiCsbSetScrollInfo(window.hwnd(), SB_VERT, &si, TRUE);
    }
    int CustomMax() const
    {
        int lo = -1, hi = -1;
        uiCsbGetScrollRange(window.hwnd(), SB_VERT, &lo, &hi);
        return hi;
    }
};

TEST_F(HelperAdjustments, ARangeOf0To100WithoutAPageCountsAsEmptyAndHidesTheBar)
{
    SetCustomRange(99, 10);
    ASSERT_TRUE(uiCsbIsBarVisible(window.hwnd(), SB_VERT));
    SetSystemRange(100, 0);
    helper.HideEmptyBar(SB_VERT);
    EXPECT_FALSE(uiCsbIsBarVisible(window.hwnd(), SB_VERT));
    EXPECT_TRUE(helper.IsVerticalHidden());
    EXPECT_FALSE(helper.IsHorizontalHidden());

    // Content arrives: the mark goes, the bar stays hidden.
    SetSystemRange(50, 10);
    helper.HideEmptyBar(SB_VERT);
    EXPECT_FALSE(helper.IsVerticalHidden());
    EXPECT_FALSE(uiCsbIsBarVisible(window.hwnd(), SB_VERT));
}

TEST_F(HelperAdjustments, FixEmptyRangeWritesOnlyAnEmptyRangeAndSyncWritesAny)
{
    SetCustomRange(99, 10);
    SetSystemRange(50, 10);
    helper.FixEmptyRange(SB_VERT);
    EXPECT_EQ(99, CustomMax());
    SetSystemRange(100, 0);
    helper.FixEmptyRange(SB_VERT);
    EXPECT_EQ(0, CustomMax());
    SetSystemRange(70, 5);
    helper.SyncScrollInfo(SB_VERT);
    EXPECT_EQ(70, CustomMax());
}

TEST(HelperWithoutStyle, AttachFailsAndLeavesTheWindowPlain)
{
    ASSERT_TRUE(LoadScrollTestSkin());
    ScrollTestWindow window{100, 100, 100, 100};
    uiScrollBarHelper helper;
    EXPECT_FALSE(helper.LoadStyle(L"no.such.scrollbar"));
    EXPECT_FALSE(helper.Attach(window.hwnd()));
    EXPECT_FALSE(helper.IsAttached());
    EXPECT_EQ(nullptr, helper.GetHwnd());
    EXPECT_FALSE(uiCsbIsEnabled(window.hwnd()));
}

}  // namespace
