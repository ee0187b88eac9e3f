// The skinned progress bar and animation control on real common controls: the percentage text, the
// step painted to the percentage (read back by pixel), animation frames advancing on ticks, and a
// control whose style is reloaded from another style or from none.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <string>

#include "ButtonTestSupport.h"
#include "uiDisplayEventList.h"
#include "uiEngineMessages.h"
#include "uiSkinAnimate.h"
#include "uiSkinControl.h"
#include "uiSkinProgress.h"
#include "uiStyle.h"
#include "uiTimerWindow.h"
#include "uiTransparentHelper.h"

namespace {

// Colours and pads of the test skin's "progress" style: leftpad 2, toppad 3.
const COLORREF kBarBackground = RGB(20, 20, 20);
const COLORREF kBarStep = RGB(240, 120, 0);
const COLORREF kFrameOne = RGB(255, 0, 0);
const COLORREF kFrameTwo = RGB(0, 0, 255);

std::wstring Text(HWND hwnd)
{
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    return text;
}

// A caller that points the object at another style of the skin and reloads it, as after a skin change.
template <class Skin>
class Reloading : public Skin {
public:
    void ReloadAs(const wchar_t* name)
    {
        this->m_styleName = name;
        this->ReloadStyle();
    }
};

class ProgressBar : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
        InitCommonControlsEx(&controls);
        LoadButtonSkin();
    }
    // A 204 x 16 bar: the inner rectangle runs from x 2 to 202, 200 pixels wide.
    uiSkinProgress* Make(DWORD style = 0, int width = 204, int height = 16, const wchar_t* skin = L"progress")
    {
        hwnd = host.AddChild(6001, style, 20, 20, width, height, PROGRESS_CLASSW);
        auto* bar = new uiSkinProgress;
        EXPECT_TRUE(SkinAs(bar, hwnd, 119, skin));
        return bar;
    }
    void Range(int low, int high, int pos)
    {
        SendMessageW(hwnd, PBM_SETRANGE32, low, high);
        SendMessageW(hwnd, PBM_SETPOS, pos, 0);
    }

    HostWindow host;
    HWND hwnd = nullptr;
};

TEST_F(ProgressBar, AtZeroPercentOnlyTheBackgroundIsPainted)
{
    Make();
    Range(0, 100, 0);
    EXPECT_EQ(L"0%", Text(hwnd));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 2, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 100, 8));
}

TEST_F(ProgressBar, AtFiftyPercentTheStepCoversHalfTheInnerWidth)
{
    Make();
    Range(0, 100, 50);
    EXPECT_EQ(L"50%", Text(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 2, 8));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 101, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 102, 8));
    // The pads stay background.
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 1, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 50, 2));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 50, 3));
}

TEST_F(ProgressBar, AtAHundredPercentTheStepFillsTheInnerRectangle)
{
    Make();
    Range(0, 100, 100);
    EXPECT_EQ(L"100%", Text(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 201, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 202, 8));
}

TEST_F(ProgressBar, TheStepFollowsTheShareOfTheRangeNotThePosition)
{
    Make();
    Range(0, 200, 50);
    EXPECT_EQ(L"25%", Text(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 51, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 52, 8));

    SendMessageW(hwnd, PBM_DELTAPOS, 50, 0);
    EXPECT_EQ(L"50%", Text(hwnd));
    SendMessageW(hwnd, PBM_SETSTEP, 20, 0);
    SendMessageW(hwnd, PBM_STEPIT, 0, 0);
    EXPECT_EQ(L"60%", Text(hwnd));
}

TEST_F(ProgressBar, ARangeStartingAboveZeroCountsFromItsLowEnd)
{
    Make();
    Range(100, 300, 150);
    EXPECT_EQ(L"25%", Text(hwnd));
}

// The system control never holds a reversed range or a position outside its range; a control that
// reports them stands in for one that does.
PBRANGE reportedRange = {0, 100};
int reportedPos = 0;

LRESULT CALLBACK ReportingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == PBM_GETRANGE) {
        if (lParam)
            *reinterpret_cast<PBRANGE*>(lParam) = reportedRange;
        return wParam ? reportedRange.iLow : reportedRange.iHigh;
    }
    if (msg == PBM_GETPOS)
        return reportedPos;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class ReportedRange : public ProgressBar {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ReportingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ReportingProgress";
        RegisterClassW(&windowClass);
    }
    uiSkinProgress* Report(int low, int high, int pos)
    {
        reportedRange = {low, high};
        reportedPos = pos;
        hwnd = host.AddChild(6002, 0, 20, 20, 204, 16, L"ReportingProgress");
        auto* bar = new uiSkinProgress;
        EXPECT_TRUE(SkinAs(bar, hwnd, 119, L"progress"));
        return bar;
    }
};

