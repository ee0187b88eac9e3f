// The skinned tree view: items drawn from their own looks, indented by level, with the expand and
// collapse signs and the normal, hover and selected colours; looks dropped with their items; the
// area below the items in the style's colour, with no brush left behind; another style in place of
// the old one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <string>

#include "ListTestSupport.h"
#include "SkinTestSupport.h"
#include "uiCustomScrollBar.h"
#include "uiSkinTreeCtrl.h"

namespace {

const COLORREF kNavy = RGB(0, 0, 0x80), kNormal = RGB(0, 255, 0), kOver = RGB(255, 255, 0);
const COLORREF kChecked = RGB(255, 0, 255), kMark = RGB(255, 255, 255);
const COLORREF kExpanded = RGB(0, 255, 255), kCollapsed = RGB(255, 0x80, 0), kBorder = RGB(255, 0, 0);
const int kRow = 20;

class TreeCtrl : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadListsSkin());
        tree = host.Child(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_SHOWSELALWAYS, RECT{10, 10, 260, 210});
        // root > child > grandchild > great-grandchild, and a second child: rows 0 to 4, all expanded.
        root = Add(TVI_ROOT, L"root");
        child = Add(root, L"child");
        grandchild = Add(child, L"grandchild");
        great = Add(grandchild, L"great");
        second = Add(root, L"second");
        for (HTREEITEM item : {root, child, grandchild})
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    void Skin()
    {
        skin = new uiSkinTreeCtrl;
        ASSERT_TRUE(skin->SkinWindow(tree, L"lists.treectrl", TRUE, FALSE));
    }
    HTREEITEM Add(HTREEITEM parent, const wchar_t* text)
    {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(text);
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    COLORREF Pixel(int x, int row, int y = kRow / 2) const { return WindowPixel(tree, x, row * kRow + y); }

    ListHost host;
    HWND tree = nullptr;
    uiSkinTreeCtrl* skin = nullptr;
    HTREEITEM root = nullptr, child = nullptr, grandchild = nullptr, great = nullptr, second = nullptr;
};

TEST_F(TreeCtrl, ItemsAreIndentedByTheirLevelAndShowTheirSign)
{
    Skin();
    PaintNow(tree);

    EXPECT_EQ(Pixel(150, 0), kNormal);
    EXPECT_EQ(Pixel(3, 0, 3), kMark);
    EXPECT_EQ(Pixel(11, 0, 3), kExpanded);
    EXPECT_EQ(Pixel(3 + 16, 1, 3), kMark);
    // Level 3 with 16 pixels per level: 48 pixels to the right; no children, no sign.
    EXPECT_EQ(Pixel(2 + 48, 3, 3), kMark);
    EXPECT_EQ(Pixel(3, 3, 3), kNormal);
    EXPECT_EQ(Pixel(11 + 48, 3, 3), kNormal);
    // Below the last item the style's colour.
    EXPECT_EQ(Pixel(150, 7), kNavy);

    SendMessageW(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(root));
    PaintNow(tree);
    EXPECT_EQ(Pixel(11, 0, 3), kCollapsed);
    EXPECT_EQ(Pixel(150, 2), kNavy);
}

