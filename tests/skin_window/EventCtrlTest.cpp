// The event control through real mouse messages: entering and leaving items, the pressed item's
// capture loop and its click, double clicks, tooltips, hover looks, and a window destroyed or a style
// reloaded while an item is held.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <functional>

#include "AddressReuse.h"
#include "ControlTestSupport.h"
#include "uiDisplayEventItem.h"
#include "uiHandleMap.h"
#include "uiSkinAdmin.h"
#include "uiSkinControl.h"

namespace {

const int kStatic = 106;
const int kGeneric = 125;
// The two items of the style "events": left at 10..50, right at 50..90, both 10..40 high.
const POINT kInLeft = {20, 20}, kInRight = {70, 20}, kOutside = {150, 80};
const COLORREF kNormalLook = RGB(0, 255, 0), kOverLook = RGB(255, 255, 0);

class EventCtrl : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"));
    }
    void SetUp() override
    {
        ParkCursor();
        Notices().clear();
        control = SkinControl(child, L"events", kStatic);
        ASSERT_NE(control, nullptr);
        PaintNow(parent);
    }
    void Post(UINT msg, POINT point, WPARAM keys = 0) { PostMouse(child, msg, point.x, point.y, keys); }
    std::vector<int> NoticeTypes() const
    {
        std::vector<int> types;
        for (const Notice& notice : Notices())
            types.push_back(notice.type);
        return types;
    }

    HostWindow parent{Stage(), 0, 0, 300, 200};
    HostWindow child{parent, 20, 20, 200, 100};
    uiSkinControl* control = nullptr;
};

TEST_F(EventCtrl, MovingOntoTheNextItemLeavesTheFirstBeforeEnteringTheSecond)
{
    Post(WM_MOUSEMOVE, kInLeft);
    Post(WM_MOUSEMOVE, kInRight);
    PumpPending();

    ASSERT_EQ(NoticeTypes(), (std::vector<int>{9, 8, 9}));
    EXPECT_EQ(Notices()[0].name, L"left");
    EXPECT_EQ(Notices()[1].name, L"left");
    EXPECT_EQ(Notices()[2].name, L"right");
    for (const Notice& notice : Notices()) {
        EXPECT_EQ(notice.receiver, static_cast<HWND>(parent));
        EXPECT_EQ(notice.control, static_cast<HWND>(child));
        EXPECT_EQ(notice.index, -1);
    }
    EXPECT_EQ(Notices()[2].x, kInRight.x);
    EXPECT_EQ(Notices()[2].y, kInRight.y);
}

