// The skinned list view: header, row drawing, hit tests and hover.
#include "uiSkinListCtrl.h"

#include <windowsx.h>
#include <commctrl.h>

#include "uiDisplayEventItem.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiDrawObj.h"
#include "uiHandleMap.h"
#include "uiListDrawing.h"
#include "uiSkinHeaderCtrl.h"
#include "uiStyle.h"

namespace {

const int kListCtrlType = 109;
const COLORREF kDefaultBkColor = 0xFFFFFF;
const wchar_t kDefaultHeaderStyle[] = L"headerctrl";

}  // namespace

uiSkinListCtrl::uiSkinListCtrl()
{
    m_styleName = L"listctrl";
    m_typeCode = kListCtrlType;
}

uiSkinListCtrl::~uiSkinListCtrl() = default;

void uiSkinListCtrl::OnAttached()
{
    SetEventEnabled(TRUE);
    uiSkinEventCtrl::OnAttached();
    m_hasBorder = (GetStyle() & WS_BORDER) || (GetExStyle() & WS_EX_CLIENTEDGE);
    TakeStyle();
    const int rows = GetRowCount();
    if (static_cast<int>(m_cells.size()) != rows * GetColumnCount())
        Resize(rows);
}

void uiSkinListCtrl::TakeStyle()
{
    // Nothing of an earlier style may stay: a style without a list record, scroll bars or a header
    // style of its own leaves the list without them.
    BindScrollBars(m_scrollBars, FALSE);
    m_info = m_style ? m_style->listctrlinfo.get() : nullptr;
    m_drawOver = m_info && m_info->drawOver;
    m_oddEven = m_info && m_info->oddEvenLine;
    // Only rows drawn from the record are measured and filled by the skin.
    if (m_info) {
        m_itemHeight = m_info->itemHeight;
        m_bkColor = m_style->property ? m_style->property->bkColor : uiColorInfo{kDefaultBkColor};
    }
    const uiStyleProperty* property = m_style ? m_style->property.get() : nullptr;
    m_headerStyleName = property ? property->headerctrl : CString(kDefaultHeaderStyle);
    SkinHeader();
}

void uiSkinListCtrl::SkinHeader()
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(m_hwnd, LVM_GETHEADER, 0, 0));
    if (uiSkinHeaderCtrl* skinned = GetHeaderSkin()) {
        if (skinned->GetStyleName() == m_headerStyleName)
            return;
        // Skinned from an earlier style's name: the header takes the new one.
        skinned->Detach();
        m_header = nullptr;
    }
    if (!header || (GetStyle() & LVS_NOCOLUMNHEADER))
        return;
    auto* skin = new uiSkinHeaderCtrl;
    // The header's chain owns the object from here; it goes with the header window.
    if (!skin->SkinWindow(header, m_headerStyleName, TRUE, FALSE)) {
        delete skin;
        return;
    }
    if (GetStyle() & LVS_NOSORTHEADER)
        skin->SetNoSort(TRUE);
    m_header = skin;
    m_headerWindow = header;
}

uiSkinHeaderCtrl* uiSkinListCtrl::GetHeaderSkin() const
{
    // The header window may be gone, and its skin object with it.
    if (!m_header || !IsWindow(m_headerWindow) || uiGetHandleMap()->Find(m_headerWindow) != m_header)
        return nullptr;
    return m_header;
}

void uiSkinListCtrl::ReleaseStyle()
{
    // The style's event items go with it; so do their registrations.
    uiSkinEventCtrl::ReleaseStyle();
    m_scrollBars.Detach();
}

void uiSkinListCtrl::ForgetStyle()
{
    for (size_t i = 0; i < m_cells.size(); ++i)
        DropCell(i);
    m_info = nullptr;
    uiSkinEventCtrl::ForgetStyle();
}

void uiSkinListCtrl::RebindStyle()
{
    uiSkinEventCtrl::RebindStyle();
    TakeStyle();
}

int uiSkinListCtrl::SetColorAdjust(int hue, int saturation, int lightness)
{
    m_colorAdjusted = TRUE;
    for (const auto& cell : m_cells)
        uiAdjustRowLook(cell.get(), hue, saturation, lightness);
    uiSkinBase::SetColorAdjust(hue, saturation, lightness);
    if (m_scrollBars.IsAttached())
        m_scrollBars.Redraw();
    return 1;
}

int uiSkinListCtrl::GetColumnCount() const
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(m_hwnd, LVM_GETHEADER, 0, 0));
    if (!header)
        return 0;
    const LRESULT count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

int uiSkinListCtrl::GetRowCount() const
{
    return static_cast<int>(SendMessageW(m_hwnd, LVM_GETITEMCOUNT, 0, 0));
}

RECT uiSkinListCtrl::CellRect(int row, int column) const
{
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_LABEL;
    if (!SendMessageW(m_hwnd, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect)))
        return RECT{0, 0, 0, 0};
    rect.right -= 1;
    return rect;
}

RECT uiSkinListCtrl::RowRect(int row) const
{
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    if (!SendMessageW(m_hwnd, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)))
        return RECT{0, 0, 0, 0};
    return rect;
}

