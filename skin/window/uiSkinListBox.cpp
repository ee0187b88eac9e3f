// The skinned list box: row looks kept in step with the rows, owner drawing, hover, background.
#include "uiSkinListBox.h"

#include <windowsx.h>
#include <iterator>

#include "uiDisplayEventItem.h"
#include "uiDisplayEventList.h"
#include "uiDisplayList.h"
#include "uiDrawObj.h"
#include "uiStyle.h"

namespace {

const int kListBoxType = 108;
const DWORD kRedrawFlags = RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE;
// The parent's background is taken from below the list's frame.
const int kFrameOffset = 2;

RECT ClientRectOf(HWND hwnd)
{
    RECT rect = {};
    GetClientRect(hwnd, &rect);
    return rect;
}

}  // namespace

uiSkinListBox::uiSkinListBox()
{
    m_styleName = L"listbox";
    m_typeCode = kListBoxType;
}

uiSkinListBox::~uiSkinListBox() = default;

void uiSkinListBox::OnAttached()
{
    SetEventEnabled(TRUE);
    uiSkinEventCtrl::OnAttached();
    TakeStyle();
    const int count = GetCount();
    if (count > 0) {
        std::vector<std::unique_ptr<uiDrawObj>> slots(static_cast<size_t>(count));
        m_looks.insert(m_looks.begin(), std::make_move_iterator(slots.begin()), std::make_move_iterator(slots.end()));
    }
}

void uiSkinListBox::TakeStyle()
{
    // Nothing of an earlier style may stay: a style without a list record, scroll bars, a
    // "background" item or a transparent background leaves the list without them.
    BindScrollBars(m_scrollBars, FALSE);
    m_info = m_style ? m_style->listboxinfo.get() : nullptr;
    m_drawOver = m_info ? m_info->drawOver : FALSE;
    m_bkColor = m_info && m_style->property ? m_style->property->bkColor : uiColorInfo{0};
    m_hasBackgroundItem = m_displayList && m_displayList->FindItem(L"background");
    if (m_hasBackgroundItem) {
        const RECT client = ClientRectOf(m_hwnd);
        m_bufferWidth = client.right;
        m_bufferHeight = client.bottom;
        BuildBackgroundBuffer();
    } else {
        m_background.reset();
    }
    m_transparent.Follow(m_hwnd, HasTransparentBk());
}

void uiSkinListBox::ReleaseStyle()
{
    uiSkinEventCtrl::ReleaseStyle();
    m_scrollBars.Detach();
    m_background.reset();
    DeleteDrawItemInfo(-1);
}

void uiSkinListBox::ForgetStyle()
{
    for (auto& look : m_looks) {
        if (look)
            UnregisterEventItems(&look->GetEventList());
        look.reset();
    }
    m_info = nullptr;
    uiSkinEventCtrl::ForgetStyle();
}

void uiSkinListBox::RebindStyle()
{
    uiSkinEventCtrl::RebindStyle();
    TakeStyle();
}

int uiSkinListBox::SetColorAdjust(int hue, int saturation, int lightness)
{
    m_colorAdjusted = TRUE;
    for (const auto& look : m_looks)
        uiAdjustRowLook(look.get(), hue, saturation, lightness);
    uiSkinBase::SetColorAdjust(hue, saturation, lightness);
    m_scrollBars.Redraw();
    return 1;
}

int uiSkinListBox::ItemFromPoint(POINT point)
{
    const LRESULT hit = DefaultProc(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) || GetCount() <= 0)
        return -1;
    return LOWORD(hit);
}

int uiSkinListBox::GetCount() const
{
    const LRESULT count = SendMessageW(m_hwnd, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

BOOL uiSkinListBox::HasSkinnedBackground() const
{
    return m_hasBackgroundItem || m_transparent.IsAttached();
}

uiDrawObj* uiSkinListBox::PeekDrawItemInfo(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_looks.size()))
        return nullptr;
    return m_looks[index].get();
}

uiDrawObj* uiSkinListBox::GetDrawItemInfo(int index, const wchar_t* templateName)
{
    if (index < 0 || index >= static_cast<int>(m_looks.size()))
        return nullptr;
    if (m_looks[index])
        return m_looks[index].get();
    const uiDrawObj* look = m_info ? uiFindRowTemplate(m_info->drawObjs, templateName) : nullptr;
    if (!look)
        return nullptr;
    m_looks[index].reset(uiCloneRowLook(*look, m_colorAdjusted ? m_colorAdjust : nullptr));
    RegisterEventItems(&m_looks[index]->GetEventList(), index);
    return m_looks[index].get();
}

