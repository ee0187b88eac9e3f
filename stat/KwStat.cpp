// Statistics object: lifecycle, settings, the end-of-call protocol and the document steps shared by
// every report (device description, event items, sending).
#include "KwStat.h"

#include "AesCfb.h"
#include "CNumberText.h"
#include "CriticalSectionGuard.h"
#include "DebugOutput.h"
#include "HttpGet.h"
#include "Md5.h"
#include "SystemProbes.h"
#include "TextConvert.h"

#include <atomic>
#include <chrono>

namespace ns_kw_stat {
namespace {

std::atomic<int> g_sendCount{0};

const long kSendTimeoutSeconds = 6;
// A detached report holds the lock for at most one send (bounded by its time-out); the others see that
// the object is closing and skip their work.
const std::chrono::seconds kThreadWait(kSendTimeoutSeconds + 6);

}  // namespace

KwStat::KwStat() : shared_(std::make_shared<SharedState>())
{
    config_.server = L"" TAVRIN_STAT_SERVER;
    config_.key = L"5e1b7c93a0d24f68b1c07e9a3d52f816";
    config_.iv = L"Rk7#mQ2v!Lp9wZ4x";
    config_.appId = L"11";
    config_.channel = L"0000";
    config_.version = L"0.0.0.0";
}

KwStat::~KwStat()
{
    SharedState& shared = *shared_;
    shared.closing = true;
    {
        std::unique_lock<std::mutex> threads(shared.threadsMutex);
        shared.threadsDone.wait_for(threads, kThreadWait, [&shared] { return shared.runningThreads == 0; });
    }
    // A report runs wholly under the lock: once the lock is ours no report is inside the object, and
    // the threads still queued on it find the object closing and leave without touching it.
    CriticalSectionGuard last(shared.lock);
}

bool KwStat::Init()
{
    // Under the lock, so that a repeated Init never takes the document from a report in progress.
    CriticalSectionGuard guard(shared_->lock);
    tree_ = std::make_unique<JsonBuilder>();
    reasonTexts_ = {{1, L"手机助手连接不上"},   {4, L"我使用的不是安卓手机"}, {8, L"下载的应用有问题"},
                    {16, L"资源下载速度慢"},    {32, L"找不到想要的资源"},    {64, L"已有其他手机管理软件"}};
    return true;
}

void KwStat::SetConfig(StatConfig config)
{
    config_ = std::move(config);
}

StatConfig* KwStat::GetConfig()
{
    return &config_;
}

bool KwStat::IsAvailable()
{
    return true;
}

bool KwStat::BeginCall(const std::wstring& name)
{
    EnterCriticalSection(&shared_->lock);
    if (idle_) {
        callName_ = name;
        idle_ = false;
    }
    return tree_ != nullptr;
}

bool KwStat::EndCall(bool result)
{
    if (!idle_) {
        DebugOutputWithPrefix(result ? L"end " : L"send fail:", callName_);
        idle_ = true;
    }
    LeaveCriticalSection(&shared_->lock);
    return result;
}

bool KwStat::BuildDevInfo()
{
    if (!tree_)
        return false;
    tree_->Reset();
    tree_->BeginObject(L"dev_info");
    tree_->Put(L"channel", config_.channel);
    tree_->Put(L"os_name", GetOSName());
    tree_->Put(L"os_type", GetOSBits());
    tree_->Put(L"dev_name", GetDeviceId());
    tree_->Put(L"ie_ver", MajorVersionText(GetIEVersion()));
    tree_->Put(L"ver", config_.version);
    tree_->PutNarrow(L"sim_id", "");
    tree_->EndObject();
    return true;
}

bool KwStat::AddCustomEvent(const tagSTAT_CUSTOM_EVENT& event)
{
    if (!tree_)
        return false;
    tree_->BeginArrayItem();
    tree_->Put(L"name", event.detail);
    tree_->Put(L"lable", event.category);
    tree_->Put(L"acttime", CurrentTimeText());
    tree_->PutNarrow(L"num", "1");
    tree_->EndObject();
    return true;
}

std::wstring KwStat::GetDeviceId()
{
    return GetMD5String(GetMacAddress() + L"+" + GetCpuId());
}

bool KwStat::Send()
{
    DebugOutputWithPrefix(L"send times:", std::to_wstring(++g_sendCount));
    std::wstring document;
    std::wstring payload;
    bool sent = tree_ && tree_->ToString(document) &&
                AesCfbEncryptBase64W(config_.key, document, config_.iv, payload);
    if (sent) {
        // Concatenated rather than formatted: the server text may hold any character, "%" included.
        const std::wstring url = config_.server + L"/tj.html?value=" + config_.appId + L"_" + payload;
        HttpOptions options;
        options.timeout = kSendTimeoutSeconds;
        std::string response;
        sent = HttpGet(WideToAnsi(url), std::string(), options, response) == CURLE_OK;
    }
    if (!sent)
        DebugOutputWithPrefix(L"send data fail:", callName_);
    return sent;
}

}  // namespace ns_kw_stat
