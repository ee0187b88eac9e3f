// The skinned control base on real windows: the background bitmap and when it is rebuilt, the window
// region from the style, children clipped out of the background copy, transparent children painted
// over their parent's background, the mouse followed by the style's choice, and GDI objects over
// many create and destroy cycles.
#include <gtest/gtest.h>

#include <windows.h>

#include "ControlTestSupport.h"
#include "uiEngineMessages.h"
#include "uiSkinAdmin.h"
#include "uiSkinControl.h"
#include "uiTransparentHelper.h"
#include "uiStyleRecords.h"

namespace {

const int kChildDialog = 102;
const int kStatic = 106;
const int kGeneric = 125;
const COLORREF kPanel = RGB(0x20, 0x40, 0x60), kMarker = RGB(255, 0, 0), kDot = RGB(255, 255, 255);
const COLORREF kCyan = RGB(0, 255, 255), kNavy = RGB(0, 0, 0x80);

BOOL CALLBACK CountWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class SkinControl : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"));
    }
};

TEST_F(SkinControl, TheWindowShowsTheStylesColourAndItems)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    uiSkinControl* control = ::SkinControl(window, L"panel", kGeneric);
    ASSERT_NE(control, nullptr);
    PaintNow(window);

    EXPECT_EQ(WindowPixel(window, 5, 5), kPanel);
    EXPECT_EQ(WindowPixel(window, 15, 15), kMarker);
    EXPECT_EQ(WindowPixel(window, 119, 79), kPanel);
    ASSERT_NE(control->GetBackgroundDC(), nullptr);
    EXPECT_EQ(GetPixel(control->GetBackgroundDC(), 29, 29), kMarker);
    EXPECT_EQ(GetPixel(control->GetBackgroundDC(), 30, 30), kPanel);
}

TEST_F(SkinControl, ShrinkingKeepsTheLargerBitmapAndGrowingByOnePixelReplacesIt)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    uiSkinControl* control = ::SkinControl(window, L"panel", kGeneric);
    ASSERT_NE(control, nullptr);
    PaintNow(window);
    const HGDIOBJ first = GetCurrentObject(control->GetBackgroundDC(), OBJ_BITMAP);

    SetWindowPos(window, nullptr, 0, 0, 100, 60, SWP_NOMOVE | SWP_NOZORDER);
    PaintNow(window);
    EXPECT_EQ(GetCurrentObject(control->GetBackgroundDC(), OBJ_BITMAP), first);
    EXPECT_EQ(SelectedBitmapSize(control->GetBackgroundDC()).cx, 120);

    SetWindowPos(window, nullptr, 0, 0, 101, 60, SWP_NOMOVE | SWP_NOZORDER);
    PaintNow(window);
    const SIZE grown = SelectedBitmapSize(control->GetBackgroundDC());
    EXPECT_EQ(grown.cx, 101);
    EXPECT_EQ(grown.cy, 60);
    // The replaced bitmap was deleted.
    EXPECT_EQ(GetObjectType(first), 0u);
}

TEST_F(SkinControl, APaintRebuildsTheBackgroundOnlyWhenMarkedDirty)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    uiSkinControl* control = ::SkinControl(window, L"panel", kGeneric);
    ASSERT_NE(control, nullptr);
    PaintNow(window);

    control->ShowDisplayItemsByName(L"marker", FALSE);
    PaintNow(window);
    EXPECT_EQ(WindowPixel(window, 15, 15), kMarker);

    control->SetDirty(TRUE);
    PaintNow(window);
    EXPECT_EQ(WindowPixel(window, 15, 15), kPanel);
}

TEST_F(SkinControl, ANewWindowTextRebuildsTheBackground)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    uiSkinControl* control = ::SkinControl(window, L"panel", kGeneric);
    ASSERT_NE(control, nullptr);
    PaintNow(window);
    control->ShowDisplayItemsByName(L"marker", FALSE);

    SetWindowTextW(window, L"new text");
    PumpPending();
    EXPECT_EQ(control->GetWindowText(), CString(L"new text"));
    EXPECT_EQ(WindowPixel(window, 15, 15), kPanel);
}

TEST_F(SkinControl, TheMouseOverAPlainControlPaintsItsOverLook)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    ASSERT_NE(::SkinControl(window, L"panel", kGeneric), nullptr);
    PaintNow(window);
    EXPECT_EQ(WindowPixel(window, 45, 15), kPanel);

    // Painted at once, before the leave notice that the parked cursor causes is served.
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));
    UpdateWindow(window);
    EXPECT_EQ(WindowPixel(window, 45, 15), kCyan);
    EXPECT_EQ(WindowPixel(window, 15, 15), kMarker);
}

