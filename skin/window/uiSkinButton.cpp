// Skinned push buttons, check boxes and radio buttons.
#include "uiSkinButton.h"

#include "uiApiLoader.h"
#include "uiDisplayList.h"
#include "uiEngineMessages.h"
#include "uiHandleMap.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

namespace {

const int kPushButton = 103;
const int kCheckBox = 104;
const int kRadioButton = 105;

}  // namespace

uiSkinButton::uiSkinButton()
{
    m_styleName = L"button";
}

BOOL uiSkinButton::IsCursorInside() const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const RECT rect = GetWindowRect();
    return PtInRect(&rect, cursor);
}

void uiSkinButton::SetState(int requested)
{
    if (m_stateLock || !(requested & m_stateMask))
        return;
    int state = requested;
    if (m_stateMask == kCheckStateMask && m_checked) {
        if (state == UI_STATE_NORMAL)
            state = UI_STATE_CHECKED;
        else if (state == UI_STATE_OVER)
            state = UI_STATE_CHECKED_OVER;
        else if (state == UI_STATE_DOWN)
            state = UI_STATE_CHECKED_DOWN;
    }
    if (m_isDefault && state == UI_STATE_NORMAL)
        state = UI_STATE_DEFAULT;
    if (state == m_state)
        return;
    m_state = state;
    SetDirty(TRUE);
    Invalidate(nullptr, TRUE);
}

int uiSkinButton::SetChecked(int value)
{
    if (m_stateMask != kCheckStateMask || !IsWindowEnabled(m_hwnd))
        return 0;
    if (value == 1) {
        m_checked = 1;
        SetState(IsCursorInside() ? UI_STATE_CHECKED_OVER : UI_STATE_CHECKED);
    } else if (value == 0) {
        m_checked = 0;
        SetState(IsCursorInside() ? UI_STATE_OVER : UI_STATE_NORMAL);
    }
    return 0;
}

void uiSkinButton::SetStateLock(BOOL value)
{
    m_stateLock = value;
    if (!value)
        SetState(m_tracking ? UI_STATE_OVER : UI_STATE_NORMAL);
}

DWORD uiSkinButton::OwnTypeOf(HWND hwnd)
{
    const DWORD type = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    if (type != BS_OWNERDRAW)
        return type;
    const auto* skinned = dynamic_cast<const uiSkinButton*>(uiGetHandleMap()->Find(hwnd));
    return skinned && skinned->m_ownType >= 0 ? static_cast<DWORD>(skinned->m_ownType) : type;
}

void uiSkinButton::ReapplyStyle()
{
    // A button skinned again is owner-drawn already: its own type is the one the older skin replaced.
    m_ownType = static_cast<int>(OwnTypeOf(m_hwnd));
    TakeStyle();
    if (m_typeCode == kCheckBox || m_typeCode == kRadioButton)
        m_stateMask = kCheckStateMask;
    // Asked before the button joins the chain: the window's own check state.
    m_checked = static_cast<int>(SendMessageW(m_hwnd, BM_GETCHECK, 0, 0));
    SetChecked(m_checked);
    SetState(UI_STATE_NORMAL);
    if (!IsWindowEnabled(m_hwnd))
        m_state = m_state == UI_STATE_CHECKED || m_state == UI_STATE_CHECKED_OVER ? UI_STATE_CHECKED_DISABLED
                                                                                  : UI_STATE_DISABLED;
    // The whole type goes: radio and three-state types keep bits that would make another kind of button.
    uiModifyStyle(m_hwnd, BS_TYPEMASK, BS_OWNERDRAW, 0);
    ApplyStyle();
}

void uiSkinButton::TakeStyle()
{
    // Without a look for the default state a default button would paint nothing at rest.
    m_isDefault = m_ownType == BS_DEFPUSHBUTTON && m_style && m_style->displayList.HasDefaultStateItem();
    m_drawFocus = m_style && m_style->buttoninfo && m_style->buttoninfo->drawFocus;
}

void uiSkinButton::RebindStyle()
{
    uiSkinControl::RebindStyle();
    TakeStyle();
    // A button at rest changes between its normal and its default look with the style.
    if (m_state == UI_STATE_NORMAL || m_state == UI_STATE_DEFAULT)
        SetState(UI_STATE_NORMAL);
}

