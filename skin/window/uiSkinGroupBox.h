// The skinned group box: a frame item with the caption painted over a gap in it, both over the
// parent's background, and the siblings that lie on top of the box kept out of its painting.
#pragma once

#include <windows.h>

#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiSkinGroupBox : public uiSkinBase {
public:
    uiSkinGroupBox();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    int ApplyStyle() override;

    void Paint(HDC dc);
    // Where the caption goes for a text of the given size, by the button's alignment.
    RECT TextRect(SIZE text) const;

private:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void ClipSiblings(HDC dc) const;

    uiTransparentHelper m_transparent;
    int m_margin = 5;
    int m_offset = 0;
    HFONT m_font = nullptr;
};
