// Skinned popup menus under Wine: each test opens a real menu through uiSkinMenu::TrackPopupMenu and
// reads the open menu window (its properties, class style, item rectangles and pixels) from a timer
// before ending the menu with a posted key.
#include <gtest/gtest.h>

#include <windows.h>

#include "MenuTestSupport.h"
#include "uiHandleMap.h"
#include "uiSkinAdmin.h"
#include "uiSkinEntry.h"
#include "uiSkinMenu.h"

namespace {

const COLORREF kBack = RGB(0, 0, 255);
const COLORREF kBackLevel0 = RGB(0, 128, 128);
const COLORREF kSeparator = RGB(255, 128, 128);
const COLORREF kNormal = RGB(0, 255, 0);
const COLORREF kOver = RGB(255, 0, 0);
const COLORREF kDisabled = RGB(128, 128, 128);
const COLORREF kCheckMark = RGB(255, 255, 0);
const COLORREF kCommandIcon = RGB(255, 128, 0);
const UINT kTrackFlags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD;

enum ItemIds { kOpen = 100, kDisabledId = 101, kCheckedId = 102, kIconId = 300, kInnerId = 400 };

// Open (tab shortcut), a separator, a disabled item, a checked item, the item of command 300 and a
// submenu with one item.
HMENU MakeMenu()
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kOpen, L"Open\tCtrl+O");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, kDisabledId, L"Disabled");
    AppendMenuW(menu, MF_STRING | MF_CHECKED, kCheckedId, L"Checked");
    AppendMenuW(menu, MF_STRING, kIconId, L"Icon");
    HMENU inner = CreatePopupMenu();
    AppendMenuW(inner, MF_STRING, kInnerId, L"Inner");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(inner), L"More");
    return menu;
}

class SkinMenu : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"));
        // One owner for the suite: bringing a new window to the foreground is slow under Wine.
        sharedOwner = new MenuOwner;
    }
    static void TearDownTestSuite()
    {
        delete sharedOwner;
        sharedOwner = nullptr;
    }
    void SetUp() override
    {
        uiSkinMenu::SetMsgHook(TRUE);
        menu = MakeMenu();
    }
    void TearDown() override
    {
        DestroyMenu(menu);
        uiSkinMenu::SetMsgHook(FALSE);
    }

    // Opens the menu at the point; once its window shows, look runs on it and Escape closes it.
    bool Track(uiSkinMenu& skin, int x, int y, const wchar_t* style, const std::function<void(HWND)>& look)
    {
        return RunDuringMenu(
            [&] {
                HWND window = FindMenuWindow(menu);
                if (!window)
                    return false;
                look(window);
                PostKey(owner, VK_ESCAPE);
                return true;
            },
            [&] { skin.TrackPopupMenu(menu, kTrackFlags, x, y, owner, nullptr, style); });
    }

    static MenuOwner* sharedOwner;
    HWND owner = *sharedOwner;
    HMENU menu = nullptr;
};

MenuOwner* SkinMenu::sharedOwner = nullptr;

TEST_F(SkinMenu, TheOpenMenuWindowIsSubclassedWithoutShadowOrBorder)
{
    uiSkinMenu skin;
    HANDLE thisProperty = nullptr;
    HANDLE oldProcProperty = nullptr;
    LONG_PTR procedure = 0;
    DWORD classStyle = CS_DROPSHADOW;
    LONG style = WS_BORDER;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) {
        thisProperty = GetPropW(window, L"UISKIN_Menuthispointer#2008##");
        oldProcProperty = GetPropW(window, L"UISKIN_MenuOldWndProc#2008###");
        procedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
        classStyle = GetClassLongW(window, GCL_STYLE);
        style = GetWindowLongW(window, GWL_STYLE);
    }));
    EXPECT_EQ(thisProperty, reinterpret_cast<HANDLE>(&skin));
    EXPECT_NE(oldProcProperty, nullptr);
    EXPECT_EQ(procedure, reinterpret_cast<LONG_PTR>(&uiSkinMenu::MenuProc));
    EXPECT_EQ(classStyle & CS_DROPSHADOW, 0u);
    EXPECT_EQ(style & WS_BORDER, 0);
}

