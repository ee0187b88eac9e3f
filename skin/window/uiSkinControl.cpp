// The skinned control base: background rebuild, painting through the background, region, children.
#include "uiSkinControl.h"

#include "uiMemDC.h"

uiSkinControl::uiSkinControl()
{
    m_styleName = L"dialog";
}

uiSkinControl::~uiSkinControl()
{
    delete m_background;
}

LRESULT uiSkinControl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return uiSkinEventCtrl::WindowProc(msg, wParam, lParam);
}

void uiSkinControl::OnAttached()
{
    uiSkinEventCtrl::OnAttached();
}

int uiSkinControl::ApplyStyle()
{
    return uiSkinEventCtrl::ApplyStyle();
}

int uiSkinControl::SetColorAdjust(int hue, int saturation, int lightness)
{
    return uiSkinEventCtrl::SetColorAdjust(hue, saturation, lightness);
}

void uiSkinControl::UpdateRegion(BOOL) {}

HDC uiSkinControl::GetBackgroundDC()
{
    return m_background ? m_background->GetDC() : nullptr;
}

int uiSkinControl::GetPaintState()
{
    return HasTrackerWindow() ? m_tracker.GetState() : uiMouseStateTracker::Normal;
}

void uiSkinControl::PaintBackground(HDC) {}

BOOL uiSkinControl::RebuildBackground(BOOL)
{
    return TRUE;
}

void uiSkinControl::PresentBackground(HDC) {}

void uiSkinControl::NotifyChildrenUpdate() {}

void uiSkinControl::PaintLook(HDC, int) {}

void uiSkinControl::RedrawNow() {}

HRGN uiSkinControl::BuildStyleRegion(BOOL)
{
    return nullptr;
}

LRESULT uiSkinControl::PaintForChild(HDC, const uiParentBkRequest*)
{
    return 0;
}

RECT uiSkinControl::GetRectInParent() const
{
    return RECT{};
}

HRGN uiSkinControl::BuildShapeRegion(const RECT&)
{
    return nullptr;
}

HRGN uiSkinControl::BuildColorKeyRegion(const RECT&, BOOL)
{
    return nullptr;
}
