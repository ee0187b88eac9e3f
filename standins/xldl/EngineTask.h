// One download of the stand-in engine: a thread that fetches the URL over WinInet into
// "<name>.xltd" in the save folder, resuming from that file, and renames it to the final name
// before it reports completion. Stopping pauses; a later start resumes.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <mutex>
#include <string>

#include "XlDownloadApi.h"

class EngineTask : public std::enable_shared_from_this<EngineTask> {
public:
    EngineTask(const std::wstring& url, const std::wstring& folder, const std::wstring& name);

    bool Start();
    bool Stop();
    // Asks the transfer to end; the thread finishes by itself.
    void Abandon();
    void Fill(XlTaskInfo& info);
    // Waits until no transfer thread of any task runs, at most the given time.
    static bool WaitForAllThreads(DWORD milliseconds);

private:
    static DWORD WINAPI ThreadMain(void* self);
    enum class Outcome { kComplete, kStopped, kFailed };
    void Run();
    Outcome Transfer(HINTERNET root);
    void SetStatus(int32_t status);
    bool StopRequested();

    const std::wstring m_url;
    const std::wstring m_finalPath;
    const std::wstring m_partPath;
    const std::wstring m_name;

    std::mutex m_lock;
    int32_t m_status = kXlPaused;
    bool m_running = false;
    bool m_stopRequested = false;
    long long m_total = 0;
    long long m_received = 0;
    int32_t m_speed = 0;
    HINTERNET m_root = nullptr;
    // Keeps the task alive while its thread runs.
    std::shared_ptr<EngineTask> m_self;
};