TEST_F(SkinMenu, EveryItemOfTheMenuAndItsSubmenusBecomesOwnerDrawn)
{
    uiSkinMenu skin;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [](HWND) {}));
    HMENU inner = GetSubMenu(menu, 5);
    for (auto [owner, position] : {std::pair{menu, 0}, {menu, 1}, {menu, 3}, {menu, 5}, {inner, 0}}) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoW(owner, position, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << position;
    }
    wchar_t text[32] = {};
    GetMenuStringW(menu, kOpen, text, 32, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Open\tCtrl+O");
}

TEST_F(SkinMenu, ItemsAndSeparatorsMeasureSixteenAndThreeUnlessTheMenuInfoSaysOtherwise)
{
    auto heights = [&](uiSkinMenu& skin, const wchar_t* style) {
        RECT item = {};
        RECT separator = {};
        EXPECT_TRUE(Track(skin, 100, 60, style, [&](HWND) {
            GetMenuItemRect(nullptr, menu, 0, &item);
            GetMenuItemRect(nullptr, menu, 1, &separator);
        }));
        return std::pair{item.bottom - item.top, separator.bottom - separator.top};
    };
    uiSkinMenu plain, tall;
    EXPECT_EQ(heights(plain, nullptr), std::pair(16L, 3L));
    EXPECT_EQ(heights(tall, L"menu.tall"), std::pair(22L, 7L));
    // The same skin given a style without a menu info in place of the old one measures as the first.
    ASSERT_TRUE(tall.SkinWindow(owner, L"menu", FALSE, TRUE));
    EXPECT_EQ(heights(tall, nullptr), std::pair(16L, 3L));
}

TEST_F(SkinMenu, ATabInTheTextWidensTheItemByTwentyBeyondItsText)
{
    HMENU plain = CreatePopupMenu();
    AppendMenuW(plain, MF_STRING, kOpen, L"Ab");
    HMENU tabbed = CreatePopupMenu();
    AppendMenuW(tabbed, MF_STRING, kOpen, L"Ab\tC");
    auto widthOf = [&](HMENU shown) {
        uiSkinMenu skin;
        RECT item = {};
        RunDuringMenu(
            [&] {
                if (!FindMenuWindow(shown))
                    return false;
                GetMenuItemRect(nullptr, shown, 0, &item);
                PostKey(owner, VK_ESCAPE);
                return true;
            },
            [&] { skin.TrackPopupMenu(shown, kTrackFlags, 100, 60, owner, nullptr, nullptr); });
        return item.right - item.left;
    };
    // The skin's font measured directly through GDI.
    LOGFONTW font = {};
    font.lfHeight = -13;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    HFONT measureFont = CreateFontIndirectW(&font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, measureFont);
    SIZE shortText = {};
    SIZE longText = {};
    GetTextExtentPoint32W(screen, L"Ab", 2, &shortText);
    GetTextExtentPoint32W(screen, L"Ab\tC", 4, &longText);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(measureFont);

    const int grown = widthOf(tabbed) - widthOf(plain);
    EXPECT_NEAR(grown, 20 + longText.cx - shortText.cx, 2);
    DestroyMenu(plain);
    DestroyMenu(tabbed);
}

TEST_F(SkinMenu, ItemsShowTheirStateColoursOverTheKeptBackground)
{
    uiSkinMenu skin;
    RECT open = {};
    RECT separator = {};
    RECT disabled = {};
    COLORREF border = 0, normal = 0, line = 0, grey = 0;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) {
        open = ItemRectInWindow(menu, 0, window);
        separator = ItemRectInWindow(menu, 1, window);
        disabled = ItemRectInWindow(menu, 2, window);
        WindowCapture capture(window);
        const int middle = (open.top + open.bottom) / 2;
        // Left of the text area (border width 2) the background shows through.
        border = capture.At(open.left, middle);
        normal = capture.At(open.right - 3, middle);
        line = capture.At(separator.right - 3, (separator.top + separator.bottom) / 2);
        grey = capture.At(disabled.right - 3, (disabled.top + disabled.bottom) / 2);
    }));
    EXPECT_TRUE(SameColor(border, kBack)) << std::hex << border;
    EXPECT_TRUE(SameColor(normal, kNormal)) << std::hex << normal;
    EXPECT_TRUE(SameColor(line, kSeparator)) << std::hex << line;
    EXPECT_TRUE(SameColor(grey, kDisabled)) << std::hex << grey;
}

