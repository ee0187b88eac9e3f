// Custom scroll bars: per-window state, the USER32 counterparts, clamps, show and hide, and the
// room the bars take from the client area.
#include <gtest/gtest.h>

#include "ScrollTestWindow.h"

#include <thread>

namespace {

constexpr int kArrow = 16;
constexpr int kThick = 20;

SCROLLINFO Info(UINT mask, int minPos, int maxPos, UINT page, int pos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = mask;
    si.nMin = minPos;
    si.nMax = maxPos;
    si.nPage = page;
    si.nPos = pos;
    return si;
}

int ClientWidth(HWND hwnd)
{
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return rc.right;
}

int ClientHeight(HWND hwnd)
{
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return rc.bottom;
}

class CustomBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        plainWidth = ClientWidth(w.hwnd());
        plainHeight = ClientHeight(w.hwnd());
        ASSERT_TRUE(uiCsbInit(w.hwnd()));
        ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_BOTH, kArrow, kThick));
    }
    ScrollTestWindow w{100, 100, 200, 300};
    int plainWidth = 0;
    int plainHeight = 0;
};

}  // namespace

TEST_F(CustomBars, SecondInitIsRefusedAndKeepsTheFirstState)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_POS, 0, 50, 0, 7);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, FALSE);
    EXPECT_FALSE(uiCsbInit(w.hwnd()));
    EXPECT_EQ(7, uiCsbGetScrollPos(w.hwnd(), SB_VERT));
    EXPECT_TRUE(uiCsbIsEnabled(w.hwnd()));
}

TEST_F(CustomBars, UninitRestoresThePlainWindowAndFailsOnAPlainOne)
{
    EXPECT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
    EXPECT_EQ(E_FAIL, uiCsbUninit(w.hwnd()));
    EXPECT_FALSE(uiCsbSetStyle(w.hwnd(), SB_BOTH, 1));
}

// The window's own procedure, called for its frame and its borders, may take the bars off: the
// freed state is not touched afterwards, and the window keeps the scroll style of its shown bar.
TEST_F(CustomBars, APreviousProcedureThatRemovesTheBarsLeavesTheFreedStateAlone)
{
    for (UINT removeOn : {UINT{WM_NCCALCSIZE}, UINT{WM_NCPAINT}}) {
        if (!uiCsbIsEnabled(w.hwnd())) {
            ASSERT_TRUE(uiCsbInit(w.hwnd()));
            ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_BOTH, kArrow, kThick));
        }
        uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
        BarRemoval removal;
        w.onMessage = [&](UINT msg) {
            if (msg == removeOn && uiCsbIsEnabled(w.hwnd()))
                removal.Remove(w.hwnd());
        };
        if (removeOn == WM_NCCALCSIZE)
            SetWindowPos(w.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        else
            uiCsbPaintNC(w.hwnd());
        w.onMessage = nullptr;
        EXPECT_TRUE(removal.Removed()) << removeOn;
        EXPECT_TRUE(removal.Untouched()) << removeOn;
        EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_STYLE) & WS_VSCROLL) << removeOn;
    }
}

// A handler of the custom-draw notification may take the bars off the window, at any of the
// notifications of a paint: nothing is drawn after it, and the freed state is left alone.
TEST_F(CustomBars, ACustomDrawHandlerThatRemovesTheBarsEndsThePaintThere)
{
    w.prePaintAnswer = kCsbSkipDefault;
    auto attach = [&] {
        if (!uiCsbIsEnabled(w.hwnd())) {
            ASSERT_TRUE(uiCsbInit(w.hwnd()));
        }
        ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_BOTH, kArrow, kThick));
        SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 40);
        uiCsbSetScrollInfo(w.hwnd(), SB_HORZ, &si, FALSE);
        uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, FALSE);
        uiCsbShowBar(w.hwnd(), SB_BOTH, TRUE);
        w.notes.clear();
    };
    attach();
    uiCsbPaintNC(w.hwnd());
    // Each bar: before, two arrows, two page areas, the thumb, after; then the size box.
    const size_t count = w.notes.size();
    ASSERT_EQ(15u, count);
    for (size_t removeAt = 1; removeAt <= count; ++removeAt) {
        attach();
        BarRemoval removal;
        w.onNote = [&](const DrawNote&) {
            if (w.notes.size() == removeAt)
                removal.Remove(w.hwnd());
        };
        uiCsbPaintNC(w.hwnd());
        w.onNote = nullptr;
        EXPECT_TRUE(removal.Removed()) << removeAt;
        EXPECT_EQ(removeAt, w.notes.size()) << removeAt;
        EXPECT_TRUE(removal.Untouched()) << removeAt;
    }
}

