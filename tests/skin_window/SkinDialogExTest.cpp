// The extended dialog: its hit tests (sizing borders, event items, caption, a whole-window caption),
// the caption buttons it makes and what their clicks do, the application's veto of a minimise, size
// limits, another style in place of the old one, giving the system caption back, and the objects a
// thousand dialogs leave behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <vector>

#include "DialogTestSupport.h"
#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiHandleMap.h"
#include "uiNoSkinGuard.h"
#include "uiSkinBase.h"
#include "uiSkinDialogEx.h"
#include "uiSkinEntry.h"

namespace {

const DWORD kFramedDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX;

LRESULT HitAt(HWND hwnd, int x, int y)
{
    return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

RECT RectInWindow(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    RECT parent = {};
    GetWindowRect(GetParent(child), &parent);
    OffsetRect(&rect, -parent.left, -parent.top);
    return rect;
}

class DialogEx : public testing::Test {
protected:
    void SetUp() override { Host() = HostRecord(); }
};

// The window lies at (100, 100) with 400 x 300; borders 5, 6, 7, 8; caption 30; an event item at
// (10, 5) of 20 x 20 in window coordinates.
TEST_F(DialogEx, SizingBordersCornersCaptionAndEventItemsAreHitWhereTheStylePutsThem)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    ASSERT_EQ(rect.left, 100);
    ASSERT_EQ(rect.right - rect.left, 400);

    EXPECT_EQ(HitAt(dialog, 104, 105), HTTOPLEFT);
    EXPECT_EQ(HitAt(dialog, 104, 106), HTLEFT);
    EXPECT_EQ(HitAt(dialog, 104, 392), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(dialog, 493, 105), HTTOPRIGHT);
    EXPECT_EQ(HitAt(dialog, 492, 200), HTCLIENT);
    EXPECT_EQ(HitAt(dialog, 499, 200), HTRIGHT);
    EXPECT_EQ(HitAt(dialog, 493, 399), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(dialog, 300, 105), HTTOP);
    EXPECT_EQ(HitAt(dialog, 300, 392), HTBOTTOM);
    EXPECT_EQ(HitAt(dialog, 300, 391), HTCLIENT);
    EXPECT_EQ(HitAt(dialog, 115, 110), HTCLIENT);  // the event item
    EXPECT_EQ(HitAt(dialog, 135, 110), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 300, 129), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 300, 130), HTCLIENT);
}

TEST_F(DialogEx, AFixedDialogHasNoSizingBordersAndPointsOutsideBelowTheCaptionAreBorder)
{
    HostWindow fixed(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ASSERT_TRUE(uiSkinWindow(fixed, 'd', L"dlg.frame", FALSE));
    EXPECT_EQ(HitAt(fixed, 101, 200), HTCLIENT);
    EXPECT_EQ(HitAt(fixed, 300, 101), HTCAPTION);
    EXPECT_EQ(HitAt(fixed, 50, 120), HTCAPTION);
    EXPECT_EQ(HitAt(fixed, 50, 200), HTBORDER);
}

TEST_F(DialogEx, AMaximisedDialogHasNoSizingBorders)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    ShowWindow(dialog, SW_MAXIMIZE);
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(HitAt(dialog, rect.left + 1, rect.top + 1), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, rect.left + 1, rect.top + 100), HTCLIENT);
}

TEST_F(DialogEx, ACaptionHeightOfMinusOneMakesTheWholeWindowCaption)
{
    HostWindow dialog(WS_POPUP | WS_CAPTION);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.whole", FALSE));
    auto* skin = static_cast<uiSkinDialogEx*>(uiGetHandleMap()->Find(dialog));
    EXPECT_EQ(skin->GetCaptionHeight(), 10000);
    EXPECT_EQ(HitAt(dialog, 300, 398), HTCAPTION);
    EXPECT_EQ(HitAt(dialog, 101, 101), HTCAPTION);
}

