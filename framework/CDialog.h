// CDialog: a dialog from a template (a resource of the program, or a template in memory) run by
// its own modal loop. The object runs the dialog's messages from its creation on (OnCreate sees
// WM_CREATE); OnInitDialog may itself run further modal dialogs or end this one, in which case the
// dialog is never shown.
#pragma once

#include "CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog();

    // Uses a template in memory instead of a resource; the caller keeps it alive.
    BOOL InitModalIndirect(LPCDLGTEMPLATEW dialogTemplate, CWnd* parent = nullptr);

    // Runs the dialog; returns the value given to EndDialog, or -1 when it could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // IDOK and IDCANCEL go to OnOK and OnCancel.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    enum class ModalState { Idle, Running, Ended };

    LPCDLGTEMPLATEW FindTemplate() const;
    HWND ModalOwner() const;
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    UINT m_templateId = 0;
    LPCDLGTEMPLATEW m_indirectTemplate = nullptr;
    CWnd* m_parent = nullptr;
    ModalState m_state = ModalState::Idle;
    INT_PTR m_result = -1;
};
