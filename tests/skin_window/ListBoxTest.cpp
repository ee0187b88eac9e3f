// The skinned list box: each row keeps its own look through sorted inserts, refused inserts, deletes
// and resets, its rows show the skin's colours for the normal, hover and selected states, and another
// style in place of the old one brings its own background and scroll bars.
#include <gtest/gtest.h>

#include <windows.h>

#include "ListTestSupport.h"
#include "uiCustomScrollBar.h"
#include "uiDrawObj.h"
#include "uiSkinListBox.h"
#include "uiTransparentHelper.h"

namespace {

const COLORREF kNavy = RGB(0, 0, 0x80), kOdd = RGB(0, 255, 0), kEven = RGB(0, 0x80, 0);
const COLORREF kOver = RGB(255, 255, 0), kChecked = RGB(255, 0, 255), kMark = RGB(255, 255, 255);
const COLORREF kBorder = RGB(255, 0, 0), kBackground = RGB(0, 255, 255), kOrange = RGB(255, 0x80, 0);
const int kRowHeight = 20;
const DWORD kOwnerDrawn = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

class ListBox : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadListsSkin()); }

    HWND MakeList(DWORD style = 0)
    {
        list = host.Child(L"LISTBOX", kOwnerDrawn | style, RECT{10, 10, 210, 150});
        SendMessageW(list, LB_SETITEMHEIGHT, 0, kRowHeight);
        return list;
    }
    void Skin(const wchar_t* skinStyle = L"lists.listbox")
    {
        skin = new uiSkinListBox;
        ASSERT_TRUE(skin->SkinWindow(list, skinStyle, TRUE, FALSE));
    }
    int Add(const wchar_t* text)
    {
        return static_cast<int>(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    LRESULT Insert(int index, const wchar_t* text)
    {
        return SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int Count() const { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

    ListHost host;
    HWND list = nullptr;
    uiSkinListBox* skin = nullptr;
};

TEST_F(ListBox, RowsPresentAtAttachGetOneSlotEach)
{
    MakeList();
    Add(L"one");
    Add(L"two");
    Skin();
    EXPECT_EQ(skin->GetDrawItemSlotCount(), 2);
    EXPECT_NE(skin->GetDrawItemInfo(1), nullptr);
    EXPECT_EQ(skin->GetDrawItemInfo(2), nullptr);
    EXPECT_EQ(skin->GetDrawItemInfo(-1), nullptr);
}

TEST_F(ListBox, ASortedInsertPutsTheNewSlotWhereTheListPlacedTheRow)
{
    MakeList(LBS_SORT);
    Skin();
    Add(L"b");
    Add(L"c");
    uiDrawObj* b = skin->GetDrawItemInfo(0);
    uiDrawObj* c = skin->GetDrawItemInfo(1);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(c, nullptr);

    EXPECT_EQ(Add(L"a"), 0);
    ASSERT_EQ(skin->GetDrawItemSlotCount(), 3);
    EXPECT_EQ(skin->PeekDrawItemInfo(0), nullptr);
    EXPECT_EQ(skin->PeekDrawItemInfo(1), b);
    EXPECT_EQ(skin->PeekDrawItemInfo(2), c);
}

TEST_F(ListBox, ARefusedInsertAddsNoSlotAndAnInsertPastTheEndIsAppended)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");

    EXPECT_EQ(Insert(10, L"far"), LB_ERR);
    EXPECT_EQ(skin->GetDrawItemSlotCount(), 2);
    EXPECT_EQ(Insert(-1, L"last"), 2);
    EXPECT_EQ(skin->GetDrawItemSlotCount(), 3);
    EXPECT_EQ(Insert(1, L"middle"), 1);
    EXPECT_EQ(skin->GetDrawItemSlotCount(), Count());
}

TEST_F(ListBox, RowsAddedByAFolderListingStartAfreshOneSlotEach)
{
    MakeList(LBS_SORT);
    Skin();
    Add(L"zz");
    ASSERT_NE(skin->GetDrawItemInfo(0), nullptr);
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    lstrcatW(folder, L"\\*.dll");

    ASSERT_GE(SendMessageW(list, LB_DIR, DDL_READWRITE, reinterpret_cast<LPARAM>(folder)), 0);
    EXPECT_EQ(skin->GetDrawItemSlotCount(), Count());
    EXPECT_GT(Count(), 1);
    EXPECT_EQ(skin->PeekDrawItemInfo(Count() - 1), nullptr);
    EXPECT_TRUE(skin->GetEventItems().empty());
}

TEST_F(ListBox, DeletingARowMovesTheLaterLooksUpAndABadIndexChangesNothing)
{
    MakeList();
    Skin();
    for (const wchar_t* text : {L"one", L"two", L"three"})
        Add(text);
    uiDrawObj* one = skin->GetDrawItemInfo(0);
    uiDrawObj* three = skin->GetDrawItemInfo(2);
    skin->GetDrawItemInfo(1);
    // Every look brings its clickable part.
    EXPECT_EQ(skin->GetEventItems().size(), 3u);

    SendMessageW(list, LB_DELETESTRING, 1, 0);
    ASSERT_EQ(skin->GetDrawItemSlotCount(), 2);
    EXPECT_EQ(skin->PeekDrawItemInfo(0), one);
    EXPECT_EQ(skin->PeekDrawItemInfo(1), three);
    EXPECT_EQ(skin->GetEventItems().size(), 2u);

    // Neither a row past the end nor -1 (which the list refuses) takes any look along.
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(skin->PeekDrawItemInfo(0), one);
    EXPECT_EQ(skin->PeekDrawItemInfo(1), three);
}

TEST_F(ListBox, ResetDropsEveryLookAndItsClickableParts)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    skin->GetDrawItemInfo(0);
    skin->GetDrawItemInfo(1);

    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(skin->GetDrawItemSlotCount(), 0);
    EXPECT_TRUE(skin->GetEventItems().empty());
}

TEST_F(ListBox, RowsAlternateTheirOddAndEvenLooksStartingWithOdd)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    PaintNow(list);

    EXPECT_EQ(WindowPixel(list, 100, 5), kOdd);
    EXPECT_EQ(WindowPixel(list, 100, kRowHeight + 5), kEven);
    EXPECT_EQ(WindowPixel(list, 4, 4), kMark);
    EXPECT_EQ(WindowPixel(list, 35, 5), kOdd);
}