TEST_F(SkinMenu, TheSelectedItemPaintsInTheOverState)
{
    uiSkinMenu skin;
    int step = 0;
    COLORREF selected = 0;
    COLORREF other = 0;
    ASSERT_TRUE(RunDuringMenu(
        [&] {
            HWND window = FindMenuWindow(menu);
            if (!window)
                return false;
            if (step++ == 0) {
                PostKey(owner, VK_DOWN);
                return false;
            }
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE;
            GetMenuItemInfoW(menu, 0, TRUE, &info);
            if (!(info.fState & MFS_HILITE))
                return false;
            const RECT open = ItemRectInWindow(menu, 0, window);
            const RECT checked = ItemRectInWindow(menu, 3, window);
            WindowCapture capture(window);
            selected = capture.At(open.right - 3, (open.top + open.bottom) / 2);
            other = capture.At(checked.right - 3, (checked.top + checked.bottom) / 2);
            PostKey(owner, VK_ESCAPE);
            return true;
        },
        [&] { skin.TrackPopupMenu(menu, kTrackFlags, 100, 60, owner, nullptr, nullptr); }));
    EXPECT_TRUE(SameColor(selected, kOver)) << std::hex << selected;
    EXPECT_TRUE(SameColor(other, kNormal)) << std::hex << other;
}

TEST_F(SkinMenu, CheckMarksAndCommandPicturesAreDrawnAtTheIconOffset)
{
    uiSkinMenu skin;
    COLORREF mark = 0, icon = 0, unchecked = 0;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) {
        const RECT checked = ItemRectInWindow(menu, 3, window);
        const RECT command = ItemRectInWindow(menu, 4, window);
        const RECT open = ItemRectInWindow(menu, 0, window);
        WindowCapture capture(window);
        // Default offsets: x 5, y 2; the pictures' frames are 8 x 8.
        mark = capture.At(checked.left + 5 + 4, checked.top + 2 + 4);
        icon = capture.At(command.left + 5 + 4, command.top + 2 + 4);
        unchecked = capture.At(open.left + 5 + 4, open.top + 2 + 4);
    }));
    EXPECT_TRUE(SameColor(mark, kCheckMark)) << std::hex << mark;
    EXPECT_TRUE(SameColor(icon, kCommandIcon)) << std::hex << icon;
    EXPECT_TRUE(SameColor(unchecked, kNormal)) << std::hex << unchecked;
}

TEST_F(SkinMenu, TheFirstLevelKeepsItsOwnBackgroundBesideAndAfterItsSubmenu)
{
    uiSkinMenu skin;
    HMENU inner = GetSubMenu(menu, 5);
    int step = 0;
    COLORREF first = 0, second = 0, firstAfter = 0;
    auto backgroundOf = [](HMENU shown, HWND window) {
        const RECT item = ItemRectInWindow(shown, 0, window);
        return WindowCapture(window).At(item.left + 1, (item.top + item.bottom) / 2);
    };
    ASSERT_TRUE(RunDuringMenu(
        [&] {
            HWND window = FindMenuWindow(menu);
            HWND innerWindow = FindMenuWindow(inner);
            if (step == 0 && window) {
                // Up from nothing selects the last item, the submenu; Right opens it.
                PostKey(owner, VK_UP);
                PostKey(owner, VK_RIGHT);
                step = 1;
            } else if (step == 1 && innerWindow) {
                first = backgroundOf(menu, window);
                second = backgroundOf(inner, innerWindow);
                PostKey(owner, VK_LEFT);
                step = 2;
            } else if (step == 2 && window && !innerWindow) {
                firstAfter = backgroundOf(menu, window);
                PostKey(owner, VK_ESCAPE);
                return true;
            }
            return false;
        },
        [&] { skin.TrackPopupMenu(menu, kTrackFlags, 100, 60, owner, nullptr, L"menu.tall"); }));
    EXPECT_TRUE(SameColor(first, kBackLevel0)) << std::hex << first;
    EXPECT_TRUE(SameColor(second, kBack)) << std::hex << second;
    EXPECT_TRUE(SameColor(firstAfter, kBackLevel0)) << std::hex << firstAfter;
}

