// Skins any window's frame: the style's border item drawn over the non-client area, and the
// skin's custom scroll bars in place of the system's. Also prints that frame for WM_PRINT.
#pragma once

#include "uiScrollBarHelper.h"
#include "uiSkinBase.h"

class uiDisplayItem;

class uiSkinScrollWnd : public uiSkinBase {
public:
    uiSkinScrollWnd();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The scroll bars come from the new style.
    void RebindStyle() override;
    void ReleaseStyle() override;
    // The border item lives in the style copy.
    void ForgetStyle() override;
    int ApplyStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;

    // Whether the window stands on the desktop (a popup such as a combo box's drop-down list).
    BOOL IsPopup() const;
    void PaintBorder();
    // Paints the border item over the whole window when the window has a frame on its left and top.
    void DrawBorder(HDC dc);
    // Kept for the bars of every style the window takes.
    void SetTrackCapture(BOOL value);
    void SetVerticalHitOnly(BOOL value);

    uiScrollBarHelper& GetScrollBarHelper() { return m_helper; }

private:
    // The bars of the style's "scrollbar" style, or the default ones.
    void TakeScrollBars();

    uiScrollBarHelper m_helper;
    BOOL m_trackCapture = TRUE;
    BOOL m_verticalHitOnly = FALSE;
    BOOL m_hasBorder = TRUE;
    uiDisplayItem* m_border = nullptr;
};
