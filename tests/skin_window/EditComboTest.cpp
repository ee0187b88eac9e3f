// The edit and the combo box: the text colour by the edit's state, the pattern brush of each colour
// message replacing (and deleting) the one before, the spin button's buddy notice, the combo's inner
// edit inside the skin's margins, its drop-down list skinned once, a combo destroyed while its list
// is open or its skin removed before the list was skinned, and another style in place of the old
// one on each.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ControlTestSupport.h"
#include "MiscTestSupport.h"
#include "SkinTestSupport.h"
#include "uiEngineMessages.h"
#include "uiGdiAdmin.h"
#include "uiNoSkinGuard.h"
#include "uiSkinComboBox.h"
#include "uiSkinEditEx.h"
#include "uiSkinEntry.h"
#include "uiSkinScrollWnd.h"

namespace {

const COLORREF kText = RGB(0x10, 0x20, 0x30), kDisabled = RGB(0x40, 0x50, 0x60), kReadOnly = RGB(0x70, 0x80, 0x90);
const COLORREF kHint = RGB(0x30, 0xC0, 0x60), kListBorder = RGB(0x20, 0x80, 0xE0), kRedBorder = RGB(0xE0, 0x20, 0x20);

class EditCombo : public MiscSkin {
protected:
    HWND Edit(DWORD style = 0) { return MakeControl(L"EDIT", style, {10, 10, 170, 34}, 107, WS_EX_CLIENTEDGE); }

    COMBOBOXINFO Info(HWND combo) const
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo, &info);
        return info;
    }
};

// The factory stores no code for an edit, and the edit sets none of its own: it keeps the base's.
TEST_F(EditCombo, TheFactorysEditTakesTheEditStyleAndKeepsTheBaseTypeCode)
{
    uiSkinEditEx* skin = SkinOf<uiSkinEditEx>(Edit());
    ASSERT_NE(skin, nullptr);
    EXPECT_STREQ(skin->GetStyleName().GetString(), L"edit");
    EXPECT_EQ(skin->GetTypeCode(), 1);
}

TEST_F(EditCombo, TextColourFollowsTheEditsState)
{
    const HWND edit = Edit();
    uiSkinEditEx* skin = SkinOf<uiSkinEditEx>(edit);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->TextColor(), kText);
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(skin->TextColor(), kReadOnly);
    // Disabled wins over read-only.
    EnableWindow(edit, FALSE);
    EXPECT_EQ(skin->TextColor(), kDisabled);
}

TEST_F(EditCombo, DisabledColourDefaultsWhenTheStyleGivesNone)
{
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_DISABLED, 10, 40, 100, 20, Host(),
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    uiSkinWindow(edit, 107, L"edit.defaults", FALSE);
    uiSkinEditEx* skin = SkinOf<uiSkinEditEx>(edit);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->TextColor(), static_cast<COLORREF>(0x99A8AC));
    EnableWindow(edit, TRUE);
    EXPECT_EQ(skin->TextColor(), 0u);
}

