// The scroll window and the scroll dialog on real windows: the skinned border, the custom bars
// painted from the grid through the window's own notification, their release, the bars of a style
// in place of the old one, and a multi-line edit skinned as the change-log box is, scrolled by
// messages with the USER32 functions redirected.
#include <gtest/gtest.h>

#include <string>

#include "ScrollGridOracle.h"
#include "ScrollWndTestSupport.h"
#include "uiCustomScrollBar.h"
#include "uiScrollHooks.h"
#include "uiSkinScrollDialog.h"
#include "uiSkinScrollWnd.h"

namespace {

constexpr COLORREF kBorder = RGB(0x00, 0xA0, 0x00);  // the test skin's "scrollwindow.border"
constexpr COLORREF kDialogBk = RGB(0x20, 0x40, 0x60);  // the test skin's "scrolldialog" background

class ScrollWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadScrollTestSkin()); }
    uiSkinScrollWnd* Skin(HWND hwnd, const wchar_t* style = nullptr)
    {
        auto* skin = new uiSkinScrollWnd;
        EXPECT_TRUE(skin->SkinWindow(hwnd, style, TRUE, FALSE));
        return skin;
    }
    static void ShowVertical(HWND hwnd, int hi, UINT page, int pos)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, hi, page, pos, 0};
        uiCsbSetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    }
    static std::unique_ptr<DibCanvas> Printed(HWND hwnd)
    {
        const SIZE size = WindowSize(hwnd);
        auto canvas = std::make_unique<DibCanvas>(size.cx, size.cy);
        SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_NONCLIENT);
        return canvas;
    }
};

TEST_F(ScrollWindow, AFramedWindowGetsTheStylesBorderPrinted)
{
    ScrollTestWindow w{100, 100, 200, 150};
    Skin(w.hwnd());
    auto shot = Printed(w.hwnd());
    EXPECT_EQ(kBorder, shot->Pixel(0, 75));
    EXPECT_EQ(kBorder, shot->Pixel(100, 0));
    EXPECT_EQ(kBorder, shot->Pixel(199, 75));
}

TEST_F(ScrollWindow, AWindowWithoutAFramePaintsNoBorder)
{
    ScrollTestWindow w{100, 100, 200, 150};
    SetWindowLongW(w.hwnd(), GWL_STYLE, GetWindowLongW(w.hwnd(), GWL_STYLE) & ~WS_BORDER);
    SetWindowPos(w.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    uiSkinScrollWnd* skin = Skin(w.hwnd());
    DibCanvas canvas(200, 150);
    skin->DrawBorder(canvas.dc());
    EXPECT_NE(kBorder, canvas.Pixel(0, 75));
    EXPECT_NE(kBorder, canvas.Pixel(100, 0));
}

TEST_F(ScrollWindow, TheBarsArePaintedFromTheGridThroughTheWindowsOwnNotification)
{
    ScrollTestWindow w{100, 100, 200, 150};
    Skin(w.hwnd());
    ShowVertical(w.hwnd(), 99, 10, 0);
    DibCanvas canvas(200, 150);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    // One-pixel frame; the bar is one cell wide at the right, its arrows one cell high.
    const int x = 200 - 1 - grid::kCellWidth / 2;
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kNormal), canvas.Pixel(x, 1 + 6));
    EXPECT_EQ(grid::Cell(grid::kVertThumb, grid::kNormal, grid::kLeadingCap), canvas.Pixel(x, 1 + grid::kCellHeight));
    EXPECT_EQ(grid::Cell(grid::kVertTrack, grid::kNormal), canvas.Pixel(x, 100));
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), canvas.Pixel(x, 150 - 1 - 6));

    // A disabled arrow takes the disabled column.
    uiCsbEnableScrollBar(w.hwnd(), SB_VERT, ESB_DISABLE_LTUP);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kDisabled), canvas.Pixel(x, 1 + 6));
}

TEST_F(ScrollWindow, ABarStyleWithAnImageButNoGridCellsLeavesTheBarsTheirBuiltInLook)
{
    ScrollTestWindow w{100, 100, 200, 150};
    Skin(w.hwnd(), L"scrollwindow.noinfo");
    ShowVertical(w.hwnd(), 99, 10, 0);
    DibCanvas canvas(200, 150);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    // Bars of the default 18 pixels: the thumb (10 of 100 over a 112-pixel track) below the upper arrow.
    const int x = 200 - 1 - 9;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.Pixel(x, 1 + 18 + 5));
    const COLORREF track = canvas.Pixel(x, 100);
    EXPECT_TRUE(track == GetSysColor(COLOR_SCROLLBAR) || track == GetSysColor(COLOR_3DHILIGHT) ||
                track == GetSysColor(COLOR_3DFACE))
        << std::hex << track;
}

