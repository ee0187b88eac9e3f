// Skinned lists made, filled, painted and destroyed many times leave the process as much room for GDI
// objects as before: row bitmaps, brushes and background buffers all go.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdio>

#include "ListTestSupport.h"
#include "uiSkinListBox.h"
#include "uiSkinListCtrl.h"
#include "uiSkinTreeCtrl.h"

namespace {

void Cycle(const ListHost& host)
{
    const HWND listBox = host.Child(L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_BORDER, RECT{0, 0, 120, 100});
    (new uiSkinListBox)->SkinWindow(listBox, L"lists.listbox", TRUE, FALSE);
    const HWND listView = host.Child(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDRAWFIXED, RECT{130, 0, 260, 100});
    (new uiSkinListCtrl)->SkinWindow(listView, L"lists.listctrl", TRUE, FALSE);
    const HWND tree = host.Child(WC_TREEVIEWW, WS_BORDER, RECT{270, 0, 390, 100});
    (new uiSkinTreeCtrl)->SkinWindow(tree, L"lists.treectrl", TRUE, FALSE);

    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 50;
    SendMessageW(listView, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(listView, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 3; ++i) {
        SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
        LVITEMW item = {};
        item.iItem = i;
        SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        TVINSERTSTRUCTW node = {};
        node.hParent = TVI_ROOT;
        node.hInsertAfter = TVI_LAST;
        node.item.mask = TVIF_TEXT;
        node.item.pszText = const_cast<wchar_t*>(L"node");
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&node));
    }
    PaintNow(host);
    DestroyWindow(listBox);
    DestroyWindow(listView);
    DestroyWindow(tree);
}

TEST(ListResources, ManyCreateFillPaintAndDestroyCyclesLeaveTheGdiRoomAlone)
{
    ASSERT_TRUE(LoadListsSkin());
    ListHost host;
    // The first cycles may create lasting objects of the system's own (stock fonts, caches).
    Cycle(host);
    Cycle(host);
    const int before = GdiHeadroom();
    for (int i = 0; i < 100; ++i)
        Cycle(host);
    EXPECT_EQ(GdiHeadroom(), before);
    std::printf("room for %d GDI objects\n", before);
}

}  // namespace
