// The progress view and the completion sequence that the worker runs through it.
#include "ProgressView.h"

#include <commctrl.h>

#include "BaseDownloader.h"
#include "DownloadTaskInfo.h"
#include "InstallController.h"
#include "InstallerGlobals.h"
#include "ViewHelpers.h"
#include "uiSkinEntry.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
// The animation's phase runs 1, 2, 3, 4 and again, one step every 2000 ms.
int g_animationPhase = 1;

struct DisplayStep {
    int first, last;
    BOOL visible, redraw;
};

}  // namespace

ProgressView::ProgressView(CWnd* parent) : GuardedDialog(IDD, parent) {}

ProgressView::~ProgressView()
{
    if (GetSafeHwnd())
        KillTimer(kAnimationTimer);
}

int ProgressView::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (GuardedDialog::OnCreate(createStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    const RECT none = {};
    m_title.Create(g_displayName, style, none, this, kTitle);
    m_minimize.Create(L"最小化", style, none, this, kMinimize);
    m_bar.Create(style | PBS_SMOOTH, none, this, kBar);
    m_status.Create(L"正在下载Tavrin...", style, none, this, kStatus);
    m_sizes.Create(L"已下载：0 MB 共：0 MB", style, none, this, kSizes);
    m_cancelLink.Create(L"取消安装", style, none, this, kCancelLink);

    uiSkinWindow(m_hWnd, 'f', L"progress.dialog", TRUE);
    uiSkinWindow(m_bar.m_hWnd, 'w', L"progress.nor", FALSE);
    uiSkinWindow(m_minimize.m_hWnd, 'g', L"progress.btn.min", FALSE);
    uiSkinWindow(m_cancelLink.m_hWnd, 'x', L"progress.logining", FALSE);
    uiSkinWindow(m_status.m_hWnd, 'j', L"standard.static", FALSE);
    uiSkinWindow(m_sizes.m_hWnd, 'j', L"standard.static", FALSE);
    uiSkinWindow(m_cancelLink.m_hWnd, 'j', L"progress.static.cancel", FALSE);
    uiSkinWindow(m_title.m_hWnd, 'j', L"progress.title", FALSE);

    uiSetDisplayParams(m_hWnd, 2, 4, FALSE, TRUE);
    uiSetDisplayParams(m_hWnd, 1, 1, TRUE, FALSE);
    return 0;
}

void ProgressView::OnSize(UINT type, int cx, int cy)
{
    GuardedDialog::OnSize(type, cx, cy);
    const SIZE window = WindowSizeOf(m_hWnd);
    const int w = window.cx;
    const int h = window.cy;
    MoveChild(m_cancelLink, 20, h - 42, 60, 20);
    MoveChild(m_bar, 20, 301, w - 40, 16);
    MoveChild(m_minimize, w - 87, h - 42, 67, 27);
    MoveChild(m_status, 20, 278, 190, 18);
    MoveChild(m_sizes, 363, 278, 180, 18);
    // Wide enough for the display name with the "--正在安装" suffix.
    MoveChild(m_title, 20, 10, w - 40, 30);
}

BOOL ProgressView::OnInitDialog()
{
    GuardedDialog::OnInitDialog();
    MakeAppWindow(m_hWnd);
    m_cancelConfirmed = 0;
    m_window = m_hWnd;
    InitLayoutAndStartWorker();
    SetTimer(kAnimationTimer, 2000, nullptr);
    return TRUE;
}

void ProgressView::InitLayoutAndStartWorker()
{
    PlaceOnWorkArea(m_hWnd, 549, 370);
    m_bar.SetRange(0, 100);
    m_bar.SetPos(0);
    controller->StartWorker();
    const CString caption = g_displayName + (m_mode == 1 ? L"--正在升级" : L"--正在安装");
    SetWindowText(caption);
    m_title.SetWindowText(caption);
}

void ProgressView::OnLButtonDown(UINT flags, POINT point)
{
    SendMessage(WM_SYSCOMMAND, 0xF012, 0);
    GuardedDialog::OnLButtonDown(flags, point);
}

BOOL ProgressView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kMinimize:
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case kCancelLink:
        // A double click on the link also sends STN_DBLCLK; only the click asks.
        if (HIWORD(wParam) == STN_CLICKED)
            AskCancel();
        return TRUE;
    }
    return GuardedDialog::OnCommand(wParam, lParam);
}

