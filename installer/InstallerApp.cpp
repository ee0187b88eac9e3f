// Start-up and shutdown of the installer.
#include "InstallerApp.h"

#include <commctrl.h>

#include "DownloadEngineUnpack.h"
#include "DownloaderHolder.h"
#include "BaseDownloader.h"
#include "FinishView.h"
#include "IKwStat.h"
#include "InstallController.h"
#include "InstallView.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "MainView.h"
#include "ProgressView.h"
#include "ServiceHosts.h"
#include "StartupMark.h"
#include "VersionResource.h"
#include "VersionService.h"
#include "uiSkinEntry.h"

namespace {

const wchar_t kInstanceName[] = L"TVNInstaller";
constexpr DWORD kWorkerWaitMs = 2000;

template <typename T>
void DeleteAndClear(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

}  // namespace

CString GetModuleFilePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

CString GetAppVersionText(const CString& filePath)
{
    const VersionResource resource(filePath);
    struct Translation {
        WORD language;
        WORD codePage;
    };
    UINT length = 0;
    const auto* translation = static_cast<const Translation*>(resource.Value(L"\\VarFileInfo\\Translation", length));
    if (!translation || length < sizeof(Translation))
        return CString();
    CString language, codePage;
    language.Format(L"000%x", translation->language);
    codePage.Format(L"000%x", translation->codePage);
    const CString query = L"\\StringFileInfo\\" + language.Right(4) + codePage.Right(4) + L"\\fileversion";
    const auto* text = static_cast<const wchar_t*>(resource.Value(query, length));
    if (!text)
        return CString();
    CString version(text, static_cast<int>(wcsnlen(text, length)));
    version.Replace(L',', L'.');
    version.Remove(L' ');
    return version;
}

bool CInstallerApp::PrepareInstance()
{
    g_commandLine = m_lpCmdLine ? m_lpCmdLine : L"";

    WNDCLASSW windowClass = {};
    GetClassInfoW(m_hInstance, L"#32770", &windowClass);
    windowClass.hInstance = m_hInstance;
    windowClass.lpszClassName = kInstanceName;
    RegisterClassW(&windowClass);

    m_mutex = CreateMutexW(nullptr, TRUE, kInstanceName);
    if (GetLastError() == ERROR_ALREADY_EXISTS && FindWindowW(kInstanceName, nullptr)) {
        CloseHandle(m_mutex);
        m_mutex = nullptr;
        return false;
    }

    g_installedVersion = GetFileVersionText(InstalledProductPath());
    SetServiceAddresses(GetModuleFolder());
    return true;
}

void CInstallerApp::StartStatistics()
{
    m_stat = CStatFactory::MakeKwStat();
    if (!m_stat || !m_stat->Init())
        return;
    StatConfig* config = m_stat->GetConfig();
    config->version = GetAppVersionText(GetModuleFilePath()).GetString();
    config->channel = L"official";
    config->key = L"3f8a2c71d6b94e05a7c18f2b6d3e9a40";
    config->appId = L"16";
    config->server = kStatisticsHost;
    m_stat->CollectAppLunchyInfo_Sync();
}

BOOL CInstallerApp::InitInstance()
{
    MarkStartup(L"startup:winmain");
    if (!PrepareInstance())
        return FALSE;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    MarkStartup(L"startup:prepare");
    uiLoadSkin(MAKEINTRESOURCEW(2029), L"SKINDB");
    MarkStartup(L"startup:skin");
    StartStatistics();
    MarkStartup(L"startup:statistics");
    m_workerAbandoned = !RunInstall();
    return FALSE;
}

bool CInstallerApp::RunInstall()
{
    g_mainView = new MainView();
    g_installView = new InstallView();
    g_finishView = new FinishView();
    g_progressView = new ProgressView();
    auto* holder = new DownloaderHolder();
    MarkStartup(L"startup:views");
    UnpackDownloadEngine();
    MarkStartup(L"startup:unpack");
    auto* controller = new InstallController(holder, g_mainView, g_installView, g_progressView, g_finishView);
    controller->statistics = m_stat;

    m_pMainWnd = g_mainView;
    g_mainView->DoModal();
    m_pMainWnd = nullptr;

    // A worker still hashing or running the setup keeps using the controller, the downloader and
    // the progress view: those are left to the end of the process rather than freed under it.
    if (!controller->StopWorker(kWorkerWaitMs))
        return false;
    delete controller;
    if (holder->downloader) {
        holder->downloader->StopAllTasks();
        DeleteAndClear(holder->downloader);
    }
    delete holder;
    DeleteAndClear(g_mainView);
    DeleteAndClear(g_installView);
    DeleteAndClear(g_finishView);
    DeleteAndClear(g_progressView);
    return true;
}

int CInstallerApp::ExitInstance()
{
    uiExitSkin();
    if (m_stat) {
        m_stat->CollectAppExitInfo_Sync();
        // The statistics object stays when an abandoned worker may still report through it.
        if (!m_workerAbandoned)
            CStatFactory::Clear(m_stat);
        m_stat = nullptr;
    }
    return CWinApp::ExitInstance();
}