TEST_F(ScrollWindow, APressedArrowIsPaintedFromThePressedColumn)
{
    ScrollTestWindow w{100, 100, 200, 150};
    Skin(w.hwnd());
    ShowVertical(w.hwnd(), 99, 10, 0);
    RECT wr{};
    GetWindowRect(w.hwnd(), &wr);
    const POINT down{wr.right - 1 - grid::kCellWidth / 2, wr.bottom - 1 - 6};
    SetCursorPos(down.x, down.y);
    PostMessageW(w.hwnd(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
    ScrollTestWindow::PumpPending();
    DibCanvas canvas(200, 150);
    uiCsbPrintNC(canvas.dc(), w.hwnd());
    PostMessageW(w.hwnd(), WM_LBUTTONUP, 0, 0);
    ScrollTestWindow::PumpPending();
    if (GetCapture() == w.hwnd())
        ReleaseCapture();
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kPressed), canvas.Pixel(down.x - wr.left, down.y - wr.top));
}

TEST_F(ScrollWindow, TheStylesScrollBarAttributeNamesTheBarsStyle)
{
    ScrollTestWindow w{100, 100, 200, 150};
    Skin(w.hwnd(), L"scrollwindow.named");
    RECT before{};
    GetClientRect(w.hwnd(), &before);
    ShowVertical(w.hwnd(), 99, 10, 0);
    RECT after{};
    GetClientRect(w.hwnd(), &after);
    EXPECT_EQ(24, before.right - after.right);
}

TEST_F(ScrollWindow, AMissingBarStyleLeavesTheWindowSkinnedWithoutCustomBars)
{
    ScrollTestWindow w{100, 100, 200, 150};
    uiSkinScrollWnd* skin = Skin(w.hwnd(), L"scrollwindow.missing");
    EXPECT_TRUE(skin->IsAttached());
    EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
}

TEST_F(ScrollWindow, ReleasingTheSkinRemovesTheCustomBars)
{
    ScrollTestWindow w{100, 100, 200, 150};
    uiSkinScrollWnd* skin = Skin(w.hwnd());
    ASSERT_TRUE(uiCsbIsEnabled(w.hwnd()));
    skin->Detach();
    EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
}

