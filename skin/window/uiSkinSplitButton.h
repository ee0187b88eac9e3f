// A skinned push button with a drop-down part on its right: a press there shows display item 101
// instead of 100 and asks the parent to drop its menu (UIM_SPLITDROPDOWN) instead of clicking.
#pragma once

#include <windows.h>

#include "uiSkinButton.h"

class uiSkinSplitButton : public uiSkinButton {
public:
    uiSkinSplitButton() = default;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;

    // The width of the main part.
    int GetSplitWidth() const { return m_splitWidth; }

private:
    int m_splitWidth = 15;
};
