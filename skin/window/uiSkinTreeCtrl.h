// The skinned tree view: every visible item drawn through the tree's custom draw from its own copy of
// a look of the style, indented by its level, with its text and an expand or collapse sign, over a
// row item; the area below the items in the style's colour, the skin's border, custom scroll bars.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <map>
#include <memory>

#include "CString.h"
#include "uiColorInfo.h"
#include "uiScrollBarHelper.h"
#include "uiSkinEventCtrl.h"

class uiDrawObj;
struct uiTreeCtrlInfo;

class uiSkinTreeCtrl : public uiSkinEventCtrl {
public:
    uiSkinTreeCtrl();
    ~uiSkinTreeCtrl() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;
    void OnAttached() override;
    void ReleaseStyle() override;
    // The looks made from the style's templates go with it.
    void ForgetStyle() override;
    void RebindStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;

    // The item's own look, copied on first use from the named template ("default" without a name);
    // null without a template.
    uiDrawObj* GetDrawItemInfo(HTREEITEM item, const wchar_t* templateName = nullptr);
    // Drops the item's look, or every look for TVI_ROOT.
    void DeleteDrawItemInfo(HTREEITEM item);

    size_t GetDrawItemCount() const { return m_looks.size(); }
    uiDrawObj* PeekDrawItemInfo(HTREEITEM item) const;
    HTREEITEM GetHotItem() const { return m_hotItem; }
    // The client area down to the bottom of the last visible item, as the last erase found it.
    const RECT& GetItemsArea() const { return m_itemsArea; }

private:
    // What the control reads from the style attached now: the tree record, the row height and the
    // scroll bars.
    void TakeStyle();
    LRESULT DrawItem(NMTVCUSTOMDRAW& draw);
    CString ItemText(HTREEITEM item) const;
    void OnMouseMove(POINT point);
    void InvalidateItem(HTREEITEM item);
    void UpdateItemsArea();
    LRESULT OnEraseBackground(HDC dc);

    uiScrollBarHelper m_scrollBars;
    // The row height that the skin gave the tree; 0 none.
    int m_itemHeight = 0;
    int m_levelIndent = 16;
    const uiTreeCtrlInfo* m_info = nullptr;
    BOOL m_leavePending = FALSE;
    HTREEITEM m_hotItem = nullptr;
    std::map<HTREEITEM, std::unique_ptr<uiDrawObj>> m_looks;
    uiColorInfo m_bkColor{0};
    BOOL m_colorAdjusted = FALSE;
    RECT m_itemsArea = {0, 0, 0, 0};
};
