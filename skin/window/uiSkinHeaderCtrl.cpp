// The skinned list header: painting from seven named items, hot and pressed columns, the sort arrow.
#include "uiSkinHeaderCtrl.h"

#include <windowsx.h>
#include <commctrl.h>
#include <algorithm>

#include "uiDisplayImage.h"
#include "uiDisplayList.h"
#include "uiDisplayText.h"
#include "uiEngineMessages.h"
#include "uiListDrawing.h"
#include "uiStyle.h"

namespace {

const int kHeaderType = 112;
const int kTrackedStates = uiMouseStateTracker::Normal | uiMouseStateTracker::Over | uiMouseStateTracker::Down;
const int kTextLength = 256;

// An image item's picture size; other items their own width and height when the skin sets them.
SIZE ItemSize(const uiDisplayItem* item)
{
    if (!item)
        return SIZE{0, 0};
    if (item->GetType() == UI_ITEM_IMAGE) {
        const auto* image = static_cast<const uiDisplayImage*>(item);
        return SIZE{image->GetImageWidth(), image->GetImageHeight()};
    }
    return SIZE{item->m_width == UI_UNSET ? 0 : item->m_width, item->m_height == UI_UNSET ? 0 : item->m_height};
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

}  // namespace

uiSkinHeaderCtrl::uiSkinHeaderCtrl()
{
    m_styleName = L"headerctrl";
    m_typeCode = kHeaderType;
}

int uiSkinHeaderCtrl::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    uiDisplayList* list = m_style ? &m_style->displayList : nullptr;
    auto find = [list](const wchar_t* name) { return list ? list->FindItem(name) : nullptr; };
    m_bkNormal = find(L"header.bk.nor");
    m_bkOver = find(L"header.bk.over");
    m_bkDown = find(L"header.bk.down");
    m_arrowAscend = find(L"header.sort.arrow.ascend");
    m_arrowDescend = find(L"header.sort.arrow.descend");
    m_text = find(L"header.text");
    m_separator = find(L"header.separator");
    return result;
}

void uiSkinHeaderCtrl::OnAttached()
{
    m_tracker.Attach(m_hwnd, kTrackedStates);
}