TEST_F(CustomBars, PositionIsClampedToTheLastFullPage)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 95);
    EXPECT_EQ(91, uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE));
    si = Info(SIF_PAGE | SIF_POS, 0, 100, 0, 150);
    EXPECT_EQ(100, uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE));
    si = Info(SIF_POS, 0, 0, 0, -5);
    EXPECT_EQ(0, uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE));
}

TEST_F(CustomBars, SetScrollPosClampsAndReturnsThePreviousPosition)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 10, 60, 11, 20);
    uiCsbSetScrollInfo(w.hwnd(), SB_HORZ, &si, FALSE);
    EXPECT_EQ(20, uiCsbSetScrollPos(w.hwnd(), SB_HORZ, 1000, TRUE));
    EXPECT_EQ(50, uiCsbGetScrollPos(w.hwnd(), SB_HORZ));
    EXPECT_EQ(50, uiCsbSetScrollPos(w.hwnd(), SB_HORZ, 3, FALSE));
    EXPECT_EQ(10, uiCsbGetScrollPos(w.hwnd(), SB_HORZ));
}

TEST_F(CustomBars, PageIsLimitedToTheRange)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE, 0, 9, 500, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, FALSE);
    SCROLLINFO out{};
    out.cbSize = sizeof(out);
    out.fMask = SIF_ALL;
    ASSERT_TRUE(uiCsbGetScrollInfo(w.hwnd(), SB_VERT, &out));
    EXPECT_EQ(10u, out.nPage);
    EXPECT_EQ(0, out.nMin);
    EXPECT_EQ(9, out.nMax);
}

TEST_F(CustomBars, GetScrollInfoCopiesOnlyTheMaskedFields)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 30);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, FALSE);
    SCROLLINFO out{};
    out.cbSize = sizeof(out);
    out.fMask = SIF_POS;
    out.nMax = -77;
    ASSERT_TRUE(uiCsbGetScrollInfo(w.hwnd(), SB_VERT, &out));
    EXPECT_EQ(30, out.nPos);
    EXPECT_EQ(-77, out.nMax);
    out.fMask = 0;
    EXPECT_FALSE(uiCsbGetScrollInfo(w.hwnd(), SB_VERT, &out));
    EXPECT_FALSE(uiCsbGetScrollInfo(w.hwnd(), SB_VERT, nullptr));
    int lo = 0;
    int hi = 0;
    EXPECT_TRUE(uiCsbGetScrollRange(w.hwnd(), SB_VERT, &lo, &hi));
    EXPECT_EQ(99, hi);
    EXPECT_FALSE(uiCsbGetScrollRange(w.hwnd(), SB_VERT, &lo, nullptr));
}

TEST_F(CustomBars, AWantedRangeShowsTheBarAndAnEmptyOneGivesTheRoomBack)
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE, 0, 99, 10, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_TRUE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    EXPECT_EQ(plainWidth - kThick, ClientWidth(w.hwnd()));
    EXPECT_TRUE(GetWindowLongW(w.hwnd(), GWL_STYLE) & WS_VSCROLL);

    si = Info(SIF_RANGE, 0, 0, 0, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    EXPECT_EQ(plainWidth, ClientWidth(w.hwnd()));
}