TEST_F(DialogEx, TheSystemCaptionGoesAndCaptionButtonsArePlacedFromTheRightEdge)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION);
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);

    const struct {
        int id;
        RECT rect;
    } expected[] = {{0xFFDE, {310, 2, 340, 22}}, {0xFFDD, {340, 2, 370, 22}}, {0xFFDC, {370, 2, 400, 22}}};
    for (const auto& button : expected) {
        HWND hwnd = GetDlgItem(dialog, button.id);
        ASSERT_NE(hwnd, nullptr) << button.id;
        const RECT actual = RectInWindow(hwnd);
        EXPECT_TRUE(EqualRect(&actual, &button.rect)) << button.id << ": " << actual.left << "," << actual.top
                                                       << "," << actual.right << "," << actual.bottom;
        EXPECT_TRUE(uiNoSkinGuard::IsGuarded(hwnd));
        EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP);
    }
    // Labelled buttons are skinned, the unlabelled close button is not.
    EXPECT_NE(uiGetHandleMap()->Find(GetDlgItem(dialog, 0xFFDE)), nullptr);
    EXPECT_EQ(uiGetHandleMap()->Find(GetDlgItem(dialog, 0xFFDC)), nullptr);
}

TEST_F(DialogEx, ChildrenMoveBelowTheOwnCaptionButTheCaptionButtonsStay)
{
    HostWindow dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    HWND label = MakeChild(dialog, L"Static", 0, 10);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    RECT rect = {};
    GetWindowRect(label, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.bottom - rect.top, 20);
    EXPECT_EQ(RectInWindow(GetDlgItem(dialog, 0xFFDC)).top, 2);
}

TEST_F(DialogEx, ADialogWithoutSystemCaptionMakesNoCloseButton)
{
    HostWindow dialog(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    EXPECT_EQ(GetDlgItem(dialog, 0xFFDC), nullptr);
    EXPECT_NE(GetDlgItem(dialog, 0xFFDE), nullptr);
}

TEST_F(DialogEx, TheCloseButtonAsksTheApplicationToClose)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    SendMessageW(GetDlgItem(dialog, 0xFFDC), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return Host().closeRequests == 1; }));
}

TEST_F(DialogEx, TheMinimiseButtonMinimisesAndTheMaximiseButtonToggles)
{
    HostWindow dialog(kFramedDialog | WS_VISIBLE);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    SendMessageW(GetDlgItem(dialog, 0xFFDD), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsZoomed(dialog));
    SendMessageW(dialog, WM_SYSCOMMAND, 0xF122, 0);
    EXPECT_FALSE(IsZoomed(dialog));
    SendMessageW(GetDlgItem(dialog, 0xFFDE), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(dialog) != FALSE; }));
}

// Which look the maximise button shows: 1 for items 1..3 only, 0 for items 4..6 only, -1 otherwise.
int MaximiseLookOf(HWND button)
{
    auto* skin = dynamic_cast<uiSkinBase*>(uiGetHandleMap()->Find(button));
    if (!skin || !skin->GetDisplayList())
        return -1;
    const wchar_t* maximise[] = {L"max1", L"max2", L"max3"};
    const wchar_t* restore[] = {L"restore1", L"restore2", L"restore3"};
    int shown = 0, hidden = 0;
    for (int i = 0; i < 3; ++i) {
        const BOOL max = skin->GetDisplayList()->FindItem(maximise[i])->IsVisible();
        const BOOL res = skin->GetDisplayList()->FindItem(restore[i])->IsVisible();
        shown += max && !res;
        hidden += !max && res;
    }
    return shown == 3 ? 1 : hidden == 3 ? 0 : -1;
}