void uiSkinHeaderCtrl::SetSortColumn(int column)
{
    m_ascending = column != m_sortColumn ? TRUE : !m_ascending;
    m_sortColumn = column;
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    if (SendMessageW(m_hwnd, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) {
        item.fmt |= HDF_OWNERDRAW;
        SendMessageW(m_hwnd, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

RECT uiSkinHeaderCtrl::ColumnRect(int column) const
{
    RECT rect = {};
    SendMessageW(m_hwnd, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int uiSkinHeaderCtrl::ColumnAt(POINT point) const
{
    const int count = static_cast<int>(SendMessageW(m_hwnd, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        const RECT rect = ColumnRect(column);
        if (PtInRect(&rect, point))
            return column;
    }
    return -1;
}

void uiSkinHeaderCtrl::InvalidateColumn(int column)
{
    if (column < 0)
        return;
    const RECT rect = ColumnRect(column);
    InvalidateRect(m_hwnd, &rect, TRUE);
}

void uiSkinHeaderCtrl::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    if (!dc)
        return;
    const RECT client = GetClientRect();
    uiRowBitmap buffer(dc, client.right, client.bottom, uiColorInfo(GetSysColor(COLOR_BTNFACE)));
    if (buffer.IsValid()) {
        const HDC memory = buffer.GetDC();
        SetBkMode(memory, TRANSPARENT);
        if (m_bkNormal)
            m_bkNormal->SetRectAndPaint(memory, client);
        if (m_hotColumn >= 0 && m_bkOver)
            m_bkOver->SetRectAndPaint(memory, ColumnRect(m_hotColumn));
        if (m_pressedColumn >= 0 && m_bkDown)
            m_bkDown->SetRectAndPaint(memory, ColumnRect(m_pressedColumn));
        const int count = static_cast<int>(SendMessageW(m_hwnd, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < count; ++column)
            PaintColumn(memory, column);
        buffer.CopyTo(dc, 0, 0);
    }
    EndPaint(m_hwnd, &paint);
}

void uiSkinHeaderCtrl::PaintColumn(HDC dc, int column)
{
    const RECT r = ColumnRect(column);
    wchar_t text[kTextLength] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = kTextLength - 1;
    SendMessageW(m_hwnd, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    int align = 0;
    int textWidth = 0;
    if (m_text && m_text->GetType() == UI_ITEM_TEXT) {
        auto* label = static_cast<uiDisplayText*>(m_text);
        align = (item.fmt & HDF_CENTER) ? 1 : (item.fmt & HDF_RIGHT) ? 2 : 0;
        label->SetHorzAlign(align);
        label->SetText(text);
        textWidth = label->GetTextWidth(dc);
    }
    const bool sorted = column == m_sortColumn;
    SIZE arrow = {2, 0};
    if (sorted && !m_noSort && m_arrowDescend)
        arrow = ItemSize(m_arrowDescend);
    const int height = r.bottom - r.top;
    RECT arrowRect = {0, height / 2 - arrow.cy, 0, height / 2};
    RECT t = r;
    if (!sorted) {
        t.left = r.left + 10;
        t.right = std::max(t.left, r.right - 5);
    } else if (Width(r) < textWidth + arrow.cx + 10) {
        t.left = r.left + 5;
        t.right = r.right - arrow.cx - 5;
        arrowRect.left = t.right;
        arrowRect.right = r.right - 5;
    } else if (align == 1) {
        t.left = r.left + 10;
        t.right = r.right - arrow.cx - 10;
        arrowRect.left = Width(t) / 2 + t.left + textWidth / 2;
        arrowRect.right = arrowRect.left + arrow.cx;
    } else if (align == 2) {
        t.left = r.left + 10;
        t.right = r.right - 10 - arrow.cx;
        arrowRect.left = t.right;
        arrowRect.right = r.right - 10;
    } else {
        t.left = r.left + 5;
        t.right = r.left + textWidth + 10;
        arrowRect.left = t.right;
        arrowRect.right = arrowRect.left + arrow.cx;
    }
    if (sorted && arrowRect.left > r.left && m_arrowAscend && m_arrowDescend) {
        arrowRect.right = std::min(arrowRect.right, r.right);
        (m_ascending ? m_arrowAscend : m_arrowDescend)->SetRectAndPaint(dc, arrowRect);
    }
    if (m_text && Width(t) > 5)
        m_text->SetRectAndPaint(dc, t);
    if (m_separator && column != m_hotColumn && column != m_pressedColumn) {
        const RECT edge = {r.right - ItemSize(m_separator).cx, r.top, r.right, r.bottom};
        m_separator->SetRectAndPaint(dc, edge);
    }
}

void uiSkinHeaderCtrl::OnMouseMove(POINT point)
{
    const int column = ColumnAt(point);
    if (column == m_hotColumn || column == -1)
        return;
    RECT area = ColumnRect(column);
    if (m_hotColumn >= 0) {
        const RECT old = ColumnRect(m_hotColumn);
        UnionRect(&area, &area, &old);
    }
    InvalidateRect(m_hwnd, &area, TRUE);
    m_hotColumn = column;
}

void uiSkinHeaderCtrl::OnStateChanged(int oldState, int newState)
{
    if (newState == uiMouseStateTracker::Down) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        ::ScreenToClient(m_hwnd, &cursor);
        const int column = ColumnAt(cursor);
        if (column != m_pressedColumn && column != -1) {
            const int previous = m_pressedColumn;
            m_pressedColumn = column;
            InvalidateColumn(column);
            InvalidateColumn(previous);
        }
    } else if (newState == uiMouseStateTracker::Normal) {
        m_hotColumn = m_pressedColumn = -1;
        InvalidateRect(m_hwnd, nullptr, TRUE);
    } else if (newState == uiMouseStateTracker::Over && oldState == uiMouseStateTracker::Down) {
        if (m_pressedColumn != -1) {
            m_hotColumn = m_pressedColumn;
            m_pressedColumn = -1;
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
    }
}

LRESULT uiSkinHeaderCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_noSort)
        m_tracker.WindowProc(msg, wParam, lParam);
    if (!IsAttached())
        return 0;
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        // A header that does not sort shows no hover either.
        if (!m_noSort && m_tracker.GetState() != uiMouseStateTracker::Down)
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case UIM_STATECHANGED:
        OnStateChanged(static_cast<int>(wParam), static_cast<int>(lParam));
        return 1;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinHeaderCtrl::ForgetStyle()
{
    m_bkNormal = m_bkOver = m_bkDown = nullptr;
    m_arrowAscend = m_arrowDescend = nullptr;
    m_text = m_separator = nullptr;
    uiSkinBase::ForgetStyle();
}
