#include "EngineTask.h"

#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <vector>

namespace {

std::mutex g_threadsLock;
std::condition_variable g_threadsChanged;
int g_threads = 0;

const wchar_t kAgent[] = L"XlEngine/1.0";
const DWORD kBlock = 65536;

struct InternetCloser {
    void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

long long SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void CopyText(wchar_t* target, size_t capacity, const std::wstring& text) {
    const size_t n = text.size() < capacity ? text.size() : capacity - 1;
    text.copy(target, n);
    target[n] = L'\0';
}

// Sends a GET for the URL, with a range from `from` when it is not 0.
Internet SendGet(HINTERNET root, const std::wstring& url, long long from, Internet& connection) {
    wchar_t host[256] = {}, path[2084] = {};
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 2084;
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts))
        return nullptr;
    connection.reset(InternetConnectW(root, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return nullptr;
    Internet request(HttpOpenRequestW(connection.get(), L"GET", path, nullptr, nullptr, nullptr,
                                      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    std::wstring headers;
    if (from > 0)
        headers = L"Range: bytes=" + std::to_wstring(from) + L"-\r\n";
    if (!request || !HttpSendRequestW(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0))
        return nullptr;
    return request;
}

DWORD StatusOf(HINTERNET request) {
    DWORD code = 0, size = sizeof(code);
    HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr);
    return code;
}

long long LengthOf(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return 0;
    return _wtoi64(text);
}

}  // namespace

EngineTask::EngineTask(const std::wstring& url, const std::wstring& folder, const std::wstring& name)
    : m_url(url),
      m_finalPath(folder + (folder.empty() || folder.back() == L'\\' ? L"" : L"\\") + name),
      m_partPath(m_finalPath + L".xltd"),
      m_name(name) {}

bool EngineTask::Start() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopRequested = false;
    if (m_running) {
        if (m_status == kXlStopping)
            m_status = kXlDownloading;
        return true;
    }
    if (m_status == kXlComplete)
        return true;
    m_status = kXlStarting;
    m_self = shared_from_this();
    {
        std::lock_guard<std::mutex> threads(g_threadsLock);
        ++g_threads;
    }
    HANDLE thread = CreateThread(nullptr, 0, &EngineTask::ThreadMain, this, 0, nullptr);
    if (!thread) {
        m_self.reset();
        m_status = kXlFailed;
        std::lock_guard<std::mutex> threads(g_threadsLock);
        --g_threads;
        return false;
    }
    CloseHandle(thread);
    m_running = true;
    return true;
}

bool EngineTask::Stop() {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_running) {
        m_stopRequested = true;
        m_status = kXlStopping;
    }
    return true;
}

void EngineTask::Abandon() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopRequested = true;
    if (m_root)
        InternetCloseHandle(m_root);
    m_root = nullptr;
}

void EngineTask::Fill(XlTaskInfo& info) {
    std::lock_guard<std::mutex> lock(m_lock);
    info.status = m_status;
    CopyText(info.name, 260, m_name);
    CopyText(info.auxName, 260, m_name + L".xltd");
    info.totalSize = m_total;
    info.downloadedSize = m_received;
    info.progress = m_status == kXlComplete ? 1.0f
                    : m_total > 0         ? static_cast<float>(static_cast<double>(m_received) / m_total)
                                          : 0.0f;
    info.speed = m_speed;
}

bool EngineTask::WaitForAllThreads(DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(g_threadsLock);
    return g_threadsChanged.wait_for(lock, std::chrono::milliseconds(milliseconds), [] { return g_threads == 0; });
}

DWORD WINAPI EngineTask::ThreadMain(void* self) {
    // The thread holds the library so that an unload cannot pull the code from under it.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&EngineTask::ThreadMain),
                       &module);
    static_cast<EngineTask*>(self)->Run();
    {
        std::lock_guard<std::mutex> threads(g_threadsLock);
        --g_threads;
    }
    g_threadsChanged.notify_all();
    FreeLibraryAndExitThread(module, 0);
}

void EngineTask::SetStatus(int32_t status) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_status = status;
}

bool EngineTask::StopRequested() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_stopRequested;
}

void EngineTask::Run() {
    std::shared_ptr<EngineTask> keep;
    for (;;) {
        HINTERNET root = InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_root = root;
        }
        const Outcome outcome = root ? Transfer(root) : Outcome::kFailed;
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_root)
            InternetCloseHandle(m_root);
        m_root = nullptr;
        // A start that came after a stop had ended the transfer, while this thread still counted
        // as running, found nothing to start: the transfer goes on here.
        if (outcome == Outcome::kStopped && !m_stopRequested)
            continue;
        m_status = outcome == Outcome::kComplete ? kXlComplete : m_stopRequested ? kXlPaused : kXlFailed;
        m_speed = 0;
        m_running = false;
        keep.swap(m_self);  // released after the lock
        return;
    }
}

EngineTask::Outcome EngineTask::Transfer(HINTERNET root) {
    long long from = SizeOf(m_partPath);
    if (from < 0)
        from = 0;
    Internet connection;
    Internet request = SendGet(root, m_url, from, connection);
    DWORD status = request ? StatusOf(request.get()) : 0;
    if (status == 416 && from > 0) {
        from = 0;
        request = SendGet(root, m_url, from, connection);
        status = request ? StatusOf(request.get()) : 0;
    }
    if (status != 200 && status != 206)
        return Outcome::kFailed;
    if (status == 200)
        from = 0;
    const long long length = LengthOf(request.get());
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_total = length > 0 ? from + length : 0;
        m_received = from;
        if (m_status == kXlStarting)
            m_status = kXlDownloading;
    }
    FILE* part = _wfopen(m_partPath.c_str(), from > 0 ? L"ab" : L"wb");
    if (!part)
        return Outcome::kFailed;
    std::vector<char> block(kBlock);
    long long received = from;
    DWORD windowStart = GetTickCount();
    long long windowBytes = 0;
    bool ended = false;
    bool stopped = false;
    while (!(stopped = StopRequested())) {
        DWORD got = 0;
        if (!InternetReadFile(request.get(), block.data(), kBlock, &got))
            break;
        if (got == 0) {
            ended = true;
            break;
        }
        if (fwrite(block.data(), 1, got, part) != got)
            break;
        received += got;
        windowBytes += got;
        std::lock_guard<std::mutex> lock(m_lock);
        m_received = received;
        const DWORD elapsed = GetTickCount() - windowStart;
        if (elapsed >= 1000) {
            m_speed = static_cast<int32_t>(windowBytes * 1000 / elapsed);
            windowStart += elapsed;
            windowBytes = 0;
        }
    }
    fclose(part);
    long long total;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        total = m_total;
    }
    if (stopped)
        return Outcome::kStopped;
    if (!ended || (total > 0 && received != total))
        return Outcome::kFailed;
    // Only a whole file takes the final name, and only then is it reported complete.
    if (!MoveFileExW(m_partPath.c_str(), m_finalPath.c_str(), MOVEFILE_REPLACE_EXISTING))
        return Outcome::kFailed;
    std::lock_guard<std::mutex> lock(m_lock);
    m_total = received;
    m_received = received;
    return Outcome::kComplete;
}
