// The skinned split button.
#include "uiSkinSplitButton.h"

#include "uiEngineMessages.h"
#include "uiStyle.h"

void uiSkinSplitButton::OnAttached()
{
    uiSkinButton::OnAttached();
    TakeSplitWidth();
}

void uiSkinSplitButton::RebindStyle()
{
    uiSkinButton::RebindStyle();
    TakeSplitWidth();
}

void uiSkinSplitButton::TakeSplitWidth()
{
    const uiButtonInfo* info = m_style ? m_style->buttoninfo.get() : nullptr;
    m_splitWidth = info ? info->splitWidth : kDefaultSplitWidth;
    if (m_splitWidth < 0) {
        const RECT rect = GetWindowRect();
        m_splitWidth += rect.right - rect.left;
    }
}

LRESULT uiSkinSplitButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_LBUTTONDOWN || !IsCursorInside())
        return uiSkinButton::WindowProc(msg, wParam, lParam);
    POINT cursor = {};
    GetCursorPos(&cursor);
    const RECT rect = GetWindowRect();
    const BOOL dropDown = cursor.x >= rect.left + m_splitWidth;
    ShowDisplayItems(100, 100, !dropDown);
    ShowDisplayItems(101, 101, dropDown);
    if (!dropDown)
        return uiSkinButton::WindowProc(msg, wParam, lParam);
    m_pressed = TRUE;
    SetState(4);
    // The previous procedure never sees this press: no capture, no click.
    SendMessageW(GetParent(m_hwnd), UIM_SPLITDROPDOWN, reinterpret_cast<WPARAM>(m_hwnd), 0);
    return 1;
}
