// The skinned list view: every cell keeps its own look through inserted, sorted, refused and deleted
// rows and inserted and deleted columns; rows show the skin's colours for the normal, hover and
// selected states; the header follows the mouse and the sorted column; another style in place of the
// old one brings its own header style and scroll bars.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ListTestSupport.h"
#include "uiCustomScrollBar.h"
#include "uiDrawObj.h"
#include "uiSkinHeaderCtrl.h"
#include "uiSkinListCtrl.h"

namespace {

const COLORREF kNavy = RGB(0, 0, 0x80), kOdd = RGB(0, 255, 0), kEven = RGB(0, 0x80, 0);
const COLORREF kOver = RGB(255, 255, 0), kChecked = RGB(255, 0, 255), kMark = RGB(255, 255, 255);
const COLORREF kBorder = RGB(255, 0, 0), kHeaderNormal = RGB(0x40, 0x40, 0x40), kHeaderOver = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kSeparator = RGB(0, 0, 0), kAscend = RGB(0, 255, 0x80), kDescend = RGB(0x80, 0, 255);
const COLORREF kHeaderLight = RGB(0xE0, 0xE0, 0xA0);
const DWORD kReport = LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;

class ListCtrl : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadListsSkin()); }

    void MakeList(DWORD style = 0, DWORD view = kReport)
    {
        list = host.Child(WC_LISTVIEWW, view | style, RECT{10, 10, 260, 170});
        for (int i = 0; i < 3; ++i)
            InsertColumn(i);
    }
    void Skin(const wchar_t* skinStyle = L"lists.listctrl")
    {
        skin = new uiSkinListCtrl;
        ASSERT_TRUE(skin->SkinWindow(list, skinStyle, TRUE, FALSE));
    }
    LRESULT InsertColumn(int at)
    {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 60;
        return SendMessageW(list, LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&column));
    }
    LRESULT InsertRow(int at, const wchar_t* text = L"row")
    {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = at;
        item.pszText = const_cast<wchar_t*>(text);
        return SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    RECT Row(int row) const
    {
        RECT rect = {};
        rect.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    COLORREF RowPixel(int row, int x = 150) const
    {
        const RECT rect = Row(row);
        return WindowPixel(list, x, (rect.top + rect.bottom) / 2);
    }
    HWND Header() const { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

    ListHost host;
    HWND list = nullptr;
    uiSkinListCtrl* skin = nullptr;
};

TEST_F(ListCtrl, CellsPresentAtAttachGetOneSlotEachAndOutsideCellsHaveNoLook)
{
    MakeList();
    InsertRow(0);
    InsertRow(1);
    Skin();
    EXPECT_EQ(skin->GetCellSlotCount(), 6);
    EXPECT_NE(skin->GetDrawItem(1, 2), nullptr);
    EXPECT_EQ(skin->GetDrawItem(2, 0), nullptr);
    EXPECT_EQ(skin->GetDrawItem(0, 3), nullptr);
    EXPECT_EQ(skin->GetDrawItem(-1, 0), nullptr);
    EXPECT_EQ(skin->GetDrawItem(0, -1), nullptr);
}

TEST_F(ListCtrl, RowsInsertedPastTheEndOrRefusedKeepTheCellsAligned)
{
    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    uiDrawObj* second = skin->GetDrawItem(1, 0);
    ASSERT_NE(second, nullptr);

    EXPECT_EQ(InsertRow(10), 2);
    EXPECT_EQ(skin->GetCellSlotCount(), 9);
    EXPECT_EQ(InsertRow(-1), -1);
    EXPECT_EQ(skin->GetCellSlotCount(), 9);
    EXPECT_EQ(InsertRow(0), 0);
    EXPECT_EQ(skin->PeekDrawItem(2, 0), second);
    EXPECT_EQ(skin->PeekDrawItem(1, 0), nullptr);
    EXPECT_NE(skin->GetDrawItem(3, 2), nullptr);
}

TEST_F(ListCtrl, ASortedListPutsTheNewCellsWhereItPlacedTheRow)
{
    // Owner-drawn lists are not sorted: this one draws itself.
    MakeList(LVS_SORTASCENDING, LVS_REPORT);
    Skin();
    InsertRow(0, L"b");
    InsertRow(1, L"c");
    uiDrawObj* b = skin->GetDrawItem(0, 1);
    uiDrawObj* c = skin->GetDrawItem(1, 1);

    EXPECT_EQ(InsertRow(5, L"a"), 0);
    EXPECT_EQ(skin->PeekDrawItem(0, 1), nullptr);
    EXPECT_EQ(skin->PeekDrawItem(1, 1), b);
    EXPECT_EQ(skin->PeekDrawItem(2, 1), c);
}

int CALLBACK ByItemData(LPARAM first, LPARAM second, LPARAM)
{
    return static_cast<int>(first - second);
}

TEST_F(ListCtrl, SortingTheRowsTakesTheirCellsAlong)
{
    MakeList();
    Skin();
    uiDrawObj* looks[3] = {};
    const LPARAM data[3] = {30, 10, 20};
    for (int row = 0; row < 3; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = data[row];
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    for (int row = 0; row < 3; ++row)
        looks[row] = skin->GetDrawItem(row, 2);

    ASSERT_TRUE(SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(ByItemData)));
    EXPECT_EQ(skin->PeekDrawItem(0, 2), looks[1]);
    EXPECT_EQ(skin->PeekDrawItem(1, 2), looks[2]);
    EXPECT_EQ(skin->PeekDrawItem(2, 2), looks[0]);
    EXPECT_EQ(skin->GetCellSlotCount(), 9);
}

TEST_F(ListCtrl, DeletingAColumnMovesEveryLaterCellAndDropsItsClickableParts)
{
    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    uiDrawObj* a = skin->GetDrawItem(0, 0);
    skin->GetDrawItem(0, 1);
    skin->GetDrawItem(1, 1);
    uiDrawObj* c = skin->GetDrawItem(0, 2);
    uiDrawObj* d = skin->GetDrawItem(1, 2);
    // Only the "col_1" look has a clickable part.
    EXPECT_EQ(skin->GetEventItems().size(), 2u);

    ASSERT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
    EXPECT_EQ(skin->GetCellSlotCount(), 4);
    EXPECT_EQ(skin->PeekDrawItem(0, 0), a);
    EXPECT_EQ(skin->PeekDrawItem(0, 1), c);
    EXPECT_EQ(skin->PeekDrawItem(1, 1), d);
    EXPECT_TRUE(skin->GetEventItems().empty());

    // A column the list does not have changes nothing.
    EXPECT_FALSE(SendMessageW(list, LVM_DELETECOLUMN, 5, 0));
    EXPECT_EQ(skin->PeekDrawItem(1, 1), d);
}

TEST_F(ListCtrl, InsertingAColumnMovesTheLaterCellsRight)
{
    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    uiDrawObj* a = skin->GetDrawItem(1, 0);
    uiDrawObj* b = skin->GetDrawItem(1, 1);
    uiDrawObj* c = skin->GetDrawItem(1, 2);

    EXPECT_EQ(InsertColumn(1), 1);
    EXPECT_EQ(skin->GetCellSlotCount(), 8);
    EXPECT_EQ(skin->PeekDrawItem(1, 0), a);
    EXPECT_EQ(skin->PeekDrawItem(1, 1), nullptr);
    EXPECT_EQ(skin->PeekDrawItem(1, 2), b);
    EXPECT_EQ(skin->PeekDrawItem(1, 3), c);
}

TEST_F(ListCtrl, DeletingARowMovesTheLaterRowsUpAndDeletingAllEmptiesTheCells)
{
    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    uiDrawObj* later = skin->GetDrawItem(1, 1);

    ASSERT_TRUE(SendMessageW(list, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(skin->GetCellSlotCount(), 3);
    EXPECT_EQ(skin->PeekDrawItem(0, 1), later);
    EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 4, 0));
    EXPECT_EQ(skin->GetCellSlotCount(), 3);

    ASSERT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(skin->GetCellSlotCount(), 0);
    EXPECT_TRUE(skin->GetEventItems().empty());
}

TEST_F(ListCtrl, TheItemCountOfAVirtualListSizesTheCellsAndAnOrdinaryListKeepsItsRows)
{
    MakeList(LVS_OWNERDATA);
    Skin();
    SendMessageW(list, LVM_SETITEMCOUNT, 5, 0);
    EXPECT_EQ(skin->GetCellSlotCount(), 15);
    SendMessageW(list, LVM_SETITEMCOUNT, 0, 0);
    EXPECT_EQ(skin->GetCellSlotCount(), 0);
    DestroyWindow(list);

    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    uiDrawObj* kept = skin->GetDrawItem(1, 1);
    SendMessageW(list, LVM_SETITEMCOUNT, 0, 0);
    EXPECT_EQ(skin->GetCellSlotCount(), 6);
    EXPECT_EQ(skin->PeekDrawItem(1, 1), kept);
}

TEST_F(ListCtrl, RowsAlternateOddAndEvenAndSelectedOrHotRowsPaintTheItem)
{
    MakeList();
    Skin();
    for (int i = 0; i < 3; ++i)
        InsertRow(i);
    PaintNow(list);
    // The looks are made while the rows are drawn.
    EXPECT_NE(skin->PeekDrawItem(2, 2), nullptr);
    EXPECT_EQ(RowPixel(0), kOdd);
    EXPECT_EQ(RowPixel(1), kEven);
    const RECT first = Row(0);
    EXPECT_EQ(WindowPixel(list, 3, first.top + 3), kMark);
    EXPECT_EQ(WindowPixel(list, 62, first.top + 3), RGB(0, 0, 255));

    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    const RECT third = Row(2);
    PostMouse(list, WM_MOUSEMOVE, 150, (third.top + third.bottom) / 2);
    PumpPending();
    EXPECT_EQ(skin->GetHotRow(), 2);
    PaintNow(list);
    EXPECT_EQ(RowPixel(0), kChecked);
    EXPECT_EQ(RowPixel(1), kEven);
    EXPECT_EQ(RowPixel(2), kOver);

    SendMessageW(list, WM_MOUSELEAVE, 0, 0);
    PaintNow(list);
    EXPECT_EQ(skin->GetHotRow(), -1);
    EXPECT_EQ(RowPixel(2), kOdd);
}

TEST_F(ListCtrl, AClickOnACellsPartTellsTheParentItsRowAndColumn)
{
    MakeList();
    Skin();
    InsertRow(0);
    InsertRow(1);
    PaintNow(list);
    Notices().clear();
    const RECT second = Row(1);

    PostMouse(list, WM_LBUTTONDOWN, 73, second.top + 3, MK_LBUTTON);
    PostMouse(list, WM_LBUTTONUP, 73, second.top + 3);
    ASSERT_TRUE(PumpUntil([] { return !Notices().empty() && Notices().back().type == UI_EVENT_CLICK; }));
    const Notice& click = Notices().back();
    EXPECT_EQ(click.control, list);
    EXPECT_EQ(click.name, L"cell.press");
    EXPECT_EQ(click.index, 1 * 65536 + 1);
}

TEST_F(ListCtrl, ARowWithoutALookForItsSecondColumnIsNotDrawn)
{
    MakeList();
    Skin(L"lists.listctrl.firstonly");
    InsertRow(0);
    PaintNow(list);
    // The row was drawn by the skin up to its second column: the first cell got its look.
    EXPECT_NE(skin->PeekDrawItem(0, 0), nullptr);
    EXPECT_NE(RowPixel(0), kOdd);
    EXPECT_NE(WindowPixel(list, 3, Row(0).top + 3), RGB(0, 255, 255));
    EXPECT_EQ(skin->PeekDrawItem(0, 1), nullptr);
}

TEST_F(ListCtrl, AFramedListGetsTheSkinsBorder)
{
    list = host.Child(WC_LISTVIEWW, kReport | WS_BORDER, RECT{10, 10, 260, 170});
    Skin();
    PaintNow(list);
    EXPECT_EQ(WindowPixel(list, 0, 0), kBorder);
}

TEST_F(ListCtrl, TheHeaderIsSkinnedUnlessTheListHasNone)
{
    MakeList(LVS_NOCOLUMNHEADER);
    Skin();
    EXPECT_EQ(skin->GetHeaderSkin(), nullptr);
}

TEST_F(ListCtrl, TheHeaderShowsTheHotColumnAndClicksMoveAndFlipTheSort)
{
    MakeList();
    Skin();
    uiSkinHeaderCtrl* header = skin->GetHeaderSkin();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetTypeCode(), 112);
    PaintNow(list);
    EXPECT_EQ(WindowPixel(Header(), 30, 5), kHeaderNormal);
    // Each column ends in its two-pixel separator.
    EXPECT_EQ(WindowPixel(Header(), 58, 5), kSeparator);
    EXPECT_EQ(WindowPixel(Header(), 119, 5), kSeparator);
    EXPECT_EQ(WindowPixel(Header(), 57, 5), kHeaderNormal);

    PostMouse(Header(), WM_MOUSEMOVE, 90, 5);
    PumpPending();
    EXPECT_EQ(header->GetHotColumn(), 1);
    PaintNow(list);
    EXPECT_EQ(WindowPixel(Header(), 90, 5), kHeaderOver);
    EXPECT_EQ(WindowPixel(Header(), 30, 5), kHeaderNormal);
    // The hot column has no separator.
    EXPECT_EQ(WindowPixel(Header(), 119, 5), kHeaderOver);
    EXPECT_EQ(WindowPixel(Header(), 58, 5), kSeparator);

    NMHEADERW click = {};
    click.hdr.hwndFrom = Header();
    click.hdr.code = HDN_ITEMCLICKW;
    click.iItem = 1;
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(header->GetSortColumn(), 1);
    EXPECT_TRUE(header->IsAscending());
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(header->IsAscending());
    click.iItem = 2;
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(header->GetSortColumn(), 2);
    EXPECT_TRUE(header->IsAscending());
}

TEST_F(ListCtrl, TheSortedColumnShowsItsArrowAfterItsText)
{
    MakeList();
    Skin();
    uiSkinHeaderCtrl* header = skin->GetHeaderSkin();
    ASSERT_NE(header, nullptr);
    RECT client = {};
    GetClientRect(Header(), &client);
    // A left-aligned column without text: the arrow starts 10 pixels in, 8 wide, its bottom at half
    // the height.
    const int y = client.bottom / 2 - 2;
    PaintNow(list);
    EXPECT_EQ(WindowPixel(Header(), 13, y), kDescend);
    EXPECT_EQ(WindowPixel(Header(), 73, y), kHeaderNormal);

    NMHEADERW click = {};
    click.hdr.hwndFrom = Header();
    click.hdr.code = HDN_ITEMCLICKW;
    click.iItem = 1;
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    PaintNow(list);
    EXPECT_EQ(WindowPixel(Header(), 73, y), kAscend);
    EXPECT_EQ(WindowPixel(Header(), 13, y), kHeaderNormal);
    EXPECT_EQ(WindowPixel(Header(), 73, client.bottom / 2 + 1), kHeaderNormal);

    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    PaintNow(list);
    EXPECT_EQ(WindowPixel(Header(), 73, y), kDescend);
}

TEST_F(ListCtrl, AHeaderThatDoesNotSortShowsNoHover)
{
    MakeList(LVS_NOSORTHEADER);
    Skin();
    uiSkinHeaderCtrl* header = skin->GetHeaderSkin();
    ASSERT_NE(header, nullptr);
    PostMouse(Header(), WM_MOUSEMOVE, 90, 5);
    PumpPending();
    EXPECT_EQ(header->GetHotColumn(), -1);
}


TEST_F(ListCtrl, AnotherStyleOnTheListAndNoneOnTheHeaderDrawOnlyFromWhatTheyHaveNow)
{
    MakeList();
    Skin();
    InsertRow(0);
    ASSERT_NE(skin->GetDrawItem(0, 1), nullptr);
    uiSkinHeaderCtrl* header = skin->GetHeaderSkin();
    ASSERT_NE(header, nullptr);

    // The new style has no look for the second column: its cell goes and the row is not drawn.
    EXPECT_TRUE(skin->SkinWindow(list, L"lists.listctrl.firstonly", TRUE, FALSE));
    EXPECT_EQ(skin->PeekDrawItem(0, 1), nullptr);
    EXPECT_EQ(skin->GetDrawItem(0, 1), nullptr);
    EXPECT_NE(skin->GetDrawItem(0, 0), nullptr);
    EXPECT_FALSE(header->SkinWindow(Header(), L"no.such.style", TRUE, FALSE));
    PaintNow(list);
    EXPECT_NE(RowPixel(0), kOdd);
    EXPECT_NE(WindowPixel(Header(), 30, 5), kHeaderNormal);
}

TEST_F(ListCtrl, AReplacingStyleBringsItsOwnHeaderStyleAndScrollBars)
{
    MakeList();
    Skin();
    struct Case {
        const wchar_t* style;
        COLORREF header;
        bool customBars;
    };
    for (const Case& c : {Case{L"lists.listctrl.bars", kHeaderLight, true}, Case{L"lists.listctrl", kHeaderNormal, false}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(skin->SkinWindow(list, c.style, TRUE, FALSE));
        ASSERT_NE(skin->GetHeaderSkin(), nullptr);
        InvalidateRect(Header(), nullptr, TRUE);
        PaintNow(Header());
        EXPECT_EQ(WindowPixel(Header(), 30, 5), c.header);
        EXPECT_EQ(uiCsbIsEnabled(list) != FALSE, c.customBars);
    }
}

}  // namespace
