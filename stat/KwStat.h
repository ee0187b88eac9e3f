// The statistics object: builds each report's JSON document, encrypts it and sends it to the
// statistics server. Synchronous reports are serialised on one re-entrant lock; asynchronous ones run
// their synchronous twin on a detached thread that the object waits for when it is destroyed; what
// those threads share with the object outlives it until the last of them has ended.
#pragma once

#include "IKwStat.h"
#include "JsonBuilder.h"

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace ns_kw_stat {

class KwStat : public IKwStat {
public:
    KwStat();
    ~KwStat() override;

    bool Init() override;
    bool CollectAppLunchyInfo() override;
    bool CollectAppLunchyInfo_Sync() override;
    bool CollectAppExitInfo() override;
    bool CollectAppExitInfo_Sync() override;
    bool CollectAppExceptionInfo(std::wstring message) override;
    bool CollectAppExceptionInfo_Sync(std::wstring message) override;
    bool CollectPhoneConnectState(ENUM_PHONE_CONNECT_STATE state) override;
    bool CollectPhoneConnectState_Sync(ENUM_PHONE_CONNECT_STATE state) override;
    bool CollectInstall() override;
    bool CollectInstall_Sync() override;
    bool CollectUnInstall() override;
    bool CollectUnInstall_Sync() override;
    bool CollectUpdate() override;
    bool CollectUpdate_Sync() override;
    bool CollectUnInstallFeedback(std::wstring reason, std::wstring detail) override;
    bool CollectUnInstallFeedbackReason(int nReason) override;
    bool CollectUnInstallFeedback_Sync(std::wstring reason, std::wstring detail) override;
    bool CollectUnInstallFeedbackReason_Sync(int nReason) override;
    bool CollectDownloadSoft(std::wstring name) override;
    bool CollectDownloadSoft_Sync(std::wstring name) override;
    bool CollectDownloadMusic(std::wstring name) override;
    bool CollectDownloadMusic_Sync(std::wstring name) override;
    bool CollectDownloadWP(std::wstring name) override;
    bool CollectDownloadWP_Sync(std::wstring name) override;
    bool SendEvent(const tagSTAT_CUSTOM_EVENT& event) override;
    bool SendEvent_Sync(const tagSTAT_CUSTOM_EVENT& event) override;
    void SetConfig(StatConfig config) override;
    StatConfig* GetConfig() override;

    virtual bool IsAvailable();
    // Appends one item to the open event list.
    virtual bool AddCustomEvent(const tagSTAT_CUSTOM_EVENT& event);
    // Sends the current document; true when the server took the request, whatever it answered.
    virtual bool Send();
    // Empties the document and writes its "dev_info" object.
    virtual bool BuildDevInfo();
    virtual std::wstring GetDeviceId();

private:
    // Enters the lock and, when no outer call holds it, claims the trace name. False when the object
    // has no document yet (Init not called); the caller still ends the call.
    bool BeginCall(const std::wstring& name);
    // Writes the outermost call's trace line, leaves the lock and returns result.
    bool EndCall(bool result);
    bool ReportEvent(const std::wstring& name, const tagSTAT_CUSTOM_EVENT& event);
    bool ReportDownload(const std::wstring& name, const std::wstring& category, const std::wstring& item);
    bool SendDownloadEvent(const std::wstring& category, const std::wstring& item);
    std::wstring VersionAndChannel() const;

    // What the detached report threads share with the object. Each thread holds it by reference, so a
    // destructor that has given up waiting never frees a lock that a late thread is about to enter.
    struct SharedState {
        SharedState();
        ~SharedState();
        SharedState(const SharedState&) = delete;
        SharedState& operator=(const SharedState&) = delete;

        // Exists for the object's whole life, so that a report before Init or a second Init never
        // meets a missing or replaced lock. A detached report runs wholly under it.
        CRITICAL_SECTION lock;
        // Set by the destructor without waiting for the lock; a detached report that gets the lock
        // after that skips its work.
        std::atomic<bool> closing{false};
        std::mutex threadsMutex;
        std::condition_variable threadsDone;
        int runningThreads = 0;
    };

    // Runs report on a detached thread; false when no thread could be started.
    bool StartDetached(std::function<void()> report);
    static void RunDetached(const std::shared_ptr<SharedState>& shared, const std::function<void()>& report);

    StatConfig config_;
    std::unique_ptr<JsonBuilder> tree_;
    std::unique_ptr<JsonBuilder> launchSnapshot_;
    std::shared_ptr<SharedState> shared_;
    int reasonBits_ = 0;
    std::map<int, std::wstring> reasonTexts_;
    std::wstring callName_;
    bool idle_ = true;
};

}  // namespace ns_kw_stat
