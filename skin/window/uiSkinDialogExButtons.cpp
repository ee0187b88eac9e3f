// The extended dialog's caption buttons: real child buttons for minimise, maximise and close, placed
// and skinned from the style's sysmenu entries, and what their clicks do.
#include "uiSkinDialogEx.h"

#include "uiHandleMap.h"
#include "uiSkinButton.h"
#include "uiSkinEntry.h"
#include "uiStyle.h"
#include "uiStyleRecords.h"
#include "uiWindowHelpers.h"

namespace {

const wchar_t* const kButtonNames[uiSkinDialogEx::kButtonCount] = {L"minimise", L"maximise", L"close"};

HWND CreatePlainButton(HWND dialog, int id)
{
    HWND button = CreateWindowExW(0, L"button", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                                  dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (button)
        uiModifyStyle(button, WS_TABSTOP, 0, 0);
    return button;
}

}  // namespace

RECT uiSkinDialogEx::ResolveButtonRect(const RECT& source, int width, int height)
{
    RECT rect = source;
    if (rect.left < 0)
        rect.left += width;
    if (rect.right <= 0)
        rect.right += width;
    if (rect.top < 0)
        rect.top += height;
    if (rect.bottom < 0)
        rect.bottom += height;
    return rect;
}

const uiSysButton* uiSkinDialogEx::FindButtonSource(int index) const
{
    const uiSysMenuInfo* menu = m_style ? m_style->sysmenu.get() : nullptr;
    for (int i = 0; menu && i < menu->buttonCount && i < uiSysMenuInfo::MaxButtons; ++i) {
        if (menu->buttons[i].name.CompareNoCase(kButtonNames[index]) == 0)
            return &menu->buttons[i];
    }
    return nullptr;
}

void uiSkinDialogEx::FindButtonSources()
{
    for (int index = 0; index < kButtonCount; ++index) {
        const uiSysButton* source = FindButtonSource(index);
        m_buttonPresent[index] = source != nullptr;
        m_buttonSource[index] = source ? source->rect : RECT{};
        m_buttonRect[index] = RECT{};
    }
    ResolveButtonRects();
}

void uiSkinDialogEx::ResolveButtonRects()
{
    const RECT window = GetWindowRect();
    for (int index = 0; index < kButtonCount; ++index) {
        if (m_buttonPresent[index])
            m_buttonRect[index] = ResolveButtonRect(m_buttonSource[index], window.right - window.left,
                                                    window.bottom - window.top);
    }
}

void uiSkinDialogEx::CreateCaptionButton(int index, int id)
{
    HWND button = CreatePlainButton(m_hwnd, id);
    if (!button)
        return;
    m_buttons[index] = button;
    SkinCaptionButton(index);
    m_guards[index].Set(button);
}

void uiSkinDialogEx::SkinCaptionButton(int index)
{
    const HWND button = m_buttons[index];
    if (!button)
        return;
    const uiSysButton* source = FindButtonSource(index);
    if (!source || source->label.IsEmpty()) {
        // Without a look in the style the button is a plain one, whatever an earlier style gave it.
        if (auto* skin = dynamic_cast<uiSkinButton*>(uiGetHandleMap()->Find(button)))
            skin->Detach();
        return;
    }
    auto* skin = new uiSkinButton;
    if (!skin->SkinWindow(button, source->label, TRUE, FALSE) && !skin->IsAttached())
        delete skin;
}

void uiSkinDialogEx::DestroyCaptionButtons()
{
    for (int index = 0; index < kButtonCount; ++index) {
        m_guards[index].Remove();
        if (m_buttons[index] && IsWindow(m_buttons[index]))
            DestroyWindow(m_buttons[index]);
        m_buttons[index] = nullptr;
    }
}

void uiSkinDialogEx::LayoutCaptionButtons()
{
    ResolveButtonRects();
    for (int index = 0; index < kButtonCount; ++index) {
        if (!m_buttons[index])
            continue;
        uiMoveWindowToRect(m_buttons[index], m_buttonRect[index], FALSE);
        InvalidateRect(m_buttons[index], nullptr, TRUE);
    }
}

void uiSkinDialogEx::InvalidateCaptionButtons()
{
    if (!m_ownCaption)
        return;
    RECT area = {};
    for (int index = 0; index < kButtonCount; ++index) {
        if (m_buttonPresent[index])
            UnionRect(&area, &area, &m_buttonRect[index]);
    }
    Invalidate(&area, TRUE);
}

void uiSkinDialogEx::ShowMaximiseLook(BOOL maximiseLook)
{
    HWND button = m_buttons[kMaximise];
    if (!button)
        return;
    uiSetDisplayParams(button, 1, 3, maximiseLook, TRUE);
    uiSetDisplayParams(button, 4, 6, !maximiseLook, TRUE);
}

BOOL uiSkinDialogEx::OnCaptionButtonClick(WPARAM wParam, HWND button)
{
    if (HIWORD(wParam) != BN_CLICKED || !button)
        return FALSE;
    if (button == m_buttons[kMinimise])
        PostMessageW(m_hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (button == m_buttons[kMaximise])
        ShowCommand(0);
    else if (button == m_buttons[kClose])
        PostMessageW(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        return FALSE;
    return TRUE;
}
