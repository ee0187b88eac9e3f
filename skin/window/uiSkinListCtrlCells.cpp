// The list view's cell looks: made on first use, and kept in step with the rows and columns that
// the list really inserts, deletes and sorts.
#include "uiSkinListCtrl.h"

#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <map>

#include "uiDisplayEventList.h"
#include "uiDrawObj.h"
#include "uiListDrawing.h"
#include "uiListRecords.h"

uiDrawObj* uiSkinListCtrl::PeekDrawItem(int row, int column) const
{
    const int columns = GetColumnCount();
    if (row < 0 || column < 0 || column >= columns)
        return nullptr;
    const size_t index = static_cast<size_t>(row) * columns + column;
    return index < m_cells.size() ? m_cells[index].get() : nullptr;
}

uiDrawObj* uiSkinListCtrl::GetDrawItem(int row, int column, const wchar_t* templateName)
{
    const int columns = GetColumnCount();
    if (!m_info || GetRowCount() <= 0 || row < 0 || column < 0 || column >= columns)
        return nullptr;
    const size_t index = static_cast<size_t>(row) * columns + column;
    if (index >= m_cells.size())
        return nullptr;
    if (m_cells[index])
        return m_cells[index].get();
    const uiDrawObj* look = templateName ? m_info->drawObjs.Find(templateName) : nullptr;
    if (!look) {
        wchar_t name[32];
        std::swprintf(name, 32, L"col_%d", column);
        look = m_info->drawObjs.Find(name);
    }
    if (!look)
        look = uiFindRowTemplate(m_info->drawObjs, nullptr);
    if (!look)
        return nullptr;
    m_cells[index].reset(uiCloneRowLook(*look, m_colorAdjusted ? m_colorAdjust : nullptr));
    uiDisplayEventList& events = m_cells[index]->GetEventList();
    RegisterEventItems(&events, events.m_listValue);
    return m_cells[index].get();
}

void uiSkinListCtrl::DropCell(size_t index)
{
    if (index < m_cells.size() && m_cells[index]) {
        UnregisterEventItems(&m_cells[index]->GetEventList());
        m_cells[index].reset();
    }
}

void uiSkinListCtrl::Resize(int rows)
{
    const size_t target = static_cast<size_t>(rows < 0 ? 0 : rows) * GetColumnCount();
    for (size_t i = target; i < m_cells.size(); ++i)
        DropCell(i);
    m_cells.resize(target);
    m_hotRow = -1;
}

void uiSkinListCtrl::RemapColumns(int oldColumns, int newColumns, int column)
{
    const size_t rows = oldColumns > 0 ? m_cells.size() / oldColumns : static_cast<size_t>(GetRowCount());
    std::vector<std::unique_ptr<uiDrawObj>> remapped(rows * newColumns);
    for (size_t row = 0; row < rows; ++row) {
        for (int old = 0; old < oldColumns; ++old) {
            const size_t from = row * oldColumns + old;
            if (newColumns < oldColumns && old == column) {
                DropCell(from);
                continue;
            }
            const int to = (old < column) ? old : (newColumns > oldColumns ? old + 1 : old - 1);
            remapped[row * newColumns + to] = std::move(m_cells[from]);
        }
    }
    m_cells = std::move(remapped);
}

std::vector<LPARAM> uiSkinListCtrl::RowParams() const
{
    const int rows = GetRowCount();
    std::vector<LPARAM> params(static_cast<size_t>(rows < 0 ? 0 : rows), 0);
    for (int row = 0; row < rows; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(m_hwnd, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        params[row] = item.lParam;
    }
    return params;
}

void uiSkinListCtrl::FollowSortedRows(const std::vector<LPARAM>& before)
{
    const size_t columns = static_cast<size_t>(GetColumnCount());
    const std::vector<LPARAM> after = RowParams();
    if (after.size() != before.size() || before.size() * columns != m_cells.size())
        return;
    std::multimap<LPARAM, size_t> oldRows;
    for (size_t row = 0; row < before.size(); ++row)
        oldRows.emplace(before[row], row);
    std::vector<std::unique_ptr<uiDrawObj>> sorted(m_cells.size());
    for (size_t row = 0; row < after.size(); ++row) {
        const auto found = oldRows.find(after[row]);
        if (found == oldRows.end())
            continue;
        for (size_t column = 0; column < columns; ++column)
            sorted[row * columns + column] = std::move(m_cells[found->second * columns + column]);
        oldRows.erase(found);
    }
    for (size_t i = 0; i < m_cells.size(); ++i)
        DropCell(i);
    m_cells = std::move(sorted);
}

void uiSkinListCtrl::InsertRow(int row)
{
    const int columns = GetColumnCount();
    const size_t at = std::min(static_cast<size_t>(row) * columns, m_cells.size());
    for (int i = 0; i < columns; ++i)
        m_cells.emplace(m_cells.begin() + at);
}

void uiSkinListCtrl::DeleteRow(int row)
{
    const size_t columns = static_cast<size_t>(GetColumnCount());
    const size_t first = static_cast<size_t>(row) * columns;
    if (first >= m_cells.size())
        return;
    const size_t last = std::min(first + columns, m_cells.size());
    for (size_t i = first; i < last; ++i)
        DropCell(i);
    m_cells.erase(m_cells.begin() + first, m_cells.begin() + last);
}

BOOL uiSkinListCtrl::OnCellMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN: {
        // The cells are kept row by row: a new or removed column moves every later cell, and only
        // a change that the list really made moves them.
        const int before = GetColumnCount();
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        const int after = GetColumnCount();
        const bool inserted = msg != LVM_DELETECOLUMN && *result >= 0 && after == before + 1;
        const bool deleted = msg == LVM_DELETECOLUMN && *result && after == before - 1 &&
                             static_cast<int>(wParam) >= 0 && static_cast<int>(wParam) < before;
        if (inserted || deleted)
            RemapColumns(before, after, inserted ? static_cast<int>(*result) : static_cast<int>(wParam));
        return TRUE;
    }
    case LVM_DELETEITEM: {
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        if (*result) {
            DeleteRow(static_cast<int>(wParam));
            if (m_oddEven)
                InvalidateRowsFrom(static_cast<int>(wParam));
        }
        return TRUE;
    }
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        // The list decides the row (a sorted list by its text, an index past the end appends) and
        // may refuse it: the cells follow the row it answers.
        const LRESULT row = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        *result = row;
        if (row >= 0) {
            InsertRow(static_cast<int>(row));
            if (m_oddEven)
                InvalidateRowsFrom(static_cast<int>(row));
        }
        return TRUE;
    }
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX: {
        // The sort moves the rows: their cells move with them.
        const std::vector<LPARAM> before = RowParams();
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        if (*result)
            FollowSortedRows(before);
        return TRUE;
    }
    case LVM_DELETEALLITEMS: {
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        if (*result) {
            for (size_t i = 0; i < m_cells.size(); ++i)
                DropCell(i);
            m_cells.clear();
            m_hotRow = -1;
        }
        return TRUE;
    }
    case LVM_SETITEMCOUNT: {
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        // Only a virtual list takes the count as its rows; others merely reserve room.
        Resize(GetRowCount());
        if (m_scrollBars.IsAttached()) {
            m_scrollBars.SyncScrollInfo(SB_VERT);
            m_scrollBars.SyncScrollInfo(SB_HORZ);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
