// The entry functions: the factory's codes and default styles, errors 108 and 109, child skinning
// with its button refinement and the no-skin mark, the parent skin, and display items switched
// through uiSetDisplayParams.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "DialogTestSupport.h"
#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiHandleMap.h"
#include "uiNoSkinGuard.h"
#include "uiSkinAdmin.h"
#include "uiSkinBase.h"
#include "uiSkinEntry.h"
#include "uiSkinError.h"
#include "uiStyle.h"
#include "uiTimerWindow.h"

namespace {

uiSkinBase* Head(HWND hwnd)
{
    return dynamic_cast<uiSkinBase*>(uiGetHandleMap()->Find(hwnd));
}

class Factory : public testing::Test {
protected:
    void SetUp() override { uiSetSkinError(0); }
    HostWindow host{WS_OVERLAPPEDWINDOW};
};

TEST_F(Factory, AStaticWithoutNameTakesTheStaticStyleTheCodeAndClickNotices)
{
    HWND label = MakeChild(host, L"Static", 0, 10);
    ASSERT_TRUE(uiSkinWindow(label, 'j', L"", FALSE));
    uiSkinBase* head = Head(label);
    ASSERT_NE(head, nullptr);
    EXPECT_STREQ(head->GetStyleName().GetString(), L"static");
    EXPECT_EQ(head->GetTypeCode(), 106);
    EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & SS_NOTIFY);
}

TEST_F(Factory, ButtonKindsTakeTheirDefaultStylesAndKeepTheirCodes)
{
    const struct {
        int code;
        const wchar_t* style;
    } kinds[] = {{'g', L"button"}, {'h', L"checkbutton"}, {'i', L"radiobutton"}, {'{', L"splitbutton"}};
    int id = 10;
    for (const auto& kind : kinds) {
        HWND button = MakeChild(host, L"Button", 0, id++);
        ASSERT_TRUE(uiSkinWindow(button, kind.code, L"", FALSE)) << kind.code;
        EXPECT_STREQ(Head(button)->GetStyleName().GetString(), kind.style);
        EXPECT_EQ(Head(button)->GetTypeCode(), kind.code);
    }
    HWND bar = MakeChild(host, PROGRESS_CLASSW, 0, id);
    ASSERT_TRUE(uiSkinWindow(bar, 'w', nullptr, FALSE));
    EXPECT_STREQ(Head(bar)->GetStyleName().GetString(), L"progress");
}

TEST_F(Factory, ChildButtonsAreRefinedOnlyByTheExactLowByteOfTheirStyle)
{
    HWND check = MakeChild(host, L"Button", BS_AUTOCHECKBOX, 10);
    HWND radio = MakeChild(host, L"Button", BS_AUTORADIOBUTTON, 11);
    HWND leftText = MakeChild(host, L"Button", BS_AUTOCHECKBOX | BS_LEFTTEXT, 12);
    HWND push = MakeChild(host, L"Button", BS_DEFPUSHBUTTON, 13);
    ASSERT_TRUE(uiSkinChildWindows(host));
    EXPECT_EQ(Head(check)->GetTypeCode(), 104);
    EXPECT_EQ(Head(radio)->GetTypeCode(), 105);
    EXPECT_EQ(Head(leftText)->GetTypeCode(), 103);
    EXPECT_STREQ(Head(leftText)->GetStyleName().GetString(), L"button");
    EXPECT_EQ(Head(push)->GetTypeCode(), 103);
}