TEST_F(ReportedRange, AReversedRangeDividesByItsAbsoluteWidth)
{
    // 200 down to 0 at 250: 50 of a width of 200 past the low end.
    Report(200, 0, 250);
    EXPECT_EQ(L"25%", Text(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 51, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 52, 8));
}

TEST_F(ReportedRange, APositionBeyondEitherEndIsKeptWithinTheBar)
{
    uiSkinProgress* bar = Report(0, 100, 250);
    EXPECT_EQ(100, bar->GetPercent());
    EXPECT_EQ(L"100%", Text(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 201, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 202, 8));

    reportedPos = -40;
    bar->UpdateRange();
    EXPECT_EQ(0, bar->GetPercent());
    EXPECT_EQ(L"0%", Text(hwnd));
}

TEST_F(ReportedRange, AnEmptyRangeCountsAsOne)
{
    uiSkinProgress* bar = Report(7, 7, 7);
    EXPECT_EQ(0, bar->GetPercent());
    reportedPos = 8;
    bar->UpdateRange();
    EXPECT_EQ(100, bar->GetPercent());
}

TEST_F(ProgressBar, AVerticalBarFillsFromTheBottomUp)
{
    // 16 x 106: the inner rectangle runs from y 3 to 103, 100 pixels high.
    Make(PBS_VERTICAL, 16, 106);
    Range(0, 100, 50);
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 8, 102));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 8, 53));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 8, 52));
}

TEST_F(ProgressBar, AStyleWithoutABackgroundItemLeavesTheBarUnpaintedButValidated)
{
    Make(0, 204, 16, L"progress.nobk");
    Range(0, 100, 50);
    EXPECT_EQ(0, SendMessageW(hwnd, WM_PAINT, 0, 0));
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    RECT pending = {};
    EXPECT_FALSE(GetUpdateRect(hwnd, &pending, FALSE));
}

TEST_F(ProgressBar, ResizingMovesTheInnerRectangle)
{
    uiSkinProgress* bar = Make();
    SetWindowPos(hwnd, nullptr, 0, 0, 104, 16, SWP_NOMOVE | SWP_NOZORDER);
    const RECT inner = bar->GetInnerRect();
    EXPECT_EQ(2, inner.left);
    EXPECT_EQ(102, inner.right);
    EXPECT_EQ(3, inner.top);
    EXPECT_EQ(13, inner.bottom);
}

TEST_F(ProgressBar, ABarReloadedFromAStyleTheSkinLacksPaintsNothing)
{
    hwnd = host.AddChild(6001, 0, 20, 20, 204, 16, PROGRESS_CLASSW);
    auto* bar = new Reloading<uiSkinProgress>;
    ASSERT_TRUE(SkinAs(bar, hwnd, 119, L"progress"));
    Range(0, 100, 50);

    bar->ReloadAs(L"no.such.style");
    EXPECT_EQ(nullptr, bar->GetSkinStyle());
    EXPECT_EQ(0, SendMessageW(hwnd, WM_PAINT, 0, 0));
}

TEST_F(ProgressBar, ABarReloadedFromAnotherStyleTakesItsPadsAndTransparency)
{
    hwnd = host.AddChild(6001, 0, 20, 20, 204, 16, PROGRESS_CLASSW);
    auto* bar = new Reloading<uiSkinProgress>;
    ASSERT_TRUE(SkinAs(bar, hwnd, 119, L"progress"));
    Range(0, 100, 25);
    ASSERT_EQ(kBarStep, WindowPixel(hwnd, 10, 8));
    ASSERT_FALSE(uiHasTransparentTag(hwnd));

    // leftpad 52, toppad 1: the inner rectangle runs from x 52 to 152, a quarter of it up to x 77.
    bar->ReloadAs(L"progress.padded");
    EXPECT_TRUE(uiHasTransparentTag(hwnd));
    const RECT inner = bar->GetInnerRect();
    EXPECT_EQ(52, inner.left);
    EXPECT_EQ(1, inner.top);
    EXPECT_EQ(152, inner.right);
    EXPECT_EQ(15, inner.bottom);
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 10, 8));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 76, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 77, 8));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 60, 1));

    bar->ReloadAs(L"progress");
    EXPECT_FALSE(uiHasTransparentTag(hwnd));
    EXPECT_EQ(kBarStep, WindowPixel(hwnd, 51, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 52, 8));
    EXPECT_EQ(kBarBackground, WindowPixel(hwnd, 60, 1));
}

