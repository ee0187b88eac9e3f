// Skinned push buttons, check boxes and radio buttons. The button paints its style in its own paint
// state, which it keeps from the mouse, keyboard and enable messages it sees; check boxes and radio
// buttons hold their check state in the skin object, since the owner-drawn window keeps none.
#pragma once

#include <windows.h>

#include "uiSkinControl.h"

class uiSkinButton : public uiSkinControl {
public:
    // The states that a check box or radio button may take.
    static const int kCheckStateMask = 14215;

    uiSkinButton();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override;
    void ReapplyStyle() override;
    void ReleaseStyle() override;
    // The default and focus looks come from the new style.
    void RebindStyle() override;
    void OnAttached() override;
    void SetStateLock(BOOL value) override;
    void AfterReBuildBkBitmap() override;
    int GetPaintState() override { return m_state; }

    // Enters the requested state in its checked or default form; nothing while locked or when the
    // button may not take it.
    void SetState(int requested);
    // Check boxes and radio buttons that are enabled: 1 checks, 0 clears, anything else is ignored.
    int SetChecked(int value);
    // Clears the other enabled skinned radio buttons of this button's group.
    void UncheckGroup();

    // The window's own button type: the one that the newest skin button on its chain replaced with
    // owner drawing, or else its style's.
    static DWORD OwnTypeOf(HWND hwnd);

    int GetState() const { return m_state; }
    int GetChecked() const { return m_checked; }
    BOOL IsDefault() const { return m_isDefault; }

protected:
    // What the button reads from the style attached now: whether it shows a default and a focus look.
    void TakeStyle();
    BOOL IsCursorInside() const;
    void OnLButtonUp();

    BOOL m_drawFocus = FALSE;
    BOOL m_isDefault = FALSE;
    int m_state = 1;
    BOOL m_pressed = FALSE;
    int m_checked = 0;
    int m_stateMask = 135;
    // A mouse-leave notification is armed.
    BOOL m_tracking = FALSE;
    // The release under way is a click that the window reports (BM_CLICK, the space key): it counts
    // as inside whatever the cursor's position.
    BOOL m_clickInside = FALSE;
    // The window's own button type, which the skin replaced with owner drawing; -1 before.
    int m_ownType = -1;
};
