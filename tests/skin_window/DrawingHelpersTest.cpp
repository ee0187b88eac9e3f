// The helpers that skin objects share: the scratch memory DC's bitmap bookkeeping, the no-skin guard,
// the transparent-control property and the parent background painted under a transparent child;
// also the style helper's report of a change.
#include <gtest/gtest.h>

#include <windows.h>

#include "SkinTestSupport.h"
#include "WindowTestSupport.h"
#include "uiEngineMessages.h"
#include "uiNoSkinGuard.h"
#include "uiSharedMemDC.h"
#include "uiTransparentHelper.h"
#include "uiWindowHelpers.h"

namespace {

SIZE BitmapSize(HDC dc)
{
    BITMAP info = {};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

TEST(SharedMemDC, GrowsPerDimensionToTheLargestRequestAndReusesItsBitmap)
{
    uiSharedMemDC shared;
    HDC screen = GetDC(nullptr);
    HDC dc = shared.Ensure(screen, SIZE{50, 40});
    ASSERT_NE(dc, nullptr);
    const HGDIOBJ first = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(BitmapSize(dc).cx, 50);
    EXPECT_EQ(BitmapSize(dc).cy, 40);

    EXPECT_EQ(shared.Ensure(screen, SIZE{100, 20}), dc);
    const HGDIOBJ second = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(BitmapSize(dc).cx, 100);
    EXPECT_EQ(BitmapSize(dc).cy, 40);
    // The replaced bitmap was deleted, not left behind.
    EXPECT_EQ(GetObjectType(first), 0u);

    RECT request = {5, 5, 85, 35};
    EXPECT_EQ(shared.Prepare(screen, request), dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), second);
    EXPECT_TRUE(EqualRect(&shared.GetRect(), &request));
    EXPECT_EQ(shared.GetTargetDC(), screen);
    ReleaseDC(nullptr, screen);
}

TEST(SharedMemDC, AReusedDCHasNoClippingLeft)
{
    uiSharedMemDC shared;
    HDC screen = GetDC(nullptr);
    HDC dc = shared.Ensure(screen, SIZE{40, 40});
    HRGN clip = CreateRectRgn(0, 0, 5, 5);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);

    shared.Ensure(screen, SIZE{20, 20});
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    DeleteObject(probe);
    ReleaseDC(nullptr, screen);
}

