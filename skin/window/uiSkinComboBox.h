// The skinned combo box: the inner edit placed inside the skin's margins, the inner windows kept out
// of the background copy, and the drop-down list skinned as a scroll window.
#pragma once

#include <windows.h>

#include "uiNoSkinGuard.h"
#include "uiSkinControl.h"

class uiSkinComboBox : public uiSkinControl {
public:
    enum Kind { Simple = 1, DropDown = 2, DropDownList = 3 };
    static const UINT_PTR kListTimer = 1001;

    uiSkinComboBox();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    void PaintBackground(HDC hdc) override;

    // Skins the list once; whether that happened now.
    BOOL SkinList();
    int GetKind() const { return m_kind; }
    HWND GetGuardedList() const { return m_listGuard.GetHwnd(); }
    // The inner edit's place in the combo's client area.
    RECT EditRect() const;

private:
    uiNoSkinGuard m_listGuard;
    RECT m_editMargin = {3, 3, 20, 2};
    CString m_listStyle;
    int m_kind = DropDown;
};
