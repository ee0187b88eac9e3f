// The extended dialog's menu bar under Wine: a dialog with a window menu shows it as a skinned bar
// below its own caption, its children move below the bar, a click or F10 drops the first submenu
// down skinned, and detaching gives the window its system menu bar back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <vector>

#include "MenuTestSupport.h"
#include "uiApiLoader.h"
#include "uiHandleMap.h"
#include "uiMenuToolBar.h"
#include "uiSkinAdmin.h"
#include "uiSkinDialogEx.h"
#include "uiSkinEntry.h"
#include "uiSkinMenu.h"

namespace {

const wchar_t kClassName[] = L"DialogMenuBarTestWindow";
// The default caption and client start of a style without dialog information.
const int kClientStartY = 26;
const int kChildX = 10;
const int kChildY = 12;
const COLORREF kBarBackground = RGB(200, 200, 200);
const COLORREF kButtonNormal = RGB(0, 255, 0);
const COLORREF kMenuItemNormal = RGB(0, 255, 0);

class DialogMenuBar : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        uiApiLoader::Load();
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"));
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);
    }
    void SetUp() override
    {
        uiSkinMenu::SetMsgHook(TRUE);
        menu = CreateMenu();
        for (const wchar_t* title : {L"&File", L"&Help"}) {
            HMENU popup = CreatePopupMenu();
            AppendMenuW(popup, MF_STRING, 500 + submenus.size(), L"&Open");
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
            submenus.push_back(popup);
        }
        dialog = CreateWindowExW(0, kClassName, L"menu bar", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 60,
                                 60, 360, 240, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(dialog, nullptr);
        child = CreateWindowExW(0, L"static", L"", WS_CHILD | WS_VISIBLE, kChildX, kChildY, 40, 20, dialog,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(dialog);
        // A cursor over no item keeps the drop-down's items in their normal look.
        SetCursorPos(700, 500);
        ASSERT_TRUE(uiSkinWindow(dialog, 'd', L"dialog.menubar", FALSE));
        auto* skin = dynamic_cast<uiSkinDialogEx*>(uiGetHandleMap()->Find(dialog));
        ASSERT_NE(skin, nullptr);
        bar = skin->GetMenuBar();
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override
    {
        // The window's menu goes with the window.
        DestroyWindow(dialog);
        uiSkinMenu::SetMsgHook(FALSE);
    }

    RECT BarInDialog() const
    {
        RECT rect = {};
        GetWindowRect(bar, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // Whether the first submenu is open with its first item drawn from the skin.
    bool FirstDropDownShownSkinned()
    {
        HWND menuWindow = FindMenuWindow(submenus[0]);
        if (!menuWindow)
            return false;
        const RECT item = ItemRectInWindow(submenus[0], 0, menuWindow);
        itemColour = WindowCapture(menuWindow).At((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostKey(dialog, VK_ESCAPE);
        return true;
    }

    HMENU menu = nullptr;
    std::vector<HMENU> submenus;
    HWND dialog = nullptr;
    HWND child = nullptr;
    HWND bar = nullptr;
    COLORREF itemColour = 0;
};

TEST_F(DialogMenuBar, TheMenuIsShownAsAMarkedSkinnedBarBelowTheCaption)
{
    EXPECT_EQ(GetParent(bar), dialog);
    EXPECT_TRUE(uiIsMenuBarWindow(bar));
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 2);
    // The toolbar made at the top-left corner is moved by (5, 5) and then below the caption.
    const RECT rect = BarInDialog();
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 5 + kClientStartY);
    // The system's menu bar takes no room: the whole window is client area.
    RECT client = {};
    RECT window = {};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    EXPECT_EQ(GetMenu(dialog), menu);

    RECT button = {};
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    WindowCapture capture(dialog);
    const COLORREF face = capture.At(rect.left + (button.left + button.right) / 2,
                                     rect.top + (button.top + button.bottom) / 2);
    const COLORREF empty = capture.At(rect.left + button.right + 150, rect.top + (button.top + button.bottom) / 2);
    EXPECT_TRUE(SameColor(face, kButtonNormal)) << std::hex << face;
    EXPECT_TRUE(SameColor(empty, kBarBackground)) << std::hex << empty;
}

TEST_F(DialogMenuBar, ChildrenMoveBelowTheCaptionAndTheBar)
{
    const RECT barRect = BarInDialog();
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, kChildX);
    EXPECT_EQ(rect.top, kChildY + kClientStartY + (barRect.bottom - barRect.top));
    EXPECT_EQ(rect.bottom - rect.top, 20);
}

TEST_F(DialogMenuBar, AClickOnTheFirstButtonDropsItsSubmenuDownSkinned)
{
    RECT button = {};
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    ASSERT_TRUE(RunDuringMenu([&] { return FirstDropDownShownSkinned(); }, [&] {
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2));
        PumpUntilStepsFinish();
    }));
    EXPECT_TRUE(SameColor(itemColour, kMenuItemNormal)) << std::hex << itemColour;
}

TEST_F(DialogMenuBar, F10DropsTheFirstSubmenuDownFromTheBar)
{
    ASSERT_TRUE(RunDuringMenu([&] { return FirstDropDownShownSkinned(); }, [&] {
        PostMessageW(dialog, WM_SYSKEYDOWN, VK_F10, 1);
        PostMessageW(dialog, WM_SYSKEYUP, VK_F10, 0xC0000001);
        PumpUntilStepsFinish();
    }));
    EXPECT_TRUE(SameColor(itemColour, kMenuItemNormal)) << std::hex << itemColour;
}

TEST_F(DialogMenuBar, WithoutTheSystemToolbarTheDialogIsSkinnedWithoutABar)
{
    HWND other = CreateWindowExW(0, kClassName, L"no bar", WS_POPUP | WS_CAPTION | WS_SYSMENU, 80, 80, 300, 200,
                                 nullptr, CreateMenu(), GetModuleHandleW(nullptr), nullptr);
    HWND otherChild = CreateWindowExW(0, L"static", L"", WS_CHILD | WS_VISIBLE, kChildX, kChildY, 40, 20, other,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto saved = uiApiLoader::CreateToolbarEx;
    uiApiLoader::CreateToolbarEx = nullptr;
    const BOOL skinned = uiSkinWindow(other, 'd', L"dialog.menubar", FALSE);
    uiApiLoader::CreateToolbarEx = saved;
    ASSERT_TRUE(skinned);
    auto* skin = dynamic_cast<uiSkinDialogEx*>(uiGetHandleMap()->Find(other));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetMenuBar(), nullptr);
    EXPECT_EQ(FindWindowExW(other, nullptr, TOOLBARCLASSNAMEW, nullptr), nullptr);
    RECT rect = {};
    GetWindowRect(otherChild, &rect);
    MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.top, kChildY + kClientStartY);
    DestroyWindow(other);
}

TEST_F(DialogMenuBar, DetachingRemovesTheBarAndGivesTheSystemMenuBarBack)
{
    uiGetHandleMap()->Find(dialog)->Detach();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetMenu(dialog), menu);
    // The system's caption and menu bar lie again between the window's top and its client area.
    RECT window = {};
    GetWindowRect(dialog, &window);
    POINT clientOrigin = {0, 0};
    ClientToScreen(dialog, &clientOrigin);
    MENUBARINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMenuBarInfo(dialog, OBJID_MENU, 0, &info));
    EXPECT_GT(info.rcBar.top, window.top);
    EXPECT_GT(info.rcBar.bottom, info.rcBar.top);
    EXPECT_LT(info.rcBar.top, clientOrigin.y);
}

}  // namespace