TEST_F(SkinControl, AChildDialogFollowsTheMouseOnlyWhileItsStyleHasEventItems)
{
    HostWindow window(Stage(), 0, 0, 120, 80);
    uiSkinControl* control = ::SkinControl(window, L"panel", kChildDialog);
    ASSERT_NE(control, nullptr);
    struct Case {
        const wchar_t* style;
        bool follows;
    };
    for (const Case& c : {Case{L"panel.events", true}, Case{L"panel", false}, Case{L"panel.events", true}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(control->SkinWindow(window, c.style, TRUE, FALSE));
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));
        // A dialog repaints its state only when rebuilt.
        SendMessageW(window, UIM_UPDATE, 0, 0);
        EXPECT_EQ(WindowPixel(window, 45, 15) == kCyan, c.follows);
        SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    }
}

TEST_F(SkinControl, AWindowTooLargeForItsBitmapStaysUnpaintedAndTakesNothing)
{
    HostWindow window(Stage(), 0, 0, 30000, 30000);
    uiSkinControl* control = ::SkinControl(window, L"panel", kGeneric);
    ASSERT_NE(control, nullptr);
    const long before = LiveGdiObjects();

    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(control->RebuildBackground(TRUE));
    EXPECT_EQ(control->GetBackgroundDC(), nullptr);
    // The window DCs taken for the rebuilds went back: a DC still taken makes the next one new.
    EXPECT_EQ(LiveGdiObjects(), before);
    PaintNow(window);
    EXPECT_EQ(control->GetBackgroundDC(), nullptr);
}

TEST_F(SkinControl, AClipColourWithoutShapesCutsTheWindowToItsOtherPixels)
{
    HostWindow window(Stage(), 0, 0, 60, 40);
    ASSERT_NE(::SkinControl(window, L"keyed", kGeneric), nullptr);
    PaintNow(window);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    RECT box = {};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 25);
    DeleteObject(region);
}

TEST_F(SkinControl, RectangleShapesPlacedFromBothEdgesMakeTheRegion)
{
    HostWindow window(Stage(), 0, 0, 100, 60);
    ASSERT_NE(::SkinControl(window, L"shaped", kGeneric), nullptr);
    PaintNow(window);

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 5, 5));
    EXPECT_TRUE(PtInRegion(region, 19, 19));
    EXPECT_FALSE(PtInRegion(region, 20, 20));
    EXPECT_FALSE(PtInRegion(region, 50, 30));
    // The second shape: 20 x 20 from the far corner of the window grown by one pixel.
    EXPECT_TRUE(PtInRegion(region, 81, 41));
    EXPECT_TRUE(PtInRegion(region, 99, 59));
    EXPECT_FALSE(PtInRegion(region, 80, 40));
    DeleteObject(region);
}

TEST(RegionShape, UnsetAndNegativeSidesArePlacedAgainstTheBounds)
{
    const RECT bounds = {0, 0, 100, 50};
    uiRegionShape fromFarEdge;
    fromFarEdge.left = -30;
    fromFarEdge.top = 5;
    fromFarEdge.bottom = -5;
    const RECT placed = fromFarEdge.Resolve(bounds);
    EXPECT_EQ(placed.left, 70);
    EXPECT_EQ(placed.top, 5);
    EXPECT_EQ(placed.right, 100);
    EXPECT_EQ(placed.bottom, 45);

    uiRegionShape sized;
    sized.left = 10;
    sized.width = 15;
    sized.right = 90;
    const RECT given = sized.Resolve(bounds);
    EXPECT_EQ(given.left, 10);
    EXPECT_EQ(given.right, 25);
    EXPECT_EQ(given.top, 0);
    EXPECT_EQ(given.bottom, 50);
    // Resolving again against other bounds follows them: the skin's values were kept.
    const RECT wider = fromFarEdge.Resolve(RECT{0, 0, 200, 50});
    EXPECT_EQ(wider.left, 170);
    EXPECT_EQ(wider.right, 200);
}

class Children : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"));
    }
    void SetUp() override
    {
        parentControl = ::SkinControl(parent, L"panel", kChildDialog);
        ASSERT_NE(parentControl, nullptr);
    }

    HostWindow parent{Stage(), 0, 0, 200, 100};
    uiSkinControl* parentControl = nullptr;
};

