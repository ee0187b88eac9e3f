// The standard controls' creation and messages.
#include "Controls.h"

namespace {

BOOL CreateChild(CWnd& control, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return control.CreateEx(0, className, text, style | WS_CHILD, rect, parent ? parent->GetSafeHwnd() : nullptr, id);
}

}  // namespace

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateChild(*this, WC_STATICW, text, style, rect, parent, id);
}

BOOL CButton::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateChild(*this, WC_BUTTONW, text, style, rect, parent, id);
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateChild(*this, PROGRESS_CLASSW, L"", style, rect, parent, id);
}

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    static const HMODULE library = ::LoadLibraryW(L"riched20.dll");
    if (!library)
        return FALSE;
    return CreateChild(*this, RICHEDIT_CLASSW, L"", style, rect, parent, id);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMATW& format) const
{
    format.cbSize = sizeof(format);
    return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMATW& format)
{
    format.cbSize = sizeof(format);
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& format)
{
    format.cbSize = sizeof(format);
    return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format)));
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL useSystemColor, COLORREF color)
{
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, useSystemColor, color));
}