TEST_F(SkinMenu, PrintingTheMenuWindowDrawsFrameAndItemsFromTheSkin)
{
    uiSkinMenu skin;
    COLORREF frame = 0, normal = 0;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) {
        const RECT open = ItemRectInWindow(menu, 0, window);
        const WindowCapture printed(window, WindowCapture::kPrint);
        const int middle = (open.top + open.bottom) / 2;
        // The two right-most columns lie outside the client area.
        frame = printed.At(printed.Width() - 1, middle);
        normal = printed.At(open.right - 3, middle);
    }));
    EXPECT_TRUE(SameColor(frame, kBack)) << std::hex << frame;
    EXPECT_TRUE(SameColor(normal, kNormal)) << std::hex << normal;
}

TEST_F(SkinMenu, AClipColourCutsTheWindowToTheBackgroundsNonMagentaPixels)
{
    uiSkinMenu skin;
    int regionKind = ERROR;
    bool corner = false, beyond = true;
    ASSERT_TRUE(Track(skin, 100, 60, L"menu.shaped", [&](HWND window) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        regionKind = GetWindowRgn(window, region);
        corner = PtInRegion(region, 5, 5) && PtInRegion(region, 19, 9);
        beyond = PtInRegion(region, 25, 5) || PtInRegion(region, 5, 15);
        DeleteObject(region);
    }));
    EXPECT_NE(regionKind, ERROR);
    EXPECT_TRUE(corner);
    EXPECT_FALSE(beyond);
}

TEST_F(SkinMenu, AMenuWindowMovesOnePixelRightUnlessPlacedAtTheOrigin)
{
    uiSkinMenu skin;
    RECT placed = {};
    RECT atOrigin = {};
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) { GetWindowRect(window, &placed); }));
    ASSERT_TRUE(Track(skin, 0, 0, nullptr, [&](HWND window) { GetWindowRect(window, &atOrigin); }));
    EXPECT_EQ(placed.left, 101);
    EXPECT_EQ(atOrigin.left, 0);
}

