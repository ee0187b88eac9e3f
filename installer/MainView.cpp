// The main view: mode choice, the install road of modes 1 and 2, and the upgrade window of mode 0.
#include "MainView.h"

#include "CPaintDC.h"
#include "FinishView.h"
#include "InstallController.h"
#include "InstallView.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "ProgressView.h"
#include "StartupMark.h"
#include "ViewHelpers.h"
#include "uiSkinEntry.h"

MainView::MainView(CWnd* parent)
    : GuardedDialog(IDD, parent), m_icon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)))
{
}

void MainView::SetNotes(const CString& notes)
{
    m_notes.SetWindowText(notes);
}

int MainView::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (GuardedDialog::OnCreate(createStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    const RECT none = {};
    m_installedVersion.Create(L"", style, none, this, kInstalledVersion);
    m_newestVersion.Create(L"", style, none, this, kNewestVersion);
    m_upgrade.Create(L"立即升级", style, none, this, kUpgrade);
    m_cancel.Create(L"取消", style, none, this, kCancel);
    m_notes.Create(style | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, none, this, kNotes);

    uiSkinWindow(m_hWnd, 'd', L"mainview.dialog", FALSE);
    uiSkinWindow(m_installedVersion.m_hWnd, 'j', L"mainview.static.now", FALSE);
    uiSkinWindow(m_newestVersion.m_hWnd, 'j', L"mainview.static.new", FALSE);
    uiSkinWindow(m_upgrade.m_hWnd, 'g', L"mainview.button", FALSE);
    uiSkinWindow(m_cancel.m_hWnd, 'g', L"mainview.button", FALSE);
    uiSkinWindow(m_notes.m_hWnd, '|', L"mainview.edit", FALSE);
    SetupNotesBox();
    return 0;
}

void MainView::SetupNotesBox()
{
    HFONT font = CreateFontW(12, 0, 0, 0, 100, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"宋体");
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    m_notes.GetDefaultCharFormat(format);
    format.dwEffects &= ~CFE_AUTOCOLOR;
    format.dwMask = CFM_COLOR;
    format.crTextColor = RGB(128, 128, 128);
    m_notes.SetFont(font, TRUE);
    m_notes.SetDefaultCharFormat(format);
    PARAFORMAT2 paragraph = {};
    paragraph.cbSize = sizeof(paragraph);
    paragraph.dwMask = PFM_SPACEAFTER | PFM_LINESPACING;
    paragraph.dyLineSpacing = 800;
    paragraph.bLineSpacingRule = 1;
    m_notes.SetParaFormat(paragraph);
    m_notes.SetBackgroundColor(FALSE, RGB(246, 246, 246));
    if (font)
        DeleteObject(font);
}

void MainView::OnSize(UINT type, int cx, int cy)
{
    GuardedDialog::OnSize(type, cx, cy);
    const SIZE window = WindowSizeOf(m_hWnd);
    const int w = window.cx;
    const int h = window.cy;
    MoveChild(m_installedVersion, 20, 100, 150, 20);
    MoveChild(m_newestVersion, w - 170, 100, 150, 20);
    MoveChild(m_upgrade, w - 214, h - 40, 87, 30);
    MoveChild(m_cancel, w - 107, h - 40, 87, 30);
    MoveChild(m_notes, 31, 150, w - 52, h - 201);
}

BOOL MainView::OnInitDialog()
{
    GuardedDialog::OnInitDialog();
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    SetWindowText(L"Tavrin在线安装器");
    MakeAppWindow(m_hWnd);

    m_mode = CenterAndCheckVersion();
    if (m_mode == 1 || m_mode == 2)
        RunInstallRoad();

    m_installedVersion.SetWindowText(L"当前版本：" + g_installedVersion);
    m_newestVersion.SetWindowText(L"最新版本：" + g_newestVersion);
    return TRUE;
}

int MainView::CenterAndCheckVersion()
{
    PlaceOnWorkArea(m_hWnd, 430, 318);
    MarkStartup(L"startup:main view");
    controller->CheckVersion();
    MarkStartup(L"startup:version");
    return MODE;
}

void MainView::RunInstallRoad()
{
    g_installView->SetMode(m_mode);
    if (g_installView->DoModal() == IDOK) {
        g_progressView->SetMode(m_mode);
        if (g_progressView->DoModal() == IDOK) {
            g_finishView->SetMode(m_mode);
            g_finishView->DoModal();
        }
    }
    EndDialog(0);
}

BOOL MainView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kUpgrade:
        OnUpgrade();
        break;
    case kCancel:
        SendMessage(WM_CLOSE);
        break;
    }
    return GuardedDialog::OnCommand(wParam, lParam);
}

void MainView::OnUpgrade()
{
    // Without a known newest version there is nothing to download: ask again first.
    if (!controller->EnsureNewestVersion())
        return;
    StopRunningProduct();
    ShowWindow(SW_HIDE);
    g_installFolder = GetModuleFolder() + L"\\";
    controller->StartDownload(CString(), CString());
    if (g_progressView->DoModal() == IDOK)
        g_finishView->DoModal();
    EndDialog(0);
}

void MainView::OnPaint()
{
    if (!IsIconic()) {
        GuardedDialog::OnPaint();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client = {};
    GetClientRect(&client);
    dc.DrawIcon((client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, m_icon);
}

HCURSOR MainView::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_icon);
}
