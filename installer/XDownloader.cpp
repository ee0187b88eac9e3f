// The outside engine's adapter: library loading, task list and record translation.
#include "XDownloader.h"

#include <shlwapi.h>
#include <wininet.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <type_traits>

#include "InstallerUtils.h"
#include "WinInetRequest.h"

namespace {

const char* const kFunctionNames[XDownloader::kEngineFunctionCount] = {
    "XL_Init", "XL_UnInit", "XL_CreateTask", "XL_DeleteTask", "XL_StartTask", "XL_StopTask",
    "XL_QueryTaskInfo", "XL_QueryTaskInfoEx", "XL_SetSpeedLimit", "XL_SetUploadSpeedLimit",
    "XL_DelTempFile", "XL_SetProxy", "XL_SetUserAgent", "XL_GetFileSizeWithUrl",
    "XL_ParseThunderPrivateUrl", "XL_SetAdditionInfo", "XL_SetFileIdAndSize",
};

using TaskFunction = decltype(&XL_StartTask);
static_assert(std::is_same<TaskFunction, decltype(&XL_StopTask)>::value &&
                  std::is_same<TaskFunction, decltype(&XL_DeleteTask)>::value,
              "start, stop and delete share one signature");

// Copies the text into a record field, cut to fit and always terminated.
template <size_t N>
void CopyField(wchar_t (&field)[N], const CString& text) {
    const size_t n = static_cast<size_t>(text.GetLength()) < N ? text.GetLength() : N - 1;
    wmemcpy(field, text.GetString(), n);
    field[n] = L'\0';
}

const wchar_t kResolveAgent[] = L"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)";

// The file name in a Content-Disposition value: what follows the first "=", without blanks and
// quotes around it, and only its last path component (after any drive) so that it cannot leave
// the save folder; "." and ".." name no file.
CString DispositionFileName(const CString& disposition) {
    const int equals = disposition.Find(L'=');
    CString name = equals < 0 ? disposition : disposition.Mid(equals + 1);
    name.TrimRight();
    name.TrimLeft();
    name = TrimTrailingQuotes(TrimLeadingQuotes(name));
    const int separator = std::max({name.ReverseFind(L'/'), name.ReverseFind(L'\\'), name.ReverseFind(L':')});
    if (separator >= 0)
        name = name.Mid(separator + 1);
    return name == L"." || name == L".." ? CString() : name;
}

template <size_t N>
CString FieldText(const wchar_t (&field)[N]) {
    return CString(field, static_cast<int>(wcsnlen(field, N)));
}

}  // namespace

XDownloader::XDownloader(const CString& libraryPath) : m_module(LoadLibraryW(libraryPath)) {
    if (!m_module)
        throw L"can not load xldl.dll";
    for (int i = 0; i < kEngineFunctionCount; ++i)
        m_functions[i] = GetProcAddress(m_module, kFunctionNames[i]);
    if (HasFunction(kInit))
        Function<decltype(&XL_Init)>(kInit)();
}

XDownloader::~XDownloader() {
    if (HasFunction(kUnInit))
        Function<decltype(&XL_UnInit)>(kUnInit)();
    FreeLibrary(m_module);
}

