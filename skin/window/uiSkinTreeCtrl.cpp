// The skinned tree view: item looks per tree item, custom drawing, hover and the area below the items.
#include "uiSkinTreeCtrl.h"

#include <windowsx.h>
#include <cstring>
#include <vector>

#include "uiCustomScrollBar.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiDrawObj.h"
#include "uiListDrawing.h"
#include "uiStyle.h"

namespace {

const int kTreeType = 121;
const int kFirstTextBuffer = 256;
// Item texts longer than this are cut; no tree item holds such a text.
const int kLastTextBuffer = 1 << 20;

// TVM_GETITEMRECT takes the item's handle in the rectangle it fills.
RECT RectRequest(HTREEITEM item)
{
    RECT rect = {};
    std::memcpy(&rect, &item, sizeof(item));
    return rect;
}

}  // namespace

uiSkinTreeCtrl::uiSkinTreeCtrl()
{
    m_styleName = L"treectrl";
    m_typeCode = kTreeType;
}

uiSkinTreeCtrl::~uiSkinTreeCtrl() = default;

void uiSkinTreeCtrl::OnAttached()
{
    SetEventEnabled(TRUE);
    uiSkinEventCtrl::OnAttached();
    TakeStyle();
}

void uiSkinTreeCtrl::TakeStyle()
{
    // Nothing of an earlier style may stay: without a tree record the tree has its own row height
    // back, and without a "scrollbar" style the system's bars.
    const int heightBefore = m_itemHeight;
    m_info = m_style ? m_style->treectrlinfo.get() : nullptr;
    m_itemHeight = m_info ? m_info->itemHeight : 0;
    // Only rows drawn from the record are indented.
    if (m_info)
        m_levelIndent = m_info->levelPos;
    m_bkColor = m_info && m_style->property ? m_style->property->bkColor : uiColorInfo{0};
    if (m_itemHeight > 0)
        SendMessageW(m_hwnd, TVM_SETITEMHEIGHT, m_itemHeight, 0);
    else if (heightBefore > 0)
        SendMessageW(m_hwnd, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    BindScrollBars(m_scrollBars, FALSE);
}

void uiSkinTreeCtrl::ReleaseStyle()
{
    uiSkinEventCtrl::ReleaseStyle();
    m_scrollBars.Detach();
}

void uiSkinTreeCtrl::ForgetStyle()
{
    DeleteDrawItemInfo(TVI_ROOT);
    m_info = nullptr;
    uiSkinEventCtrl::ForgetStyle();
}

void uiSkinTreeCtrl::RebindStyle()
{
    uiSkinEventCtrl::RebindStyle();
    TakeStyle();
}

int uiSkinTreeCtrl::SetColorAdjust(int hue, int saturation, int lightness)
{
    m_colorAdjusted = TRUE;
    for (const auto& entry : m_looks)
        uiAdjustRowLook(entry.second.get(), hue, saturation, lightness);
    uiSkinBase::SetColorAdjust(hue, saturation, lightness);
    m_scrollBars.Redraw();
    return 1;
}

uiDrawObj* uiSkinTreeCtrl::PeekDrawItemInfo(HTREEITEM item) const
{
    const auto found = m_looks.find(item);
    return found == m_looks.end() ? nullptr : found->second.get();
}

uiDrawObj* uiSkinTreeCtrl::GetDrawItemInfo(HTREEITEM item, const wchar_t* templateName)
{
    if (uiDrawObj* look = PeekDrawItemInfo(item))
        return look;
    const uiDrawObj* look = m_info ? uiFindRowTemplate(m_info->drawObjs, templateName) : nullptr;
    if (!look)
        return nullptr;
    uiDrawObj* copy = uiCloneRowLook(*look, m_colorAdjusted ? m_colorAdjust : nullptr);
    m_looks[item].reset(copy);
    RegisterEventItems(&copy->GetEventList(), static_cast<int>(reinterpret_cast<INT_PTR>(item)));
    return copy;
}

void uiSkinTreeCtrl::DeleteDrawItemInfo(HTREEITEM item)
{
    if (item == TVI_ROOT) {
        for (const auto& entry : m_looks)
            UnregisterEventItems(&entry.second->GetEventList());
        m_looks.clear();
        m_hotItem = nullptr;
        return;
    }
    // A deleted item's handle must not be asked for its rectangle later.
    if (item == m_hotItem)
        m_hotItem = nullptr;
    const auto found = m_looks.find(item);
    if (found == m_looks.end())
        return;
    UnregisterEventItems(&found->second->GetEventList());
    m_looks.erase(found);
}

LRESULT uiSkinTreeCtrl::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    if (!header)
        return 0;
    switch (header->code) {
    case TVN_ITEMEXPANDEDW:
        if (m_scrollBars.IsAttached()) {
            m_scrollBars.SyncScrollInfo(SB_VERT);
            m_scrollBars.SyncScrollInfo(SB_HORZ);
        }
        return 0;
    case TVN_DELETEITEMW:
        // The parent still hears of the deletion: it may own data of the item.
        if (m_info)
            DeleteDrawItemInfo(reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.hItem);
        return 0;
    case NM_CUSTOMDRAW: {
        if (!m_info)
            return 0;
        auto& draw = *reinterpret_cast<NMTVCUSTOMDRAW*>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            info->handled = TRUE;
            return CDRF_NOTIFYITEMDRAW;
        }
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            info->handled = TRUE;
            return DrawItem(draw);
        }
        return 0;
    }
    default:
        return 0;
    }
}

