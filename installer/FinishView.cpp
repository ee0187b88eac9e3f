// The finish view.
#include "FinishView.h"

#include <shellapi.h>

#include "InstallReport.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "ServiceHosts.h"
#include "ViewHelpers.h"
#include "uiSkinEntry.h"

FinishView::FinishView(CWnd* parent) : CDialog(IDD, parent) {}

int FinishView::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (CDialog::OnCreate(createStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    const RECT none = {};
    if (m_mode == 2 || m_mode == 1)
        m_finish.Create(m_mode == 2 ? L"安装完成" : L"升级完成", style, none, this, kFinish);
    m_title.Create(g_displayName, style, none, this, kTitle);

    uiSkinWindow(m_hWnd, 'd', L"finishview.dialog", FALSE);
    uiSkinWindow(m_finish.GetSafeHwnd(), 'j', L"finishview.btn.over", FALSE);
    uiSkinWindow(m_title.m_hWnd, 'j', L"standard.title", FALSE);
    return 0;
}

void FinishView::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    MoveChild(m_finish, 185, 250, 194, 58);
    MoveChild(m_title, 15, 15, 300, 35);
}

BOOL FinishView::OnInitDialog()
{
    CDialog::OnInitDialog();
    MakeAppWindow(m_hWnd);
    PlaceOnWorkArea(m_hWnd, 549, 370);
    SetWindowText(L"Tavrin在线安装器");
    return TRUE;
}

BOOL FinishView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kFinish) {
        OnFinish();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void FinishView::OnFinish()
{
    const CString product = InstalledProductPath();
    ShellExecuteW(nullptr, L"open", kHomePage, nullptr, nullptr, SW_SHOW);
    ShellExecuteW(nullptr, L"open", product, nullptr, nullptr, SW_SHOW);
    SendInstallReport();
    OnOK();
}
