// A skinned push button with a drop-down part on its right: a press there shows display item 101
// instead of 100 and asks the parent to drop its menu (UIM_SPLITDROPDOWN) instead of clicking.
#pragma once

#include <windows.h>

#include "uiSkinButton.h"

class uiSkinSplitButton : public uiSkinButton {
public:
    static const int kDefaultSplitWidth = 15;

    uiSkinSplitButton() = default;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The split comes from the new style.
    void RebindStyle() override;

    // The width of the main part.
    int GetSplitWidth() const { return m_splitWidth; }

private:
    // The main part's width from the style attached now; negative widths count from the right.
    void TakeSplitWidth();

    int m_splitWidth = kDefaultSplitWidth;
};
