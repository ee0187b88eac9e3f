// The skinned tab control.
#include "uiSkinTabCtrl.h"

#include <commctrl.h>

#include "uiApiLoader.h"
#include "uiColorInfo.h"
#include "uiDisplayList.h"
#include "uiDrawRoutines.h"
#include "uiHandleMap.h"
#include "uiListRecords.h"
#include "uiMemDC.h"
#include "uiSharedMemDC.h"
#include "uiSkinSpinButton.h"
#include "uiStyle.h"

namespace {

// The tab control's scroll arrows are its child with this id.
const int kSpinId = 1;

RECT WindowRectAtOrigin(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

}  // namespace

uiSkinTabCtrl::uiSkinTabCtrl()
{
    m_styleName = L"tabctrl";
}

uiSkinTabCtrl::~uiSkinTabCtrl()
{
    delete m_buffer;
}

HDC uiSkinTabCtrl::GetBufferDC() const
{
    return m_buffer ? m_buffer->GetDC() : nullptr;
}

void uiSkinTabCtrl::OnAttached()
{
    uiSkinBase::OnAttached();
    TakeStyle();
    MakeBuffer();
}

void uiSkinTabCtrl::RebindStyle()
{
    uiSkinBase::RebindStyle();
    TakeStyle();
}

void uiSkinTabCtrl::TakeStyle()
{
    // Nothing of an earlier style may stay: without a tab-control record the tabs have no margins
    // and the spin no skin.
    const uiTabCtrlInfo* info = m_style ? m_style->tabctrlinfo.get() : nullptr;
    const uiTabCtrlInfo defaults;
    const uiTabCtrlInfo& taken = info ? *info : defaults;
    m_firstTabLeft = taken.marginLeft;
    m_tabTopExtension = taken.marginTop;
    m_tabSpace = taken.tabSpace;
    m_iconX = taken.iconX;
    m_iconY = taken.iconY;
    if (m_spinSkinned && taken.spinStyle != m_spinStyle)
        UnskinSpin();
    m_spinStyle = taken.spinStyle;
    m_transparent.Follow(m_hwnd, HasTransparentBk());
    PositionSpin();
    SkinSpin();
}

HWND uiSkinTabCtrl::GetSpin() const
{
    if (!GetHwnd() || m_spinStyle.IsEmpty())
        return nullptr;
    return GetDlgItem(m_hwnd, kSpinId);
}

void uiSkinTabCtrl::PositionSpin()
{
    const HWND spin = GetSpin();
    if (!spin)
        return;
    RECT rect = {};
    ::GetWindowRect(spin, &rect);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rect), 2);
    m_spinRect = rect;
    if (!m_style || !m_style->tabctrlinfo)
        return;
    const POINT size = m_style->tabctrlinfo->spinSize;
    bool changed = false;
    if (size.y != 0 && size.y != rect.bottom - rect.top) {
        rect.top = rect.bottom - size.y;
        changed = true;
    }
    if (size.x != 0 && size.x != rect.right - rect.left) {
        rect.left = rect.right - size.x;
        changed = true;
    }
    if (changed) {
        ::MoveWindow(spin, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        m_spinRect = rect;
    }
}

void uiSkinTabCtrl::SkinSpin()
{
    const HWND spin = GetSpin();
    if (!spin || m_spinSkinned)
        return;
    m_spinSkinned = TRUE;
    auto* skin = new uiSkinSpinButton;
    if (!skin->SkinWindow(spin, m_spinStyle, TRUE, FALSE) && !skin->IsAttached())
        delete skin;
}

void uiSkinTabCtrl::UnskinSpin()
{
    m_spinSkinned = FALSE;
    const HWND spin = GetHwnd() ? GetDlgItem(m_hwnd, kSpinId) : nullptr;
    if (auto* skin = spin ? dynamic_cast<uiSkinSpinButton*>(uiGetHandleMap()->Find(spin)) : nullptr)
        skin->Detach();
}

void uiSkinTabCtrl::MakeBuffer()
{
    if (m_buffer || !GetHwnd())
        return;
    const RECT rect = WindowRectAtOrigin(m_hwnd);
    const HDC windowDC = GetWindowDC(m_hwnd);
    if (!windowDC)
        return;
    m_buffer = new uiMemDC(windowDC, rect, TRUE);
    ReleaseDC(m_hwnd, windowDC);
    if (!m_buffer->GetDC() || !m_buffer->GetBitmap()) {
        delete m_buffer;
        m_buffer = nullptr;
        return;
    }
    m_bufferWidth = rect.right;
    m_bufferHeight = rect.bottom;
}

