// The menu bar under Wine: buttons made from a menu, drop-downs opened by a click, and the message
// filter of menu mode (arrow keys, sliding mouse, mnemonics, Escape), driven from a timer while the
// drop-downs are open.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <map>
#include <vector>

#include "MenuTestSupport.h"
#include "uiApiLoader.h"
#include "uiHandleMap.h"
#include "uiMenuToolBar.h"
#include "uiNoSkinGuard.h"
#include "uiSkinAdmin.h"
#include "uiSkinEntry.h"
#include "uiSkinError.h"
#include "uiSkinMenu.h"

namespace {

enum ItemIds { kOpenId = 501, kSaveId = 502, kExitId = 503, kCopyId = 601, kAboutId = 701 };

std::vector<WPARAM> g_commands;
std::map<HMENU, int> g_popupsShown;

LRESULT CALLBACK RecordingOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        g_commands.push_back(wParam);
    if (msg == WM_INITMENUPOPUP)
        ++g_popupsShown[reinterpret_cast<HMENU>(wParam)];
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class MenuBar : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        uiApiLoader::Load();
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"));
        sharedOwner = new MenuOwner(RecordingOwnerProc);
    }
    static void TearDownTestSuite()
    {
        delete sharedOwner;
        sharedOwner = nullptr;
    }
    void SetUp() override
    {
        uiSkinMenu::SetMsgHook(TRUE);
        g_commands.clear();
        g_popupsShown.clear();
        menu = CreateMenu();
        for (const wchar_t* title : {L"&File", L"&Edit", L"&Help"}) {
            HMENU popup = CreatePopupMenu();
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
            submenus.push_back(popup);
        }
        AppendMenuW(submenus[0], MF_STRING, kOpenId, L"&Open");
        AppendMenuW(submenus[0], MF_STRING, kSaveId, L"&Save");
        AppendMenuW(submenus[0], MF_STRING, kExitId, L"E&xit");
        AppendMenuW(submenus[1], MF_STRING, kCopyId, L"&Copy");
        AppendMenuW(submenus[2], MF_STRING, kAboutId, L"&About");
        bar = new uiMenuToolBar;
        ASSERT_TRUE(bar->Create(owner, menu));
        toolbar = bar->GetToolbar();
        ASSERT_NE(toolbar, nullptr);
        ASSERT_TRUE(bar->IsAttached());
    }
    void TearDown() override
    {
        // The toolbar's skin object goes with its window.
        DestroyWindow(toolbar);
        DestroyMenu(menu);
        uiSkinMenu::SetMsgHook(FALSE);
    }

    POINT ButtonCentre(int index) const
    {
        RECT rect = {};
        SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    // Clicks the button and keeps dispatching until the step has finished.
    void ClickAndRun(int index, const std::function<bool()>& step)
    {
        const POINT centre = ButtonCentre(index);
        ASSERT_TRUE(RunDuringMenu(step, [&] {
            SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
            PumpUntilStepsFinish();
        }));
    }
    // Places the cursor over the client point of the toolbar and posts a mouse message there.
    void MouseAt(UINT msg, POINT client)
    {
        POINT screen = client;
        ClientToScreen(toolbar, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageW(owner, msg, 0, 0);
    }
    bool IsPressed(int index) const
    {
        return SendMessageW(toolbar, TB_ISBUTTONPRESSED, index, 0) != 0;
    }

    static MenuOwner* sharedOwner;
    HWND owner = *sharedOwner;
    HMENU menu = nullptr;
    std::vector<HMENU> submenus;
    uiMenuToolBar* bar = nullptr;
    HWND toolbar = nullptr;
};

MenuOwner* MenuBar::sharedOwner = nullptr;

TEST_F(MenuBar, CreateMakesOneButtonPerTopLevelItemNumberedByPosition)
{
    ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
    const wchar_t* texts[] = {L"&File", L"&Edit", L"&Help"};
    for (int index = 0; index < 3; ++index) {
        TBBUTTON button = {};
        SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.idCommand, index);
        wchar_t text[32] = {};
        SendMessageW(toolbar, TB_GETBUTTONTEXTW, index, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, texts[index]);
    }
    EXPECT_EQ(GetParent(toolbar), owner);
    EXPECT_EQ(GetDlgCtrlID(toolbar), 1220);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(toolbar, GWL_STYLE));
    EXPECT_EQ(style & 0x50009340u, 0x50009340u);
    EXPECT_EQ(uiGetHandleMap()->Find(toolbar), bar);
    EXPECT_TRUE(uiNoSkinGuard::IsGuarded(toolbar));
    EXPECT_FALSE(uiIsMenuBarWindow(toolbar));
}