void uiSkinButton::ReleaseStyle()
{
    // The owner-drawn window kept no check of its own: without its type and check back it would draw
    // nothing, and a skin put on it later would find it unchecked.
    if (m_ownType >= 0 && GetHwnd()) {
        uiModifyStyle(m_hwnd, BS_TYPEMASK, static_cast<DWORD>(m_ownType), 0);
        if (m_stateMask == kCheckStateMask)
            DefaultProc(BM_SETCHECK, m_checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    m_ownType = -1;
    uiSkinControl::ReleaseStyle();
}

void uiSkinButton::OnAttached()
{
    SetEventEnabled(TRUE);
    uiSkinControl::OnAttached();
}

LRESULT uiSkinButton::OnReflectedMessage(UINT msg, WPARAM, uiReflectInfo* info)
{
    // The parent's own owner-draw code must never paint over the skin.
    if (msg != WM_DRAWITEM)
        return 0;
    info->handled = TRUE;
    return 1;
}

void uiSkinButton::AfterReBuildBkBitmap()
{
    if (!m_drawFocus || !m_background || GetFocus() != m_hwnd)
        return;
    RECT rect = GetWindowRect();
    uiRectToOrigin(m_hwnd, &rect);
    InflateRect(&rect, -2, -2);
    DrawFocusRect(GetBackgroundDC(), &rect);
}

void uiSkinButton::UncheckGroup()
{
    const HWND parent = GetParent(m_hwnd);
    if (!parent || !IsWindowEnabled(m_hwnd))
        return;
    // A walk that never comes back to this button (it is not part of its own group, being hidden)
    // ends where it started instead.
    const HWND first = GetNextDlgGroupItem(parent, m_hwnd, FALSE);
    for (HWND window = first; window && window != m_hwnd;) {
        auto* button = dynamic_cast<uiSkinButton*>(uiGetHandleMap()->Find(window));
        if (button && button->GetTypeCode() == kRadioButton && IsWindowEnabled(window))
            button->SetChecked(0);
        window = GetNextDlgGroupItem(parent, window, FALSE);
        if (window == first)
            break;
    }
}

void uiSkinButton::OnLButtonUp()
{
    if (m_pressed && (m_clickInside || IsCursorInside())) {
        if (m_typeCode == kCheckBox) {
            SetChecked(m_checked ? 0 : 1);
        } else if (m_typeCode == kRadioButton && !m_checked) {
            SetChecked(1);
            UncheckGroup();
        } else {
            SetState(UI_STATE_OVER);
        }
    }
    m_pressed = FALSE;
}

LRESULT uiSkinButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (OnEventMessage(msg, wParam, lParam))
        return 1;
    switch (msg) {
    case WM_SETFOCUS:
        if (m_drawFocus)
            RebuildBackground(TRUE);
        if (m_typeCode == kPushButton)
            Invalidate(nullptr, TRUE);
        break;
    case WM_KILLFOCUS:
        if (m_drawFocus)
            RebuildBackground(TRUE);
        Invalidate(nullptr, m_typeCode == kPushButton);
        break;
    case WM_ENABLE:
        if (wParam)
            SetState(UI_STATE_NORMAL);
        else
            SetState(m_state == UI_STATE_CHECKED || m_state == UI_STATE_CHECKED_OVER ? UI_STATE_CHECKED_DISABLED
                                                                                     : UI_STATE_DISABLED);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE: {
        LRESULT code = uiSkinControl::WindowProc(msg, wParam, lParam);
        if (m_typeCode == kRadioButton)
            code |= DLGC_RADIOBUTTON;
        const MSG* asked = reinterpret_cast<const MSG*>(lParam);
        if (m_typeCode == kPushButton && asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case BM_GETCHECK:
        return (m_typeCode == kCheckBox || m_typeCode == kRadioButton) && m_checked != 0;
    case BM_SETCHECK:
        SetChecked(static_cast<int>(wParam));
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            m_pressed = TRUE;
            SetState(UI_STATE_DOWN);
            break;
        }
        if (wParam != VK_RETURN)
            break;
        SendMessageW(GetParent(m_hwnd), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(m_hwnd) & 0xFFFF),
                     reinterpret_cast<LPARAM>(m_hwnd));
        return 1;
    case WM_KEYUP:
        // The window reports this release as a click wherever the cursor is: so must the check.
        if (wParam == VK_SPACE && m_pressed) {
            m_clickInside = TRUE;
            OnLButtonUp();
            m_clickInside = FALSE;
        }
        break;
    case BM_CLICK: {
        // The window clicks itself with a press and release at (0, 0), wherever the cursor is.
        m_clickInside = TRUE;
        const LRESULT result = uiSkinControl::WindowProc(msg, wParam, lParam);
        m_clickInside = FALSE;
        return result;
    }
    case WM_MOUSEMOVE:
        if (!m_tracking) {
            SetState(UI_STATE_OVER);
            if (uiApiLoader::_TrackMouseEvent) {
                TRACKMOUSEEVENT request = {sizeof(request), TME_LEAVE, m_hwnd, HOVER_DEFAULT};
                m_tracking = uiApiLoader::_TrackMouseEvent(&request);
            }
        }
        break;
    case WM_LBUTTONDOWN:
        m_pressed = TRUE;
        SetState(UI_STATE_DOWN);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp();
        if (!GetHwnd())
            return 1;
        break;
    case WM_MOUSELEAVE:
        m_tracking = FALSE;
        if (m_state != UI_STATE_DISABLED)
            SetState(UI_STATE_NORMAL);
        break;
    case UIM_REPAINT:
        Invalidate(nullptr, FALSE);
        UpdateWindow(m_hwnd);
        break;
    default:
        break;
    }
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}