TEST_F(TreeCtrl, AHorizontallyScrolledTreeDrawsItsItemsShiftedByThePosition)
{
    Skin();
    // A text far wider than the tree gives it a horizontal range.
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = second;
    std::wstring wide(200, L'W');
    item.pszText = &wide[0];
    SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(tree, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
    const int position = GetScrollPos(tree, SB_HORZ);
    ASSERT_GT(position, 8);
    ASSERT_LT(position, 48);
    PaintNow(tree);

    // The mark at x 2 to 6 of each row now lies left of the window; the row's far part is drawn.
    EXPECT_EQ(Pixel(3, 0, 3), kNormal);
    EXPECT_EQ(Pixel(2 + 48 - position, 3, 3), kMark);
    EXPECT_EQ(Pixel(2 + 48 - position - 1, 3, 3), kNormal);
    EXPECT_EQ(Pixel(240, 0), kNormal);
}

TEST_F(TreeCtrl, TheSelectedItemDrawsCheckedAndTheItemUnderTheMouseOver)
{
    Skin();
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    PostMouse(tree, WM_MOUSEMOVE, 150, kRow + kRow / 2);
    PumpPending();
    EXPECT_EQ(skin->GetHotItem(), child);
    PaintNow(tree);

    EXPECT_EQ(Pixel(150, 0), kChecked);
    EXPECT_EQ(Pixel(150, 1), kOver);
    EXPECT_EQ(Pixel(150, 2), kNormal);

    SendMessageW(tree, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(skin->GetHotItem(), nullptr);
    PaintNow(tree);
    EXPECT_EQ(Pixel(150, 1), kNormal);
}

TEST_F(TreeCtrl, DeletedItemsTakeTheirLooksAndTheParentStillHearsOfThem)
{
    Skin();
    PaintNow(tree);
    ASSERT_EQ(skin->GetDrawItemCount(), 5u);
    ASSERT_NE(skin->PeekDrawItemInfo(second), nullptr);

    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(skin->GetDrawItemCount(), 4u);
    EXPECT_EQ(skin->PeekDrawItemInfo(second), nullptr);

    NMTREEVIEWW deleted = {};
    deleted.hdr.hwndFrom = tree;
    deleted.hdr.code = TVN_DELETEITEMW;
    deleted.itemOld.hItem = TVI_ROOT;
    uiReflectInfo info = {WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&deleted), FALSE};
    EXPECT_EQ(skin->OnReflectedNotify(&info, &deleted.hdr), 0);
    EXPECT_FALSE(info.handled);
    EXPECT_EQ(skin->GetDrawItemCount(), 0u);
}

TEST_F(TreeCtrl, TheHotItemIsForgottenWhenItIsDeleted)
{
    Skin();
    PostMouse(tree, WM_MOUSEMOVE, 150, 4 * kRow + kRow / 2);
    PumpPending();
    ASSERT_EQ(skin->GetHotItem(), second);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(skin->GetHotItem(), nullptr);
}

TEST_F(TreeCtrl, AFramedTreeGetsTheSkinsBorder)
{
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) | WS_BORDER);
    SetWindowPos(tree, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Skin();
    PaintNow(tree);
    EXPECT_EQ(WindowPixel(tree, 0, 0), kBorder);
}

TEST_F(TreeCtrl, ErasingFillsBelowTheItemsAndLeavesNoBrushBehind)
{
    Skin();
    PixelCanvas canvas(250, 200, RGB(0, 255, 255));
    const WPARAM dc = reinterpret_cast<WPARAM>(canvas.GetDC());
    EXPECT_EQ(SendMessageW(tree, WM_ERASEBKGND, dc, 0), 1);
    // The five items keep what they had; below them the style's colour.
    EXPECT_EQ(canvas.Pixel(100, 4 * kRow + 5), RGB(0, 255, 255));
    EXPECT_EQ(canvas.Pixel(100, 5 * kRow + 5), kNavy);

    const int before = GdiHeadroom();
    for (int i = 0; i < 300; ++i)
        SendMessageW(tree, WM_ERASEBKGND, dc, 0);
    EXPECT_EQ(GdiHeadroom(), before);
}

TEST_F(TreeCtrl, AReplacingStyleBringsItsOwnRowHeightAndScrollBars)
{
    const LRESULT ownHeight = SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0);
    ASSERT_NE(ownHeight, 20);
    Skin();
    struct Case {
        const wchar_t* style;
        LRESULT rowHeight;
        bool customBars;
    };
    // Without a tree record the tree has its own row height back.
    for (const Case& c : {Case{L"lists.treectrl.tall", 30, true}, Case{L"lists.treectrl.plain", ownHeight, false},
                          Case{L"lists.treectrl", 20, false}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(skin->SkinWindow(tree, c.style, TRUE, FALSE));
        EXPECT_EQ(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0), c.rowHeight);
        EXPECT_EQ(uiCsbIsEnabled(tree) != FALSE, c.customBars);
    }
}

}  // namespace
