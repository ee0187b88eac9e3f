// The skinned trackbar.
#include "uiSkinSliderCtrl.h"

#include "uiDisplayList.h"
#include "uiEngineMessages.h"
#include "uiStyle.h"

uiSkinSliderCtrl::uiSkinSliderCtrl()
{
    m_styleName = L"sliderctrl";
}

int uiSkinSliderCtrl::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    m_transparent.Follow(m_hwnd, HasTransparentBk());
    return result;
}

int uiSkinSliderCtrl::SetColorAdjust(int hue, int saturation, int lightness)
{
    uiSkinBase::SetColorAdjust(hue, saturation, lightness);
    return 1;
}

LRESULT uiSkinSliderCtrl::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    if (!info || !header || header->code != NM_CUSTOMDRAW || header->hwndFrom != m_hwnd)
        return uiSkinBase::OnReflectedNotify(info, header);
    info->handled = TRUE;
    return OnCustomDraw(reinterpret_cast<NMCUSTOMDRAW*>(header));
}

LRESULT uiSkinSliderCtrl::OnCustomDraw(NMCUSTOMDRAW* draw)
{
    switch (draw->dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_PREERASE:
    case CDDS_POSTERASE:
        return CDRF_SKIPDEFAULT;
    case CDDS_ITEMPREPAINT:
        break;
    default:
        return 0;
    }
    switch (draw->dwItemSpec) {
    case TBCD_THUMB:
        // The filled part of the channel follows the thumb, so a moved thumb repaints the whole
        // control once; invalidating on every paint would repaint it without end.
        if (!EqualRect(&m_thumb, &draw->rc))
            InvalidateRect(m_hwnd, nullptr, FALSE);
        PaintThumb(draw);
        break;
    case TBCD_CHANNEL:
        PaintChannel(draw->hdc);
        break;
    default:
        // Tic marks are never painted.
        break;
    }
    return CDRF_SKIPDEFAULT;
}

void uiSkinSliderCtrl::PaintThumb(NMCUSTOMDRAW* draw)
{
    m_thumb = draw->rc;
    if (!m_displayList)
        return;
    int state = 1;
    if (draw->uItemState & CDIS_SELECTED)
        state = 4;
    else if (draw->uItemState & CDIS_HOT)
        state = 2;
    m_displayList->Layout(m_thumb);
    m_displayList->Paint(draw->hdc, static_cast<DWORD>(state));
}

void uiSkinSliderCtrl::PaintChannel(HDC dc)
{
    const RECT client = GetClientRect();
    if (m_transparent.IsAttached())
        m_transparent.PaintParentBk(dc, m_hwnd);
    if (!m_displayList)
        return;
    m_displayList->Layout(client);
    m_displayList->PaintItem(dc, L"slider.bg");
    RECT thumb = {};
    SendMessageW(m_hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    RECT filled = {8, 0, thumb.left + 7, client.bottom};
    if (GetStyle() & TBS_VERT)
        filled = {0, 8, client.right, thumb.top + 7};
    m_displayList->PaintItemEx(dc, L"slider.fg", &filled, 0);
}

LRESULT uiSkinSliderCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        return DefaultProc(msg, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case UIM_UPDATE:
        if (wParam == 0) {
            // Toggling the enabled state makes the control repaint everything, channel included.
            const BOOL enabled = IsWindowEnabled(m_hwnd);
            EnableWindow(m_hwnd, !enabled);
            EnableWindow(m_hwnd, enabled);
        }
        break;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}