TEST(SharedMemDC, GoingAwayDeletesItsDCAndBitmap)
{
    HDC dc = nullptr;
    HGDIOBJ bitmap = nullptr;
    {
        uiSharedMemDC shared;
        HDC screen = GetDC(nullptr);
        dc = shared.Ensure(screen, SIZE{30, 30});
        bitmap = GetCurrentObject(dc, OBJ_BITMAP);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
}


TEST(NoSkinGuard, OnlyTheFirstOfTwoGuardsMarksAndUnmarksTheWindow)
{
    TestWindow window;
    uiNoSkinGuard first, second;
    first.Set(window);
    second.Set(window);
    EXPECT_EQ(first.GetHwnd(), window.Get());
    EXPECT_EQ(second.GetHwnd(), nullptr);
    EXPECT_TRUE(uiNoSkinGuard::IsGuarded(window));

    second.Remove();
    EXPECT_TRUE(uiNoSkinGuard::IsGuarded(window));
    first.Remove();
    EXPECT_FALSE(uiNoSkinGuard::IsGuarded(window));
    EXPECT_EQ(first.GetHwnd(), nullptr);
}

TEST(NoSkinGuard, AGuardThatGoesAwayUnmarksItsWindow)
{
    TestWindow window;
    {
        uiNoSkinGuard guard;
        guard.Set(window);
        EXPECT_EQ(GetPropW(window, L"#2008_uiskin_set_this_hwnd_no_skin"), static_cast<HANDLE>(window.Get()));
    }
    EXPECT_FALSE(uiNoSkinGuard::IsGuarded(window));
}

TEST(NoSkinGuard, AGuardMovedToAnotherWindowUnmarksTheFirst)
{
    TestWindow one, two;
    uiNoSkinGuard guard;
    guard.Set(one);
    guard.Set(two);
    EXPECT_FALSE(uiNoSkinGuard::IsGuarded(one));
    EXPECT_TRUE(uiNoSkinGuard::IsGuarded(two));
}

TEST(TransparentTag, IsSetOnceWithTheWindowsOwnHandle)
{
    TestWindow window;
    EXPECT_FALSE(uiHasTransparentTag(window));
    uiTransparentHelper helper;
    EXPECT_FALSE(helper.IsAttached());
    EXPECT_TRUE(helper.Attach(window));
    EXPECT_TRUE(helper.IsAttached());
    EXPECT_EQ(GetPropW(window, L"uiskin_tranparentctrl_tag"), static_cast<HANDLE>(window.Get()));
    EXPECT_FALSE(uiSetTransparentTag(window));
    EXPECT_TRUE(uiHasTransparentTag(window));
}

// A parent whose background is red left of x = 100 and blue from there; it either answers the
// engine's background request with green or leaves it unanswered.
const COLORREF kLeft = RGB(255, 0, 0), kRight = RGB(0, 0, 255), kSkinned = RGB(0, 255, 0);
bool answerRequest = false;
int erases = 0;
uiParentBkRequest lastRequest = {};

LRESULT CALLBACK TwoColourParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == UIM_PAINTPARENTBK && answerRequest) {
        lastRequest = *reinterpret_cast<const uiParentBkRequest*>(lParam);
        HBRUSH green = CreateSolidBrush(kSkinned);
        const RECT all = {0, 0, 1000, 1000};
        FillRect(reinterpret_cast<HDC>(wParam), &all, green);
        DeleteObject(green);
        return 1;
    }
    if (msg == WM_ERASEBKGND) {
        ++erases;
        HDC dc = reinterpret_cast<HDC>(wParam);
        HBRUSH red = CreateSolidBrush(kLeft), blue = CreateSolidBrush(kRight);
        const RECT left = {0, 0, 100, 200}, right = {100, 0, 300, 200};
        FillRect(dc, &left, red);
        FillRect(dc, &right, blue);
        DeleteObject(red);
        DeleteObject(blue);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class ParentBackground : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = TwoColourParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TwoColourParent";
        RegisterClassW(&windowClass);
        parent = CreateWindowExW(0, L"TwoColourParent", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        // The child sits on the border of the two colours: 90..130.
        child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 90, 50, 40, 20, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        answerRequest = false;
        erases = 0;
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND child = nullptr;
    uiTransparentHelper helper;
};

TEST_F(ParentBackground, AnUnskinnedParentErasesUnderTheChildAtTheChildsPlace)
{
    PixelCanvas canvas(40, 20, RGB(1, 2, 3));
    helper.PaintParentBk(canvas.GetDC(), child);

    EXPECT_EQ(erases, 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kLeft);
    EXPECT_EQ(canvas.Pixel(9, 10), kLeft);
    EXPECT_EQ(canvas.Pixel(10, 10), kRight);
    EXPECT_EQ(canvas.Pixel(39, 19), kRight);
    POINT origin = {-1, -1};
    GetWindowOrgEx(canvas.GetDC(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST_F(ParentBackground, ASkinnedParentAnswersTheRequestAndIsNotErased)
{
    answerRequest = true;
    PixelCanvas canvas(40, 20, RGB(1, 2, 3));
    helper.PaintParentBk(canvas.GetDC(), child);

    EXPECT_EQ(erases, 0);
    EXPECT_EQ(canvas.Pixel(20, 10), kSkinned);
    EXPECT_EQ(lastRequest.hdc, canvas.GetDC());
    EXPECT_EQ(lastRequest.child, child);
    EXPECT_FALSE(lastRequest.useRect);
    EXPECT_TRUE(IsRectEmpty(&lastRequest.rect));
}

TEST(WindowHelpers, ModifyingAStyleReportsWhetherItChanged)
{
    TestWindow window;
    const DWORD before = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    EXPECT_FALSE(uiModifyStyle(window, 0, before & WS_POPUP, 0));
    EXPECT_TRUE(uiModifyStyle(window, 0, WS_BORDER, SWP_FRAMECHANGED));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), before | WS_BORDER);
    EXPECT_TRUE(uiModifyStyleEx(window, 0, WS_EX_TOOLWINDOW, 0));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(uiModifyStyle(window, WS_BORDER, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), before);
}


}  // namespace
