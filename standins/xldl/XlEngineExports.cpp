// The stand-in engine's exported functions: a table of tasks by handle. Task records are checked
// against their fixed layout and refused when malformed; information records are written only
// within their size. XL_UnInit waits a bounded time for the transfer threads.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "EngineTask.h"
#include "XlDownloadApi.h"

namespace {

std::mutex g_lock;
std::map<uintptr_t, std::shared_ptr<EngineTask>> g_tasks;
uintptr_t g_nextHandle = 1;
const DWORD kUnInitWaitMs = 5000;

bool AllZero(const void* bytes, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i)
        if (p[i])
            return false;
    return true;
}

// The text of a field that must end within it; false when it does not.
template <size_t N>
bool FieldText(const wchar_t (&field)[N], std::wstring& text) {
    for (size_t i = 0; i < N; ++i) {
        if (field[i] == L'\0') {
            text.assign(field, i);
            return true;
        }
    }
    return false;
}

bool WellFormed(const XlTaskRecord& r, std::wstring& url, std::wstring& name, std::wstring& folder) {
    std::wstring referrer, cookies;
    return r.zeroAt0 == 0 && r.zeroAt18096 == 0 && r.zeroAt18356 == 0 && r.fiveAt18360 == 5 &&
           r.zeroAt18364 == 0 && r.oneAt18368 == 1 && AllZero(r.unusedName, sizeof(r.unusedName)) &&
           AllZero(r.zeroBlockA, sizeof(r.zeroBlockA)) && AllZero(r.zeroBlockB, sizeof(r.zeroBlockB)) &&
           AllZero(r.zeroTail, sizeof(r.zeroTail)) && FieldText(r.url, url) && FieldText(r.referrer, referrer) &&
           FieldText(r.cookies, cookies) && FieldText(r.fileName, name) && FieldText(r.saveFolder, folder) &&
           !url.empty() && !name.empty() && !folder.empty();
}

std::shared_ptr<EngineTask> Find(XlTask task) {
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_tasks.find(reinterpret_cast<uintptr_t>(task));
    return it == g_tasks.end() ? nullptr : it->second;
}

}  // namespace

XL_EXPORT BOOL XL_CALL XL_Init() {
    return TRUE;
}

XL_EXPORT BOOL XL_CALL XL_UnInit() {
    std::map<uintptr_t, std::shared_ptr<EngineTask>> tasks;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        tasks.swap(g_tasks);
    }
    for (auto& entry : tasks)
        entry.second->Abandon();
    return EngineTask::WaitForAllThreads(kUnInitWaitMs);
}

XL_EXPORT XlTask XL_CALL XL_CreateTask(XlTaskRecord* record) {
    std::wstring url, name, folder;
    if (!record || !WellFormed(*record, url, name, folder))
        return nullptr;
    std::lock_guard<std::mutex> lock(g_lock);
    const uintptr_t handle = g_nextHandle++;
    g_tasks[handle] = std::make_shared<EngineTask>(url, folder, name);
    return reinterpret_cast<XlTask>(handle);
}

XL_EXPORT BOOL XL_CALL XL_DeleteTask(XlTask task) {
    std::shared_ptr<EngineTask> found;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        auto it = g_tasks.find(reinterpret_cast<uintptr_t>(task));
        if (it == g_tasks.end())
            return FALSE;
        found = it->second;
        g_tasks.erase(it);
    }
    found->Abandon();
    return TRUE;
}

XL_EXPORT BOOL XL_CALL XL_StartTask(XlTask task) {
    std::shared_ptr<EngineTask> found = Find(task);
    return found && found->Start();
}

XL_EXPORT BOOL XL_CALL XL_StopTask(XlTask task) {
    std::shared_ptr<EngineTask> found = Find(task);
    return found && found->Stop();
}

XL_EXPORT BOOL XL_CALL XL_QueryTaskInfoEx(XlTask task, XlTaskInfo* info) {
    std::shared_ptr<EngineTask> found = Find(task);
    if (!found || !info || info->status != kXlInfoVersion)
        return FALSE;
    found->Fill(*info);
    return TRUE;
}

// Speed limits are accepted and not applied.
XL_EXPORT void XL_CALL XL_SetSpeedLimit(int32_t) {}
XL_EXPORT void XL_CALL XL_SetUploadSpeedLimit(int32_t, int32_t) {}
