// The skinned header of a list view: column backgrounds for normal, hot and pressed columns, the
// column texts, the sort arrow of the sorted column and the separators, all from named display items
// of its style, with the hot and pressed columns followed through a mouse-state tracker.
#pragma once

#include <windows.h>

#include "uiMouseStateTracker.h"
#include "uiSkinBase.h"

class uiDisplayItem;

class uiSkinHeaderCtrl : public uiSkinBase {
public:
    uiSkinHeaderCtrl();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    int ApplyStyle() override;
    // The seven items live in the style copy.
    void ForgetStyle() override;

    // A header whose columns do not sort shows no hover, no pressed column and no sort changes.
    void SetNoSort(BOOL noSort) { m_noSort = noSort; }
    // A new sorted column starts ascending; the sorted column again flips its direction.
    void SetSortColumn(int column);

    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsAscending() const { return m_ascending; }
    int GetHotColumn() const { return m_hotColumn; }
    int GetPressedColumn() const { return m_pressedColumn; }

private:
    void OnPaint();
    void PaintColumn(HDC dc, int column);
    void OnMouseMove(POINT point);
    void OnStateChanged(int oldState, int newState);
    // The first column whose rectangle holds the client point; -1 when none.
    int ColumnAt(POINT point) const;
    RECT ColumnRect(int column) const;
    void InvalidateColumn(int column);

    uiDisplayItem* m_bkNormal = nullptr;
    uiDisplayItem* m_bkOver = nullptr;
    uiDisplayItem* m_bkDown = nullptr;
    uiDisplayItem* m_arrowAscend = nullptr;
    uiDisplayItem* m_arrowDescend = nullptr;
    uiDisplayItem* m_text = nullptr;
    uiDisplayItem* m_separator = nullptr;
    BOOL m_noSort = FALSE;
    uiMouseStateTracker m_tracker;
    int m_sortColumn = 0;
    BOOL m_ascending = FALSE;
    int m_hotColumn = -1;
    int m_pressedColumn = -1;
};
