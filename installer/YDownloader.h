// The installer's own HTTP downloader: one WinInet transfer thread per task, resuming from a part
// file beside the target and moving it to the target's name once the whole package has arrived.
// All tasks share one progress state and one pause flag; stopping a task pauses it. A transfer that
// breaks off on the network tries again from its part file after a growing pause, until it is
// superseded by a newer task or the downloader ends.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "BaseDownloader.h"

class YDownloader : public BaseDownloader {
public:
    // The pauses before a transfer that broke off on the network tries again: the first one,
    // doubling up to the longest, and the first again once data arrived. A pause or a start of the
    // tasks cuts a pause short.
    static constexpr unsigned kFirstRetryPauseMs = 2000;
    static constexpr unsigned kLongestRetryPauseMs = 60000;

    // How a transfer waits before it tries again: on `changed`, with `lock` held, until `over()`
    // holds or `ms` have passed; kWhilePaused waits for `over()` alone (the tasks are paused). The
    // downloader's own wait is the clock's; a test puts in one that it ends itself.
    class RetryWait {
    public:
        static constexpr unsigned kWhilePaused = 0xFFFFFFFF;
        virtual ~RetryWait() = default;
        virtual void Wait(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, unsigned ms,
                          const std::function<bool()>& over) = 0;
    };

    // Without a wait of its own the downloader waits by the clock.
    explicit YDownloader(std::shared_ptr<RetryWait> wait = nullptr);
    // Cancels the running and paused transfers and waits a bounded time for their threads.
    ~YDownloader() override;
    YDownloader(const YDownloader&) = delete;
    YDownloader& operator=(const YDownloader&) = delete;

    int CreateTask(const CString& url, const CString& localPath, const CString& referrer,
                   const CString& cookies, int taskIndex) override;
    int StartAllTasks() override;
    int StartTask(int taskIndex) override;
    int PauseTask(int taskIndex) override;
    int StopAllTasks() override;
    int DeleteTask(int taskIndex) override;
    int DeleteAllTasks() override;
    int QueryTaskInfo(int taskIndex, DownloadTaskInfo& info) override;
    int SetSpeedLimit(int limit) override;
    int SetUploadSpeedLimit(int first, int second) override;

    // The part file of a target: its last three characters replaced by "temp".
    static CString PartFileName(const CString& target);

    // How long the destructor waits for its transfer threads.
    static const unsigned kShutdownWaitMs = 5000;

    class TransferState;

private:
    struct YDownloadArgs {
        CString url;
        CString localPath;
        CString referrer;  // carried, not used by the transfer
        CString cookies;   // carried, not used by the transfer
        int taskIndex = 0;
        // Which task of the downloader this is: once a newer task began, a try of this one writes
        // nothing more and does not try again.
        unsigned generation = 0;
        // The transfer keeps the shared state alive rather than the downloader, so that a
        // downloader deleted at shutdown is never read by a late thread.
        std::shared_ptr<TransferState> state;
    };

    static void DownloadThreadProc(std::unique_ptr<YDownloadArgs> args);
    enum class Attempt { kEnded, kBrokenOff };
    static void DownloadFile(YDownloadArgs args);
    static Attempt TransferOnce(const YDownloadArgs& args, const CString& partFile, bool& dataArrived);
    static Attempt Receive(const YDownloadArgs& args, const CString& partFile, void* request, long long resumeAt,
                           bool& dataArrived);
    void SetPaused(bool paused);

    std::shared_ptr<TransferState> m_state;
    std::mutex m_threadsLock;
    std::vector<std::thread> m_threads;
};
