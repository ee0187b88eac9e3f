// What the own downloader shares with its transfer threads: the progress, the pause, which task is
// the newest, the open WinInet roots and the newest task's part file, all under one lock.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "CString.h"
#include "YDownloader.h"

// The part file of the newest task, written straight to the system without a buffer of its own:
// a block is in the file when its write returns, and nothing of it can reach the file later.
class PartFile {
public:
    PartFile() = default;
    ~PartFile() { Close(); }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Opens the file (made when missing) to write from `from` on; what lies beyond is cut off.
    bool Open(const CString& path, long long from);
    bool Append(const void* data, DWORD size);
    void Close();

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

class YDownloader::TransferState {
public:
    struct Progress {
        long long total = 0;     // 0 while the size is unknown
        long long received = 0;
        int percent = 0;
        bool complete = false;   // the whole package has arrived

        // Until the package is complete the percent stays below 100.
        void Update(long long nowReceived, long long nowTotal);
        void Complete(long long length);
    };

    explicit TransferState(std::shared_ptr<RetryWait> wait) : m_wait(std::move(wait)) {}

    Progress Snapshot();

    // A new task: its progress starts from nothing, the replaced task's part file is closed under
    // its try, and older transfers stop trying again. Returns the task's generation.
    unsigned BeginTransfer();

    // Runs step(progress, part file) under the lock while `generation` is the newest task's. Every
    // change a try makes to the part file, the target or the progress goes through here, so that a
    // try of a task that a newer one replaced changes nothing. False when it was replaced or the
    // step failed.
    template <class Step>
    bool IfCurrent(unsigned generation, Step&& step) {
        std::lock_guard<std::mutex> lock(m_lock);
        return generation == m_generation && step(m_progress, m_part);
    }

    void SetPaused(bool paused);
    // Waits while the transfers are paused; false once they are cancelled.
    bool WaitUntilRunning();
    // Counts the pauses and starts, so that a transfer can tell whether one came since it asked.
    unsigned Touches();
    // The pause before a transfer of the given generation tries again. It ends early when the
    // tasks were paused or started since `touches`, then lasts while they are paused. False when
    // the transfer is to end instead: the downloader is ending or a newer task took its place.
    bool WaitBeforeRetry(unsigned generation, unsigned touches, unsigned milliseconds);

    bool Cancelled();
    // A transfer hands its root handle over so that a cancel can close it and so break off a
    // pending request or read. False when the transfers are already cancelled.
    bool AddTransfer(HINTERNET root);
    // Closes the root handle unless a cancel already did.
    void EndTransfer(HINTERNET root);
    // Ends every transfer: closes their roots and the part file.
    void Cancel();

    void ThreadStarted();
    void ThreadEnded();
    bool WaitForThreads(unsigned milliseconds);

private:
    const std::shared_ptr<RetryWait> m_wait;
    std::mutex m_lock;
    std::condition_variable m_changed;
    Progress m_progress;
    PartFile m_part;
    bool m_paused = false;
    bool m_cancelled = false;
    unsigned m_touches = 0;
    unsigned m_generation = 0;
    int m_threads = 0;
    std::vector<HINTERNET> m_roots;
};