void ProgressView::OnCancel()
{
    AskCancel();
}

void ProgressView::AskCancel()
{
    if (m_cancelConfirmed)
        return;
    BaseDownloader* downloader = controller->holder ? controller->holder->downloader : nullptr;
    const int taskIndex = g_taskIndex;
    controller->PauseWorker();
    if (downloader)
        downloader->PauseTask(taskIndex);
    const int answer = ::MessageBoxW(m_hWnd, L"Tavrin正在下载，\n现在退出会导致下载失败！", L"警告", MB_YESNO);
    if (answer == IDYES) {
        m_cancelConfirmed = 1;
        EndDialog(IDCANCEL);
    }
    controller->ResumeWorker();
    if (downloader)
        downloader->StartTask(taskIndex);
}

void ProgressView::OnTimer(UINT_PTR timerId)
{
    if (g_animationPhase > 4)
        g_animationPhase = 1;
    if (timerId == kAnimationTimer)
        AnimateStep();
    ++g_animationPhase;
    GuardedDialog::OnTimer(timerId);
}

void ProgressView::AnimateStep()
{
    static const DisplayStep kSteps[4][4] = {
        {{2, 4, FALSE, TRUE}, {1, 1, TRUE, TRUE}, {0, -1, FALSE, FALSE}, {0, -1, FALSE, FALSE}},
        {{1, 1, FALSE, FALSE}, {2, 2, TRUE, TRUE}, {3, 3, FALSE, FALSE}, {4, 4, FALSE, FALSE}},
        {{1, 1, FALSE, FALSE}, {2, 2, FALSE, FALSE}, {3, 3, TRUE, TRUE}, {4, 4, FALSE, FALSE}},
        {{1, 1, FALSE, FALSE}, {2, 2, FALSE, FALSE}, {3, 3, FALSE, FALSE}, {4, 4, TRUE, TRUE}},
    };
    if (g_animationPhase < 1 || g_animationPhase > 4)
        return;
    for (const DisplayStep& step : kSteps[g_animationPhase - 1]) {
        if (step.first <= step.last)
            uiSetDisplayParams(m_hWnd, step.first, step.last, step.visible, step.redraw);
    }
}

void ProgressView::Post(UINT message, WPARAM wParam)
{
    if (HWND window = m_window)
        ::PostMessageW(window, message, wParam, 0);
}

void ProgressView::OnProgress(const DownloadTaskInfo& info)
{
    if (m_cancelConfirmed)
        return;
    {
        std::lock_guard<std::mutex> lock(m_progressLock);
        m_sizeText = L"已下载：" + info.downloadedSize + L" 共：" + info.totalSize;
        m_percent = info.percent;
    }
    Post(kShowProgress);
    if (info.status != L"完成")
        return;

    controller->SendStatEvent(L"UPE_ONLINE_DOWN_OK", L"在线下载成功 ");
    Post(kShowInstalling);
    if (controller->VerifyAndRunSetup()) {
        controller->SendStatEvent(L"INSTALL_OK", L"安装成功");
        Post(WM_COMMAND, IDOK);
        return;
    }
    controller->SendStatEvent(L"UPE_ONLINE_DOWN_ERROR", L"在线下载失败");
    controller->SendStatEvent(L"INSTALL_ERROR", L"安装失败");
    Post(kShowRetry);
    controller->StartNextAttempt();
}

LRESULT ProgressView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kShowProgress: {
        std::lock_guard<std::mutex> lock(m_progressLock);
        m_sizes.SetWindowText(m_sizeText);
        m_bar.SetPos(m_percent);
        return 0;
    }
    case kShowInstalling:
        m_status.SetWindowText(L"正在安装Tavrin...");
        uiSkinWindow(m_bar.m_hWnd, 'x', L"progress_gif", FALSE);
        return 0;
    case kShowRetry:
        m_status.SetWindowText(L"文件有误，正在重新下载Tavrin...");
        m_bar.SetPos(0);
        return 0;
    case WM_DESTROY:
        m_window = nullptr;
        break;
    }
    return GuardedDialog::WindowProc(message, wParam, lParam);
}
