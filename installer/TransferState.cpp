// The own downloader's shared state and the part file it owns.
#include "TransferState.h"

#include <chrono>

bool PartFile::Open(const CString& path, long long from) {
    Close();
    m_handle = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    LARGE_INTEGER position;
    position.QuadPart = from;
    if (m_handle != INVALID_HANDLE_VALUE && SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) &&
        SetEndOfFile(m_handle))
        return true;
    Close();
    return false;
}

bool PartFile::Append(const void* data, DWORD size) {
    DWORD written = 0;
    return m_handle != INVALID_HANDLE_VALUE && WriteFile(m_handle, data, size, &written, nullptr) &&
           written == size;
}

void PartFile::Close() {
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

void YDownloader::TransferState::Progress::Update(long long nowReceived, long long nowTotal) {
    if (nowTotal <= 0)
        return;
    received = nowReceived;
    total = nowTotal;
    const long long share = received * 100 / total;
    percent = static_cast<int>(share > 99 ? 99 : share);
}

void YDownloader::TransferState::Progress::Complete(long long length) {
    received = total = length;
    percent = 100;
    complete = true;
}

YDownloader::TransferState::Progress YDownloader::TransferState::Snapshot() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_progress;
}

unsigned YDownloader::TransferState::BeginTransfer() {
    unsigned generation;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        // Closed here rather than when the replaced try's pending read returns (up to the receive
        // time-out), so that the new task can put its package in place.
        m_part.Close();
        m_progress = Progress();
        generation = ++m_generation;
    }
    m_changed.notify_all();
    return generation;
}

void YDownloader::TransferState::SetPaused(bool paused) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        // A start of running tasks (as every new task gets) is no start: it leaves a pause alone.
        if (m_paused != paused)
            ++m_touches;
        m_paused = paused;
    }
    m_changed.notify_all();
}

bool YDownloader::TransferState::WaitUntilRunning() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return !m_paused || m_cancelled; });
    return !m_cancelled;
}

unsigned YDownloader::TransferState::Touches() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_touches;
}

bool YDownloader::TransferState::WaitBeforeRetry(unsigned generation, unsigned touches, unsigned milliseconds) {
    std::unique_lock<std::mutex> lock(m_lock);
    const auto ended = [&] { return m_cancelled || m_generation != generation; };
    m_wait->Wait(lock, m_changed, milliseconds, [&] { return ended() || m_touches != touches; });
    m_wait->Wait(lock, m_changed, RetryWait::kWhilePaused, [&] { return ended() || !m_paused; });
    return !ended();
}

bool YDownloader::TransferState::Cancelled() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_cancelled;
}

bool YDownloader::TransferState::AddTransfer(HINTERNET root) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_cancelled)
        return false;
    m_roots.push_back(root);
    return true;
}

void YDownloader::TransferState::EndTransfer(HINTERNET root) {
    std::lock_guard<std::mutex> lock(m_lock);
    for (auto it = m_roots.begin(); it != m_roots.end(); ++it) {
        if (*it == root) {
            m_roots.erase(it);
            InternetCloseHandle(root);
            return;
        }
    }
}

void YDownloader::TransferState::Cancel() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_cancelled = true;
        m_part.Close();
        for (HINTERNET root : m_roots)
            InternetCloseHandle(root);
        m_roots.clear();
    }
    m_changed.notify_all();
}

void YDownloader::TransferState::ThreadStarted() {
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_threads;
}

void YDownloader::TransferState::ThreadEnded() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        --m_threads;
    }
    m_changed.notify_all();
}

bool YDownloader::TransferState::WaitForThreads(unsigned milliseconds) {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_threads == 0; });
}
