// The own HTTP downloader's operations and its transfer.
#include "YDownloader.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cwchar>

#include "InstallerUtils.h"
#include "WinInetRequest.h"

// State shared by the downloader and its transfer threads. Every field is read and written under
// the one lock, so a reader always sees the sizes and the percent of one update.
class YDownloader::TransferState {
public:
    struct Progress {
        long long total = 0;     // 0 while the size is unknown
        long long received = 0;
        int percent = 0;
        bool complete = false;   // the package lies at its final name

        // Until the package is in place the percent stays below 100.
        void Update(long long nowReceived, long long nowTotal) {
            if (nowTotal <= 0)
                return;
            received = nowReceived;
            total = nowTotal;
            const long long share = received * 100 / total;
            percent = static_cast<int>(share > 99 ? 99 : share);
        }

        void Complete(long long length) {
            received = total = length;
            percent = 100;
            complete = true;
        }
    };

    explicit TransferState(std::shared_ptr<RetryWait> wait) : m_wait(std::move(wait)) {}

    Progress Snapshot() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_progress;
    }

    // A new task: its progress starts from nothing and older transfers stop trying again.
    // Returns the task's generation.
    unsigned BeginTransfer() {
        unsigned generation;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_progress = Progress();
            generation = ++m_generation;
        }
        m_changed.notify_all();
        return generation;
    }

    // Runs step(progress) under the lock while `generation` is the newest task's. Every change a
    // try makes to the part file, the target or the progress goes through here, so that a try of a
    // task that a newer one replaced changes nothing. False when it was replaced or the step failed.
    template <class Step>
    bool IfCurrent(unsigned generation, Step&& step) {
        std::lock_guard<std::mutex> lock(m_lock);
        return generation == m_generation && step(m_progress);
    }

    void SetPaused(bool paused) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            // A start of running tasks (as every new task gets) is no start: it leaves a pause alone.
            if (m_paused != paused)
                ++m_touches;
            m_paused = paused;
        }
        m_changed.notify_all();
    }

    // Waits while the transfers are paused; false once they are cancelled.
    bool WaitUntilRunning() {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return !m_paused || m_cancelled; });
        return !m_cancelled;
    }

    // Counts the pauses and starts, so that a transfer can tell whether one came since it asked.
    unsigned Touches() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_touches;
    }

    // The pause before a transfer of the given generation tries again. It ends early when the
    // tasks were paused or started since `touches`, then lasts while they are paused. False when
    // the transfer is to end instead: the downloader is ending or a newer task took its place.
    bool WaitBeforeRetry(unsigned generation, unsigned touches, unsigned milliseconds) {
        std::unique_lock<std::mutex> lock(m_lock);
        const auto ended = [&] { return m_cancelled || m_generation != generation; };
        m_wait->Wait(lock, m_changed, milliseconds, [&] { return ended() || m_touches != touches; });
        m_wait->Wait(lock, m_changed, RetryWait::kWhilePaused, [&] { return ended() || !m_paused; });
        return !ended();
    }

    bool Cancelled() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_cancelled;
    }

    // A transfer hands its root handle over so that a cancel can close it and so break off a
    // pending request or read. False when the transfers are already cancelled.
    bool AddTransfer(HINTERNET root) {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_cancelled)
            return false;
        m_roots.push_back(root);
        return true;
    }

    // Closes the root handle unless a cancel already did.
    void EndTransfer(HINTERNET root) {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto it = m_roots.begin(); it != m_roots.end(); ++it) {
            if (*it == root) {
                m_roots.erase(it);
                InternetCloseHandle(root);
                return;
            }
        }
    }

    void Cancel() {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_cancelled = true;
            for (HINTERNET root : m_roots)
                InternetCloseHandle(root);
            m_roots.clear();
        }
        m_changed.notify_all();
    }

    void ThreadStarted() {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_threads;
    }

    void ThreadEnded() {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            --m_threads;
        }
        m_changed.notify_all();
    }

    bool WaitForThreads(unsigned milliseconds) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return m_threads == 0; });
    }

private:
    const std::shared_ptr<RetryWait> m_wait;
    std::mutex m_lock;
    std::condition_variable m_changed;
    Progress m_progress;
    bool m_paused = false;
    bool m_cancelled = false;
    unsigned m_touches = 0;
    unsigned m_generation = 0;
    int m_threads = 0;
    std::vector<HINTERNET> m_roots;
};

