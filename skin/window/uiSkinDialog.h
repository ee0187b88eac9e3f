// The skinned frame dialog: a top-level window that keeps its own non-client frame, whose caption,
// border and caption buttons are painted from the style. The object tracks the caption buttons
// itself, answers the system's hit tests, limits the window's size to the style's and keeps a
// maximised window on the primary monitor's work area.
#pragma once

#include <windows.h>
#include <memory>

#include "uiSkinControl.h"

class uiStyle;

struct uiCaptionButton {
    std::unique_ptr<uiStyle> style;
    // Relative to the window's top-left corner; negative values count from the far edge.
    RECT rect = {0, 0, 0, 0};
    int state = 1;
    BOOL present = FALSE;
};

class uiSkinDialog : public uiSkinControl {
public:
    enum Button { Minimise, Maximise, Close, Icon, ButtonCount };

    uiSkinDialog();
    ~uiSkinDialog() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    // The caption height, the size limits and the caption buttons come from the new style.
    void RebindStyle() override;
    void UpdateRegion(BOOL reset) override;
    void AfterReBuildBkBitmap() override;

    // The hit code of a screen point.
    LRESULT HitTest(POINT screen) const;
    // Whether any button's state changed.
    BOOL UpdateCaptionButtonState();
    // The button's rectangle against the present window size.
    RECT ButtonRect(int index) const;
    const uiCaptionButton& GetButton(int index) const { return m_buttons[index]; }
    int GetPressed() const { return m_pressed; }
    int GetHot() const { return m_hot; }
    int GetCaptionHeight() const { return m_captionHeight; }

private:
    // What the frame takes from the style attached now: caption height, size limits, caption buttons.
    void TakeStyle();
    void SetUpButtons();
    void RepaintFrame();
    void PaintCaptionButtons(HDC dc);
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam);
    // point: the screen point of the message, handed on with it when no caption button is under it.
    void OnNcMouseMove(WPARAM hit, LPARAM point);
    LRESULT OnNcButtonDown(WPARAM hit, LPARAM lParam);
    LRESULT OnNcButtonUp();
    void OnNcMouseLeave();
    // Clears the pressed and hot buttons and repaints when a state changed.
    void ResetButtons();
    // The window rectangle less the borders and the caption.
    RECT ClientArea(const RECT& window) const;

    int m_pressed = -1;
    int m_hot = -1;
    uiCaptionButton m_buttons[ButtonCount];
    BOOL m_resizable = FALSE;
    int m_border[4];
    int m_captionHeight;
    BOOL m_updatingRegion = FALSE;
    int m_minWidth = INT_MAX;
    int m_minHeight = INT_MAX;
    int m_maxHeight = INT_MAX;
    int m_maxWidth = INT_MAX;
    BOOL m_ncTracking = FALSE;
    BOOL m_repaintPending = FALSE;
};