TEST_F(CustomBars, BothBarsTakeTheirThicknessFromTheClientArea)
{
    uiCsbShowBar(w.hwnd(), SB_BOTH, TRUE);
    EXPECT_EQ(plainWidth - kThick, ClientWidth(w.hwnd()));
    EXPECT_EQ(plainHeight - kThick, ClientHeight(w.hwnd()));
    uiCsbShowBar(w.hwnd(), SB_HORZ, FALSE);
    EXPECT_EQ(plainHeight, ClientHeight(w.hwnd()));
    EXPECT_EQ(0, GetWindowLongW(w.hwnd(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(CustomBars, ABarHiddenByShowScrollBarStaysHiddenForLaterRanges)
{
    uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
    ASSERT_TRUE(uiCsbShowScrollBar(w.hwnd(), SB_VERT, FALSE));
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE, 0, 99, 10, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    EXPECT_EQ(plainWidth, ClientWidth(w.hwnd()));

    // Showing again only allows the bar: it appears once the range calls for it.
    uiCsbShowScrollBar(w.hwnd(), SB_VERT, TRUE);
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    si = Info(SIF_RANGE | SIF_PAGE, 0, 5, 10, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    si = Info(SIF_RANGE | SIF_PAGE, 0, 99, 10, 0);
    uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_TRUE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
}

TEST_F(CustomBars, SizesOutsideTheirLimitsAreRefused)
{
    EXPECT_FALSE(uiCsbSetSize(w.hwnd(), SB_BOTH, 16, 257));
    EXPECT_FALSE(uiCsbSetSize(w.hwnd(), SB_BOTH, 16, 0));
    EXPECT_FALSE(uiCsbSetSize(w.hwnd(), SB_BOTH, -9, 16));
    uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
    EXPECT_EQ(plainWidth - kThick, ClientWidth(w.hwnd()));
    EXPECT_TRUE(uiCsbSetSize(w.hwnd(), SB_VERT, 16, 256 / 8));
    EXPECT_EQ(plainWidth - 32, ClientWidth(w.hwnd()));
}

TEST_F(CustomBars, NegativeSizesCountInSystemMetrics)
{
    uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
    ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_VERT, -1, -2));
    EXPECT_EQ(plainWidth - 2 * GetSystemMetrics(SM_CXVSCROLL), ClientWidth(w.hwnd()));
}

TEST_F(CustomBars, EnablingWithTheFlagsABarAlreadyHasReportsNoChange)
{
    EXPECT_TRUE(uiCsbEnableScrollBar(w.hwnd(), SB_VERT, ESB_DISABLE_LTUP));
    EXPECT_FALSE(uiCsbEnableScrollBar(w.hwnd(), SB_VERT, ESB_DISABLE_LTUP));
    // With both bars addressed, one bar already in that state is enough to report no change.
    EXPECT_FALSE(uiCsbEnableScrollBar(w.hwnd(), SB_BOTH, ESB_DISABLE_LTUP));
    EXPECT_TRUE(uiCsbEnableScrollBar(w.hwnd(), SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_FALSE(uiCsbEnableScrollBar(w.hwnd(), SB_BOTH, ESB_DISABLE_BOTH));
}

TEST(CustomBarsPlainWindow, CounterpartsFallBackToTheSystemBars)
{
    ScrollTestWindow w(50, 50, 150, 150, WS_VSCROLL);
    SetScrollRange(w.hwnd(), SB_VERT, 0, 40, FALSE);
    SetScrollPos(w.hwnd(), SB_VERT, 12, FALSE);
    EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
    EXPECT_EQ(12, uiCsbGetScrollPos(w.hwnd(), SB_VERT));
    EXPECT_EQ(12, uiCsbSetScrollPos(w.hwnd(), SB_VERT, 30, FALSE));
    EXPECT_EQ(30, GetScrollPos(w.hwnd(), SB_VERT));
    EXPECT_FALSE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    EXPECT_FALSE(uiCsbSetSize(w.hwnd(), SB_VERT, 16, 16));
}

TEST(CustomBarsPlainWindow, InitTakesOverTheSystemBarsStateAndStyle)
{
    ScrollTestWindow w(50, 50, 150, 150, WS_VSCROLL);
    SetScrollRange(w.hwnd(), SB_VERT, 0, 40, FALSE);
    SetScrollPos(w.hwnd(), SB_VERT, 12, FALSE);
    ASSERT_TRUE(uiCsbInit(w.hwnd()));
    EXPECT_EQ(12, uiCsbGetScrollPos(w.hwnd(), SB_VERT));
    EXPECT_TRUE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
    // The window's own procedure stays reachable behind the subclass.
    w.passedOn.clear();
    SendMessageW(w.hwnd(), WM_USER + 5, 0, 0);
    ASSERT_EQ(1u, w.passedOn.size());
    EXPECT_EQ(static_cast<UINT>(WM_USER + 5), w.passedOn[0]);
}

TEST(CustomBarsPlainWindow, ALeftScrollBarWindowGetsItsVerticalBarOnTheLeft)
{
    ScrollTestWindow w(50, 50, 150, 150, 0, WS_EX_LEFTSCROLLBAR);
    const RECT before = w.ScreenClient();
    ASSERT_TRUE(uiCsbInit(w.hwnd()));
    ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_VERT, 16, 20));
    uiCsbShowBar(w.hwnd(), SB_VERT, TRUE);
    const RECT after = w.ScreenClient();
    EXPECT_EQ(before.left + 20, after.left);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(HTVSCROLL, SendMessageW(w.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(before.left + 3, before.top + 30)));
}

namespace {

WNDPROC g_behindNcDestroyEater = nullptr;

// A procedure in front of the bars that keeps WM_NCDESTROY from them.
LRESULT CALLBACK EatNcDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return msg == WM_NCDESTROY ? 0 : CallWindowProcW(g_behindNcDestroyEater, hwnd, msg, wParam, lParam);
}

}  // namespace

// The library finds a window's bars from any thread (the redirected USER32 functions may be called
// on another one) while the window has them; the property stays on the window for readers outside
// the library; a window destroyed without its last message reaching the bars no longer has them.
TEST(CustomBarsPlainWindow, TheBarsAreFoundFromAnyThreadAndNotOnceTheWindowIsGone)
{
    const wchar_t kProperty[] = L"CustomSBSubclassPtr";
    ScrollTestWindow w(50, 50, 150, 150, WS_VSCROLL);
    SetScrollRange(w.hwnd(), SB_VERT, 0, 40, FALSE);
    ASSERT_TRUE(uiCsbInit(w.hwnd()));
    uiCsbSetScrollRange(w.hwnd(), SB_VERT, 0, 90, FALSE);
    uiCsbSetScrollPos(w.hwnd(), SB_VERT, 70, FALSE);
    int seenFromWorker = -1;
    std::thread([&] { seenFromWorker = uiCsbGetScrollPos(w.hwnd(), SB_VERT); }).join();
    EXPECT_EQ(70, seenFromWorker);
    EXPECT_NE(nullptr, GetPropW(w.hwnd(), kProperty));
    EXPECT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_EQ(nullptr, GetPropW(w.hwnd(), kProperty));

    HWND dying = CreateScrollTestChild(50, 50, 150, 150, WS_VSCROLL);
    ASSERT_TRUE(uiCsbInit(dying));
    g_behindNcDestroyEater = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dying, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EatNcDestroy)));
    DestroyWindow(dying);
    EXPECT_FALSE(uiCsbIsEnabled(dying));
    EXPECT_FALSE(uiCsbIsBarVisible(dying, SB_VERT));
}