TEST_F(EditCombo, ColourMessageSetsTheTextColourAndAnswersWithAPatternBrush)
{
    const HWND edit = Edit();
    PaintNow(Host());
    HDC dc = GetDC(edit);
    const HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(Host(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
    EXPECT_EQ(GetTextColor(dc), kText);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(SkinOf<uiSkinEditEx>(edit)->GetPatternBrush(), brush);
    ReleaseDC(edit, dc);
}

TEST_F(EditCombo, EachColourMessageDeletesTheBrushOfTheOneBefore)
{
    const HWND edit = Edit();
    PaintNow(Host());
    HDC dc = GetDC(edit);
    auto ask = [&] {
        return reinterpret_cast<HBRUSH>(
            SendMessageW(Host(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
    };
    const HBRUSH first = ask();
    ASSERT_NE(first, nullptr);
    const long before = LiveGdiObjects();
    ASSERT_GE(before, 0) << "no count of the process's GDI objects";
    HBRUSH last = first;
    for (int i = 0; i < 200; ++i)
        last = ask();
    EXPECT_NE(last, nullptr);
    EXPECT_LE(LiveGdiObjects(), before + 2);
    ReleaseDC(edit, dc);
    DestroyWindow(edit);
    // The last brush goes with the edit.
    EXPECT_EQ(GetObjectType(last), 0u);
}

TEST_F(EditCombo, SpinButtonTellsItsEditBuddy)
{
    const HWND edit = Edit();
    const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, 0, 0, 16, 24,
                                      Host(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_FALSE(SkinOf<uiSkinEditEx>(edit)->IsNextToSpin());
    uiSkinWindow(spin, 116, nullptr, FALSE);
    EXPECT_TRUE(SkinOf<uiSkinEditEx>(edit)->IsNextToSpin());
}

TEST_F(EditCombo, SpinButtonSendsNothingToABuddyThatIsNoEdit)
{
    const HWND buddy = MakeCountingWindow(Host(), L"MiscBuddy", UIM_SPINBUDDY);
    const HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 60, 0, 16, 24, Host(), nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    uiSkinWindow(spin, 116, nullptr, FALSE);
    EXPECT_EQ(CountOf(buddy), 0);
}

TEST_F(EditCombo, DropDownComboPlacesItsEditInsideTheMargins)
{
    const HWND combo = MakeControl(L"COMBOBOX", CBS_DROPDOWN, {10, 10, 210, 200}, 110);
    uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetKind(), uiSkinComboBox::DropDown);
    RECT client = {}, edit = {};
    GetClientRect(combo, &client);
    GetWindowRect(Info(combo).hwndItem, &edit);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&edit), 2);
    // editmargin="5,4,30,3"; the combo may shrink its edit further, never widen it.
    EXPECT_EQ(edit.left, 5);
    EXPECT_EQ(edit.top, 4);
    EXPECT_LE(edit.right, client.right - 30);
    EXPECT_LE(edit.bottom, client.bottom - 3);
}

TEST_F(EditCombo, DropDownListIsSkinnedOnceAsAScrollWindow)
{
    const HWND combo = MakeControl(L"COMBOBOX", CBS_DROPDOWNLIST, {10, 10, 210, 200}, 110);
    uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetKind(), uiSkinComboBox::DropDownList);
    const HWND list = Info(combo).hwndList;
    ASSERT_TRUE(PumpUntil([&] { return skin->GetGuardedList() == list; }));
    EXPECT_TRUE(uiNoSkinGuard::IsGuarded(list));
    EXPECT_NE(SkinOf<uiSkinScrollWnd>(list), nullptr);
    EXPECT_FALSE(skin->SkinList());
}

TEST_F(EditCombo, ListThatIsGuardedAlreadyGetsNoSkin)
{
    const HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 200, 190,
                                       Host(), nullptr, GetModuleHandleW(nullptr), nullptr);
    uiNoSkinGuard guard;
    guard.Set(Info(combo).hwndList);
    uiSkinWindow(combo, 110, nullptr, FALSE);
    uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinList());
    SendMessageW(combo, WM_TIMER, uiSkinComboBox::kListTimer, 0);
    EXPECT_EQ(skin->GetGuardedList(), nullptr);
    EXPECT_EQ(uiGetHandleMap()->Find(Info(combo).hwndList), nullptr);
}

TEST_F(EditCombo, AListThatCannotBeSkinnedEndsTheRetries)
{
    const HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 200, 190,
                                       Host(), nullptr, GetModuleHandleW(nullptr), nullptr);
    uiNoSkinGuard guard;
    guard.Set(Info(combo).hwndList);
    uiSkinWindow(combo, 110, nullptr, FALSE);
    ASSERT_NE(SkinOf<uiSkinComboBox>(combo), nullptr);
    SendMessageW(combo, WM_TIMER, uiSkinComboBox::kListTimer, 0);
    EXPECT_FALSE(KillTimer(combo, uiSkinComboBox::kListTimer));
}

TEST_F(EditCombo, AComboWhoseSkinGoesBeforeTheListWasSkinnedLeavesNoTimer)
{
    const HWND combo = MakeControl(L"COMBOBOX", CBS_DROPDOWNLIST, {10, 10, 210, 200}, 110);
    uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(skin, nullptr);
    skin->Detach();
    EXPECT_FALSE(KillTimer(combo, uiSkinComboBox::kListTimer));
}

