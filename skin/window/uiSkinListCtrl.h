// The skinned list view (report view): every cell drawn from its own copy of a per-column look of the
// style, over odd and even row items and a hover highlight, with clickable parts hit-tested per cell,
// the skin's border, custom-drawn scroll bars and a skinned header.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>

#include "CString.h"
#include "uiColorInfo.h"
#include "uiScrollBarHelper.h"
#include "uiSkinEventCtrl.h"

class uiDrawObj;
class uiSkinHeaderCtrl;
struct uiListCtrlInfo;

class uiSkinListCtrl : public uiSkinEventCtrl {
public:
    uiSkinListCtrl();
    ~uiSkinListCtrl() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override;
    void OnAttached() override;
    void ReleaseStyle() override;
    // The looks made from the style's templates go with it; their slots stay.
    void ForgetStyle() override;
    void RebindStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;
    // The event item of a cell under the client point; null when none.
    uiDisplayEventItem* HitTestItem(POINT point) override;
    // row × 65536 + column of the cell under the point; -1 when none.
    int ItemFromPoint(POINT point) override;

    // The cell's own look, copied on first use from the named template, else "col_<column>", else
    // "default"; null for an empty list, a cell outside the list, or without a template.
    uiDrawObj* GetDrawItem(int row, int column, const wchar_t* templateName = nullptr);
    // The look of a cell made so far, or null.
    uiDrawObj* PeekDrawItem(int row, int column) const;
    int GetCellSlotCount() const { return static_cast<int>(m_cells.size()); }
    int GetColumnCount() const;
    int GetRowCount() const;
    int GetHotRow() const { return m_hotRow; }
    // The header's skin object while it lives, else null.
    uiSkinHeaderCtrl* GetHeaderSkin() const;

private:
    // What the control reads from the style attached now: the list record, the scroll bars and the
    // header's style.
    void TakeStyle();
    // Skins the header with the header style, unless it has that skin already.
    void SkinHeader();
    // Runs a message that inserts, deletes or sorts rows or columns and moves the cells to match;
    // FALSE for other messages.
    BOOL OnCellMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Resize(int rows);
    void DropCell(size_t index);
    // Moves the looks to their cells after a column was inserted at or deleted from the index.
    void RemapColumns(int oldColumns, int newColumns, int column);
    // The item data of every row, in row order.
    std::vector<LPARAM> RowParams() const;
    // Moves the rows' cells to where a sort put the rows, knowing each row by its item data (rows
    // with the same data keep their order among themselves).
    void FollowSortedRows(const std::vector<LPARAM>& before);
    void InsertRow(int row);
    void DeleteRow(int row);
    void DrawRow(const DRAWITEMSTRUCT& item);
    // The cell's label rectangle, right edge less 1; empty when the list has no such cell.
    RECT CellRect(int row, int column) const;
    RECT RowRect(int row) const;
    int RowAt(POINT point) const;
    void OnMouseMove(POINT point);
    void InvalidateRow(int row);
    void InvalidateRowsFrom(int row);

    uiScrollBarHelper m_scrollBars;
    BOOL m_hasBorder = TRUE;
    uiSkinHeaderCtrl* m_header = nullptr;
    HWND m_headerWindow = nullptr;
    CString m_headerStyleName;
    std::vector<std::unique_ptr<uiDrawObj>> m_cells;
    const uiListCtrlInfo* m_info = nullptr;
    BOOL m_drawOver = FALSE;
    int m_itemHeight = 23;
    uiColorInfo m_bkColor{0};
    int m_hotRow = -1;
    BOOL m_leavePending = FALSE;
    BOOL m_oddEven = FALSE;
    BOOL m_colorAdjusted = FALSE;
};