int uiSkinListCtrl::RowAt(POINT point) const
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    return static_cast<int>(SendMessageW(m_hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int uiSkinListCtrl::ItemFromPoint(POINT point)
{
    const int row = RowAt(point);
    if (row < 0)
        return -1;
    const int columns = GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        const RECT cell = CellRect(row, column);
        RECT label = cell;
        label.right += 1;
        if (PtInRect(&label, point))
            return row * 65536 + column;
    }
    return -1;
}

uiDisplayEventItem* uiSkinListCtrl::HitTestItem(POINT point)
{
    const int row = RowAt(point);
    if (row < 0)
        return nullptr;
    const RECT rowRect = RowRect(row);
    const int columns = GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        uiDrawObj* look = PeekDrawItem(row, column);
        if (!look)
            continue;
        const RECT cell = CellRect(row, column);
        RECT local = cell;
        OffsetRect(&local, 0, -rowRect.top);
        uiDrawObj_SetRect(look, local);
        uiDrawObj_SetHitRect(look, cell);
        uiDisplayEventList& events = look->GetEventList();
        for (int i = 0; i < events.GetCount(); ++i) {
            uiDisplayEventItem* item = events.ItemAt(i);
            if (item->IsVisible() && !(item->GetState() & UI_STATE_DISABLED) && IsItemHit(item, point))
                return item;
        }
    }
    return nullptr;
}

LRESULT uiSkinListCtrl::OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info)
{
    if (m_info && info && info->lParam && msg == WM_DRAWITEM) {
        info->handled = TRUE;
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(info->lParam));
        return 1;
    }
    if (m_info && info && info->lParam && msg == WM_MEASUREITEM) {
        info->handled = TRUE;
        reinterpret_cast<MEASUREITEMSTRUCT*>(info->lParam)->itemHeight = static_cast<UINT>(m_itemHeight);
        return 1;
    }
    return uiSkinEventCtrl::OnReflectedMessage(msg, wParam, info);
}

void uiSkinListCtrl::DrawRow(const DRAWITEMSTRUCT& item)
{
    const int row = static_cast<int>(item.itemID);
    const RECT& place = item.rcItem;
    const int height = place.bottom - place.top;
    uiRowBitmap bitmap(item.hDC, place.right - place.left, height, m_bkColor);
    if (!bitmap.IsValid())
        return;
    DWORD state = UI_STATE_NORMAL;
    if (SendMessageW(m_hwnd, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED)
        state = UI_STATE_CHECKED;
    else if (row == m_hotRow && m_drawOver)
        state = UI_STATE_OVER;
    const HDC dc = bitmap.GetDC();
    if (m_displayList) {
        const RECT rowItems = {place.left, 0, place.right, height};
        const wchar_t* name = L"item";
        if (m_oddEven && state == UI_STATE_NORMAL)
            name = row % 2 == 0 ? L"item.odd" : L"item.even";
        m_displayList->PaintItemEx(dc, name, &rowItems, state);
    }
    const int columns = GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        uiDrawObj* look = GetDrawItem(row, column);
        // A row missing any cell's look is left to what the list already shows.
        if (!look)
            return;
        const RECT cell = CellRect(row, column);
        RECT local = cell;
        OffsetRect(&local, 0, -place.top);
        uiDrawObj_SetRect(look, local);
        uiDrawObj_SetHitRect(look, cell);
        uiDrawObj_Paint(dc, look, state);
    }
    bitmap.CopyTo(item.hDC, -1, place.top);
}

void uiSkinListCtrl::InvalidateRow(int row)
{
    if (row < 0)
        return;
    const RECT rect = RowRect(row);
    InvalidateRect(m_hwnd, &rect, FALSE);
}

void uiSkinListCtrl::InvalidateRowsFrom(int row)
{
    const RECT client = GetClientRect();
    RECT area = {0, 0, 0, 0};
    const int rows = GetRowCount();
    for (int i = row < 0 ? 0 : row; i < rows; ++i) {
        RECT rect = RowRect(i);
        const bool last = rect.bottom >= client.bottom;
        if (last)
            rect.bottom = client.bottom;
        UnionRect(&area, &area, &rect);
        if (last)
            break;
    }
    if (!IsRectEmpty(&area))
        InvalidateRect(m_hwnd, &area, FALSE);
}

void uiSkinListCtrl::OnMouseMove(POINT point)
{
    if (!m_leavePending)
        m_leavePending = uiRequestMouseLeave(m_hwnd);
    const int row = RowAt(point);
    if (row < 0) {
        InvalidateRow(m_hotRow);
        m_hotRow = -1;
        return;
    }
    if (row == m_hotRow)
        return;
    const int previous = m_hotRow;
    m_hotRow = row;
    InvalidateRow(previous);
    InvalidateRow(row);
}

LRESULT uiSkinListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT drawAnswer = m_scrollBars.IsAttached() ? m_scrollBars.OnMessage(msg, wParam, lParam) : 0;
    if (OnEventMessage(msg, wParam, lParam))
        return 1;
    if (!IsAttached())
        return 0;
    LRESULT result = 0;
    if (OnCellMessage(msg, wParam, lParam, &result))
        return result;
    switch (msg) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && (header->code == HDN_ITEMCLICKW || header->code == HDN_ITEMCLICKA) && GetHeaderSkin())
            m_header->SetSortColumn(reinterpret_cast<const NMHEADERW*>(lParam)->iItem);
        if (m_scrollBars.IsAttached() && uiScrollBarHelper::IsCustomDraw(msg, lParam))
            return drawAnswer;
        break;
    }
    case WM_NCPAINT:
        if (!m_hasBorder)
            break;
        if (!m_scrollBars.IsAttached())
            uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        uiPaintListBorder(m_hwnd, m_displayList);
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSELEAVE:
        m_leavePending = FALSE;
        InvalidateRow(m_hotRow);
        m_hotRow = -1;
        break;
    default:
        break;
    }
    return uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
}