namespace {

const DWORD kReadBlock = 40960;
const DWORD kRangeNotSatisfiable = 416;

// The downloader's own wait before a new try: by the clock.
class ClockWait : public YDownloader::RetryWait {
public:
    void Wait(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, unsigned ms,
              const std::function<bool()>& over) override {
        if (ms == kWhilePaused)
            changed.wait(lock, over);
        else
            changed.wait_for(lock, std::chrono::milliseconds(ms), over);
    }
};

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

// Length of an existing file, -1 when there is none.
long long FileLength(const CString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Content-Length read as text so that sizes beyond 32 bits survive; 0 when absent or unreadable.
long long ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return 0;
    wchar_t* end = nullptr;
    const long long length = wcstoll(text, &end, 10);
    return end != text && length > 0 ? length : 0;
}

// Opens the package from resumeAt on, following redirects itself so that a loop ends.
HttpExchange OpenFrom(HINTERNET root, const CString& url, long long resumeAt, DWORD& status) {
    CString headers;
    if (resumeAt > 0)
        headers.Format(L"Accept:*/*\r\nRange:bytes=%I64d-", resumeAt);
    else
        headers = L"Accept:*/*\r\n";
    return OpenUrlFollowingRedirects(root, url, headers, INTERNET_FLAG_RELOAD, status);
}

// Puts the finished part file in the target's place; false leaves the part file for a later try.
bool MovePartIntoPlace(const CString& partFile, const CString& target) {
    if (FileLength(target) >= 0)
        DeleteFileW(target);
    return MoveFileW(partFile, target) != 0;
}

}  // namespace

YDownloader::YDownloader(std::shared_ptr<RetryWait> wait)
    : m_state(std::make_shared<TransferState>(wait ? std::move(wait) : std::make_shared<ClockWait>())) {}

YDownloader::~YDownloader() {
    m_state->Cancel();
    const bool ended = m_state->WaitForThreads(kShutdownWaitMs);
    std::lock_guard<std::mutex> lock(m_threadsLock);
    for (std::thread& thread : m_threads) {
        // A thread still stuck in the network owns only its arguments and the shared state.
        if (ended)
            thread.join();
        else
            thread.detach();
    }
}

CString YDownloader::PartFileName(const CString& target) {
    return target.Left(target.GetLength() - 3) + L"temp";
}

int YDownloader::CreateTask(const CString& url, const CString& localPath, const CString& referrer,
                            const CString& cookies, int taskIndex) {
    auto args = std::make_unique<YDownloadArgs>();
    args->url = url;
    args->localPath = localPath;
    args->referrer = referrer;
    args->cookies = cookies;
    args->taskIndex = taskIndex;
    args->state = m_state;
    // Cleared before the thread exists: a poller that asks right after this call must not see the
    // completion of the previous task and hash a package that is no longer there.
    args->generation = m_state->BeginTransfer();
    std::lock_guard<std::mutex> lock(m_threadsLock);
    m_state->ThreadStarted();
    try {
        m_threads.emplace_back(&YDownloader::DownloadThreadProc, std::move(args));
    } catch (const std::exception&) {
        m_state->ThreadEnded();
        return 0;
    }
    return 1;
}

void YDownloader::SetPaused(bool paused) {
    m_state->SetPaused(paused);
}

int YDownloader::StartAllTasks() { SetPaused(false); return 1; }
int YDownloader::StartTask(int) { SetPaused(false); return 1; }
int YDownloader::PauseTask(int) { SetPaused(true); return 1; }
int YDownloader::StopAllTasks() { SetPaused(true); return 1; }
int YDownloader::DeleteTask(int) { return 1; }
int YDownloader::DeleteAllTasks() { return 1; }
int YDownloader::SetSpeedLimit(int) { return 1; }
int YDownloader::SetUploadSpeedLimit(int, int) { return 1; }

int YDownloader::QueryTaskInfo(int, DownloadTaskInfo& info) {
    const TransferState::Progress progress = m_state->Snapshot();
    info.status = progress.complete ? L"完成" : L"下载中";
    info.fileName.Empty();
    info.auxName.Empty();
    info.totalSize = FormatByteSize(static_cast<double>(progress.total));
    info.downloadedSize = FormatByteSize(static_cast<double>(progress.received));
    info.percent = progress.percent;
    info.speed.Empty();
    return 1;
}

void YDownloader::DownloadThreadProc(std::unique_ptr<YDownloadArgs> args) {
    std::shared_ptr<TransferState> state = args->state;
    DownloadFile(*args);
    args.reset();
    state->ThreadEnded();
}