void uiSkinTabCtrl::OnSize()
{
    const RECT rect = WindowRectAtOrigin(m_hwnd);
    if (rect.right != m_bufferWidth || rect.bottom != m_bufferHeight) {
        m_bufferWidth = rect.right;
        m_bufferHeight = rect.bottom;
        delete m_buffer;
        m_buffer = nullptr;
    }
    PositionSpin();
    SkinSpin();
    OnPaint();
}

void uiSkinTabCtrl::OnPaint()
{
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(m_hwnd, &paint);
    if (!dc) {
        EndPaint(m_hwnd, &paint);
        return;
    }
    const HWND spin = GetDlgItem(m_hwnd, kSpinId);
    if (spin && IsWindowVisible(spin)) {
        RECT place = {};
        ::GetWindowRect(spin, &place);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&place), 2);
        ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
    }
    MakeBuffer();
    if (m_buffer) {
        const RECT rect = WindowRectAtOrigin(m_hwnd);
        if (m_style && m_style->property) {
            if (HBRUSH brush = CreateSolidBrush(uiGdiColor(m_style->property->bkColor.GetColor()))) {
                FillRect(*m_buffer, &rect, brush);
                DeleteObject(brush);
            }
        }
        if (m_transparent.IsAttached())
            m_transparent.PaintParentBk(*m_buffer, m_hwnd);
        if (m_displayList) {
            m_displayList->Layout(rect);
            m_displayList->PaintItem(*m_buffer, L"tabctrl.bk");
        }
        PaintTabs();
        BitBlt(dc, 0, 0, rect.right, rect.bottom, *m_buffer, 0, 0, SRCCOPY);
    }
    EndPaint(m_hwnd, &paint);
}

void uiSkinTabCtrl::PaintTabs()
{
    const int count = static_cast<int>(SendMessageW(m_hwnd, TCM_GETITEMCOUNT, 0, 0));
    const int current = static_cast<int>(SendMessageW(m_hwnd, TCM_GETCURSEL, 0, 0));
    int counted = 0;
    for (int i = 0; i < count; ++i) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_TAB;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_hwnd));
        item.itemID = static_cast<UINT>(i);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = i == current ? ODS_SELECTED : 0;
        item.hwndItem = m_hwnd;
        item.hDC = *m_buffer;
        if (!SendMessageW(m_hwnd, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item.rcItem)) ||
            item.rcItem.left < 0)
            continue;
        item.rcItem.bottom -= 2;
        item.rcItem.left = counted == 0 ? m_firstTabLeft : item.rcItem.left + m_tabSpace / 2;
        item.rcItem.right -= m_tabSpace / 2;
        item.rcItem.top -= m_tabTopExtension + 1;
        ++counted;
        PaintTab(item, current);
    }
}

void uiSkinTabCtrl::PaintTab(const DRAWITEMSTRUCT& item, int current)
{
    const RECT& tab = item.rcItem;
    const SIZE size = {tab.right - tab.left, tab.bottom - tab.top};
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const HDC scratch = uiGetSharedMemDC()->Ensure(item.hDC, size);
    if (!scratch)
        return;
    BitBlt(scratch, 0, 0, size.cx, size.cy, item.hDC, tab.left, tab.top, SRCCOPY);
    wchar_t text[512] = {};
    TCITEMW record = {};
    record.mask = TCIF_TEXT | TCIF_IMAGE;
    record.pszText = text;
    record.cchTextMax = 511;
    SendMessageW(m_hwnd, TCM_GETITEMW, item.itemID, reinterpret_cast<LPARAM>(&record));
    CString caption(text);
    caption.Trim();
    if (m_displayList) {
        const RECT local = {0, 0, size.cx, size.cy};
        m_displayList->SetText(nullptr, caption);
        m_displayList->Layout(local);
        m_displayList->Paint(scratch, static_cast<int>(item.itemID) == current ? 0x100 : 1);
    }
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(m_hwnd, TCM_GETIMAGELIST, 0, 0));
    if (images && uiApiLoader::ImageList_Draw)
        uiApiLoader::ImageList_Draw(images, record.iImage, scratch, m_iconX, m_iconY, ILD_TRANSPARENT);
    int width = size.cx;
    const HWND spin = GetDlgItem(m_hwnd, kSpinId);
    if (spin && IsWindowVisible(spin) && m_spinSkinned && !IsRectEmpty(&m_spinRect) &&
        tab.right >= m_spinRect.left)
        width = m_spinRect.left - 1 - tab.left;
    if (width > 0)
        BitBlt(item.hDC, tab.left, tab.top, width, size.cy, scratch, 0, 0, SRCCOPY);
}

LRESULT uiSkinTabCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        uiSkinBase::WindowProc(msg, wParam, lParam);
        OnSize();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_ERASEBKGND:
        return 1;
    case TCM_INSERTITEMW: {
        const LRESULT result = uiSkinBase::WindowProc(msg, wParam, lParam);
        PositionSpin();
        SkinSpin();
        return result;
    }
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}
