// The scroll window: a skinned frame and skinned scroll bars for any window.
#include "uiSkinScrollWnd.h"

#include "uiCustomScrollBar.h"
#include "uiDisplayList.h"
#include "uiStyle.h"

namespace {

const wchar_t kBorderItem[] = L"scrollwindow.border";

}  // namespace

uiSkinScrollWnd::uiSkinScrollWnd()
{
    m_styleName = L"scrollwindow";
}

LRESULT uiSkinScrollWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT drawAnswer = m_helper.OnMessage(msg, wParam, lParam);
    if (uiScrollBarHelper::IsCustomDraw(msg, lParam))
        return drawAnswer;
    switch (msg) {
    case WM_NCPAINT:
        if (!m_hasBorder)
            break;
        PaintBorder();
        return 1;
    case WM_PRINT:
        if (!(lParam & PRF_NONCLIENT))
            break;
        uiSkinBase::WindowProc(msg, wParam, lParam);
        DrawBorder(reinterpret_cast<HDC>(wParam));
        if (IsPopup())
            uiCsbPrintNC(reinterpret_cast<HDC>(wParam), m_hwnd);
        return 0;
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinScrollWnd::OnAttached()
{
    TakeScrollBars();
    m_hasBorder = (GetStyle() & WS_BORDER) || (GetExStyle() & WS_EX_CLIENTEDGE);
}

void uiSkinScrollWnd::RebindStyle()
{
    uiSkinBase::RebindStyle();
    TakeScrollBars();
}

void uiSkinScrollWnd::TakeScrollBars()
{
    BindScrollBars(m_helper, TRUE);
    // New bars start with the default tracking: what the owner chose goes on them again.
    m_helper.SetTrackCapture(m_trackCapture);
    m_helper.SetVerticalHitOnly(m_verticalHitOnly);
}

void uiSkinScrollWnd::SetTrackCapture(BOOL value)
{
    m_trackCapture = value;
    m_helper.SetTrackCapture(value);
}

void uiSkinScrollWnd::SetVerticalHitOnly(BOOL value)
{
    m_verticalHitOnly = value;
    m_helper.SetVerticalHitOnly(value);
}

void uiSkinScrollWnd::ReleaseStyle()
{
    uiSkinBase::ReleaseStyle();
    m_helper.Detach();
}

void uiSkinScrollWnd::ForgetStyle()
{
    m_border = nullptr;
    uiSkinBase::ForgetStyle();
}

int uiSkinScrollWnd::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    m_border = m_style ? m_style->displayList.FindItem(kBorderItem) : nullptr;
    return result;
}

int uiSkinScrollWnd::SetColorAdjust(int hue, int saturation, int lightness)
{
    uiSkinBase::SetColorAdjust(hue, saturation, lightness);
    PaintBorder();
    m_helper.Redraw();
    return 1;
}

BOOL uiSkinScrollWnd::IsPopup() const
{
    return GetAncestor(m_hwnd, GA_PARENT) == GetDesktopWindow();
}

void uiSkinScrollWnd::PaintBorder()
{
    HDC dc = GetWindowDC(m_hwnd);
    if (!dc)
        return;
    DrawBorder(dc);
    ReleaseDC(m_hwnd, dc);
}

void uiSkinScrollWnd::DrawBorder(HDC dc)
{
    RECT frame = GetWindowRect();
    ScreenToClient(&frame);
    if (!frame.left || !frame.top || !m_border)
        return;
    m_border->SetRectAndPaint(dc, RECT{0, 0, frame.right - frame.left, frame.bottom - frame.top});
}