void YDownloader::DownloadFile(YDownloadArgs args) {
    TransferState& state = *args.state;
    const CString partFile = PartFileName(args.localPath);
    unsigned pauseMs = kFirstRetryPauseMs;
    for (;;) {
        const unsigned touches = state.Touches();
        const long long before = std::max(0LL, FileLength(partFile));
        if (TransferOnce(args, partFile) == Attempt::kEnded)
            return;
        // Data came since the last failure: the host is back, and its next failure is a new one.
        if (std::max(0LL, FileLength(partFile)) > before)
            pauseMs = kFirstRetryPauseMs;
        if (!state.WaitBeforeRetry(args.generation, touches, pauseMs))
            return;
        pauseMs = std::min(pauseMs * 2, kLongestRetryPauseMs);
    }
}

// One request of the transfer. kBrokenOff: the network failed (no connection, a failed read, or
// the connection closed before the announced length); the part file keeps what arrived. Anything
// else (the package in place, a refusal, a local failure, a newer task, the end of the downloader)
// is kEnded.
YDownloader::Attempt YDownloader::TransferOnce(const YDownloadArgs& args, const CString& partFile) {
    using Progress = TransferState::Progress;
    TransferState& state = *args.state;

    HINTERNET root = InternetOpenW(kDownloadAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!root)
        return Attempt::kEnded;
    if (!state.AddTransfer(root)) {
        InternetCloseHandle(root);
        return Attempt::kEnded;
    }
    struct RootRelease {
        TransferState& state;
        HINTERNET root;
        ~RootRelease() { state.EndTransfer(root); }
    } rootRelease{state, root};
    long long resumeAt = FileLength(partFile);
    if (resumeAt < 0)
        resumeAt = 0;
    DWORD status = 0;
    HttpExchange request = OpenFrom(root, args.url, resumeAt, status);
    if (request && status == kRangeNotSatisfiable && resumeAt > 0) {
        // The part file is as long as the package or longer: it cannot be continued. The refused
        // request goes before the new one is sent.
        request.reset();
        resumeAt = 0;
        request = OpenFrom(root, args.url, resumeAt, status);
    }
    // A request that failed on the network tries again; one that the address, its scheme or
    // WinInet itself refused, or whose redirects never end, fails the same way every time.
    if (!request)
        return IsNetworkError(request.error) ? Attempt::kBrokenOff : Attempt::kEnded;
    // Sent, but no status came back: the host closed the connection unanswered.
    if (status == 0)
        return Attempt::kBrokenOff;
    if (status != HTTP_STATUS_OK && status != HTTP_STATUS_PARTIAL_CONTENT)
        return Attempt::kEnded;
    // A server that ignores the range sends the whole package again.
    if (status == HTTP_STATUS_OK)
        resumeAt = 0;

    const long long length = ContentLength(request.get());
    const long long total = length > 0 ? length + resumeAt : 0;
    long long received = resumeAt;
    const unsigned generation = args.generation;
    FileHandle part;
    // Opened only for the newest task: starting from zero empties the part file.
    if (!state.IfCurrent(generation, [&](Progress&) {
            part.reset(_wfopen(partFile, resumeAt > 0 ? L"ab+" : L"wb+"));
            return part != nullptr;
        }))
        return Attempt::kEnded;

    std::vector<char> block(kReadBlock);
    for (;;) {
        if (!state.WaitUntilRunning())
            return Attempt::kEnded;
        DWORD got = 0;
        // A cancel closes the handles under the read: the pause before a new try then ends it.
        if (!InternetReadFile(request.get(), block.data(), kReadBlock, &got) || state.Cancelled())
            return Attempt::kBrokenOff;
        if (got == 0)
            break;
        // Flushed at once, so that no byte of this try is left in the buffer to reach the part file
        // after a newer task took it over. A failed write is an incomplete package.
        if (!state.IfCurrent(generation, [&](Progress& progress) {
                if (fwrite(block.data(), 1, got, part.get()) != got || fflush(part.get()) != 0)
                    return false;
                received += got;
                progress.Update(received, total);
                return true;
            }))
            return Attempt::kEnded;
    }
    // Nothing is left in the buffer; a failed close is still an incomplete package.
    const bool closed = fclose(part.release()) == 0;
    request.reset();
    if (!closed)
        return Attempt::kEnded;
    // A connection that closed early is no package: the part file stays for the next try.
    if (total > 0 && received < total)
        return Attempt::kBrokenOff;
    if (total > 0 && received > total)
        return Attempt::kEnded;
    state.IfCurrent(generation, [&](Progress& progress) {
        if (!MovePartIntoPlace(partFile, args.localPath))
            return false;
        progress.Complete(received);
        return true;
    });
    return Attempt::kEnded;
}
