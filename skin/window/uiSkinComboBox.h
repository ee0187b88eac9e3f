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
    // The edit margin and the list's style come from the new style.
    void RebindStyle() override;
    // Stops the list's retry.
    void ReleaseStyle() override;
    void PaintBackground(HDC hdc) override;

    // Skins the list once; whether that happened now.
    BOOL SkinList();
    int GetKind() const { return m_kind; }
    HWND GetGuardedList() const { return m_listGuard.GetHwnd(); }
    // The inner edit's place in the combo's client area.
    RECT EditRect() const;

private:
    // What the combo reads from the style attached now: the edit margin, by which the inner edit is
    // placed, and the list's style name.
    void TakeStyle();

    uiNoSkinGuard m_listGuard;
    // Where the inner edit sits within the combo when the style gives no margin of its own.
    static constexpr RECT kDefaultEditMargin = {3, 3, 20, 2};

    RECT m_editMargin = kDefaultEditMargin;
    CString m_listStyle;
    int m_kind = DropDown;
};