TEST_F(Children, AChildIsClippedOutOfTheParentsBackgroundCopy)
{
    CreateSolidChild(parent, RECT{50, 50, 90, 80}, kCyan);
    PaintNow(parent);
    parentControl->RedrawNow();

    EXPECT_EQ(WindowPixel(parent, 60, 60), kCyan);
    EXPECT_EQ(WindowPixel(parent, 45, 60), kPanel);
}

TEST_F(Children, ATransparentChildShowsTheParentsBackgroundUnderItsPlace)
{
    HostWindow child(parent, 5, 5, 40, 30);
    uiSkinControl* childControl = ::SkinControl(child, L"see.through", kGeneric);
    ASSERT_NE(childControl, nullptr);
    EXPECT_TRUE(childControl->IsTransparent());
    PaintNow(parent);

    // Child (14, 14) lies over the parent's marker at (19, 19); child (2, 2) over its plain colour.
    EXPECT_EQ(WindowPixel(child, 14, 14), kMarker);
    EXPECT_EQ(WindowPixel(child, 2, 2), kPanel);
    EXPECT_EQ(WindowPixel(child, 9, 9), kDot);

    // Moved without a change of size: rebuilt over the parent's plain colour.
    SetWindowPos(child, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PaintNow(parent);
    EXPECT_EQ(WindowPixel(child, 14, 14), kPanel);
    EXPECT_EQ(WindowPixel(child, 9, 9), kDot);
}

TEST_F(Children, ARebuiltParentHasItsTransparentChildrenRepaintOverIt)
{
    HostWindow child(parent, 5, 5, 40, 30);
    ASSERT_NE(::SkinControl(child, L"see.through", kGeneric), nullptr);
    PaintNow(parent);
    ASSERT_EQ(WindowPixel(child, 14, 14), kMarker);

    parentControl->ShowDisplayItemsByName(L"marker", FALSE);
    parentControl->RebuildBackground(TRUE);

    EXPECT_EQ(WindowPixel(child, 14, 14), kPanel);
}

TEST_F(Children, AChildGivenAnOpaqueStyleShowsItsOwnColourAndIsNoLongerTransparent)
{
    HostWindow child(parent, 5, 5, 40, 30);
    uiSkinControl* childControl = ::SkinControl(child, L"see.through", kGeneric);
    ASSERT_NE(childControl, nullptr);
    PaintNow(parent);
    ASSERT_EQ(WindowPixel(child, 2, 2), kPanel);

    ASSERT_TRUE(childControl->SkinWindow(child, L"events", TRUE, FALSE));
    EXPECT_FALSE(childControl->IsTransparent());
    EXPECT_FALSE(uiHasTransparentTag(child));
    PaintNow(parent);
    EXPECT_EQ(WindowPixel(child, 2, 2), kNavy);

    ASSERT_TRUE(childControl->SkinWindow(child, L"see.through", TRUE, FALSE));
    EXPECT_TRUE(uiHasTransparentTag(child));
    PaintNow(parent);
    EXPECT_EQ(WindowPixel(child, 14, 14), kMarker);
}

TEST(SkinControlResources, TheGdiCountSeesObjectsComeAndGo)
{
    const long before = LiveGdiObjects();
    HBRUSH brushes[10];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(LiveGdiObjects(), before + 10);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(SkinControlResources, ManyCreateAndDestroyCyclesLeaveTheObjectCountsAlone)
{
    ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"));
    HostWindow host(Stage(), 0, 0, 300, 200);
    // A shaped control with a transparent child, painted, resized and painted again; an event control
    // whose item's tooltip appears.
    auto cycle = [&host] {
        HostWindow parent(host, 0, 0, 200, 100);
        ::SkinControl(parent, L"keyed", kChildDialog);
        HostWindow child(parent, 5, 5, 40, 30);
        ::SkinControl(child, L"see.through", kGeneric);
        HostWindow events(host, 0, 100, 200, 60);
        ::SkinControl(events, L"events", kStatic);
        PaintNow(parent);
        SetWindowPos(parent, nullptr, 0, 0, 220, 110, SWP_NOMOVE | SWP_NOZORDER);
        SendMessageW(events, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        PaintNow(host);
    };
    // The first cycle may create lasting objects of the system's own (stock fonts, caches).
    cycle();
    const long gdiBefore = LiveGdiObjects();
    ASSERT_GT(gdiBefore, 0);
    const int windowsBefore = ThreadWindowCount();
    for (int i = 0; i < 1000; ++i)
        cycle();
    EXPECT_EQ(LiveGdiObjects(), gdiBefore);
    // Tooltips are top-level windows of the thread.
    EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

}  // namespace
