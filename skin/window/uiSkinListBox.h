// The skinned list box: an owner-drawn list whose rows are each drawn from their own copy of a row
// look of the style, over the skin's background or the parent's, with odd and even row items, a
// hover highlight, clickable parts per row, the skin's border and custom-drawn scroll bars.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>

#include "uiColorInfo.h"
#include "uiListDrawing.h"
#include "uiScrollBarHelper.h"
#include "uiSkinEventCtrl.h"
#include "uiTransparentHelper.h"

class uiDrawObj;
struct uiListBoxInfo;

class uiSkinListBox : public uiSkinEventCtrl {
public:
    uiSkinListBox();
    ~uiSkinListBox() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override;
    LRESULT OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control) override;
    void OnAttached() override;
    void ReleaseStyle() override;
    // The looks made from the style's templates go with it; their slots stay.
    void ForgetStyle() override;
    void RebindStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;
    // LB_ITEMFROMPOINT; -1 outside every item.
    int ItemFromPoint(POINT point) override;

    // The row's own look, copied from the named template ("default" without a name) on first use;
    // null for a row outside the list or without a template.
    uiDrawObj* GetDrawItemInfo(int index, const wchar_t* templateName = nullptr);
    // Drops one row's look (later rows move up), or every look for -1.
    void DeleteDrawItemInfo(int index);

    int GetDrawItemSlotCount() const { return static_cast<int>(m_looks.size()); }
    // The look of a row made so far, or null.
    uiDrawObj* PeekDrawItemInfo(int index) const;
    int GetHotItem() const { return m_hotItem; }

private:
    // What the control reads from the style attached now: the list record, the scroll bars, the
    // background buffer and the transparency.
    void TakeStyle();
    BOOL HasSkinnedBackground() const;
    int GetCount() const;
    void BuildBackgroundBuffer();
    void DrawItem(const DRAWITEMSTRUCT& item);
    // The skin's background for the client area: the parent's, or the item "background".
    void DrawBackground(HDC dc);
    LRESULT OnPaint();
    LRESULT OnEraseBackground(HDC dc);
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void InvalidateItem(int index);
    // Runs the message with redrawing off, then repaints the list once.
    LRESULT WithoutRedraw(UINT msg, WPARAM wParam, LPARAM lParam, UINT extraFlags);
    // Runs a message that adds or deletes rows and keeps the looks in step with what the list box
    // did; FALSE for other messages.
    BOOL OnRowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Keeps the looks in step with an insertion or deletion the list box has done.
    void InsertSlot(int index);
    // Row values of the event items from the index on, after rows moved.
    void RetagFrom(int index);

    uiScrollBarHelper m_scrollBars;
    BOOL m_drawOver = FALSE;
    const uiListBoxInfo* m_info = nullptr;
    BOOL m_leaveTracking = FALSE;
    int m_hotItem = -1;
    std::vector<std::unique_ptr<uiDrawObj>> m_looks;
    uiColorInfo m_bkColor{0};
    uiTransparentHelper m_transparent;
    BOOL m_hasBackgroundItem = FALSE;
    std::unique_ptr<uiRowBitmap> m_background;
    int m_bufferWidth = 0;
    int m_bufferHeight = 0;
    BOOL m_colorAdjusted = FALSE;
};
