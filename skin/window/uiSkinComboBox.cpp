// The skinned combo box.
#include "uiSkinComboBox.h"

#include "uiSkinScrollWnd.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

namespace {

const int kComboBoxType = 110;

bool ReadInfo(HWND hwnd, COMBOBOXINFO* info)
{
    *info = {};
    info->cbSize = sizeof(*info);
    return GetComboBoxInfo(hwnd, info) != FALSE;
}

}  // namespace

uiSkinComboBox::uiSkinComboBox()
{
    m_styleName = L"combobox";
    m_typeCode = kComboBoxType;
}

RECT uiSkinComboBox::EditRect() const
{
    const RECT client = GetClientRect();
    return {client.left + m_editMargin.left, client.top + m_editMargin.top, client.right - m_editMargin.right,
            client.bottom - m_editMargin.bottom};
}

void uiSkinComboBox::OnAttached()
{
    uiSkinControl::OnAttached();
    switch (GetStyle() & 3) {
    case CBS_DROPDOWN:
        m_kind = DropDown;
        break;
    case CBS_SIMPLE:
        m_kind = Simple;
        break;
    default:
        m_kind = DropDownList;
        break;
    }
    TakeStyle();
    COMBOBOXINFO info;
    if (!ReadInfo(m_hwnd, &info))
        return;
    if (m_kind == Simple && info.hwndList) {
        const RECT window = GetWindowRect();
        const int width = window.right - window.left, height = window.bottom - window.top;
        const int top = info.rcItem.bottom + 1;
        ::MoveWindow(info.hwndList, 2, top, width - 4, height - info.rcItem.bottom - 1, FALSE);
        uiModifyStyle(info.hwndList, WS_BORDER, 0, 0);
        uiModifyStyleEx(info.hwndList, WS_EX_CLIENTEDGE, 0, 0);
        SkinList();
    }
    if (m_kind != Simple)
        SetTimer(kListTimer, 10);
}

void uiSkinComboBox::RebindStyle()
{
    uiSkinControl::RebindStyle();
    const CString listStyleBefore = m_listStyle;
    TakeStyle();
    // A list skinned from the old style's name takes the new one's.
    if (m_listGuard.GetHwnd() && m_listStyle != listStyleBefore) {
        m_listGuard.Remove();
        SkinList();
    }
}

void uiSkinComboBox::TakeStyle()
{
    // Nothing of an earlier style may stay: without a combo-box record the combo has its defaults.
    const uiComboBoxInfo* info = m_style ? m_style->comboboxinfo.get() : nullptr;
    m_editMargin = info ? info->editMargin : kDefaultEditMargin;
    m_listStyle = info ? info->downListStyle : CString();
    COMBOBOXINFO parts;
    if (m_kind == DropDown && ReadInfo(m_hwnd, &parts) && parts.hwndItem) {
        const RECT edit = EditRect();
        ::MoveWindow(parts.hwndItem, edit.left, edit.top, edit.right - edit.left, edit.bottom - edit.top, FALSE);
    }
}

void uiSkinComboBox::ReleaseStyle()
{
    // The list's retry must not outlive the object that answers it.
    KillTimer(kListTimer);
    uiSkinControl::ReleaseStyle();
}

BOOL uiSkinComboBox::SkinList()
{
    COMBOBOXINFO info;
    if (!ReadInfo(m_hwnd, &info) || !IsWindow(info.hwndList) || uiNoSkinGuard::IsGuarded(info.hwndList))
        return FALSE;
    auto* skin = new uiSkinScrollWnd;
    const wchar_t* style = m_listStyle.IsEmpty() ? nullptr : m_listStyle.GetString();
    if (!skin->SkinWindow(info.hwndList, style, TRUE, FALSE)) {
        if (!skin->IsAttached())
            delete skin;
        return FALSE;
    }
    if (m_kind != Simple) {
        skin->SetTrackCapture(FALSE);
        skin->SetVerticalHitOnly(TRUE);
    }
    m_listGuard.Set(info.hwndList);
    return TRUE;
}

void uiSkinComboBox::PaintBackground(HDC hdc)
{
    COMBOBOXINFO info;
    if (m_kind == DropDown) {
        const RECT edit = EditRect();
        ExcludeClipRect(hdc, edit.left, edit.top, edit.right, edit.bottom);
        return;
    }
    if (!ReadInfo(m_hwnd, &info))
        return;
    if (m_kind == Simple) {
        ExcludeClipRect(hdc, info.rcItem.left, info.rcItem.top, info.rcItem.right, info.rcItem.bottom);
        if (info.hwndList) {
            RECT list = {};
            ::GetWindowRect(info.hwndList, &list);
            MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&list), 2);
            ExcludeClipRect(hdc, list.left, list.top, list.right, list.bottom);
        }
        return;
    }
    ExcludeClipRect(hdc, info.rcItem.left, info.rcItem.top, info.rcItem.right - 2, info.rcItem.bottom);
}

LRESULT uiSkinComboBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        // The combo paints its own parts first; the skin's frame goes over them.
        DefaultProc(msg, wParam, lParam);
        break;
    case WM_TIMER: {
        if (wParam != kListTimer)
            break;
        // Retried only while the list window is missing: a list that is there and cannot be
        // skinned (guarded, or its style is not in the skin) stays as it is, instead of failing
        // and reporting the failure again every 10 ms.
        COMBOBOXINFO info;
        if (SkinList() || (ReadInfo(m_hwnd, &info) && IsWindow(info.hwndList)))
            KillTimer(kListTimer);
        return 1;
    }
    default:
        break;
    }
    return uiSkinControl::WindowProc(msg, wParam, lParam);
}
