// The skinned window base against a packed test skin: replacing a window's skin, a missing style,
// another style on the same object, tooltips, sizes from the style, display items shown and hidden,
// colour adjustment and its deferral.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WindowTestSupport.h"
#include "uiDisplayList.h"
#include "uiDisplayText.h"
#include "uiEngineMessages.h"
#include "uiGdiAdmin.h"
#include "uiHandleMap.h"
#include "uiSkinAdmin.h"
#include "uiSkinBase.h"
#include "uiSkinError.h"
#include "uiStyle.h"

namespace {

class SkinBase : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"));
    }
    void SetUp() override
    {
        EventLog().clear();
        uiSetSkinError(0);
    }
    std::vector<std::string>& log = EventLog();
};

std::wstring ToolText(HWND tooltip, HWND tool)
{
    wchar_t text[128] = {};
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    return text;
}

RECT PlaceInParent(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(SkinBase, AMissingStyleRecordsError108AndLeavesTheWindowUnskinned)
{
    TestWindow window;
    (new RecordingObject("old"))->Attach(window, TRUE);
    auto* skin = new uiSkinBase;

    EXPECT_FALSE(skin->SkinWindow(window, L"no.such.style", TRUE, FALSE));
    EXPECT_EQ(uiGetSkinError(), 108);
    EXPECT_FALSE(skin->IsAttached());
    EXPECT_TRUE(Contains(log, "old deleted"));
    EXPECT_EQ(uiGetHandleMap()->Find(window), nullptr);
    EXPECT_EQ(SendMessageW(window, uiProbeMsg, 0, 0), 0);
    delete skin;
}

TEST_F(SkinBase, ANewSkinReplacesTheHeadAndKeepsTheOlderObjects)
{
    TestWindow window;
    (new RecordingObject("A"))->Attach(window, TRUE);
    (new RecordingObject("B"))->Attach(window, TRUE);
    auto* skin = new uiSkinBase;

    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));
    EXPECT_TRUE(Contains(log, "B deleted"));
    EXPECT_FALSE(Contains(log, "A deleted"));
    EXPECT_EQ(uiGetHandleMap()->Find(window), skin);
    log.clear();
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("A", kProbe), Entry("window", kProbe)}));
}

TEST_F(SkinBase, KeepingTheExistingSkinPutsTheNewOneOnTop)
{
    TestWindow window;
    (new RecordingObject("B"))->Attach(window, TRUE);
    auto* skin = new uiSkinBase;

    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, TRUE));
    EXPECT_FALSE(Contains(log, "B deleted"));
    EXPECT_EQ(uiGetHandleMap()->Find(window), skin);
}

TEST_F(SkinBase, ADefaultTooltipShowsTheWindowsOwnText)
{
    TestWindow window;
    SetWindowTextW(window, L"window words");
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"tip.default", TRUE, FALSE));

    ASSERT_NE(skin->GetToolTipWindow(), nullptr);
    EXPECT_EQ(SendMessageW(skin->GetToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(skin->GetToolTipWindow(), window), L"window words");
}

TEST_F(SkinBase, AFixedTooltipGoesWithTheSkinAndTheWindowStillWorks)
{
    TestWindow window;
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
    const HWND tooltip = skin->GetToolTipWindow();
    EXPECT_EQ(ToolText(tooltip, window), L"fixed tip");

    skin->Detach();
    EXPECT_FALSE(IsWindow(tooltip));
    log.clear();
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, std::vector<std::string>{Entry("window", kProbe)});

    auto* again = new uiSkinBase;
    ASSERT_TRUE(again->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
    EXPECT_EQ(SendMessageW(window, uiProbeMsg, 0, 0), 1);
    EXPECT_EQ(ToolText(again->GetToolTipWindow(), window), L"fixed tip");
}

TEST_F(SkinBase, AWidthWithoutAHeightChangesOnlyTheChildsWidth)
{
    TestWindow parent;
    TestWindow child(parent, 3);
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(child, L"width.only", TRUE, FALSE));

    const RECT place = PlaceInParent(child);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 10);
    EXPECT_EQ(place.right - place.left, 120);
    EXPECT_EQ(place.bottom - place.top, 20);
}