// The first skin made the buttons owner-drawn; a second pass still sees what they are.
TEST_F(Factory, ChildButtonsSkinnedAgainKeepTheirKindsAndChecks)
{
    HWND check = MakeChild(host, L"Button", BS_AUTOCHECKBOX, 10);
    HWND radio = MakeChild(host, L"Button", BS_AUTORADIOBUTTON, 11);
    HWND push = MakeChild(host, L"Button", BS_PUSHBUTTON, 12);
    ASSERT_TRUE(uiSkinChildWindows(host));
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(uiSkinChildWindows(host));

    EXPECT_EQ(Head(check)->GetTypeCode(), 104);
    EXPECT_STREQ(Head(check)->GetStyleName().GetString(), L"checkbutton");
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Head(radio)->GetTypeCode(), 105);
    EXPECT_EQ(Head(push)->GetTypeCode(), 103);

    // Each skin that goes hands back the box's own kind, not the owner drawing it found.
    uiGetHandleMap()->DetachAll(check);
    EXPECT_EQ(GetWindowLongW(check, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_AUTOCHECKBOX));
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Factory, AnExtendedDialogTakesTheDialogStyleOnlyForANullName)
{
    ASSERT_TRUE(uiSkinWindow(host, 'd', nullptr, FALSE));
    EXPECT_STREQ(Head(host)->GetStyleName().GetString(), L"dialog");
    EXPECT_EQ(Head(host)->GetTypeCode(), 100);

    HostWindow other(WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(uiSkinWindow(other, 'd', L"", FALSE));
    EXPECT_EQ(uiGetSkinError(), 108);
    EXPECT_EQ(uiGetHandleMap()->Find(other), nullptr);
}

TEST_F(Factory, AMissingStyleLeavesTheWindowUnskinnedWithError108)
{
    HWND label = MakeChild(host, L"Static", 0, 10);
    EXPECT_FALSE(uiSkinWindow(label, 'j', L"no.such.style", FALSE));
    EXPECT_EQ(uiGetSkinError(), 108);
    EXPECT_EQ(uiGetHandleMap()->Find(label), nullptr);
    // The window still answers through its own procedure.
    SetWindowTextW(label, L"still works");
    wchar_t text[32] = {};
    GetWindowTextW(label, text, 32);
    EXPECT_STREQ(text, L"still works");
}

TEST_F(Factory, TheGenericControlNeedsANameElseError109)
{
    HWND control = MakeChild(host, L"Static", 0, 10);
    EXPECT_FALSE(uiSkinWindow(control, '}', nullptr, FALSE));
    EXPECT_EQ(uiGetSkinError(), 109);
    uiSetSkinError(0);
    EXPECT_FALSE(uiSkinWindow(control, '}', L"", FALSE));
    EXPECT_EQ(uiGetSkinError(), 109);
    EXPECT_EQ(uiGetHandleMap()->Find(control), nullptr);

    ASSERT_TRUE(uiSkinWindow(control, '}', L"generic.named", FALSE));
    EXPECT_EQ(Head(control)->GetTypeCode(), 125);
}

TEST_F(Factory, CodesWithoutAClassCreateNothing)
{
    for (int code : {99, 112, 118, 127, -1}) {
        EXPECT_FALSE(uiSkinWindow(host, code, L"dialog", FALSE)) << code;
        EXPECT_EQ(uiGetHandleMap()->Find(host), nullptr) << code;
    }
}

TEST_F(Factory, AChildDialogSkinsItselfBeforeItsDirectChildrenWithTheirClassDefaults)
{
    HWND label = MakeChild(host, L"Static", 0, 10);
    HostWindow grandParent(WS_CHILD | WS_VISIBLE, host);
    HWND grandChild = MakeChild(grandParent, L"Static", 0, 11);

    ASSERT_TRUE(uiSkinWindow(host, 'f', L"childdialog", TRUE));
    EXPECT_EQ(Head(host)->GetTypeCode(), 102);
    ASSERT_NE(Head(label), nullptr);
    EXPECT_STREQ(Head(label)->GetStyleName().GetString(), L"static");
    EXPECT_EQ(uiGetHandleMap()->Find(grandChild), nullptr);
}

TEST_F(Factory, AChildDialogFailsWhenItsOwnStyleIsMissingButStillSkinsItsChildren)
{
    HWND label = MakeChild(host, L"Static", 0, 10);
    EXPECT_FALSE(uiSkinWindow(host, 'f', L"no.such.style", TRUE));
    EXPECT_NE(Head(label), nullptr);
}

TEST_F(Factory, AChildMarkedNoSkinKeepsItsOwnLook)
{
    HWND label = MakeChild(host, L"Static", 0, 10);
    uiNoSkinGuard guard;
    guard.Set(label);
    EXPECT_TRUE(uiSkinChildWindows(host));
    EXPECT_EQ(uiGetHandleMap()->Find(label), nullptr);
}

TEST_F(Factory, ChildSkinningOfANonWindowFails)
{
    EXPECT_FALSE(uiSkinChildWindows(nullptr));
    HWND gone = MakeChild(host, L"Static", 0, 10);
    DestroyWindow(gone);
    EXPECT_FALSE(uiSkinChildWindows(gone));
}

TEST_F(Factory, TheParentSkinIsAttachedOnce)
{
    // A top-level window has no parent to skin: neither it nor the desktop gains a chain.
    uiAttachParentSkin(host);
    EXPECT_EQ(uiGetHandleMap()->Find(host), nullptr);
    EXPECT_EQ(uiGetHandleMap()->Find(GetDesktopWindow()), nullptr);

    HWND child = MakeChild(host, L"Static", 0, 10);
    uiAttachParentSkin(child);
    uiSubclassWnd* first = uiGetHandleMap()->Find(host);
    ASSERT_NE(first, nullptr);
    uiAttachParentSkin(child);
    EXPECT_EQ(uiGetHandleMap()->Find(host), first);
    EXPECT_EQ(uiGetHandleMap()->Find(child), nullptr);
}

TEST_F(Factory, DisplayParamsOfANullOrUnskinnedWindowChangeNothing)
{
    EXPECT_EQ(uiSetDisplayParams(nullptr, 4, 4, FALSE, TRUE), 1);
    EXPECT_EQ(uiSetDisplayParams(host, 4, 4, FALSE, TRUE), 1);
}

TEST_F(Factory, DisplayParamsSwitchTheItemsOfTheRangeAndCollectTheirArea)
{
    ASSERT_TRUE(uiSkinWindow(host, 'd', L"dlg.frame", FALSE));
    uiSkinBase* head = Head(host);
    const uiDisplayItem* strip = head->GetDisplayList()->FindItem(L"caption.strip");
    ASSERT_NE(strip, nullptr);

    ShowWindow(host, SW_SHOWNA);
    UpdateWindow(host);
    EXPECT_EQ(uiSetDisplayParams(host, 1, 1, FALSE, TRUE), 1);
    EXPECT_FALSE(strip->IsVisible());
    EXPECT_TRUE(head->IsDirty());
    // Only the strip's area waits for a repaint.
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(host, &update, FALSE));
    const RECT stripArea = {0, 0, 400, 30};
    EXPECT_TRUE(EqualRect(&update, &stripArea))
        << update.left << "," << update.top << "," << update.right << "," << update.bottom;

    EXPECT_EQ(uiSetDisplayParams(host, 2, 4, TRUE, FALSE), 1);
    EXPECT_FALSE(strip->IsVisible());
    EXPECT_EQ(uiSetDisplayParams(host, 0, 1, TRUE, FALSE), 1);
    EXPECT_TRUE(strip->IsVisible());
}

