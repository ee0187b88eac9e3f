// The asynchronous reports: each runs its synchronous twin, through the virtual table, on a detached
// thread and returns at once. The object counts these threads and waits for them when destroyed; each
// thread keeps the shared state alive until it ends.
#include "KwStat.h"

#include "CriticalSectionGuard.h"

#include <boost/thread/thread.hpp>

namespace ns_kw_stat {

KwStat::SharedState::SharedState()
{
    InitializeCriticalSection(&lock);
}

KwStat::SharedState::~SharedState()
{
    DeleteCriticalSection(&lock);
}

bool KwStat::StartDetached(std::function<void()> report)
{
    std::shared_ptr<SharedState> shared = shared_;
    {
        std::lock_guard<std::mutex> threads(shared->threadsMutex);
        ++shared->runningThreads;
    }
    try {
        boost::thread worker([shared, report] { RunDetached(shared, report); });
        worker.detach();
        return true;
    } catch (...) {
        std::lock_guard<std::mutex> threads(shared->threadsMutex);
        --shared->runningThreads;
        shared->threadsDone.notify_all();
        return false;
    }
}

void KwStat::RunDetached(const std::shared_ptr<SharedState>& shared, const std::function<void()>& report)
{
    try {
        // The lock is re-entrant: holding it here lets a closing object turn queued reports away.
        CriticalSectionGuard guard(shared->lock);
        if (!shared->closing)
            report();
    } catch (...) {
        // A report that cannot even allocate its document is dropped; nothing may escape the thread.
    }
    std::lock_guard<std::mutex> threads(shared->threadsMutex);
    --shared->runningThreads;
    shared->threadsDone.notify_all();
}

bool KwStat::CollectAppLunchyInfo()
{
    return StartDetached([this] { CollectAppLunchyInfo_Sync(); });
}

bool KwStat::CollectAppExitInfo()
{
    return StartDetached([this] { CollectAppExitInfo_Sync(); });
}

bool KwStat::CollectAppExceptionInfo(std::wstring message)
{
    return StartDetached([this, message] { CollectAppExceptionInfo_Sync(message); });
}

bool KwStat::CollectPhoneConnectState(ENUM_PHONE_CONNECT_STATE state)
{
    return StartDetached([this, state] { CollectPhoneConnectState_Sync(state); });
}

bool KwStat::CollectInstall()
{
    return StartDetached([this] { CollectInstall_Sync(); });
}

bool KwStat::CollectUnInstall()
{
    return StartDetached([this] { CollectUnInstall_Sync(); });
}

bool KwStat::CollectUpdate()
{
    return StartDetached([this] { CollectUpdate_Sync(); });
}

bool KwStat::CollectUnInstallFeedback(std::wstring reason, std::wstring detail)
{
    return StartDetached([this, reason, detail] { CollectUnInstallFeedback_Sync(reason, detail); });
}

bool KwStat::CollectUnInstallFeedbackReason(int nReason)
{
    return StartDetached([this, nReason] { CollectUnInstallFeedbackReason_Sync(nReason); });
}

bool KwStat::CollectDownloadSoft(std::wstring name)
{
    return StartDetached([this, name] { CollectDownloadSoft_Sync(name); });
}

bool KwStat::CollectDownloadMusic(std::wstring name)
{
    return StartDetached([this, name] { CollectDownloadMusic_Sync(name); });
}

bool KwStat::CollectDownloadWP(std::wstring name)
{
    return StartDetached([this, name] { CollectDownloadWP_Sync(name); });
}

bool KwStat::SendEvent(const tagSTAT_CUSTOM_EVENT& event)
{
    return StartDetached([this, event] { SendEvent_Sync(event); });
}

}  // namespace ns_kw_stat
