// The skinned edit control: its border drawn from the background bitmap, its text coloured by the
// edit's state, optionally the skin's image under the text through a pattern brush, a hint item
// while it is empty and unfocused, and skinned scroll bars on a multi-line edit.
#pragma once

#include <windows.h>

#include "uiScrollBarHelper.h"
#include "uiSkinControl.h"

class uiMemDC;

class uiSkinEditEx : public uiSkinControl {
public:
    uiSkinEditEx();
    ~uiSkinEditEx() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override;
    LRESULT OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control) override;
    void OnAttached() override;
    // The edit record, the scroll bars and the hint come from the new style.
    void RebindStyle() override;
    void ReleaseStyle() override;
    int SetColorAdjust(int hue, int saturation, int lightness) override;
    void AfterReBuildBkBitmap() override;

    BOOL IsNextToSpin() const { return m_nextToSpin; }
    BOOL ShowsAutoItem() const { return m_showAutoItem; }
    HBRUSH GetPatternBrush() const { return m_patternBrush; }
    // The text colour for the edit's present state.
    COLORREF TextColor() const;

private:
    // What the edit reads from the style attached now: the scroll bars of a multi-line edit, the
    // image background, the font, the margins and the hint item.
    void TakeStyle();
    // The style's font and margins on the edit, or without them the edit's own back.
    void TakeFontAndMargins(HFONT font, BOOL marginsGiven, LPARAM margins);
    // Draws the border from the background; the system's non-client painting never runs.
    void PaintBorder();
    void Refresh();
    void DropPatternBrush();
    void DropClientCopy();

    BOOL m_useImageBk = FALSE;
    HBRUSH m_patternBrush = nullptr;
    BOOL m_multiLine = FALSE;
    uiScrollBarHelper m_scrollBars;
    uiMemDC* m_clientCopy = nullptr;
    BOOL m_nextToSpin = FALSE;
    RECT m_lastRect = {0, 0, 0, 0};
    BOOL m_showAutoItem = FALSE;
    BOOL m_hasBorder = FALSE;
    // A state change asked for a forced background rebuild at the next border paint.
    BOOL m_forceRebuild = FALSE;
    // The style's font and margins on the edit, and the edit's own from before them.
    HFONT m_skinFont = nullptr;
    HFONT m_ownFont = nullptr;
    BOOL m_skinMargins = FALSE;
    LPARAM m_ownMargins = 0;
};