XDownloader* XDownloader::TryCreate(const CString& libraryPath) {
    try {
        return new XDownloader(libraryPath);
    } catch (const wchar_t*) {
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

int XDownloader::CreateTask(const CString& url, const CString& localPath, const CString& referrer,
                            const CString& cookies, int taskIndex) {
    // The record is large; keep it off the caller's stack.
    auto record = std::make_unique<XlTaskRecord>();
    FillTaskRecord(*record, url, localPath, referrer, cookies);
    XlTask handle = nullptr;
    if (HasFunction(kCreateTask))
        handle = Function<decltype(&XL_CreateTask)>(kCreateTask)(record.get());
    std::lock_guard<std::mutex> lock(m_tasksLock);
    m_tasks.push_back(TaskEntry{taskIndex, handle});
    return 1;
}

bool XDownloader::FindHandle(int taskIndex, XlTask& handle) {
    std::lock_guard<std::mutex> lock(m_tasksLock);
    for (const TaskEntry& entry : m_tasks) {
        if (entry.taskIndex == taskIndex) {
            handle = entry.handle;
            return true;
        }
    }
    return false;
}

int XDownloader::CallOnTask(EngineFunction function, int taskIndex) {
    XlTask handle = nullptr;
    if (!FindHandle(taskIndex, handle))
        return 1;
    return HasFunction(function) && Function<TaskFunction>(function)(handle) ? 1 : 0;
}

int XDownloader::CallOnAllTasks(EngineFunction function) {
    std::vector<TaskEntry> tasks;
    {
        std::lock_guard<std::mutex> lock(m_tasksLock);
        tasks = m_tasks;
    }
    for (const TaskEntry& entry : tasks) {
        if (!HasFunction(function) || !Function<TaskFunction>(function)(entry.handle))
            return 0;
    }
    return 1;
}

int XDownloader::StartAllTasks() { return CallOnAllTasks(kStartTask); }
int XDownloader::StartTask(int taskIndex) { return CallOnTask(kStartTask, taskIndex); }
int XDownloader::PauseTask(int taskIndex) { return CallOnTask(kStopTask, taskIndex); }
int XDownloader::StopAllTasks() { return CallOnAllTasks(kStopTask); }

int XDownloader::DeleteTask(int taskIndex) {
    if (CallOnTask(kDeleteTask, taskIndex) == 0)
        return 0;
    std::lock_guard<std::mutex> lock(m_tasksLock);
    for (auto it = m_tasks.begin(); it != m_tasks.end(); ++it) {
        if (it->taskIndex == taskIndex) {
            m_tasks.erase(it);
            break;
        }
    }
    return 1;
}

int XDownloader::DeleteAllTasks() {
    if (CallOnAllTasks(kDeleteTask) == 0)
        return 0;
    std::lock_guard<std::mutex> lock(m_tasksLock);
    m_tasks.clear();
    return 1;
}

int XDownloader::QueryTaskInfo(int taskIndex, DownloadTaskInfo& info) {
    XlTask handle = nullptr;
    if (!FindHandle(taskIndex, handle) || !HasFunction(kQueryTaskInfoEx))
        return 0;
    XlTaskInfo engineInfo;
    memset(&engineInfo, 0, sizeof(engineInfo));
    engineInfo.status = kXlInfoVersion;
    const BOOL filled = Function<decltype(&XL_QueryTaskInfoEx)>(kQueryTaskInfoEx)(handle, &engineInfo);
    if (filled)
        FillTaskInfo(engineInfo, info);
    return filled;
}

int XDownloader::SetSpeedLimit(int limit) {
    if (HasFunction(kSetSpeedLimit))
        Function<decltype(&XL_SetSpeedLimit)>(kSetSpeedLimit)(limit);
    return 1;
}

int XDownloader::SetUploadSpeedLimit(int first, int second) {
    if (HasFunction(kSetUploadSpeedLimit))
        Function<decltype(&XL_SetUploadSpeedLimit)>(kSetUploadSpeedLimit)(first, second);
    return 1;
}

void XDownloader::FillTaskRecord(XlTaskRecord& record, const CString& url, const CString& localPath,
                                 const CString& referrer, const CString& cookies) {
    memset(&record, 0, sizeof(record));
    record.fiveAt18360 = 5;
    record.oneAt18368 = 1;
    CopyField(record.url, url);
    CString folder = localPath;
    CString fileName;
    if (PathIsDirectoryW(localPath)) {
        fileName = ResolveFileName(url);
    } else {
        fileName = PathFindFileNameW(localPath);
        PathRemoveFileSpecW(folder.GetBuffer(MAX_PATH));
        folder.ReleaseBuffer();
    }
    CopyField(record.saveFolder, folder);
    CopyField(record.fileName, fileName);
    CopyField(record.referrer, referrer);
    CopyField(record.cookies, cookies);
}

void XDownloader::FillTaskInfo(const XlTaskInfo& engineInfo, DownloadTaskInfo& info) {
    static const wchar_t* const kStatusTexts[] = {L"失败", L"暂停", L"下载中", L"完成", L"开始中", L"停止中"};
    info.fileName = FieldText(engineInfo.name);
    info.auxName = FieldText(engineInfo.auxName);
    if (engineInfo.status >= kXlFailed && engineInfo.status <= kXlStopping)
        info.status = kStatusTexts[engineInfo.status - kXlFailed];
    info.totalSize = FormatByteSize(static_cast<double>(engineInfo.totalSize));
    info.downloadedSize = FormatByteSize(static_cast<double>(engineInfo.downloadedSize));
    // A fraction outside 0..1 (or not a number) from the engine must not overflow the percent.
    const double percent = static_cast<double>(engineInfo.progress) * 100.0;
    info.percent = std::isnan(percent) ? 0 : percent < 0 ? 0 : percent > 100 ? 100 : static_cast<int>(percent);
    info.speed = FormatSpeedText(engineInfo.speed);
}

CString XDownloader::ResolveFileName(const CString& url) {
    InternetHandle root(InternetOpenW(kResolveAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root)
        return CString();
    DWORD status = 0;
    // Bounded: a local path that names a folder brings this request onto the user-interface thread.
    HttpExchange request = OpenUrlFollowingRedirects(root.get(), url, L"Accept: */*", INTERNET_FLAG_RELOAD, status);
    if (!request || status != 200)
        return CString();
    return DispositionFileName(HttpHeaderText(request.get(), HTTP_QUERY_CONTENT_DISPOSITION, 512));
}

CString FormatSpeedText(int bytesPerSecond) {
    CString text;
    text.Format(L"%s/S", FormatByteSize(bytesPerSecond).GetString());
    return text;
}

CString TrimLeadingQuotes(const CString& text) {
    CString trimmed = text;
    return trimmed.TrimLeft(L"\"'");
}

CString TrimTrailingQuotes(const CString& text) {
    CString trimmed = text;
    return trimmed.TrimRight(L"\"'");
}
