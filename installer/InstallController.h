// The install controller: links the four views to the download machinery, holds what the version
// service answered, and runs the worker that polls the download and hands each progress record to
// the progress view.
#pragma once

#include <windows.h>

#include <atomic>

#include "CString.h"
#include "DownloaderHolder.h"
#include "ViewInterfaces.h"

namespace ns_kw_stat {
class IKwStat;
}

class InstallController {
public:
    // Keeps the five pointers (not owned) and links each view back to this controller.
    InstallController(DownloaderHolder* holder, IMainView* mainView, IInstallView* installView,
                      IProgressView* progressView, IFinishView* finishView);
    // Stops the worker (see StopWorker).
    virtual ~InstallController();
    InstallController(const InstallController&) = delete;
    InstallController& operator=(const InstallController&) = delete;

    // Asks the version service and chooses the install mode (MODE). Returns 0 when a version to
    // install was received, 1 when the installed version is the newest, 2 when no answer came (an
    // answer whose setup file name is no plain file name counts as none).
    // With the command line "-client" it also hands the change log to the main view.
    int CheckVersion();

    // Asks the service again while no newest version is known; on "already newest" or no answer
    // shows the notice through the install view and returns false.
    bool EnsureNewestVersion();

    // Starts a download attempt of the setup package into the temporary folder under the current
    // task index, replacing an old file of that name. Always true.
    bool StartDownload(const CString& referrer, const CString& cookies);
    // A new attempt after a package failed its check: the next task index, a new download. The
    // running worker goes on polling the new task.
    void StartNextAttempt();

    // The worker polls the current task every 200 ms until its record reads "完成" and no new
    // attempt was started. StartWorker replaces a worker that already ended.
    void StartWorker();
    // Holds the worker before its next query (the cancel question) and lets it go on.
    void PauseWorker();
    void ResumeWorker();
    // Asks the worker to end and waits at most waitMs; true when no worker runs any more. A worker
    // still busy (hashing, running the setup) is left running.
    bool StopWorker(DWORD waitMs);
    // The worker's body.
    void PollProgress();

    // The package's MD5 compared with the expected one (case ignored), then the setup run hidden
    // with "/S /V=U /I=\"<install folder>\"" and the package deleted. False when the check failed
    // or the setup could not be started.
    bool VerifyAndRunSetup();
    // The setup's arguments for an install folder.
    static CString SetupArguments(const CString& installFolder);
    // A statistics custom event, sent synchronously when a statistics object is set.
    void SendStatEvent(const wchar_t* category, const wchar_t* detail);

    DownloaderHolder* holder;
    IMainView* mainView;
    IInstallView* installView;
    IProgressView* progressView;
    IFinishView* finishView;
    // 0 own HTTP downloader, 1 outside download engine; from the version answer.
    int engineKind = 0;
    CString setupFileName;
    CString downloadUrl;
    CString expectedMd5;
    // Temporary folder plus the setup file name; set by each download start.
    CString localSetupPath;
    CString installFolder;
    // The application's statistics object (not owned), null when there is none.
    ns_kw_stat::IKwStat* statistics = nullptr;

protected:
    // Runs the setup hidden and waits for it; true when it could be started.
    virtual bool RunSetup(const CString& path, const CString& arguments);

private:
    static unsigned __stdcall WorkerThreadProc(void* controller);
    // Waits up to waitMs unless the stop event comes first; false when asked to stop.
    bool WaitUnlessStopped(DWORD waitMs);

    HANDLE m_worker = nullptr;     // the worker thread, owned handle
    HANDLE m_stopEvent = nullptr;  // manual reset: set to end the worker
    HANDLE m_runEvent = nullptr;   // manual reset: cleared while the worker is held
};

// True for a name that can only name a file directly inside a folder: not empty, no path
// separator, drive, "..", wildcard or control character.
bool IsPlainFileName(const CString& name);

// The downloader for an engine kind: the outside engine loaded from enginePath for kind 1, the own
// downloader for every other kind and whenever the engine cannot be loaded.
BaseDownloader* MakeDownloader(int engineKind, const CString& enginePath);

// Creates the holder's downloader when it has none (once per process), then creates the task and
// starts it. Returns 1.
int CreateDownloadTask(DownloaderHolder* holder, int taskIndex, const CString& url, const CString& localPath,
                       const CString& referrer, const CString& cookies);