class Animation : public ProgressBar {
protected:
    // A static with the style "ticker": one clickable spot under the animation.
    Reloading<uiSkinControl>* MakeTicker()
    {
        hwnd = host.AddChild(7002, 0, 20, 20, 40, 20, L"STATIC");
        auto* ticker = new Reloading<uiSkinControl>;
        EXPECT_TRUE(SkinAs(ticker, hwnd, 106, L"ticker"));
        return ticker;
    }
    uiSkinAnimate* MakeAnimation()
    {
        hwnd = host.AddChild(7001, 0, 20, 20, 40, 20, ANIMATE_CLASSW);
        auto* animation = new uiSkinAnimate;
        EXPECT_TRUE(SkinAs(animation, hwnd, 120, L"animate"));
        return animation;
    }
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i)
            SendMessageW(hwnd, UIM_TICK, 0, 0);
    }
};

TEST_F(Animation, FramesAdvanceOnTicksAtTheItemsInterval)
{
    uiSkinAnimate* animation = MakeAnimation();
    EXPECT_EQ(120, animation->GetTypeCode());
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));

    // A 100 ms frame at 50 ms per tick: the first tick keeps the frame, the second moves on.
    Tick(1);
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));
    Tick(1);
    EXPECT_EQ(kFrameTwo, WindowPixel(hwnd, 20, 10));
    Tick(2);
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));
}

TEST_F(Animation, DisplayParamsChooseTheAnimation)
{
    uiSkinAnimate* animation = MakeAnimation();
    EXPECT_EQ(1, animation->ShowDisplayItems(0, 0, FALSE));
    EXPECT_EQ(nullptr, animation->GetMovie().GetCurrentItem());
    EXPECT_EQ(1, animation->ShowDisplayItems(0, 0, TRUE));
    EXPECT_NE(nullptr, animation->GetMovie().GetCurrentItem());
}

TEST_F(Animation, ADestroyedAnimationLeavesNoTickRegistration)
{
    MakeAnimation();
    const HWND gone = hwnd;
    DestroyWindow(gone);
    EXPECT_FALSE(uiGetTimerWindow().RemoveWindow(gone));
}

TEST_F(Animation, AControlReloadedFromAStyleTheSkinLacksKeepsNoItemsAndNoTicks)
{
    Reloading<uiSkinControl>* ticker = MakeTicker();
    ASSERT_EQ(1u, ticker->GetEventItems().size());
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));

    ticker->ReloadAs(L"no.such.style");
    EXPECT_EQ(nullptr, ticker->GetSkinStyle());
    EXPECT_TRUE(ticker->GetEventItems().empty());
    EXPECT_FALSE(uiGetTimerWindow().RemoveWindow(hwnd));
    SendMouse(hwnd, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(nullptr, ticker->GetCurrentItem());
    Tick(2);
    InvalidateRect(hwnd, nullptr, FALSE);
    WindowPixel(hwnd, 20, 10);
}

TEST_F(Animation, AnAnimationReloadedFromAnotherStyleTakesItsTransparency)
{
    hwnd = host.AddChild(7001, 0, 20, 20, 40, 20, ANIMATE_CLASSW);
    auto* animation = new Reloading<uiSkinAnimate>;
    ASSERT_TRUE(SkinAs(animation, hwnd, 120, L"animate"));
    ASSERT_FALSE(uiHasTransparentTag(hwnd));
    animation->ReloadAs(L"animate.clear");
    EXPECT_TRUE(uiHasTransparentTag(hwnd));
    animation->ReloadAs(L"animate");
    EXPECT_FALSE(uiHasTransparentTag(hwnd));
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));
}

TEST_F(Animation, AControlReloadedFromAnotherStyleAnswersAndPlaysFromTheNewOne)
{
    Reloading<uiSkinControl>* ticker = MakeTicker();
    ticker->ReloadAs(L"ticker.slow");
    ASSERT_NE(nullptr, ticker->GetSkinStyle());
    ASSERT_EQ(2u, ticker->GetEventItems().size());

    SendMouse(hwnd, WM_MOUSEMOVE, 25, 5);
    EXPECT_EQ(ticker->GetSkinStyle()->eventList.ItemAt(0), ticker->GetCurrentItem());
    // The new animation's frame lasts 200 ms: four ticks, not two, move it on.
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));
    Tick(2);
    EXPECT_EQ(kFrameOne, WindowPixel(hwnd, 20, 10));
    Tick(2);
    EXPECT_EQ(kFrameTwo, WindowPixel(hwnd, 20, 10));
}

}  // namespace
