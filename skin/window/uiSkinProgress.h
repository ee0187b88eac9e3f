// The skinned progress bar: a background item and a step item cut to the control's percentage,
// painted off-screen and copied to the window in one piece; the window text follows the percentage.
#pragma once

#include <windows.h>

#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiDisplayItem;

class uiSkinProgress : public uiSkinBase {
public:
    uiSkinProgress() = default;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The items, the pads and the transparency of the style, at attach and whenever another style
    // takes the place of the old one.
    int ApplyStyle() override;
    // The two items live in the style copy.
    void ForgetStyle() override;

    void UpdateInnerRect();
    // Reads the control's range and position back and shows the percentage as the window text.
    void UpdateRange();
    // The position's share of the range, truncated and kept within 0..100 whatever the range.
    int GetPercent() const;
    const RECT& GetInnerRect() const { return m_innerRect; }

private:
    LRESULT PaintBar();
    // The part of the inner rectangle that the step covers at the percentage.
    RECT StepRect(int percent, BOOL vertical) const;

    uiDisplayItem* m_bkItem = nullptr;
    uiDisplayItem* m_stepItem = nullptr;
    RECT m_innerRect = {0, 0, 0, 0};
    int m_padX = 0;
    int m_padY = 0;
    int m_low = 0;
    int m_high = 100;
    int m_range = 100;
    int m_pos = 0;
    uiTransparentHelper m_transparent;
};