TEST_F(ListBox, ASelectedRowDrawsCheckedEvenWhileHot)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    PostMouse(list, WM_MOUSEMOVE, 100, 5);
    PumpPending();
    ASSERT_EQ(skin->GetHotItem(), 0);
    PaintNow(list);

    EXPECT_EQ(WindowPixel(list, 35, 5), kChecked);
    // The checked state paints no odd row: the list's own colour shows.
    EXPECT_EQ(WindowPixel(list, 100, 5), kNavy);
    EXPECT_EQ(WindowPixel(list, 100, kRowHeight + 5), kEven);
}

TEST_F(ListBox, TheRowUnderTheMouseDrawsOverAndLeavingEndsIt)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    PostMouse(list, WM_MOUSEMOVE, 100, kRowHeight + 5);
    PumpPending();
    EXPECT_EQ(skin->GetHotItem(), 1);
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 35, kRowHeight + 5), kOver);
    EXPECT_EQ(WindowPixel(list, 35, 5), kOdd);

    SendMessageW(list, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(skin->GetHotItem(), -1);
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 35, kRowHeight + 5), kEven);
}

TEST_F(ListBox, AClickOnARowsPartTellsTheParentWhichRow)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    PaintNow(list);
    Notices().clear();

    PostMouse(list, WM_LBUTTONDOWN, 65, kRowHeight + 5, MK_LBUTTON);
    PostMouse(list, WM_LBUTTONUP, 65, kRowHeight + 5);
    ASSERT_TRUE(PumpUntil([] { return !Notices().empty() && Notices().back().type == UI_EVENT_CLICK; }));
    const Notice& click = Notices().back();
    EXPECT_EQ(click.receiver, static_cast<HWND>(host));
    EXPECT_EQ(click.control, list);
    EXPECT_EQ(click.name, L"press");
    EXPECT_EQ(click.index, 1);
}

TEST_F(ListBox, AColourAdjustmentReachesLooksMadeBeforeAndAfterIt)
{
    MakeList();
    Skin();
    Add(L"one");
    Add(L"two");
    ASSERT_NE(skin->GetDrawItemInfo(0), nullptr);
    EXPECT_EQ(skin->SetColorAdjust(0, 100, -60), 1);
    PaintNow(list);

    // Row 1's look is made while it is drawn, after the adjustment.
    const COLORREF before = WindowPixel(list, 4, 4);
    EXPECT_NE(before, kMark);
    EXPECT_EQ(WindowPixel(list, 4, kRowHeight + 4), before);
}

TEST_F(ListBox, AFramedListGetsTheSkinsBorder)
{
    list = host.Child(L"LISTBOX", kOwnerDrawn | WS_BORDER, RECT{10, 10, 210, 150});
    Skin();
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 0, 0), kBorder);
    EXPECT_EQ(WindowPixel(list, 199, 139), kBorder);
}

TEST_F(ListBox, AnEmptyListShowsTheBackgroundAndRowsDrawOverIt)
{
    MakeList();
    Skin(L"lists.listbox.bg");
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 100, 5), kBackground);

    Add(L"one");
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 4, 4), kMark);
    // The row's bitmap starts from the background under it; below the rows the erase shows it.
    EXPECT_EQ(WindowPixel(list, 100, 5), kBackground);
    EXPECT_EQ(WindowPixel(list, 100, 100), kBackground);
}

TEST_F(ListBox, AReplacingStyleBringsItsOwnBackgroundAndTransparency)
{
    MakeList();
    Skin(L"lists.listbox.bg");
    Add(L"one");
    PaintNow(list);
    ASSERT_EQ(WindowPixel(list, 100, 5), kBackground);

    ASSERT_FALSE(uiCsbIsEnabled(list));

    // The row starts from the new background as much as the area below the rows; the style's
    // "scrollbar" style gives the list custom bars.
    ASSERT_TRUE(skin->SkinWindow(list, L"lists.listbox.bg2", TRUE, FALSE));
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 100, 5), kOrange);
    EXPECT_EQ(WindowPixel(list, 100, 100), kOrange);
    EXPECT_TRUE(uiCsbIsEnabled(list));

    ASSERT_TRUE(skin->SkinWindow(list, L"lists.listbox.clear", TRUE, FALSE));
    EXPECT_TRUE(uiHasTransparentTag(list));
    EXPECT_FALSE(uiCsbIsEnabled(list));

    // Neither a background item nor a transparent background: the system erases below the rows.
    ASSERT_TRUE(skin->SkinWindow(list, L"lists.listbox", TRUE, FALSE));
    EXPECT_FALSE(uiHasTransparentTag(list));
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 100, 5), kOdd);
    EXPECT_EQ(WindowPixel(list, 100, 100), GetSysColor(COLOR_WINDOW));
}

}  // namespace
