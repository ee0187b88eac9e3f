// The scroll dialog: a skinned child dialog whose scroll bars are the skin's custom bars.
#include "uiSkinScrollDialog.h"

#include "uiStyle.h"

uiSkinScrollDialog::uiSkinScrollDialog()
{
    m_styleName = L"scrollwindow";
}

LRESULT uiSkinScrollDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT drawAnswer = m_helper.OnMessage(msg, wParam, lParam);
    if (uiScrollBarHelper::IsCustomDraw(msg, lParam))
        return drawAnswer;
    // The custom bars paint the frame; the system must not.
    if (msg == WM_NCPAINT)
        return 1;
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}

void uiSkinScrollDialog::OnAttached()
{
    uiSkinControl::OnAttached();
    // The dialog reports no state changes.
    m_tracker.SetMask(0);
    BindScrollBars(m_helper, TRUE);
}

void uiSkinScrollDialog::RebindStyle()
{
    uiSkinControl::RebindStyle();
    BindScrollBars(m_helper, TRUE);
}

void uiSkinScrollDialog::ReleaseStyle()
{
    uiSkinControl::ReleaseStyle();
    m_helper.Detach();
}

int uiSkinScrollDialog::SetColorAdjust(int hue, int saturation, int lightness)
{
    uiSkinControl::SetColorAdjust(hue, saturation, lightness);
    if (m_helper.IsAttached())
        m_helper.Redraw();
    return 1;
}

void uiSkinScrollDialog::PaintBackground(HDC hdc)
{
    uiSkinControl::PaintBackground(hdc);
    if (!m_helper.IsAttached() || !(GetStyle() & WS_VSCROLL))
        return;
    const RECT window = GetWindowRect();
    const RECT client = GetClientRect();
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    if (width > client.right)
        ExcludeClipRect(hdc, client.right + 1, client.top + 1, width - 1, height - 1);
}
