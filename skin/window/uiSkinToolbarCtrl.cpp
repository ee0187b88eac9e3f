// The skinned toolbar.
#include "uiSkinToolbarCtrl.h"

#include <vector>

#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiStyle.h"

uiSkinToolbarCtrl::uiSkinToolbarCtrl()
{
    m_styleName = L"toolbarctrl";
}

int uiSkinToolbarCtrl::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    m_background = m_displayList ? m_displayList->FindItem(L"toolbar.control.bk") : nullptr;
    m_transparent.Follow(m_hwnd, HasTransparentBk());
    return result;
}

int uiSkinToolbarCtrl::ItemState(UINT itemState)
{
    if (itemState & (CDIS_CHECKED | CDIS_SELECTED))
        return 4;
    if (itemState & (CDIS_HOT | CDIS_FOCUS))
        return 2;
    return 1;
}

CString uiSkinToolbarCtrl::GetButtonText(int command) const
{
    // Asked for its length first: a fixed buffer would let a long text run past its end.
    const LRESULT length = SendMessageW(m_hwnd, TB_GETBUTTONTEXTW, command, 0);
    if (length <= 0)
        return CString();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(m_hwnd, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0 || copied > length)
        return CString();
    return CString(text.data(), static_cast<int>(copied));
}

void uiSkinToolbarCtrl::PaintItem(NMCUSTOMDRAW* draw)
{
    if (!m_displayList)
        return;
    const int state = ItemState(draw->uItemState);
    const int count = static_cast<int>(SendMessageW(m_hwnd, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect = {}, overlap = {};
        if (!SendMessageW(m_hwnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) ||
            !IntersectRect(&overlap, &rect, &draw->rc))
            continue;
        TBBUTTON button = {};
        if (!SendMessageW(m_hwnd, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)))
            continue;
        m_displayList->SetText(nullptr, GetButtonText(button.idCommand));
        m_displayList->Layout(draw->rc);
        m_displayList->Paint(draw->hdc, static_cast<DWORD>(state));
    }
}

LRESULT uiSkinToolbarCtrl::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    if (!info || !header || header->code != NM_CUSTOMDRAW || header->hwndFrom != m_hwnd)
        return uiSkinBase::OnReflectedNotify(info, header);
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        info->handled = TRUE;
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw->dwDrawStage == CDDS_ITEMPREPAINT) {
        PaintItem(draw);
        info->handled = TRUE;
        return CDRF_SKIPDEFAULT;
    }
    return 0;
}

LRESULT uiSkinToolbarCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (m_transparent.IsAttached()) {
            m_transparent.PaintParentBk(dc, m_hwnd);
        } else if (m_background) {
            RECT rect = GetWindowRect();
            OffsetRect(&rect, -rect.left, -rect.top);
            m_background->SetRectAndPaint(dc, rect);
        }
        return 1;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinToolbarCtrl::ForgetStyle()
{
    m_background = nullptr;
    uiSkinBase::ForgetStyle();
}
