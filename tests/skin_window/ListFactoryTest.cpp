// The factory makes the list box, list view and tree view skins for their codes, and skins the
// parent so that the rows' owner-draw and custom-draw notifications reach them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ListTestSupport.h"
#include "uiEngineMessages.h"
#include "uiHandleMap.h"
#include "uiSkinEntry.h"
#include "uiSkinListBox.h"
#include "uiSkinListCtrl.h"
#include "uiSkinTreeCtrl.h"

namespace {

TEST(ListFactory, EachListCodeMakesItsSkinAndSkinsTheParent)
{
    ASSERT_TRUE(LoadListsSkin());
    HostWindow parent(nullptr, 30, 30, 400, 300);
    auto child = [&parent](const wchar_t* className, DWORD style) {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), GetModuleHandleW(nullptr), nullptr);
    };
    const HWND listBox = child(L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    const HWND listView = child(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDRAWFIXED);
    const HWND tree = child(WC_TREEVIEWW, 0);

    EXPECT_TRUE(uiSkinWindow(listBox, 'l', L"lists.listbox", 0));
    EXPECT_EQ(SendMessageW(parent, uiProbeMsg, 0, 0), 1);
    EXPECT_TRUE(uiSkinWindow(listView, 'm', L"lists.listctrl", 0));
    EXPECT_TRUE(uiSkinWindow(tree, 'y', L"lists.treectrl", 0));

    auto* listBoxSkin = dynamic_cast<uiSkinListBox*>(uiGetHandleMap()->Find(listBox));
    auto* listViewSkin = dynamic_cast<uiSkinListCtrl*>(uiGetHandleMap()->Find(listView));
    auto* treeSkin = dynamic_cast<uiSkinTreeCtrl*>(uiGetHandleMap()->Find(tree));
    ASSERT_NE(listBoxSkin, nullptr);
    ASSERT_NE(listViewSkin, nullptr);
    ASSERT_NE(treeSkin, nullptr);
    EXPECT_EQ(listBoxSkin->GetTypeCode(), 108);
    EXPECT_EQ(listViewSkin->GetTypeCode(), 109);
    EXPECT_EQ(treeSkin->GetTypeCode(), 121);
}

}  // namespace