void uiSkinListBox::DeleteDrawItemInfo(int index)
{
    if (index == -1) {
        ForgetEventItems();
        m_looks.clear();
        return;
    }
    if (index < 0 || index >= static_cast<int>(m_looks.size()))
        return;
    if (m_looks[index])
        UnregisterEventItems(&m_looks[index]->GetEventList());
    m_looks.erase(m_looks.begin() + index);
    RetagFrom(index);
}

void uiSkinListBox::InsertSlot(int index)
{
    if (index < 0)
        return;
    if (index > static_cast<int>(m_looks.size()))
        index = static_cast<int>(m_looks.size());
    m_looks.emplace(m_looks.begin() + index);
    RetagFrom(index + 1);
}

void uiSkinListBox::RetagFrom(int index)
{
    for (int i = index; i < static_cast<int>(m_looks.size()); ++i) {
        if (!m_looks[i])
            continue;
        uiDisplayEventList& events = m_looks[i]->GetEventList();
        for (int k = 0; k < events.GetCount(); ++k)
            events.ItemAt(k)->SetRowValue(i);
    }
}

void uiSkinListBox::BuildBackgroundBuffer()
{
    m_background.reset();
    if (!m_style || !m_displayList)
        return;
    const RECT client = ClientRectOf(m_hwnd);
    m_displayList->Layout(client);
    HDC windowDC = ::GetDC(m_hwnd);
    if (!windowDC)
        return;
    m_background.reset(new uiRowBitmap(windowDC, client.right, client.bottom, m_bkColor));
    ReleaseDC(m_hwnd, windowDC);
    if (!m_background->IsValid()) {
        m_background.reset();
        return;
    }
    m_displayList->PaintItem(m_background->GetDC(), L"background");
}

LRESULT uiSkinListBox::OnReflectedCommand(UINT notifyCode, UINT, HWND)
{
    if (m_info && HasSkinnedBackground() && notifyCode == LBN_SELCHANGE)
        RedrawWindow(m_hwnd, nullptr, nullptr, kRedrawFlags);
    return 0;
}

LRESULT uiSkinListBox::OnReflectedMessage(UINT msg, WPARAM, uiReflectInfo* info)
{
    if (!m_info || msg != WM_DRAWITEM || !info || !info->lParam)
        return 0;
    info->handled = TRUE;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(info->lParam));
    return 1;
}

void uiSkinListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    const int index = static_cast<int>(item.itemID);
    if (item.CtlType == ODT_LISTBOX && index == -1)
        return;
    const RECT& place = item.rcItem;
    uiRowBitmap row(item.hDC, place.right - place.left, place.bottom - place.top, m_bkColor);
    if (!row.IsValid())
        return;
    DWORD state = UI_STATE_NORMAL;
    if (item.itemState & ODS_SELECTED)
        state = UI_STATE_CHECKED;
    else if (index == m_hotItem)
        state = UI_STATE_OVER;
    if (m_transparent.IsAttached()) {
        POINT previous = {};
        SetViewportOrgEx(row.GetDC(), -place.left, -(place.top + kFrameOffset), &previous);
        m_transparent.PaintParentBk(row.GetDC(), m_hwnd);
        SetViewportOrgEx(row.GetDC(), previous.x, previous.y, nullptr);
    } else if (m_background) {
        BitBlt(row.GetDC(), 0, 0, row.GetRect().right, row.GetRect().bottom, m_background->GetDC(), place.left,
               place.top, SRCCOPY);
    }
    if (m_displayList) {
        if (m_info->oddEvenLine)
            m_displayList->PaintItemEx(row.GetDC(), index % 2 == 0 ? L"item.odd" : L"item.even", &row.GetRect(), state);
        m_displayList->PaintItemEx(row.GetDC(), L"item", &row.GetRect(), state);
    }
    uiDrawObj* look = GetDrawItemInfo(index);
    if (!look)
        return;
    uiDrawObj_SetRect(look, row.GetRect());
    uiDrawObj_SetHitRect(look, place);
    uiDrawObj_Paint(row.GetDC(), look, state);
    row.CopyTo(item.hDC, place.left, place.top);
}

void uiSkinListBox::DrawBackground(HDC dc)
{
    const RECT client = ClientRectOf(m_hwnd);
    if (m_transparent.IsAttached()) {
        const BOOL framed = (GetStyle() & WS_BORDER) || (GetExStyle() & WS_EX_CLIENTEDGE);
        const int offset = framed ? kFrameOffset : 0;
        POINT previous = {};
        OffsetViewportOrgEx(dc, -offset, -offset, &previous);
        m_transparent.PaintParentBk(dc, m_hwnd);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    } else if (m_displayList) {
        m_displayList->Layout(client);
        m_displayList->PaintItem(dc, L"background");
    }
}

