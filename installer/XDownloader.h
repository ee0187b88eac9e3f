// The adapter of the outside download engine "xldl.dll": loads the library by path, resolves its
// functions by name, maps the installer's task indexes to the engine's task handles and turns the
// engine's task information into progress records.
#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

#include "BaseDownloader.h"
#include "XlDownloadApi.h"

class XDownloader : public BaseDownloader {
public:
    // Throws the wide text "can not load xldl.dll" when the library cannot be loaded.
    explicit XDownloader(const CString& libraryPath);
    ~XDownloader() override;
    XDownloader(const XDownloader&) = delete;
    XDownloader& operator=(const XDownloader&) = delete;

    // The adapter, or null when the library cannot be loaded: the caller then falls back to the
    // own downloader instead of meeting the thrown text.
    static XDownloader* TryCreate(const CString& libraryPath);

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

    // The file name that the server delivers for the URL (Content-Disposition, following at most
    // ten redirects), or the empty text; also when the host does not connect or answer within the
    // bounds of every request (WinInetRequest.h).
    static CString ResolveFileName(const CString& url);

    // The engine's task record for a download; a local path that names an existing folder takes
    // the server's file name.
    static void FillTaskRecord(XlTaskRecord& record, const CString& url, const CString& localPath,
                               const CString& referrer, const CString& cookies);
    // The progress record from the engine's task information.
    static void FillTaskInfo(const XlTaskInfo& engineInfo, DownloadTaskInfo& info);

    // The functions resolved by name, in this order.
    enum EngineFunction {
        kInit, kUnInit, kCreateTask, kDeleteTask, kStartTask, kStopTask, kQueryTaskInfo,
        kQueryTaskInfoEx, kSetSpeedLimit, kSetUploadSpeedLimit, kDelTempFile, kSetProxy,
        kSetUserAgent, kGetFileSizeWithUrl, kParseThunderPrivateUrl, kSetAdditionInfo,
        kSetFileIdAndSize, kEngineFunctionCount
    };
    bool HasFunction(EngineFunction function) const { return m_functions[function] != nullptr; }

private:
    struct TaskEntry {
        int taskIndex;
        XlTask handle;
    };

    template <typename Fn>
    Fn Function(EngineFunction function) const {
        // Through the generic function type, which converts to any other without complaint.
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(m_functions[function]));
    }
    // The handle of the first entry with the index; false when there is none.
    bool FindHandle(int taskIndex, XlTask& handle);
    // Calls a start, stop or delete function on one task; 1 for an unknown index.
    int CallOnTask(EngineFunction function, int taskIndex);
    // Calls it on every task in order; 0 at the first failure.
    int CallOnAllTasks(EngineFunction function);

    HMODULE m_module;
    FARPROC m_functions[kEngineFunctionCount] = {};
    std::mutex m_tasksLock;
    std::vector<TaskEntry> m_tasks;
};

// FormatByteSize of the speed followed by "/S".
CString FormatSpeedText(int bytesPerSecond);
// Remove every double and single quote from the start, respectively the end, of the text.
CString TrimLeadingQuotes(const CString& text);
CString TrimTrailingQuotes(const CString& text);
