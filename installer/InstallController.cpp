// The install controller: version query and mode choice, download attempts, the polling worker and
// the package check with the silent setup run.
#include "InstallController.h"

#include <process.h>

#include "BaseDownloader.h"
#include "DownloadTaskInfo.h"
#include "IKwStat.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "VersionService.h"
#include "XDownloader.h"
#include "YDownloader.h"

namespace {

const wchar_t kCompleted[] = L"完成";
constexpr DWORD kPollIntervalMs = 200;

}  // namespace

InstallController::InstallController(DownloaderHolder* holder, IMainView* mainView, IInstallView* installView,
                                     IProgressView* progressView, IFinishView* finishView)
    : holder(holder), mainView(mainView), installView(installView), progressView(progressView),
      finishView(finishView),
      m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_runEvent(CreateEventW(nullptr, TRUE, TRUE, nullptr))
{
    if (mainView)
        mainView->controller = this;
    if (installView)
        installView->controller = this;
    if (progressView)
        progressView->controller = this;
    if (finishView)
        finishView->controller = this;
}

InstallController::~InstallController()
{
    StopWorker(2000);
    if (m_worker)
        CloseHandle(m_worker);
    CloseHandle(m_stopEvent);
    CloseHandle(m_runEvent);
}

int InstallController::CheckVersion()
{
    if (g_commandLine == L"-client") {
        CString notes = ChangeLogNotes(DecodeUtf8Text(HttpGetText(g_changeLogUrl)));
        if (mainView)
            mainView->SetNotes(notes);
        MODE = 0;
    } else if (IsProductRegistered() == 1) {
        MODE = 1;
    }

    const CString answer = DecodeUtf8Text(HttpGetText(g_versionInfoUrl));
    if (answer.IsEmpty())
        return 2;
    if (answer == L"0")
        return 1;

    const VersionAnswer parsed = ParseVersionAnswer(answer);
    // The name is joined to the temporary folder, deleted and run: anything but a plain file name
    // could reach outside that folder.
    if (!IsPlainFileName(parsed.setupFileName))
        return 2;
    engineKind = parsed.engineKind;
    g_newestVersion = parsed.newestVersion;
    setupFileName = parsed.setupFileName;
    downloadUrl = parsed.downloadUrl;
    expectedMd5 = parsed.expectedMd5;
    if (holder)
        holder->engineKind = engineKind;
    g_displayName += MajorMinorOf(g_newestVersion);
    return 0;
}

bool InstallController::EnsureNewestVersion()
{
    if (!g_newestVersion.IsEmpty())
        return true;
    const int result = CheckVersion();
    if (result == 0)
        return true;
    const wchar_t* notice = result == 1 ? L"您当前版本已经是最新版" : L"网络存在异常，请检查您的网络是否畅通。";
    if (installView)
        installView->ShowMessage(notice, L"温馨提示", MB_OK);
    return false;
}

bool InstallController::StartDownload(const CString& referrer, const CString& cookies)
{
    const int taskIndex = g_taskIndex;
    installFolder = g_installFolder;
    localSetupPath = GetTempFolder() + setupFileName;
    if (GetFileAttributesW(localSetupPath) != INVALID_FILE_ATTRIBUTES)
        DeleteFileW(localSetupPath);
    CreateDownloadTask(holder, taskIndex, downloadUrl, localSetupPath, referrer, cookies);
    return true;
}

void InstallController::StartNextAttempt()
{
    ++g_taskIndex;
    StartDownload(CString(), CString());
}

void InstallController::StartWorker()
{
    if (m_worker) {
        if (WaitForSingleObject(m_worker, 0) != WAIT_OBJECT_0)
            return;
        CloseHandle(m_worker);
        m_worker = nullptr;
    }
    ResetEvent(m_stopEvent);
    SetEvent(m_runEvent);
    m_worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &WorkerThreadProc, this, 0, nullptr));
}