CString uiSkinTreeCtrl::ItemText(HTREEITEM item) const
{
    for (int size = kFirstTextBuffer; size <= kLastTextBuffer; size *= 2) {
        std::vector<wchar_t> buffer(static_cast<size_t>(size), L'\0');
        TVITEMW request = {};
        request.mask = TVIF_TEXT | TVIF_HANDLE;
        request.hItem = item;
        request.pszText = buffer.data();
        request.cchTextMax = size;
        if (!SendMessageW(m_hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request)))
            return CString();
        buffer[static_cast<size_t>(size) - 1] = L'\0';
        const int length = static_cast<int>(wcslen(request.pszText));
        if (length < size - 1 || size == kLastTextBuffer)
            return CString(request.pszText);
    }
    return CString();
}

LRESULT uiSkinTreeCtrl::DrawItem(NMTVCUSTOMDRAW& draw)
{
    const HDC target = draw.nmcd.hdc;
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
    const int scroll = uiCsbGetScrollPos(m_hwnd, SB_HORZ);
    POINT origin = {};
    SetViewportOrgEx(target, -scroll, 0, &origin);
    RECT place = draw.nmcd.rc;
    if (place.right != place.left || place.bottom != place.top) {
        place.right += scroll;
        uiRowBitmap row(target, place.right - place.left, place.bottom - place.top, m_bkColor);
        DWORD state = UI_STATE_NORMAL;
        if (draw.nmcd.uItemState & CDIS_SELECTED)
            state = UI_STATE_CHECKED;
        else if (item == m_hotItem)
            state = UI_STATE_OVER;
        uiDrawObj* look = row.IsValid() ? GetDrawItemInfo(item) : nullptr;
        if (look) {
            if (m_displayList)
                m_displayList->PaintItemEx(row.GetDC(), L"item", &row.GetRect(), state);
            uiDrawObj_SetRect(look, row.GetRect());
            uiDrawObj_ShiftX(look, draw.iLevel * m_levelIndent);
            uiDrawObj_SetHitRect(look, place);
            uiDrawObj_SetText(look, ItemText(item));
            TVITEMW children = {};
            children.mask = TVIF_CHILDREN | TVIF_STATE | TVIF_HANDLE;
            children.hItem = item;
            children.stateMask = TVIS_EXPANDED;
            if (SendMessageW(m_hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&children)) && children.cChildren) {
                if (children.state & TVIS_EXPANDED)
                    uiDrawObj_PaintExpandIcon(row.GetDC(), look);
                else
                    uiDrawObj_PaintCollapseIcon(row.GetDC(), look);
            }
            uiDrawObj_Paint(row.GetDC(), look, state);
            row.CopyTo(target, place.left, place.top);
        }
    }
    // The tree goes on drawing into the same DC after this item.
    SetViewportOrgEx(target, origin.x, origin.y, nullptr);
    return CDRF_SKIPDEFAULT;
}