TEST_F(SkinBase, ADialogTakesItsWidthInPlaceAndStopsBeingTopmost)
{
    HWND dialog = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 30, 40, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    auto* skin = new uiSkinBase;
    skin->SetTypeCode(100);
    ASSERT_TRUE(skin->SkinWindow(dialog, L"width.only", TRUE, FALSE));

    RECT rect = {};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(dialog);
}

bool Visible(uiSkinBase* skin, const wchar_t* name)
{
    return skin->GetDisplayList()->FindItem(name)->IsVisible() != FALSE;
}

TEST_F(SkinBase, HiddenItemsLeaveTheirAreaInTheDirtyRectangle)
{
    TestWindow window;
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));
    EXPECT_TRUE(IsRectEmpty(&skin->GetDirtyRect()));

    EXPECT_EQ(skin->ShowDisplayItems(5, 3, FALSE), 1);
    EXPECT_TRUE(IsRectEmpty(&skin->GetDirtyRect()));
    EXPECT_TRUE(Visible(skin, L"r3"));

    skin->ShowDisplayItems(2, 4, FALSE);
    const RECT twoToFour = {20, 5, 48, 10};
    EXPECT_TRUE(EqualRect(&skin->GetDirtyRect(), &twoToFour));
    EXPECT_TRUE(Visible(skin, L"r1"));
    EXPECT_FALSE(Visible(skin, L"r2"));
    EXPECT_FALSE(Visible(skin, L"r3"));
    EXPECT_FALSE(Visible(skin, L"r4"));
    EXPECT_TRUE(Visible(skin, L"r5"));

    skin->ShowDisplayItems(1, 1, TRUE);
    const RECT oneToFour = {10, 5, 48, 10};
    EXPECT_TRUE(EqualRect(&skin->GetDirtyRect(), &oneToFour));
    skin->ShowDisplayItemsByName(L"r3", TRUE);
    EXPECT_TRUE(Visible(skin, L"r3"));
}

TEST_F(SkinBase, TheWindowsTextBecomesTheTextOfItsTextItems)
{
    TestWindow window;
    SetWindowTextW(window, L"caption words");
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));
    auto* caption = static_cast<uiDisplayText*>(skin->GetDisplayList()->FindItem(L"caption"));
    EXPECT_EQ(CString(caption->m_content), CString(L"caption words"));
    EXPECT_EQ(caption->m_ownerWindow, window.Get());
}

TEST_F(SkinBase, AHiddenDialogKeepsItsColourAdjustmentForTheNextRebuild)
{
    TestWindow window;
    auto* skin = new uiSkinBase;
    skin->SetTypeCode(102);
    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));
    ASSERT_FALSE(IsWindowVisible(window));

    skin->SetColorAdjust(30, 80, 10);
    EXPECT_FALSE(skin->IsDirty());
    EXPECT_TRUE(skin->ApplyDeferredColorAdjust());
    EXPECT_FALSE(skin->ApplyDeferredColorAdjust());
}

TEST_F(SkinBase, AHiddenButtonAppliesItsColourAdjustmentAtOnce)
{
    TestWindow window;
    auto* skin = new uiSkinBase;
    skin->SetTypeCode(103);
    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));

    skin->SetColorAdjust(30, 80, 10);
    EXPECT_TRUE(skin->IsDirty());
    EXPECT_FALSE(skin->ApplyDeferredColorAdjust());
}




TEST_F(SkinBase, APlainBaseWithoutAStyleMakesAParentReflect)
{
    TestWindow parent;
    TestWindow child(parent, 9);
    auto* parentSkin = new uiSkinBase;
    ASSERT_TRUE(parentSkin->Attach(parent, TRUE));
    RecordingObject childSkin("child");
    childSkin.Attach(child, FALSE);

    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(child.Get()));
    EXPECT_EQ(log, (std::vector<std::string>{Entry("child reflected", WM_COMMAND), Entry("window", WM_COMMAND)}));
    childSkin.Detach();
}

TEST_F(SkinBase, TheStylesCursorIsSetOverTheWindow)
{
    TestWindow window;
    const HCURSOR pointer = uiGetGdiAdmin().GetCursor(L"pointer");
    ASSERT_NE(pointer, nullptr);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"with.cursor", TRUE, FALSE));

    EXPECT_EQ(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Get()), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), pointer);
}