TEST_F(DialogEx, TheMaximiseButtonShowsTheLookOfWhatAClickWouldDo)
{
    HostWindow dialog(kFramedDialog | WS_VISIBLE);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    HWND button = GetDlgItem(dialog, 0xFFDD);
    EXPECT_EQ(MaximiseLookOf(button), 1);
    SendMessageW(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(dialog));
    EXPECT_EQ(MaximiseLookOf(button), 0);
    // A double click on the caption of the maximised dialog.
    SendMessageW(dialog, WM_SYSCOMMAND, 0xF122, 0);
    EXPECT_FALSE(IsZoomed(dialog));
    EXPECT_EQ(MaximiseLookOf(button), 1);
}

TEST_F(DialogEx, TheApplicationCanVetoAMinimiseWhenTheStyleAsksIt)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.limits", FALSE));
    Host().vetoMinimise = true;
    SendMessageW(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(Host().minimiseOffers, 1);
    EXPECT_FALSE(IsIconic(dialog));
    Host().vetoMinimise = false;
    SendMessageW(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(dialog));
}

TEST_F(DialogEx, SizeLimitsOfTheStyleBoundTheTrackingSizes)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.limits", FALSE));
    MINMAXINFO info = {};
    info.ptMinTrackSize = {350, 100};
    SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxSize.x, 500);
    EXPECT_EQ(info.ptMaxSize.y, 400);
    EXPECT_EQ(info.ptMinTrackSize.x, 350);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
}

TEST_F(DialogEx, AReplacingStyleBringsItsOwnCaptionBordersLimitsClientStartAndCaptionButtons)
{
    HostWindow dialog(kFramedDialog);
    HWND label = MakeChild(dialog, L"Static", 0, 10);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    auto* skin = dynamic_cast<uiSkinDialogEx*>(uiGetHandleMap()->Find(dialog));
    ASSERT_NE(skin, nullptr);
    const HWND minimise = GetDlgItem(dialog, 0xFFDE), close = GetDlgItem(dialog, 0xFFDC);
    struct Case {
        const wchar_t* style;
        LRESULT atCaptionDepth50;
        LRESULT atLeftInset8;
        bool limited;
        int labelTop;
        bool minimiseSkinned;
        bool closeSkinned;
        RECT closeRect;
    };
    for (const Case& c : {Case{L"dlg.tall", HTCAPTION, HTLEFT, true, 80, false, true, {360, 4, 396, 28}},
                          Case{L"dlg.frame", HTCLIENT, HTCLIENT, false, 50, true, false, {370, 2, 400, 22}}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(skin->SkinWindow(dialog, c.style, TRUE, FALSE));
        EXPECT_EQ(HitAt(dialog, 300, 150), c.atCaptionDepth50);
        EXPECT_EQ(HitAt(dialog, 108, 200), c.atLeftInset8);
        MINMAXINFO info = {};
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMaxSize.x == 600 && info.ptMaxSize.y == 450, c.limited);
        RECT place = {};
        GetWindowRect(label, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.top, c.labelTop);
        EXPECT_EQ(uiGetHandleMap()->Find(minimise) != nullptr, c.minimiseSkinned);
        EXPECT_EQ(uiGetHandleMap()->Find(close) != nullptr, c.closeSkinned);
        const RECT closePlace = RectInWindow(close);
        EXPECT_TRUE(EqualRect(&closePlace, &c.closeRect));
    }
}

bool IsWindows7()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return version.dwMajorVersion == 6 && version.dwMinorVersion == 1;
}

TEST_F(DialogEx, WithoutLimitsTheMaximisedPlaceDependsOnTheSystem)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    MINMAXINFO info = {};
    info.ptMaxPosition = {-4, -4};
    info.ptMaxSize = {1288, 808};
    SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (IsWindows7()) {
        EXPECT_EQ(info.ptMaxPosition.x, 1);
        EXPECT_EQ(info.ptMaxPosition.y, 1);
        EXPECT_EQ(info.ptMaxSize.x, 1281);
        EXPECT_EQ(info.ptMaxSize.y, 801);
    } else {
        RECT work = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(info.ptMaxPosition.x, work.left - 2);
        EXPECT_EQ(info.ptMaxSize.x, work.right - work.left + 4);
        EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top + 4);
    }
}