void uiSkinTreeCtrl::InvalidateItem(HTREEITEM item)
{
    if (!item)
        return;
    RECT rect = RectRequest(item);
    if (SendMessageW(m_hwnd, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)))
        InvalidateRect(m_hwnd, &rect, FALSE);
}

void uiSkinTreeCtrl::OnMouseMove(POINT point)
{
    if (!m_leavePending)
        m_leavePending = uiRequestMouseLeave(m_hwnd);
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const LRESULT found = SendMessageW(m_hwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(found);
    if (!item) {
        if (m_hotItem) {
            const HTREEITEM previous = m_hotItem;
            m_hotItem = nullptr;
            InvalidateItem(previous);
        }
        return;
    }
    if (item == m_hotItem)
        return;
    const HTREEITEM previous = m_hotItem;
    m_hotItem = item;
    InvalidateItem(previous);
    InvalidateItem(item);
}

void uiSkinTreeCtrl::UpdateItemsArea()
{
    const HTREEITEM last =
        reinterpret_cast<HTREEITEM>(SendMessageW(m_hwnd, TVM_GETNEXTITEM, TVGN_LASTVISIBLE, 0));
    if (!last) {
        SetRectEmpty(&m_itemsArea);
        return;
    }
    m_itemsArea = GetClientRect();
    RECT rect = RectRequest(last);
    // An item out of view lies below it: the items then cover the whole client area.
    if (SendMessageW(m_hwnd, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)))
        m_itemsArea.bottom = rect.bottom;
}

LRESULT uiSkinTreeCtrl::OnEraseBackground(HDC dc)
{
    if (!m_style || !m_style->property)
        return 1;
    HBRUSH brush = CreateSolidBrush(uiGdiColor(m_style->property->bkColor.GetColor()));
    if (!brush)
        return 1;
    const int saved = SaveDC(dc);
    UpdateItemsArea();
    ExcludeClipRect(dc, m_itemsArea.left, m_itemsArea.top, m_itemsArea.right, m_itemsArea.bottom);
    const RECT client = GetClientRect();
    FillRect(dc, &client, brush);
    RestoreDC(dc, saved);
    DeleteObject(brush);
    return 1;
}

LRESULT uiSkinTreeCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT drawAnswer = m_scrollBars.OnMessage(msg, wParam, lParam);
    if (OnEventMessage(msg, wParam, lParam))
        return 1;
    if (!IsAttached())
        return 0;
    if (uiScrollBarHelper::IsCustomDraw(msg, lParam))
        return drawAnswer;
    switch (msg) {
    case WM_NCPAINT:
        uiPaintListBorder(m_hwnd, m_displayList);
        return 1;
    case WM_MOUSEMOVE:
        if (m_info)
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSELEAVE:
        if (m_info) {
            m_leavePending = FALSE;
            InvalidateItem(m_hotItem);
            m_hotItem = nullptr;
        }
        break;
    case TVM_SETITEMW:
        if (m_info && lParam) {
            const auto* item = reinterpret_cast<const TVITEMW*>(lParam);
            if ((item->mask & TVIF_HANDLE) && (item->mask & (TVIF_STATE | TVIF_TEXT)))
                InvalidateItem(item->hItem);
        }
        break;
    case WM_ERASEBKGND:
        if (m_info)
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        break;
    case WM_SIZE: {
        const LRESULT result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        if (m_scrollBars.IsAttached()) {
            m_scrollBars.SyncScrollInfo(SB_HORZ);
            m_scrollBars.SyncScrollInfo(SB_VERT);
        }
        return result;
    }
    default:
        break;
    }
    return uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
}
