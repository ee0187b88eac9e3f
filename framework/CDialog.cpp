// The modal dialog: creation through the dialog manager, the modal loop and its ending.
#include "CDialog.h"

#include "CWinApp.h"
#include "WindowCreationHook.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::CDialog() = default;

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW dialogTemplate, CWnd* parent)
{
    m_indirectTemplate = dialogTemplate;
    m_parent = parent;
    return dialogTemplate != nullptr;
}

LPCDLGTEMPLATEW CDialog::FindTemplate() const
{
    if (m_indirectTemplate)
        return m_indirectTemplate;
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(m_templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_parent ? m_parent->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* mainWnd = app ? app->m_pMainWnd : nullptr;
        if (mainWnd && mainWnd != this)
            owner = mainWnd->GetSafeHwnd();
    }
    return owner && ::IsWindow(owner) ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEW dialogTemplate = FindTemplate();
    if (!dialogTemplate || m_hWnd)
        return -1;
    HWND owner = ModalOwner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_state = ModalState::Running;
    m_result = -1;
    HWND dialog = nullptr;
    {
        WindowCreationHook hook(this);
        dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, owner, DialogProc, 0);
    }
    if (dialog && m_state == ModalState::Running) {
        ::ShowWindow(dialog, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // The owner comes back before this window goes, so that activation returns to it.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd && ::IsWindowVisible(owner))
        ::SetActiveWindow(owner);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_state = ModalState::Idle;
    return dialog ? m_result : -1;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_state == ModalState::Running) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (!got) {
            // The thread is quitting: end this dialog and leave the quit for the outer loops.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_result = IDCANCEL;
            break;
        }
        if (PreTranslateMessage(&msg) || ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_state = ModalState::Ended;
}

void CDialog::EndDialog(int result)
{
    // The first end wins: a late OK (say from a worker's command) cannot turn a cancel into OK.
    if (m_state != ModalState::Running)
        return;
    m_result = result;
    m_state = ModalState::Ended;
    // The loop may be waiting in GetMessage while a sent message ended it: wake it up.
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_WINDOWPOSCHANGING:
        // A dialog that ended while it was being created (EndDialog in OnInitDialog) stays hidden,
        // even when its template asks to be visible.
        if (m_state == ModalState::Ended)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_NCDESTROY:
        // Destroyed from elsewhere: the loop must not wait for a window that is gone.
        if (m_state == ModalState::Running)
            m_state = ModalState::Ended;
        return CWnd::WindowProc(message, wParam, lParam);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Every message is handled by the object's WindowProc in front of the dialog manager.
    return FALSE;
}