TEST_F(SkinBase, ACursorTheSkinLacksLeavesTheCursorToTheWindow)
{
    TestWindow window;
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(wait);
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"with.missing.cursor", TRUE, FALSE));

    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Get()), HTCLIENT);
    EXPECT_NE(GetCursor(), uiGetGdiAdmin().GetCursor(L"pointer"));
    // The message reached the window's own procedure, which set its class cursor.
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

BOOL CALLBACK CountTooltip(HWND hwnd, LPARAM counter)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0)
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadTooltips()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTooltip, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(SkinBase, SkinningAWindowAgainAndAgainLeavesOneTooltipAndNoneAfterIt)
{
    const int before = ThreadTooltips();
    HWND hwnd;
    {
        TestWindow window;
        hwnd = window;
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE((new uiSkinBase)->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
        EXPECT_EQ(ThreadTooltips(), before + 1);
        EXPECT_EQ(ToolText(static_cast<uiSkinBase*>(uiGetHandleMap()->Find(window))->GetToolTipWindow(), window),
                  L"fixed tip");
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(ThreadTooltips(), before);
}


TEST_F(SkinBase, AnotherStyleOnTheSameObjectTakesThePlaceOfTheOld)
{
    TestWindow window;
    TestWindow other;
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"items", TRUE, FALSE));

    EXPECT_TRUE(skin->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
    EXPECT_EQ(uiGetHandleMap()->Find(window), skin);
    ASSERT_NE(skin->GetSkinStyle(), nullptr);
    EXPECT_EQ(skin->GetDisplayList(), &skin->GetSkinStyle()->displayList);
    EXPECT_EQ(ToolText(skin->GetToolTipWindow(), window), L"fixed tip");

    // One window per object: another window is refused and nothing changes.
    EXPECT_FALSE(skin->SkinWindow(other, L"items", TRUE, FALSE));
    EXPECT_EQ(uiGetHandleMap()->Find(other), nullptr);
    EXPECT_EQ(uiGetHandleMap()->Find(window), skin);

    EXPECT_FALSE(skin->SkinWindow(window, L"no.such.style", TRUE, FALSE));
    EXPECT_EQ(uiGetSkinError(), 108);
    EXPECT_EQ(skin->GetSkinStyle(), nullptr);
    EXPECT_EQ(skin->GetDisplayList(), nullptr);
    EXPECT_EQ(SendMessageW(window, uiProbeMsg, 0, 0), 1);
    EXPECT_EQ(skin->ShowDisplayItems(0, 100, FALSE), 1);
}

TEST_F(SkinBase, AReplacingStyleBringsItsOwnTooltipOrLeavesNone)
{
    const int before = ThreadTooltips();
    TestWindow window;
    SetWindowTextW(window, L"window words");
    auto* skin = new uiSkinBase;
    ASSERT_TRUE(skin->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
    ASSERT_TRUE(skin->SkinWindow(window, L"tip.default", TRUE, FALSE));
    EXPECT_EQ(ToolText(skin->GetToolTipWindow(), window), L"window words");

    // A style whose property names no tooltip, and one without a property.
    for (const wchar_t* untipped : {L"width.only", L"no.property"}) {
        ASSERT_TRUE(skin->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
        ASSERT_TRUE(skin->SkinWindow(window, untipped, TRUE, FALSE));
        EXPECT_TRUE(skin->GetToolTipText().IsEmpty()) << untipped;
        EXPECT_EQ(skin->GetToolTipWindow(), nullptr) << untipped;
        EXPECT_EQ(ThreadTooltips(), before) << untipped;
    }
    // Nor does a name that the skin lacks keep the old tooltip.
    ASSERT_TRUE(skin->SkinWindow(window, L"tip.fixed", TRUE, FALSE));
    EXPECT_FALSE(skin->SkinWindow(window, L"no.such.style", TRUE, FALSE));
    EXPECT_EQ(skin->GetToolTipWindow(), nullptr);
    EXPECT_EQ(ThreadTooltips(), before);
}

}  // namespace
