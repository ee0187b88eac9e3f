// The own HTTP downloader's operations and its transfer.
#include "YDownloader.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cwchar>

#include "InstallerUtils.h"
#include "TransferState.h"
#include "WinInetRequest.h"

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

// Puts the finished part file in the target's place; when it cannot, the part file stays.
void MovePartIntoPlace(const CString& partFile, const CString& target) {
    if (FileLength(target) >= 0)
        DeleteFileW(target);
    MoveFileW(partFile, target);
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
        bool dataArrived = false;
        if (TransferOnce(args, partFile, dataArrived) == Attempt::kEnded)
            return;
        // Data came since the last failure: the host is back, and its next failure is a new one.
        // Counted by the try, as one that started from zero may leave a shorter part file.
        if (dataArrived)
            pauseMs = kFirstRetryPauseMs;
        if (!state.WaitBeforeRetry(args.generation, touches, pauseMs))
            return;
        pauseMs = std::min(pauseMs * 2, kLongestRetryPauseMs);
    }
}

// One request of the transfer. kBrokenOff: the network failed (no connection, a failed read, or
// the connection closed before the announced length); the part file keeps what arrived. Anything
// else (the package complete, a refusal, a local failure, a newer task, the end of the downloader)
// is kEnded. dataArrived tells whether the try wrote anything.
YDownloader::Attempt YDownloader::TransferOnce(const YDownloadArgs& args, const CString& partFile,
                                               bool& dataArrived) {
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
    return Receive(args, partFile, request.get(), resumeAt, dataArrived);
}

// Writes the answer's body to the part file from resumeAt on and, once the whole package has
// arrived, puts it at the target's name.
YDownloader::Attempt YDownloader::Receive(const YDownloadArgs& args, const CString& partFile, HINTERNET request,
                                          long long resumeAt, bool& dataArrived) {
    using Progress = TransferState::Progress;
    TransferState& state = *args.state;
    const unsigned generation = args.generation;
    const long long length = ContentLength(request);
    const long long total = length > 0 ? length + resumeAt : 0;
    long long received = resumeAt;
    // Opened only for the newest task: starting from zero empties the part file. The state holds
    // it, and a newer task's start closes it under this try.
    if (!state.IfCurrent(generation, [&](Progress&, PartFile& part) { return part.Open(partFile, resumeAt); }))
        return Attempt::kEnded;
    struct PartRelease {
        TransferState& state;
        unsigned generation;
        ~PartRelease() {
            state.IfCurrent(generation, [](Progress&, PartFile& part) { part.Close(); return true; });
        }
    } partRelease{state, generation};

    std::vector<char> block(kReadBlock);
    for (;;) {
        if (!state.WaitUntilRunning())
            return Attempt::kEnded;
        DWORD got = 0;
        // A cancel closes the handles under the read: the pause before a new try then ends it.
        if (!InternetReadFile(request, block.data(), kReadBlock, &got) || state.Cancelled())
            return Attempt::kBrokenOff;
        if (got == 0)
            break;
        // A failed write is an incomplete package.
        if (!state.IfCurrent(generation, [&](Progress& progress, PartFile& part) {
                if (!part.Append(block.data(), got))
                    return false;
                received += got;
                dataArrived = true;
                progress.Update(received, total);
                return true;
            }))
            return Attempt::kEnded;
    }
    // A connection that closed early is no package: the part file stays for the next try.
    if (total > 0 && received < total)
        return Attempt::kBrokenOff;
    if (total > 0 && received > total)
        return Attempt::kEnded;
    state.IfCurrent(generation, [&](Progress& progress, PartFile& part) {
        part.Close();
        // Complete even when the package cannot take the target's name (another program holds it):
        // the caller's check of the target then fails and starts a new attempt, instead of waiting
        // for ever on a task that never completes. The part file stays.
        MovePartIntoPlace(partFile, args.localPath);
        progress.Complete(received);
        return true;
    });
    return Attempt::kEnded;
}