TEST_F(EventCtrl, ReleasingOverThePressedItemClicksIt)
{
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    Post(WM_LBUTTONUP, {kInLeft.x + 2, kInLeft.y});
    PumpPending();

    ASSERT_EQ(NoticeTypes(), (std::vector<int>{1}));
    EXPECT_EQ(Notices()[0].name, L"left");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EventCtrl, DraggingOffAndReleasingOutsideGivesNoClick)
{
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    Post(WM_MOUSEMOVE, kOutside, MK_LBUTTON);
    Post(WM_LBUTTONUP, kOutside);
    PumpPending();

    // The drag off the item is its leave; the release outside clicks nothing.
    EXPECT_EQ(NoticeTypes(), (std::vector<int>{8}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(control->GetCurrentItem()->GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
}

TEST_F(EventCtrl, DraggingBackOntoTheItemBeforeReleasingStillClicks)
{
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    Post(WM_MOUSEMOVE, kOutside, MK_LBUTTON);
    Post(WM_MOUSEMOVE, kInLeft, MK_LBUTTON);
    Post(WM_LBUTTONUP, kInLeft);
    PumpPending();

    EXPECT_EQ(NoticeTypes(), (std::vector<int>{8, 1}));
}

// A window that holds the mouse already (as after its own SetCapture) still runs the loop, and the
// capture that it did not take in the loop stays with it.
TEST_F(EventCtrl, AWindowHoldingTheCaptureAlreadyStillGetsTheReleaseAndTheClick)
{
    SetCapture(child);
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    Post(WM_LBUTTONUP, kInLeft);
    PumpPending();
    const HWND holder = GetCapture();
    ReleaseCapture();

    ASSERT_EQ(NoticeTypes(), (std::vector<int>{1}));
    EXPECT_EQ(Notices()[0].name, L"left");
    // The release put the pressed look back.
    EXPECT_EQ(control->GetCurrentItem()->GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
    EXPECT_EQ(holder, static_cast<HWND>(child));
}

// A style reloaded while an item is held frees the item with the old copy, and an item of the new copy
// may take its memory: that item was never pressed and gets neither the release nor the click.
TEST_F(EventCtrl, ANewItemAtTheHeldItemsAddressAfterAStyleReloadGetsNoReleaseOrClick)
{
    uiDisplayEventItem* const held = control->HitTestItem(kInLeft);
    ASSERT_NE(held, nullptr);
    uiDisplayEventItem* successor = nullptr;
    const std::function<void()> reload = [&] {
        AddressReuse reuse(held, sizeof(uiDisplayEventItem));
        control->ReloadStyle();
        successor = control->HitTestItem(kInLeft);
    };
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    // Served by the loop's own dispatch while the item is held.
    PostMessageW(parent, kRunTask, reinterpret_cast<WPARAM>(&reload), 0);
    Post(WM_LBUTTONUP, kInLeft);
    PumpPending();

    ASSERT_EQ(successor, held);
    EXPECT_TRUE(Notices().empty());
    EXPECT_EQ(successor->GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EventCtrl, APressBesideTheItemsIsLeftToTheWindow)
{
    EXPECT_EQ(SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kOutside.x, kOutside.y)), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Notices().empty());
}

TEST_F(EventCtrl, ADoubleClickOnAnItemIsNotifiedAndConsumed)
{
    EXPECT_EQ(SendMessageW(child, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(kInRight.x, kInRight.y)), 1);
    ASSERT_EQ(NoticeTypes(), (std::vector<int>{6}));
    EXPECT_EQ(Notices()[0].name, L"right");
}

TEST_F(EventCtrl, EnteringAnItemShowsItsTooltipAndItsHoverLook)
{
    EXPECT_EQ(WindowPixel(child, kInLeft.x, kInLeft.y), kNormalLook);
    Post(WM_MOUSEMOVE, kInLeft);
    PumpPending();
    PaintNow(child);

    EXPECT_EQ(WindowPixel(child, kInLeft.x, kInLeft.y), kOverLook);
    // The other item keeps its own look.
    EXPECT_EQ(WindowPixel(child, kInRight.x, kInRight.y), kNormalLook);
    HWND tooltip = control->GetToolTipWindow();
    ASSERT_NE(tooltip, nullptr);
    wchar_t text[64] = {};
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = child;
    info.uId = reinterpret_cast<UINT_PTR>(static_cast<HWND>(child));
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"left tip");

    Post(WM_MOUSEMOVE, kOutside);
    PumpPending();
    PaintNow(child);
    EXPECT_EQ(WindowPixel(child, kInLeft.x, kInLeft.y), kNormalLook);
}

TEST_F(EventCtrl, AGenericControlLeavesItsItemsAlone)
{
    HostWindow other(parent, 0, 130, 200, 60);
    ASSERT_NE(SkinControl(other, L"events", kGeneric), nullptr);
    PostMouse(other, WM_MOUSEMOVE, kInLeft.x, kInLeft.y);
    PostMouse(other, WM_LBUTTONDOWN, kInLeft.x, kInLeft.y, MK_LBUTTON);
    PostMouse(other, WM_LBUTTONUP, kInLeft.x, kInLeft.y);
    PumpPending();

    EXPECT_TRUE(Notices().empty());
}

// A loop that lost the capture to someone else leaves the next message in the queue for the window.
TEST_F(EventCtrl, AMoveAfterTheCaptureIsTakenAwayStillReachesTheWindow)
{
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    // The window's default handling lets the capture go.
    PostMessageW(child, WM_CANCELMODE, 0, 0);
    Post(WM_MOUSEMOVE, kInRight);
    PumpPending();

    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(NoticeTypes(), (std::vector<int>{8, 9}));
    EXPECT_EQ(Notices()[0].name, L"left");
    EXPECT_EQ(Notices()[1].name, L"right");
}

// A window destroyed while its item is held ends the capture loop; the skin object goes only once
// the loop has returned, and nothing is notified afterwards.
TEST_F(EventCtrl, AWindowDestroyedWhileAnItemIsHeldEndsTheLoopSafely)
{
    HWND window = child;
    Post(WM_LBUTTONDOWN, kInLeft, MK_LBUTTON);
    // Served by the loop's own dispatch while the item is held.
    PostMessageW(parent, kDestroyWindow, reinterpret_cast<WPARAM>(window), 0);
    Post(WM_LBUTTONUP, kInLeft);
    PumpPending();

    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(uiGetHandleMap()->Find(window), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Notices().empty());
}

}  // namespace
