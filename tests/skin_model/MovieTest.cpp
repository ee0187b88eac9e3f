// The frame animation player, driven by sending it the timer window's tick and the mouse messages
// directly; invalidation is read from the window's update region.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "uiDisplayAnimateItem.h"
#include "uiDisplayImage.h"
#include "uiImage.h"
#include "uiMovie.h"
#include "uiTimerWindow.h"

namespace {

uiDisplayAnimateItem* Animation(int frames, int interval, int trigger = UI_TRIGGER_NONE, int index = 0)
{
    auto* item = new uiDisplayAnimateItem;
    item->m_frameCount = frames;
    item->m_interval = interval;
    item->m_startAction = trigger;
    item->m_index = index;
    return item;
}

class Player : public testing::Test {
protected:
    // One visible window for the suite: only a visible window keeps an update region, and destroying
    // one is slow under Wine.
    static void SetUpTestSuite()
    {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(window);
        window = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(window, nullptr);
        ValidateRect(window, nullptr);
    }
    void TearDown() override { movie.StopTimer(); }
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(movie.OnMessage(UI_MSG_TIMER_TICK, 0, 0), 1);
    }
    // Whether the window was invalidated since the last call.
    bool TakeInvalidated()
    {
        RECT rect;
        const bool invalid = GetUpdateRect(window, &rect, FALSE) != FALSE;
        ValidateRect(window, nullptr);
        return invalid;
    }
    bool IsRegistered()
    {
        // The timer window refuses a second registration of the same window.
        if (uiGetTimerWindow().AddWindow(window)) {
            uiGetTimerWindow().RemoveWindow(window);
            return false;
        }
        return true;
    }
    static HWND window;
    uiDisplayList list;
    uiMovie movie;
};

HWND Player::window = nullptr;

} // namespace

TEST_F(Player, IntervalOf120AdvancesEveryThirdTick)
{
    list.Append(Animation(5, 120));
    ASSERT_EQ(movie.Attach(window, &list), 1);
    EXPECT_TRUE(IsRegistered());
    Tick(2);
    EXPECT_EQ(movie.GetFrameIndex(), 0);
    EXPECT_FALSE(TakeInvalidated());
    Tick();
    EXPECT_EQ(movie.GetFrameIndex(), 1);
    EXPECT_TRUE(TakeInvalidated());
    Tick(3);
    EXPECT_EQ(movie.GetFrameIndex(), 2);
}

TEST_F(Player, IntervalAtOrBelowOneTickAdvancesEveryTick)
{
    for (int interval : {50, 20}) {
        uiDisplayList own;
        own.Append(Animation(3, interval));
        uiMovie player;
        player.Attach(window, &own);
        for (int expected : {1, 2, 0, 1}) {
            player.OnMessage(UI_MSG_TIMER_TICK, 0, 0);
            EXPECT_EQ(player.GetFrameIndex(), expected) << interval;
        }
        player.StopTimer();
    }
}

TEST_F(Player, WithoutRepeatItHaltsOnTheLastFrameUntilItsTriggerComesAgain)
{
    uiDisplayAnimateItem* item = Animation(3, 50, UI_TRIGGER_MOUSE_ENTER);
    item->m_cycle = FALSE;
    list.Append(item);
    movie.Attach(window, &list);
    EXPECT_EQ(movie.GetCurrentItem(), nullptr);
    EXPECT_EQ(movie.OnMessage(UI_MSG_MOUSE_ENTER, 0, 0), 1);
    EXPECT_EQ(movie.GetCurrentItem(), item);
    Tick(2);
    EXPECT_EQ(movie.GetFrameIndex(), 2);
    TakeInvalidated();
    Tick(5);
    EXPECT_EQ(movie.GetFrameIndex(), 2);
    EXPECT_FALSE(TakeInvalidated());
    EXPECT_TRUE(IsRegistered());
    movie.OnMessage(UI_MSG_MOUSE_ENTER, 0, 0);
    EXPECT_EQ(movie.GetFrameIndex(), 0);
    Tick();
    EXPECT_EQ(movie.GetFrameIndex(), 1);
}

TEST_F(Player, ZeroFramesWithRepeatStayOnFrameZeroAndStillInvalidate)
{
    list.Append(Animation(0, 50));
    movie.Attach(window, &list);
    Tick();
    EXPECT_EQ(movie.GetFrameIndex(), 0);
    EXPECT_TRUE(TakeInvalidated());
}

TEST_F(Player, FreeRunningItemIgnoresTheMouse)
{
    uiDisplayAnimateItem* free = Animation(4, 50);
    list.Append(free);
    list.Append(Animation(4, 50, UI_TRIGGER_MOUSE_ENTER));
    list.Append(Animation(4, 50, UI_TRIGGER_MOUSE_LEAVE));
    movie.Attach(window, &list);
    Tick();
    EXPECT_EQ(movie.OnMessage(UI_MSG_MOUSE_ENTER, 0, 0), 1);
    EXPECT_EQ(movie.OnMessage(WM_MOUSELEAVE, 0, 0), 1);
    EXPECT_EQ(movie.GetCurrentItem(), free);
    EXPECT_EQ(movie.GetFrameIndex(), 1);
}