TEST_F(DialogEx, DetachingGivesTheSystemCaptionBackAndRemovesTheCaptionButtons)
{
    HostWindow dialog(kFramedDialog);
    ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", FALSE));
    HWND close = GetDlgItem(dialog, 0xFFDC);
    uiGetHandleMap()->Find(dialog)->Detach();
    EXPECT_EQ(uiGetHandleMap()->Find(dialog), nullptr);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_FALSE(IsWindow(close));
    EXPECT_EQ(GetDlgItem(dialog, 0xFFDE), nullptr);
}

TEST_F(DialogEx, ATabSelectionChangeIsRecognisedButNeverClaimed)
{
    uiSkinDialogEx dialog;
    NMHDR header = {};
    header.code = TCN_SELCHANGE;
    uiReflectInfo info = {WM_NOTIFY, 0, 0, FALSE};
    EXPECT_EQ(dialog.OnReflectedNotify(&info, &header), 1);
    EXPECT_FALSE(info.handled);
    header.code = NM_CLICK;
    EXPECT_EQ(dialog.OnReflectedNotify(&info, &header), 0);
}

TEST_F(DialogEx, ResolvedButtonRectanglesCountNegativeSidesFromTheFarEdge)
{
    const RECT resolved = uiSkinDialogEx::ResolveButtonRect({-30, -20, 0, -4}, 200, 100);
    const RECT expected = {170, 80, 200, 96};
    EXPECT_TRUE(EqualRect(&resolved, &expected));
    const RECT plain = uiSkinDialogEx::ResolveButtonRect({4, 5, 24, 25}, 200, 100);
    const RECT same = {4, 5, 24, 25};
    EXPECT_TRUE(EqualRect(&plain, &same));
}

// Objects of a kind that the process can still create: made until the system refuses, then freed.
// Where the system keeps no per-process counts, this tells a leak by the shrinking headroom.
template <class Make, class Free>
int Headroom(Make make, Free free)
{
    std::vector<decltype(make())> made;
    for (;;) {
        auto object = make();
        if (!object || made.size() >= 200000)
            break;
        made.push_back(object);
    }
    for (auto object : made)
        free(object);
    return static_cast<int>(made.size());
}

int GdiHeadroom()
{
    return Headroom([] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN region) { DeleteObject(region); });
}

int UserHeadroom()
{
    return Headroom([] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
}

TEST_F(DialogEx, AThousandSkinnedDialogsLeaveTheObjectCountsWhereTheyStarted)
{
    auto cycle = [] {
        // Hidden: a shown top-level window costs seconds under Wine without a window manager. The
        // paints are asked for directly; the background is built from the window DC all the same.
        HostWindow dialog(kFramedDialog);
        MakeChild(dialog, L"Static", 0, 10);
        ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dlg.frame", TRUE));
        SendMessageW(dialog, WM_PAINT, 0, 0);
        SendMessageW(dialog, WM_NCPAINT, 1, 0);
        SendMessageW(dialog, WM_NCACTIVATE, FALSE, 0);
        SetWindowTextW(dialog, L"renamed");
        SetWindowPos(dialog, nullptr, 0, 0, 420, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(dialog, WM_PAINT, 0, 0);
    };
    cycle();
    const int gdi = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    const int user = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    const bool counted = gdi != 0 || user != 0;
    const int gdiRoom = counted ? 0 : GdiHeadroom();
    const int userRoom = counted ? 0 : UserHeadroom();
    for (int i = 0; i < 1000; ++i)
        cycle();
    if (counted) {
        EXPECT_EQ(static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)), gdi);
        EXPECT_EQ(static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), user);
    } else {
        ASSERT_GT(gdiRoom, 1000);
        ASSERT_GT(userRoom, 1000);
        // A few objects may come and go with the system's own caches, never one per dialog.
        EXPECT_GE(GdiHeadroom(), gdiRoom - 20);
        EXPECT_GE(UserHeadroom(), userRoom - 20);
    }
}

}  // namespace