TEST_F(SkinMenu, TrackingTwiceKeepsOneLinkAndStillPaintsFromTheStyle)
{
    uiSkinMenu skin;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [](HWND) {}));
    COLORREF normal = 0;
    ASSERT_TRUE(Track(skin, 100, 60, nullptr, [&](HWND window) {
        const RECT open = ItemRectInWindow(menu, 0, window);
        normal = WindowCapture(window).At(open.right - 3, (open.top + open.bottom) / 2);
    }));
    EXPECT_TRUE(SameColor(normal, kNormal)) << std::hex << normal;
    EXPECT_EQ(uiGetHandleMap()->Find(owner), &skin);
    // A chain that led back to the skin itself would never reach the window's procedure.
    EXPECT_EQ(SendMessageW(owner, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST_F(SkinMenu, TheSkinStaysOnTheOwnerAndStopsBeingCurrentWhenReleased)
{
    auto* skin = new uiSkinMenu;
    ASSERT_TRUE(Track(*skin, 100, 60, nullptr, [](HWND) {}));
    EXPECT_EQ(uiSkinMenu::GetCurrent(), skin);
    EXPECT_EQ(uiGetHandleMap()->Find(owner), skin);
    skin->Detach();
    EXPECT_EQ(uiSkinMenu::GetCurrent(), nullptr);
    delete skin;
}

TEST_F(SkinMenu, AMenuWindowThatOutlivesItsSkinIsLetGo)
{
    auto* skin = new uiSkinMenu;
    ASSERT_TRUE(Track(*skin, 100, 60, nullptr, [](HWND) {}));
    ASSERT_EQ(uiSkinMenu::GetCurrent(), skin);
    // A menu window made while the skin is current, kept beyond the skin's life.
    HWND window = CreateWindowExW(0, L"#32768", nullptr, WS_POPUP, 10, 10, 50, 40, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetPropW(window, L"UISKIN_Menuthispointer#2008##"), skin);
    delete skin;
    EXPECT_EQ(uiSkinMenu::GetCurrent(), nullptr);
    EXPECT_EQ(GetPropW(window, L"UISKIN_Menuthispointer#2008##"), nullptr);
    // Reaches the window's own procedure, not the deleted skin.
    SetWindowPos(window, nullptr, 20, 20, 60, 50, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 20);
    DestroyWindow(window);
}

TEST_F(SkinMenu, WithoutItsStyleTheMenuKeepsTheSystemLook)
{
    uiSkinMenu earlier;
    HMENU other = CreatePopupMenu();
    AppendMenuW(other, MF_STRING, kOpen, L"Other");
    RunDuringMenu(
        [&] {
            if (!FindMenuWindow(other))
                return false;
            PostKey(owner, VK_ESCAPE);
            return true;
        },
        [&] { earlier.TrackPopupMenu(other, kTrackFlags, 100, 60, owner, nullptr, nullptr); });
    DestroyMenu(other);
    ASSERT_EQ(uiSkinMenu::GetCurrent(), &earlier);

    uiSkinMenu skin;
    bool subclassed = true;
    ASSERT_TRUE(Track(skin, 100, 60, L"no.such.style", [&](HWND window) {
        subclassed = GetPropW(window, L"UISKIN_Menuthispointer#2008##") != nullptr;
    }));
    EXPECT_FALSE(subclassed);
    EXPECT_EQ(uiSkinMenu::GetCurrent(), nullptr);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &info));
    // Owner-drawn items that nobody draws would show blank.
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
}

TEST_F(SkinMenu, MenusStayUnskinnedWithoutTheHookOrWithoutACurrentSkin)
{
    bool subclassed = true;
    auto look = [&] {
        HWND window = FindMenuWindow(menu);
        if (!window)
            return false;
        subclassed = GetPropW(window, L"UISKIN_Menuthispointer#2008##") != nullptr;
        PostKey(owner, VK_ESCAPE);
        return true;
    };
    ASSERT_EQ(uiSkinMenu::GetCurrent(), nullptr);
    ASSERT_TRUE(RunDuringMenu(look, [&] { TrackPopupMenu(menu, kTrackFlags, 100, 60, 0, owner, nullptr); }));
    EXPECT_FALSE(subclassed);

    uiSkinMenu::SetMsgHook(FALSE);
    EXPECT_FALSE(uiSkinMenu::IsMsgHookSet());
    subclassed = true;
    uiSkinMenu skin;
    ASSERT_TRUE(RunDuringMenu(look, [&] { skin.TrackPopupMenu(menu, kTrackFlags, 100, 60, owner, nullptr, nullptr); }));
    EXPECT_FALSE(subclassed);
}

}  // namespace

namespace {

TEST(MenuSkinEntry, SetMenuSkinInstallsAndRemovesTheHookOfTheThread)
{
    EXPECT_EQ(uiSetMenuSkin(TRUE), 1);
    EXPECT_TRUE(uiIsMenuSkinned());
    EXPECT_TRUE(uiSkinMenu::IsMsgHookSet());
    EXPECT_EQ(uiSetMenuSkin(FALSE), 1);
    EXPECT_FALSE(uiIsMenuSkinned());
    EXPECT_FALSE(uiSkinMenu::IsMsgHookSet());
}

}  // namespace