TEST_F(EditCombo, AReplacingStyleBringsItsOwnEditLookAndComboMarginAndListStyle)
{
    const HWND edit = Edit();
    auto* editSkin = SkinOf<uiSkinEditEx>(edit);
    const HWND combo = MakeControl(L"COMBOBOX", CBS_DROPDOWN, {10, 60, 210, 200}, 110);
    auto* comboSkin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(editSkin, nullptr);
    ASSERT_NE(comboSkin, nullptr);
    const HWND list = Info(combo).hwndList;
    ASSERT_TRUE(PumpUntil([&] { return comboSkin->GetGuardedList() == list; }));

    const LRESULT ownFont = SendMessageW(edit, WM_GETFONT, 0, 0);
    const LRESULT ownMargins = SendMessageW(edit, EM_GETMARGINS, 0, 0);
    const LRESULT bigFont = reinterpret_cast<LRESULT>(uiGetGdiAdmin().GetFont(L"big"));
    ASSERT_NE(bigFont, 0);
    // Whether the edit answers its colour message with a brush of the skin's image.
    auto imageBrush = [&] {
        PaintNow(Host());
        HDC dc = GetDC(edit);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(Host(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(edit)));
        ReleaseDC(edit, dc);
        LOGBRUSH kind = {};
        return brush && GetObjectW(brush, sizeof(kind), &kind) && kind.lbStyle == BS_PATTERN;
    };
    struct EditCase {
        const wchar_t* style;
        bool image;
        LRESULT font;
        LRESULT margins;
        bool hint;
    };
    for (const EditCase& c : {EditCase{L"edit.rich", true, bigFont, MAKELONG(7, 9), true},
                              EditCase{L"edit.plain", false, ownFont, ownMargins, false},
                              EditCase{L"edit.rich", true, bigFont, MAKELONG(7, 9), true},
                              EditCase{L"edit", true, ownFont, ownMargins, false}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(editSkin->SkinWindow(edit, c.style, TRUE, FALSE));
        EXPECT_EQ(imageBrush(), c.image);
        EXPECT_EQ(SendMessageW(edit, WM_GETFONT, 0, 0), c.font);
        EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), c.margins);
        // The empty, unfocused edit shows the hint over its frame.
        EXPECT_EQ(WindowPixel(edit, 0, 0) == kHint, c.hint);
    }

    struct ComboCase {
        const wchar_t* style;
        POINT editPlace;
        COLORREF listBorder;
    };
    for (const ComboCase& c : {ComboCase{L"combobox.wide", {12, 5}, kRedBorder},
                               ComboCase{L"combobox", {5, 4}, kListBorder}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(comboSkin->SkinWindow(combo, c.style, TRUE, FALSE));
        RECT place = {};
        GetWindowRect(Info(combo).hwndItem, &place);
        MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, c.editPlace.x);
        EXPECT_EQ(place.top, c.editPlace.y);
        auto* listSkin = SkinOf<uiSkinScrollWnd>(list);
        ASSERT_NE(listSkin, nullptr);
        EXPECT_TRUE(uiNoSkinGuard::IsGuarded(list));
        PixelCanvas canvas(40, 40, RGB(1, 2, 3));
        listSkin->DrawBorder(canvas.GetDC());
        EXPECT_EQ(canvas.Pixel(0, 0), c.listBorder);
    }
}

TEST_F(EditCombo, SimpleComboSkinsItsListAtOnceWithoutItsBorder)
{
    const HWND combo = MakeControl(L"COMBOBOX", CBS_SIMPLE | WS_BORDER, {10, 10, 210, 200}, 110);
    uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
    ASSERT_NE(skin, nullptr);
    const COMBOBOXINFO info = Info(combo);
    EXPECT_EQ(skin->GetGuardedList(), info.hwndList);
    EXPECT_EQ(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_BORDER, 0);
    EXPECT_EQ(GetWindowLongW(info.hwndList, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT list = {};
    GetWindowRect(info.hwndList, &list);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.top, info.rcItem.bottom + 1);
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(EditCombo, ComboDestroyedWithItsListOpenLeavesNothingBehind)
{
    auto cycle = [&] {
        const HWND combo = MakeControl(L"COMBOBOX", CBS_DROPDOWNLIST, {10, 10, 210, 200}, 110);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"一"));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"二"));
        uiSkinComboBox* skin = SkinOf<uiSkinComboBox>(combo);
        const HWND list = Info(combo).hwndList;
        PumpUntil([&] { return skin && skin->GetGuardedList() == list; });
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        PumpUntil([&] { return IsWindowVisible(list) != FALSE; });
        DestroyWindow(combo);
        PumpPending();
        return list;
    };
    cycle();
    const int windows = ThreadWindows();
    const long objects = LiveGdiObjects();
    ASSERT_GE(objects, 0) << "no count of the process's GDI objects";
    HWND list = nullptr;
    for (int i = 0; i < 20; ++i)
        list = cycle();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(uiGetHandleMap()->Find(list), nullptr);
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_LE(LiveGdiObjects(), objects + 2);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
