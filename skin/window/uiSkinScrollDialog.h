// A skinned child dialog with the skin's custom scroll bars.
#pragma once

#include "uiScrollBarHelper.h"
#include "uiSkinControl.h"

class uiSkinScrollDialog : public uiSkinControl {
public:
    uiSkinScrollDialog();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The scroll bars come from the new style.
    void RebindStyle() override;
    void ReleaseStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;
    // Leaves the vertical scroll-bar strip out of the background copy as well.
    void PaintBackground(HDC hdc) override;

    uiScrollBarHelper& GetScrollBarHelper() { return m_helper; }

private:
    uiScrollBarHelper m_helper;
};