TEST_F(MenuBar, WithoutTheSystemToolbarNothingIsMadeAndTheErrorIs107)
{
    const auto saved = uiApiLoader::CreateToolbarEx;
    uiApiLoader::CreateToolbarEx = nullptr;
    uiSetSkinError(0);
    uiMenuToolBar other;
    EXPECT_FALSE(other.Create(owner, menu));
    uiApiLoader::CreateToolbarEx = saved;
    EXPECT_EQ(uiGetSkinError(), 107);
    EXPECT_EQ(other.GetToolbar(), nullptr);
}

TEST_F(MenuBar, AClickOpensTheButtonsSubmenuPressedAndReleasesItAfter)
{
    bool pressedWhileOpen = false;
    ClickAndRun(1, [&] {
        if (!FindMenuWindow(submenus[1]))
            return false;
        pressedWhileOpen = IsPressed(1);
        PostKey(owner, VK_ESCAPE);
        return true;
    });
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_FALSE(IsPressed(1));
    EXPECT_EQ(g_popupsShown[submenus[1]], 1);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MenuBar, TheButtonOfTheOpenMenuPaintsDownAndTheOthersNormal)
{
    // The owner reflects the toolbar's custom-draw notifications to the bar.
    uiAttachParentSkin(toolbar);
    COLORREF open = 0;
    COLORREF other = 0;
    ClickAndRun(1, [&] {
        if (!FindMenuWindow(submenus[1]))
            return false;
        WindowCapture capture(toolbar);
        // The toolbar has no frame: client and window coordinates agree.
        const POINT first = ButtonCentre(0);
        const POINT second = ButtonCentre(1);
        open = capture.At(second.x, second.y);
        other = capture.At(first.x, first.y);
        PostKey(owner, VK_ESCAPE);
        return true;
    });
    EXPECT_TRUE(SameColor(open, RGB(255, 0, 0))) << std::hex << open;
    EXPECT_TRUE(SameColor(other, RGB(0, 255, 0))) << std::hex << other;
}

TEST_F(MenuBar, AClickBetweenButtonsDoesNothingAndIsNotPassedOn)
{
    RECT last = {};
    SendMessageW(toolbar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    const LRESULT result =
        SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.right + 20, (last.top + last.bottom) / 2));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(g_popupsShown.empty());
    // The toolbar's own handling would have taken the capture.
    EXPECT_NE(GetCapture(), toolbar);
}

TEST_F(MenuBar, ArrowKeysWrapFromTheFirstButtonToTheLastAndBack)
{
    // Opens the start button's menu, presses the key, and ends once the expected menu shows.
    auto keyFrom = [&](int start, UINT key, int expected) {
        int step = 0;
        ClickAndRun(start, [&] {
            if (step == 0 && FindMenuWindow(submenus[start])) {
                PostKey(owner, key);
                step = 1;
            } else if (step == 1 && FindMenuWindow(submenus[expected])) {
                PostKey(owner, VK_ESCAPE);
                return true;
            }
            return false;
        });
    };
    keyFrom(0, VK_LEFT, 2);
    EXPECT_EQ(g_popupsShown[submenus[0]], 1);
    EXPECT_EQ(g_popupsShown[submenus[2]], 1);
    EXPECT_EQ(g_popupsShown.count(submenus[1]), 0u);
    keyFrom(2, VK_RIGHT, 0);
    EXPECT_EQ(g_popupsShown[submenus[2]], 2);
    EXPECT_EQ(g_popupsShown[submenus[0]], 2);
    EXPECT_EQ(g_popupsShown.count(submenus[1]), 0u);
}

TEST_F(MenuBar, SlidingToAnotherButtonOpensItsMenuAndMovingWithinItDoesNot)
{
    int step = 0;
    ClickAndRun(0, [&] {
        if (step == 0 && FindMenuWindow(submenus[0])) {
            MouseAt(WM_MOUSEMOVE, ButtonCentre(1));
            step = 1;
        } else if (step == 1 && FindMenuWindow(submenus[1])) {
            POINT nearby = ButtonCentre(1);
            nearby.x += 2;
            MouseAt(WM_MOUSEMOVE, nearby);
            step = 2;
        } else if (step >= 2 && ++step > 20) {
            // Twenty more ticks with the menu of the same button open.
            PostKey(owner, VK_ESCAPE);
            return true;
        }
        return false;
    });
    EXPECT_EQ(g_popupsShown[submenus[0]], 1);
    EXPECT_EQ(g_popupsShown[submenus[1]], 1);
    EXPECT_FALSE(IsPressed(0));
    EXPECT_FALSE(IsPressed(1));
}

