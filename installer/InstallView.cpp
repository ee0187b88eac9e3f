// The install view: agreement, options, folder choice and the install button.
#include "InstallView.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "InstallController.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "MainView.h"
#include "ViewHelpers.h"
#include "uiSkinEntry.h"

namespace {

constexpr int kWidth = 549;
constexpr int kClosedHeight = 370;
constexpr int kOpenHeight = 415;

}  // namespace

InstallView::InstallView(CWnd* parent) : GuardedDialog(IDD, parent) {}

int InstallView::ShowMessage(const CString& text, const CString& caption, UINT type)
{
    // On the upgrade road this view never opens: the box then belongs to the upgrade window, which it
    // keeps disabled (and its button from being pressed again) while it is up.
    HWND owner = GetSafeHwnd();
    if (!owner && g_mainView)
        owner = g_mainView->GetSafeHwnd();
    return ::MessageBoxW(owner, text, caption, type);
}

int InstallView::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (GuardedDialog::OnCreate(createStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    const RECT none = {};
    if (m_mode == 2 || m_mode == 1)
        m_install.Create(m_mode == 2 ? L"立即安装" : L"立即升级", style, none, this, kInstall);
    m_title.Create(g_displayName, style, none, this, kTitle);
    m_agreement.Create(L"同意Tavrin的", style | BS_AUTOCHECKBOX, none, this, kAgreement);
    m_options.Create(L"安装选项", style | BS_AUTOCHECKBOX, none, this, kOptions);
    m_browse.Create(L"浏览...", style, none, this, kBrowse);
    m_agreementLink.Create(L"用户许可协议", style, none, this, kAgreementLink);
    m_folderLabel.Create(L"安装目录：", style, none, this, kFolderLabel);
    m_folder.Create(style | ES_READONLY, none, this, kFolder);

    uiSkinWindow(m_hWnd, 'd', L"installview.dialog", FALSE);
    uiSkinWindow(m_install.GetSafeHwnd(), 'g', L"installview.btn.install", FALSE);
    uiSkinWindow(m_agreement.m_hWnd, 'h', L"installview.checkbutton", FALSE);
    uiSkinWindow(m_options.m_hWnd, 'h', L"installview.btn.option", FALSE);
    uiSkinWindow(m_agreementLink.m_hWnd, 'j', L"progress.static.cancel", FALSE);
    uiSkinWindow(m_folderLabel.m_hWnd, 'j', L"mainview.static.now", FALSE);
    uiSkinWindow(m_browse.m_hWnd, 'g', L"installview.btn.brower", FALSE);
    uiSkinWindow(m_title.m_hWnd, 'j', L"standard.title", FALSE);

    m_agreement.SetCheck(BST_CHECKED);
    return 0;
}

void InstallView::OnSize(UINT type, int cx, int cy)
{
    GuardedDialog::OnSize(type, cx, cy);
    MoveChild(m_install, 185, 275, 190, 63);
    MoveChild(m_agreement, 10, 345, 84, 20);
    MoveChild(m_options, cx - 80, 345, 75, 20);
    MoveChild(m_browse, cx - 70, 378, 53, 26);
    MoveChild(m_agreementLink, 94, 348, 80, 20);
    MoveChild(m_folderLabel, 10, 382, 70, 20);
    MoveChild(m_folder, 80, 383, 380, 23);
    MoveChild(m_title, 15, 15, 300, 35);
}

BOOL InstallView::OnInitDialog()
{
    GuardedDialog::OnInitDialog();
    MakeAppWindow(m_hWnd);
    InitLayout();
    return TRUE;
}

void InstallView::InitLayout()
{
    PlaceOnWorkArea(m_hWnd, kWidth, kClosedHeight);
    SetWindowText(L"Tavrin在线安装器");
    m_browse.SetFont(GetFont(), TRUE);
    m_folder.SetFont(GetFont(), TRUE);

    CString folder;
    if (m_mode == 1) {
        const CString installed = InstalledProductFolder();
        folder = installed.Left(installed.GetLength() - 1);
        m_options.ShowWindow(SW_HIDE);
    } else if (m_mode == 2) {
        folder = GetProgramFilesFolder() + L"\\Tavrin";
    }
    m_folder.SetWindowText(folder);
}

BOOL InstallView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kInstall:
        OnInstall();
        break;
    case kAgreement:
        m_install.EnableWindow(m_agreement.GetCheck() == BST_CHECKED);
        break;
    case kOptions:
        m_optionsOpen = !m_optionsOpen;
        SetWindowPos(nullptr, 0, 0, kWidth, m_optionsOpen ? kOpenHeight : kClosedHeight,
                     SWP_NOMOVE | SWP_NOZORDER);
        break;
    case kBrowse:
        OnBrowse();
        break;
    case kAgreementLink:
        // A double click on the link also sends STN_DBLCLK; only the click opens the page.
        if (HIWORD(wParam) == STN_CLICKED)
            ShellExecuteW(nullptr, L"open", g_agreementUrl, nullptr, nullptr, SW_SHOW);
        break;
    }
    return GuardedDialog::OnCommand(wParam, lParam);
}

void InstallView::OnInstall()
{
    if (!controller->EnsureNewestVersion())
        return;
    StopRunningProduct();
    g_installFolder = m_folder.GetWindowText();
    controller->StartDownload(CString(), CString());
    OnOK();
}

int CALLBACK BrowseFolderCallback(HWND window, UINT message, LPARAM parameter, LPARAM data)
{
    (void)parameter;
    if (message == BFFM_INITIALIZED)
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

CString InstallFolderBelow(const CString& chosenPath)
{
    return chosenPath + (PathIsRootW(chosenPath) ? L"Tavrin" : L"\\Tavrin");
}

void InstallView::OnBrowse()
{
    const CString initialPath = GetProgramFilesFolder();
    BROWSEINFOW browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = L"请选择目录";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = BrowseFolderCallback;
    browse.lParam = reinterpret_cast<LPARAM>(initialPath.GetString());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return;
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(chosen, path))
        m_folder.SetWindowText(InstallFolderBelow(path));
    CoTaskMemFree(chosen);
}
