// Thin wrappers of the standard controls that the views create as children of their dialogs.
// Each Create makes the control with the given style (WS_CHILD is always added) and runs its
// messages through the object.
#pragma once

#include "CWnd.h"

#include <commctrl.h>
#include <richedit.h>

class CStatic : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};

class CButton : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }
};

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    // Returns the previous position.
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, position)); }
    int GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0)); }
};

class CRichEditCtrl : public CWnd {
public:
    // Loads the rich-edit library on first use; it stays loaded for the process's life.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    DWORD GetDefaultCharFormat(CHARFORMATW& format) const;
    BOOL SetDefaultCharFormat(CHARFORMATW& format);
    BOOL SetParaFormat(PARAFORMAT2& format);
    // Returns the previous background colour.
    COLORREF SetBackgroundColor(BOOL useSystemColor, COLORREF color);
};