TEST_F(MenuBar, AClickOnTheOpenButtonClosesItsMenu)
{
    int step = 0;
    ClickAndRun(0, [&] {
        if (step == 0 && FindMenuWindow(submenus[0])) {
            MouseAt(WM_LBUTTONDOWN, ButtonCentre(0));
            step = 1;
        } else if (step == 1 && !FindMenuWindow(submenus[0])) {
            return true;
        }
        return false;
    });
    EXPECT_EQ(g_popupsShown[submenus[0]], 1);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(MenuBar, ALetterChoosesTheItemOfTheOpenSubmenuByItsMnemonic)
{
    ClickAndRun(0, [&] {
        if (FindMenuWindow(submenus[0]) && g_commands.empty()) {
            PostKey(owner, 'X');
            return false;
        }
        return !g_commands.empty() && !FindMenuWindow(submenus[0]);
    });
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], static_cast<WPARAM>(kExitId));
    EXPECT_FALSE(IsPressed(0));
}

TEST_F(MenuBar, TopLevelMnemonicsAndFunctionKeysChooseNothingWhileASubmenuIsOpen)
{
    int step = 0;
    ClickAndRun(0, [&] {
        if (step == 0 && FindMenuWindow(submenus[0])) {
            // 'H' belongs to the top-level Help item; F4 has the code of a lower-case 's', and Save
            // of the open submenu has the mnemonic S.
            PostKey(owner, 'H');
            PostKey(owner, VK_F4);
            step = 1;
        } else if (step >= 1 && ++step > 20) {
            PostKey(owner, VK_ESCAPE);
            return true;
        }
        return false;
    });
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(g_popupsShown.count(submenus[2]), 0u);
}

// An open posted to the bar is served inside the loop of the menu already open: that drop-down comes
// and goes within the outer one, whose filter must still be in place afterwards.
TEST_F(MenuBar, ADropDownOpenedWithinAnotherLeavesTheOuterMenusFilterInPlace)
{
    int step = 0;
    ClickAndRun(0, [&] {
        if (step == 0 && FindMenuWindow(submenus[0])) {
            bar->OpenDropDown(0);
            step = 1;
        } else if (step == 1 && !IsPressed(0)) {
            // The inner drop-down released the button on its way out; the outer menu is still open.
            PostKey(owner, VK_RIGHT);
            step = 2;
        } else if (step == 2 && FindMenuWindow(submenus[1])) {
            PostKey(owner, VK_ESCAPE);
            return true;
        }
        return false;
    });
    EXPECT_EQ(g_popupsShown[submenus[1]], 1);
}

// A drop-down of another button opened within the open one runs a menu of its own: its messages pass
// the inner drop-down's filter and then the outer one's, and are filtered only once. A move onto an
// item of the inner menu, which the bar lets pass, reaches that menu.
TEST_F(MenuBar, AMessageOfADropDownOpenedWithinAnotherIsFilteredOnce)
{
    // Put back afterwards: a pointer left over a menu's place would light up the next tests' menus.
    POINT cursor = {};
    GetCursorPos(&cursor);
    int step = 0;
    int ticks = 0;
    bool highlighted = false;
    ClickAndRun(0, [&] {
        if (step == 0 && FindMenuWindow(submenus[0])) {
            bar->OpenDropDown(1);
            step = 1;
        } else if (step == 1 && FindMenuWindow(submenus[1])) {
            RECT item = {};
            GetMenuItemRect(nullptr, submenus[1], 0, &item);
            const POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            SetCursorPos(centre.x, centre.y);
            // Menus read a mouse message's screen position from its lParam.
            PostMessageW(owner, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
            step = 2;
        } else if (step == 2) {
            // The move is served before the next tick; forty give it room to spare.
            highlighted = (GetMenuState(submenus[1], 0, MF_BYPOSITION) & MF_HILITE) != 0;
            if (highlighted || ++ticks > 40)
                step = 3;
        } else if (step == 3) {
            // Both menus are ended, the inner one first.
            if (!FindMenuWindow(submenus[0]) && !FindMenuWindow(submenus[1]))
                return true;
            EndMenu();
        }
        return false;
    });
    SetCursorPos(cursor.x, cursor.y);
    EXPECT_TRUE(highlighted);
    EXPECT_EQ(g_popupsShown[submenus[1]], 1);
}

}  // namespace
