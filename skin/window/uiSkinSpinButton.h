// The skinned up-down control: each half (up or left, down or right) is one stretched image chosen by
// the control's mouse state and the half the cursor is over.
#pragma once

#include <windows.h>

#include "uiMouseStateTracker.h"
#include "uiSkinBase.h"

class uiDisplayItem;

class uiSkinSpinButton : public uiSkinBase {
public:
    uiSkinSpinButton();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    int ApplyStyle() override;
    // The images live in the style copy.
    void ForgetStyle() override;

    // The two halves of the client area: up (or left) first.
    void GetHalves(RECT* first, RECT* second) const;
    // The images of both halves for a state; half 1 first, 0 second, -1 neither.
    void PaintHalves(HDC dc, int state, int half);
    BOOL IsVertical() const { return m_vertical; }
    BOOL IsUpHot() const { return m_upHot; }
    int GetState() const { return m_tracker.GetState(); }

private:
    enum Image { UpNormal, UpOver, UpDown, UpDisabled, DownNormal, DownOver, DownDown, DownDisabled, ImageCount };

    void OnMouseMove(LPARAM lParam);
    void OnPaint();
    // Which half holds the client point: 1 the first, 0 the second, -1 neither.
    int HalfAt(POINT point) const;

    uiDisplayItem* m_images[ImageCount] = {};
    BOOL m_vertical = TRUE;
    uiMouseStateTracker m_tracker;
    BOOL m_upHot = FALSE;
};
