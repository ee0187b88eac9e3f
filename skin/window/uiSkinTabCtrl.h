// The skinned tab control: the whole control painted into a buffer (background item, then every
// visible tab from the style's display list with its text and icon) and copied in one piece; the
// control's scroll arrows become a skinned spin button.
#pragma once

#include <windows.h>

#include "uiSkinBase.h"
#include "uiTransparentHelper.h"

class uiMemDC;

class uiSkinTabCtrl : public uiSkinBase {
public:
    uiSkinTabCtrl();
    ~uiSkinTabCtrl() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The margins, the spin's skin and the transparency come from the new style.
    void RebindStyle() override;

    const RECT& GetSpinRect() const { return m_spinRect; }
    BOOL IsSpinSkinned() const { return m_spinSkinned; }
    HDC GetBufferDC() const;

private:
    // The tab control's scroll arrows, or null.
    HWND GetSpin() const;
    // What the control reads from the style attached now: the tab-control record and the
    // transparency; the spin is placed and skinned by it.
    void TakeStyle();
    void PositionSpin();
    void SkinSpin();
    // Takes the skin of an earlier spin style off the spin.
    void UnskinSpin();
    void MakeBuffer();
    void OnSize();
    void OnPaint();
    void PaintTabs();
    void PaintTab(const DRAWITEMSTRUCT& item, int current);

    uiMemDC* m_buffer = nullptr;
    int m_bufferWidth = 0;
    int m_bufferHeight = 0;
    int m_firstTabLeft = 0;
    int m_tabTopExtension = 0;
    int m_tabSpace = 4;
    int m_iconX = 0;
    int m_iconY = 0;
    RECT m_spinRect = {0, 0, 0, 0};
    CString m_spinStyle;
    BOOL m_spinSkinned = FALSE;
    uiTransparentHelper m_transparent;
};