void InstallController::PauseWorker()
{
    ResetEvent(m_runEvent);
}

void InstallController::ResumeWorker()
{
    SetEvent(m_runEvent);
}

bool InstallController::StopWorker(DWORD waitMs)
{
    if (!m_worker)
        return true;
    SetEvent(m_stopEvent);
    if (WaitForSingleObject(m_worker, waitMs) != WAIT_OBJECT_0)
        return false;
    CloseHandle(m_worker);
    m_worker = nullptr;
    return true;
}

unsigned __stdcall InstallController::WorkerThreadProc(void* controller)
{
    static_cast<InstallController*>(controller)->PollProgress();
    return 0;
}

bool InstallController::WaitUnlessStopped(DWORD waitMs)
{
    return WaitForSingleObject(m_stopEvent, waitMs) != WAIT_OBJECT_0;
}

void InstallController::PollProgress()
{
    DownloadTaskInfo info;
    int taskIndex = g_taskIndex;
    const HANDLE stopOrRun[2] = {m_stopEvent, m_runEvent};
    for (;;) {
        // Held by the cancel question until it is answered; a stop ends the wait too.
        if (WaitForMultipleObjects(2, stopOrRun, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return;
        if (holder && holder->downloader)
            holder->downloader->QueryTaskInfo(taskIndex, info);
        if (progressView)
            progressView->OnProgress(info);
        if (info.status == kCompleted) {
            if (g_taskIndex == taskIndex)
                return;
            // A new attempt began inside the handler: poll its task with a fresh record.
            taskIndex = g_taskIndex;
            info = DownloadTaskInfo();
        }
        if (!WaitUnlessStopped(kPollIntervalMs))
            return;
    }
}

bool InstallController::VerifyAndRunSetup()
{
    // An empty digest on either side (an answer without one, a package that cannot be read) proves
    // nothing: only two equal digests let the package run.
    const CString actualMd5 = GetFileMd5Text(localSetupPath);
    if (actualMd5.IsEmpty() || expectedMd5.IsEmpty() || actualMd5.CompareNoCase(expectedMd5) != 0)
        return false;
    if (!RunSetup(localSetupPath, SetupArguments(installFolder)))
        return false;
    DeleteFileW(localSetupPath);
    return true;
}

CString InstallController::SetupArguments(const CString& folder)
{
    return L"/S /V=U /I=\"" + folder + L"\"";
}

bool InstallController::RunSetup(const CString& path, const CString& arguments)
{
    return RunProgramAndWait(path, arguments);
}

void InstallController::SendStatEvent(const wchar_t* category, const wchar_t* detail)
{
    if (!statistics)
        return;
    ns_kw_stat::tagSTAT_CUSTOM_EVENT event;
    event.category = category;
    event.detail = detail;
    statistics->SendEvent_Sync(event);
}

bool IsPlainFileName(const CString& name)
{
    if (name.IsEmpty() || name.Find(L"..") >= 0)
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const wchar_t ch = name[i];
        if (ch < 0x20 || wcschr(L"\\/:*?\"<>|", ch))
            return false;
    }
    return true;
}

BaseDownloader* MakeDownloader(int engineKind, const CString& enginePath)
{
    // An engine that cannot be loaded leaves the own downloader to serve.
    if (engineKind == 1) {
        if (XDownloader* engine = XDownloader::TryCreate(enginePath))
            return engine;
    }
    return new YDownloader();
}

int CreateDownloadTask(DownloaderHolder* holder, int taskIndex, const CString& url, const CString& localPath,
                       const CString& referrer, const CString& cookies)
{
    if (!holder->downloader)
        holder->downloader = MakeDownloader(holder->engineKind, GetTempFolder() + L"xldl.dll");
    holder->downloader->CreateTask(url, localPath, referrer, cookies, taskIndex);
    holder->downloader->StartTask(taskIndex);
    return 1;
}