TEST(Entry, LoadWithoutNameFailsAndExitAlwaysSucceeds)
{
    EXPECT_EQ(uiLoadSkin(nullptr, L"SKINDB"), 0);
    EXPECT_EQ(uiSetMenuSkin(FALSE), 1);
    EXPECT_FALSE(uiIsMenuSkinned());
    EXPECT_EQ(uiSetMenuSkin(TRUE), 1);
    EXPECT_TRUE(uiIsMenuSkinned());

    // The environment loaded the skin; exit empties the skin, drops the menu hook and the timer window.
    ASSERT_TRUE(std::unique_ptr<uiStyle>(uiGetSkinAdmin().FindStyle(L"button")));
    ASSERT_NE(uiGetTimerWindow().GetHandle(), nullptr);
    EXPECT_EQ(uiExitSkin(), 1);
    EXPECT_FALSE(std::unique_ptr<uiStyle>(uiGetSkinAdmin().FindStyle(L"button")));
    EXPECT_FALSE(uiIsMenuSkinned());
    EXPECT_EQ(uiGetTimerWindow().GetHandle(), nullptr);
    // Exit with nothing loaded, and a load without a name, change nothing.
    EXPECT_EQ(uiExitSkin(), 1);
    EXPECT_EQ(uiLoadSkin(nullptr, L"SKINDB"), 0);
    EXPECT_FALSE(uiIsMenuSkinned());
    EXPECT_EQ(uiGetTimerWindow().GetHandle(), nullptr);
    EXPECT_FALSE(std::unique_ptr<uiStyle>(uiGetSkinAdmin().FindStyle(L"button")));

    // The tests after this one need the skin again.
    ASSERT_EQ(uiLoadSkin(MAKEINTRESOURCEW(2029), L"SKINDB"), 1);
    EXPECT_TRUE(uiIsMenuSkinned());
    EXPECT_NE(uiGetTimerWindow().GetHandle(), nullptr);
}

}  // namespace