TEST_F(Player, MouseLeaveReplacesOneTriggeredItemByAnother)
{
    uiDisplayAnimateItem* enter = Animation(4, 50, UI_TRIGGER_MOUSE_ENTER);
    uiDisplayAnimateItem* leave = Animation(6, 200, UI_TRIGGER_MOUSE_LEAVE);
    leave->m_start = FALSE;
    list.Append(enter);
    list.Append(leave);
    movie.Attach(window, &list);
    movie.OnMessage(UI_MSG_MOUSE_ENTER, 0, 0);
    Tick();
    EXPECT_EQ(movie.GetFrameIndex(), 1);
    movie.OnMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(movie.GetCurrentItem(), leave);
    EXPECT_EQ(movie.GetFrameIndex(), 0);
    EXPECT_EQ(movie.GetFrameCount(), 6);
    EXPECT_EQ(movie.GetInterval(), 200);
    // Its "start" is off, yet a triggered item plays.
    EXPECT_TRUE(movie.IsRunning());
    EXPECT_TRUE(IsRegistered());
    // A trigger without an item of its own leaves none current.
    movie.OnMessage(UI_MSG_MOUSE_ENTER, 0, 0);
    movie.OnMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(movie.GetCurrentItem(), leave);
    movie.SelectByTrigger(3);
    EXPECT_EQ(movie.GetCurrentItem(), nullptr);
}

TEST_F(Player, ListWithoutAnimationsPaintsNothingButTicksStillInvalidate)
{
    EXPECT_EQ(movie.OnMessage(WM_PAINT, 0, 0), 0);
    uiDisplayList empty;
    movie.Attach(window, &empty);
    EXPECT_EQ(movie.GetCurrentItem(), nullptr);
    PixelCanvas canvas(4, 4, RGB(1, 2, 3));
    movie.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(1, 2, 3));
    Tick();
    EXPECT_FALSE(TakeInvalidated());
    Tick();
    EXPECT_TRUE(TakeInvalidated());
}

TEST_F(Player, ItemThatMustNotStartHoldsAndUnregisters)
{
    uiDisplayAnimateItem* item = Animation(4, 50);
    item->m_start = FALSE;
    list.Append(item);
    movie.Attach(window, &list);
    EXPECT_EQ(movie.GetCurrentItem(), item);
    EXPECT_FALSE(movie.IsRunning());
    EXPECT_FALSE(IsRegistered());
    Tick(4);
    EXPECT_EQ(movie.GetFrameIndex(), 0);
    movie.StartTimer();
    Tick();
    EXPECT_EQ(movie.GetFrameIndex(), 1);
    movie.Stop();
    EXPECT_FALSE(IsRegistered());
}

TEST_F(Player, SeveralFreeItemsLeaveTheLastCurrentAndUnsetIntervalKeepsThePrevious)
{
    list.Append(Animation(3, 250));
    uiDisplayAnimateItem* last = Animation(7, UI_UNSET);
    list.Append(last);
    movie.Attach(window, &list);
    EXPECT_EQ(movie.GetCurrentItem(), last);
    EXPECT_EQ(movie.GetFrameCount(), 7);
    EXPECT_EQ(movie.GetInterval(), 250);
}

TEST_F(Player, SelectStartsTheFirstItemOfAnIndexRangeOrDropsTheCurrent)
{
    uiDisplayAnimateItem* first = Animation(2, 50, UI_TRIGGER_MOUSE_ENTER, 3);
    uiDisplayAnimateItem* second = Animation(2, 50, UI_TRIGGER_MOUSE_ENTER, 5);
    list.Append(first);
    list.Append(second);
    movie.Attach(window, &list);
    movie.Select(4, 9, TRUE);
    EXPECT_EQ(movie.GetCurrentItem(), second);
    movie.Select(0, 4, FALSE);
    EXPECT_EQ(movie.GetCurrentItem(), second);
    movie.Select(5, 5, FALSE);
    EXPECT_EQ(movie.GetCurrentItem(), nullptr);
    movie.Select(0, 9, TRUE);
    EXPECT_EQ(movie.GetCurrentItem(), first);
}

TEST_F(Player, PaintDrawsTheCurrentFrameOfEveryFrameImage)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"draw/grid24.bmp")));
    uiDisplayAnimateItem* item = Animation(3, 50);
    auto* frame = new uiDisplayImage;
    frame->m_image = &image;
    item->m_frames.Append(frame);
    list.Append(item);
    movie.Attach(window, &list);
    EXPECT_EQ(image.GetFrameCount(), 3);
    movie.SetRect(RECT{0, 0, 9, 9});
    Tick();
    PixelCanvas canvas(9, 9);
    movie.Paint(canvas.GetDC());
    // Frame 1 of the grid cut into three strips: lime, cyan, black.
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(8, 4), RGB(0, 255, 255));
    EXPECT_EQ(canvas.Pixel(4, 8), RGB(0, 0, 0));
}

TEST_F(Player, UnsetFrameCountIsTakenFromTheImages)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"draw/grid24.bmp")));
    image.SetFrameCount(9);
    uiDisplayAnimateItem* item = Animation(UI_UNSET, 50);
    auto* frame = new uiDisplayImage;
    frame->m_image = &image;
    item->m_frames.Append(frame);
    list.Append(item);
    movie.Attach(window, &list);
    EXPECT_EQ(movie.GetFrameCount(), 9);
}