TEST_F(ScrollWindow, AReplacingStyleBringsItsOwnBarsOrNone)
{
    ScrollTestWindow w{100, 100, 200, 150};
    uiSkinScrollWnd* skin = Skin(w.hwnd());
    struct Case {
        const wchar_t* style;
        int barWidth;  // 0: no custom bars
    };
    // A style that names no bar style has the default one.
    for (const Case& c : {Case{L"scrollwindow.named", 24}, Case{L"scrollwindow.missing", 0},
                          Case{L"scrollwindow", grid::kCellWidth}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(skin->SkinWindow(w.hwnd(), c.style, TRUE, FALSE));
        ASSERT_EQ(uiCsbIsEnabled(w.hwnd()) != FALSE, c.barWidth != 0);
        if (c.barWidth == 0)
            continue;
        ShowVertical(w.hwnd(), 99, 10, 0);
        RECT client{};
        GetClientRect(w.hwnd(), &client);
        // One-pixel frame on either side.
        EXPECT_EQ(200 - 2 - client.right, c.barWidth);
    }
}

TEST_F(ScrollWindow, StyleChangesReachTheWindowExceptTheBarsOwnPassingOnes)
{
    ScrollTestWindow w{100, 100, 200, 150, WS_VSCROLL};
    Skin(w.hwnd());
    ShowVertical(w.hwnd(), 99, 10, 0);
    auto styleChanges = [&] { return std::count(w.passedOn.begin(), w.passedOn.end(), WM_STYLECHANGED); };
    w.passedOn.clear();
    // Non-client paints take the scroll styles away and back: nothing of that reaches the window.
    RedrawWindow(w.hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SetWindowPos(w.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(0, styleChanges());
    // The application's own change does.
    SetWindowLongW(w.hwnd(), GWL_STYLE, GetWindowLongW(w.hwnd(), GWL_STYLE) | WS_TABSTOP);
    EXPECT_EQ(1, styleChanges());
}

class ScrollDialog : public ScrollWindow {};

TEST_F(ScrollDialog, NonClientPaintingIsLeftToTheCustomBars)
{
    ScrollTestWindow w{100, 100, 200, 150};
    auto* skin = new uiSkinScrollDialog;
    skin->SetTypeCode(111);
    ASSERT_TRUE(skin->SkinWindow(w.hwnd(), L"scrolldialog", TRUE, FALSE));
    w.passedOn.clear();
    EXPECT_EQ(1, SendMessageW(w.hwnd(), WM_NCPAINT, 1, 0));
    EXPECT_EQ(0, std::count(w.passedOn.begin(), w.passedOn.end(), WM_NCPAINT));
}

TEST_F(ScrollDialog, TheBackgroundLeavesTheScrollBarStripAlone)
{
    ScrollTestWindow w{100, 100, 200, 150};
    auto* skin = new uiSkinScrollDialog;
    skin->SetTypeCode(111);
    ASSERT_TRUE(skin->SkinWindow(w.hwnd(), L"scrolldialog", TRUE, FALSE));
    ShowVertical(w.hwnd(), 99, 10, 0);
    RedrawWindow(w.hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    auto shot = WindowPixels(w.hwnd());
    const int x = 200 - 1 - grid::kCellWidth / 2;
    EXPECT_EQ(kDialogBk, shot->Pixel(50, 50));
    EXPECT_EQ(grid::Cell(grid::kVertTrack, grid::kNormal), shot->Pixel(x, 100));
    EXPECT_EQ(grid::Cell(grid::kUpArrow, grid::kNormal), shot->Pixel(x, 1 + 6));
}

// The upgrade window's change-log box: a multi-line edit skinned as a scroll window while the
// USER32 scroll-bar functions are redirected to the custom bars.
class ChangeLogEdit : public ScrollWindow {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, uiInstallScrollHooks());
        edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                               20, 20, 260, 160, owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        skin = Skin(edit);
        std::wstring text;
        for (int i = 1; i <= 200; ++i)
            text += L"第 " + std::to_wstring(i) + L" 行 change log\r\n";
        SetWindowTextW(edit, text.c_str());
        ScrollTestWindow::PumpPending();
        RECT wr{};
        GetWindowRect(edit, &wr);
        POINT origin{0, 0};
        ClientToScreen(edit, &origin);
        edge = origin.y - wr.top;
    }
    void TearDown() override
    {
        DestroyWindow(edit);
        uiRemoveScrollHooks();
    }
    SCROLLINFO Info() const
    {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        uiCsbGetScrollInfo(edit, SB_VERT, &si);
        return si;
    }
    // Where the thumb's top and bottom caps stand in the printed bar, in window coordinates.
    std::pair<int, int> ThumbEnds()
    {
        const SIZE size = WindowSize(edit);
        DibCanvas canvas(size.cx, size.cy);
        uiCsbPrintNC(canvas.dc(), edit);
        const int x = size.cx - edge - grid::kCellWidth / 2;
        int top = -1, bottom = -1;
        for (int y = 0; y < size.cy; ++y) {
            const COLORREF c = canvas.Pixel(x, y);
            if (top < 0 && c == grid::Cell(grid::kVertThumb, grid::kNormal, grid::kLeadingCap))
                top = y;
            if (c == grid::Cell(grid::kVertThumb, grid::kNormal, grid::kTrailingCap))
                bottom = y;
        }
        return {top, bottom};
    }

    ScrollOwner owner{50, 50, 320, 220};
    HWND edit = nullptr;
    uiSkinScrollWnd* skin = nullptr;
    int edge = 0;  // the client edge's width
};

TEST_F(ChangeLogEdit, TheEditsScrollingReachesTheSkinnedBar)
{
    ASSERT_TRUE(uiCsbIsBarVisible(edit, SB_VERT));
    const SCROLLINFO start = Info();
    EXPECT_EQ(0, start.nPos);
    EXPECT_GT(start.nMax, static_cast<int>(start.nPage));
    const SIZE size = WindowSize(edit);
    // At the top the thumb follows the upper arrow at once.
    ASSERT_GT(edge, 0);
    EXPECT_EQ(edge + grid::kCellHeight, ThumbEnds().first);

    SendMessageW(edit, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(edit, WM_VSCROLL, SB_PAGEDOWN, 0);
    const SCROLLINFO paged = Info();
    EXPECT_GT(paged.nPos, 0);
    EXPECT_EQ(paged.nPos, static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0)));
    EXPECT_GT(ThumbEnds().first, edge + grid::kCellHeight);

    SendMessageW(edit, WM_VSCROLL, SB_BOTTOM, 0);
    // At the end the thumb's last row touches the lower arrow.
    EXPECT_EQ(size.cy - edge - grid::kCellHeight - 1, ThumbEnds().second);
    RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    auto shot = WindowPixels(edit);
    EXPECT_EQ(grid::Cell(grid::kDownArrow, grid::kNormal), shot->Pixel(size.cx - edge - 8, size.cy - edge - 6));
    EXPECT_EQ(kBorder, shot->Pixel(0, size.cy / 2));
}

TEST_F(ChangeLogEdit, AClickOnTheSkinnedLowerArrowScrollsTheEditOneLine)
{
    RECT wr{};
    GetWindowRect(edit, &wr);
    const POINT down{wr.right - edge - grid::kCellWidth / 2, wr.bottom - edge - 6};
    SetCursorPos(down.x, down.y);
    PostMessageW(edit, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(down.x, down.y));
    PostMessageW(edit, WM_LBUTTONUP, 0, 0);
    ScrollTestWindow::PumpPending();
    if (GetCapture() == edit)
        ReleaseCapture();
    EXPECT_EQ(1, Info().nPos);
    EXPECT_EQ(1, SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

}  // namespace
