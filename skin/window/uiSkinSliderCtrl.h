// The skinned trackbar: the control keeps painting itself, and its custom-draw notification, reflected
// from the parent, lets the skin paint the channel (background and the filled part up to the thumb)
// and the thumb; tic marks are left out.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiSkinSliderCtrl : public uiSkinBase {
public:
    uiSkinSliderCtrl();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;
    // The transparency of the style, at attach and whenever another style takes the old one's place.
    int ApplyStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;

    const RECT& GetThumbRect() const { return m_thumb; }

private:
    LRESULT OnCustomDraw(NMCUSTOMDRAW* draw);
    void PaintThumb(NMCUSTOMDRAW* draw);
    void PaintChannel(HDC dc);

    uiTransparentHelper m_transparent;
    RECT m_thumb = {0, 0, 0, 0};
};