LRESULT uiSkinListBox::OnPaint()
{
    if (GetCount() > 0 || !HasSkinnedBackground())
        return uiSkinEventCtrl::WindowProc(WM_PAINT, 0, 0);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    if (dc)
        DrawBackground(dc);
    EndPaint(m_hwnd, &paint);
    return 1;
}

LRESULT uiSkinListBox::OnEraseBackground(HDC dc)
{
    if (!HasSkinnedBackground())
        return uiSkinEventCtrl::WindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int count = GetCount();
    const int saved = count > 0 ? SaveDC(dc) : 0;
    if (count > 0) {
        const RECT client = ClientRectOf(m_hwnd);
        const LRESULT top = SendMessageW(m_hwnd, LB_GETTOPINDEX, 0, 0);
        for (int i = top == LB_ERR ? 0 : static_cast<int>(top); i < count; ++i) {
            RECT rect = {};
            if (SendMessageW(m_hwnd, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
                break;
            const BOOL last = rect.bottom >= client.bottom;
            if (last)
                rect.bottom = client.bottom;
            ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
            if (last)
                break;
        }
    }
    DrawBackground(dc);
    if (saved)
        RestoreDC(dc, saved);
    return 1;
}

void uiSkinListBox::InvalidateItem(int index)
{
    RECT rect = {};
    if (index >= 0 && SendMessageW(m_hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        InvalidateRect(m_hwnd, &rect, FALSE);
}

void uiSkinListBox::OnMouseMove(POINT point)
{
    if (!m_drawOver)
        return;
    if (!m_leaveTracking)
        m_leaveTracking = uiRequestMouseLeave(m_hwnd);
    const int item = ItemFromPoint(point);
    if (item == m_hotItem)
        return;
    const int previous = m_hotItem;
    m_hotItem = item;
    InvalidateItem(previous);
    InvalidateItem(item);
}

void uiSkinListBox::OnMouseLeave()
{
    if (!m_drawOver)
        return;
    m_leaveTracking = FALSE;
    InvalidateItem(m_hotItem);
    m_hotItem = -1;
}

LRESULT uiSkinListBox::WithoutRedraw(UINT msg, WPARAM wParam, LPARAM lParam, UINT extraFlags)
{
    SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
    if (!GetHwnd())
        return result;
    SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_hwnd, nullptr, nullptr, kRedrawFlags | extraFlags);
    return result;
}

BOOL uiSkinListBox::OnRowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
    case LB_ADDSTRING:
    case LB_ADDFILE:
    case LB_INSERTSTRING: {
        // The list box decides where the row lands (a sorted list places it by its text) and may
        // refuse it: the look's slot follows the index it answers.
        const LRESULT index = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        *result = index;
        if (index >= 0)
            InsertSlot(static_cast<int>(index));
        return TRUE;
    }
    case LB_DIR:
    case LB_SETCOUNT: {
        // Rows added all over the list, or a new count of a list without data: no look can tell
        // which row it belongs to any more, so every row starts afresh.
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        DeleteDrawItemInfo(-1);
        m_looks.resize(static_cast<size_t>(GetCount()));
        return TRUE;
    }
    case LB_DELETESTRING: {
        // Only a row that the list box really deleted takes its look along.
        *result = uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
        if (*result != LB_ERR)
            DeleteDrawItemInfo(static_cast<int>(wParam));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

LRESULT uiSkinListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT drawAnswer = m_scrollBars.IsAttached() ? m_scrollBars.OnMessage(msg, wParam, lParam) : 0;
    if (OnEventMessage(msg, wParam, lParam))
        return 1;
    if (!IsAttached())
        return 0;
    if (m_scrollBars.IsAttached() && uiScrollBarHelper::IsCustomDraw(msg, lParam))
        return drawAnswer;
    LRESULT result = 0;
    if (OnRowMessage(msg, wParam, lParam, &result))
        return result;
    switch (msg) {
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
        uiPaintListBorder(m_hwnd, m_displayList);
        return 1;
    case WM_MOUSEMOVE:
        if (m_info)
            OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSELEAVE:
        if (m_info)
            OnMouseLeave();
        break;
    case LB_RESETCONTENT:
        DeleteDrawItemInfo(-1);
        break;
    case WM_SIZE:
        if (m_hasBackgroundItem) {
            const RECT client = ClientRectOf(m_hwnd);
            if (client.right != m_bufferWidth || client.bottom != m_bufferHeight) {
                m_bufferWidth = client.right;
                m_bufferHeight = client.bottom;
                BuildBackgroundBuffer();
            }
        }
        break;
    case WM_VSCROLL:
        if (HasSkinnedBackground())
            return WithoutRedraw(msg, wParam, lParam, 0);
        break;
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
        if (HasSkinnedBackground())
            return WithoutRedraw(msg, wParam, lParam, RDW_FRAME);
        break;
    default:
        break;
    }
    return uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
}
