// The synchronous reports of the statistics object: each builds its document under the lock and sends
// it once. Reports that are one custom event go through SendEvent_Sync, nested in their own call, so
// that exactly one end-of-call trace names the outermost report.
#include "KwStat.h"

#include "CNumberText.h"
#include "CriticalSectionGuard.h"
#include "DebugOutput.h"

namespace ns_kw_stat {
namespace {

const std::wstring kCallPrefix = L"ns_kw_stat::KwStat::";

// The report text of a phone connection state; empty for a value outside the enumeration.
std::wstring PhoneStateText(ENUM_PHONE_CONNECT_STATE state)
{
    const std::map<int, std::wstring> texts = {
        {STATE_USB_CONNECTED, L"USB连接成功"},
        {STATE_USB_CONNECTING, L"USB开始连接"},
        {STATE_USB_CONNECTING_NO_DEVICE_CHECK, L"USB开始连接(不检测设备类型)"},
        {STATE_WIFI_CONNECTED, L"WIFI连接成功"},
        {STATE_WIFI_CONNECTING, L"WIFI开始连接"},
    };
    const auto found = texts.find(state);
    return found == texts.end() ? std::wstring() : found->second;
}

// The "close_time" member of the launch document's "act_log" object, or null.
boost::property_tree::wptree* FindCloseTime(JsonBuilder* launch)
{
    if (!launch)
        return nullptr;
    for (auto& member : launch->Root()) {
        if (member.first != L"act_log")
            continue;
        for (auto& field : member.second)
            if (field.first == L"close_time")
                return &field.second;
        return nullptr;
    }
    return nullptr;
}

}  // namespace

bool KwStat::CollectAppLunchyInfo_Sync()
{
    if (!BeginCall(kCallPrefix + L"CollectAppLunchyInfo_Sync"))
        return EndCall(false);
    BuildDevInfo();
    tree_->BeginObject(L"act_log");
    tree_->Put(L"open_time", CurrentTimeText());
    tree_->PutNarrow(L"close_time", "0");
    launchSnapshot_ = tree_->Clone();
    return EndCall(Send());
}

bool KwStat::CollectAppExitInfo_Sync()
{
    if (!BeginCall(kCallPrefix + L"CollectAppExitInfo_Sync"))
        return EndCall(false);
    boost::property_tree::wptree* closeTime = FindCloseTime(launchSnapshot_.get());
    if (!closeTime) {
        DebugOutput(L"fail, CollectAppExitInfo_Sync, no find lunchy info");
        return EndCall(false);
    }
    // The exit reuses the launch's device description and open time.
    closeTime->data() = CurrentTimeText();
    tree_ = launchSnapshot_->Clone();
    return EndCall(Send());
}

bool KwStat::CollectAppExceptionInfo_Sync(std::wstring message)
{
    bool sent = false;
    {
        CriticalSectionGuard guard(shared_->lock);
        callName_ = kCallPrefix + L"CollectAppExceptionInfo_Sync";
        if (tree_) {
            BuildDevInfo();
            tree_->BeginObject(L"error_log");
            tree_->Put(L"acttime", CurrentTimeText());
            tree_->Put(L"error_msg", message);
            sent = Send();
        }
        DebugOutput(L"CollectAppExceptionInfo_Sync end");
    }
    return sent;
}

bool KwStat::SendEvent_Sync(const tagSTAT_CUSTOM_EVENT& event)
{
    if (!BeginCall(kCallPrefix + L"SendEvent_Sync"))
        return EndCall(false);
    BuildDevInfo();
    tree_->BeginObject(L"event_log");
    AddCustomEvent(event);
    return EndCall(Send());
}

bool KwStat::ReportEvent(const std::wstring& name, const tagSTAT_CUSTOM_EVENT& event)
{
    if (!BeginCall(kCallPrefix + name))
        return EndCall(false);
    return EndCall(SendEvent_Sync(event));
}

std::wstring KwStat::VersionAndChannel() const
{
    return config_.version + L"+" + config_.channel;
}

bool KwStat::CollectPhoneConnectState_Sync(ENUM_PHONE_CONNECT_STATE state)
{
    const std::wstring text = PhoneStateText(state);
    if (text.empty())
        return false;
    return ReportEvent(L"CollectPhoneConnectState_Sync" + text, {L"linkMobile", text});
}

bool KwStat::CollectInstall_Sync()
{
    DebugOutput(L"CollectInstall_Sync begin");
    return ReportEvent(L"CollectInstall_Sync", {L"install", VersionAndChannel()});
}

bool KwStat::CollectUnInstall_Sync()
{
    return ReportEvent(L"CollectUnInstall_Sync", {L"uninst", VersionAndChannel()});
}

bool KwStat::CollectUpdate_Sync()
{
    DebugOutput(L"begin CollectUpdate_Sync");
    return ReportEvent(L"CollectUpdate_Sync", {L"update", VersionAndChannel()});
}

bool KwStat::CollectUnInstallFeedback_Sync(std::wstring reason, std::wstring detail)
{
    if (reason.empty())
        return false;
    return ReportEvent(L"CollectUnInstallFeedback_Sync", {L"uninstfeedback", reason + L"+" + detail});
}

bool KwStat::CollectUnInstallFeedbackReason_Sync(int nReason)
{
    if (nReason < 1 || nReason == 128)
        return false;
    if (!BeginCall(L"CollectUnInstallFeedback_Sync nReason"))
        return EndCall(false);
    reasonBits_ = nReason;
    BuildDevInfo();
    tree_->BeginObject(L"event_log");
    for (int bit : {1, 4, 8, 16, 32, 64}) {
        const auto text = reasonTexts_.find(bit);
        if ((reasonBits_ & bit) && text != reasonTexts_.end())
            AddCustomEvent({L"uninstfeedback", text->second});
    }
    return EndCall(Send());
}

bool KwStat::SendDownloadEvent(const std::wstring& category, const std::wstring& item)
{
    CriticalSectionGuard guard(shared_->lock);
    return SendEvent_Sync({category, item});
}

bool KwStat::ReportDownload(const std::wstring& name, const std::wstring& category, const std::wstring& item)
{
    if (!BeginCall(kCallPrefix + name))
        return EndCall(false);
    return EndCall(SendDownloadEvent(category, item));
}

bool KwStat::CollectDownloadSoft_Sync(std::wstring name)
{
    return ReportDownload(L"CollectDownloadSoft_Sync", L"PCdownload", name);
}

bool KwStat::CollectDownloadMusic_Sync(std::wstring name)
{
    return ReportDownload(L"CollectDownloadMusic_Sync", L"MusicDownload", name);
}

bool KwStat::CollectDownloadWP_Sync(std::wstring name)
{
    return ReportDownload(L"CollectDownloadWP_Sync", L"WPdownload", name);
}

}  // namespace ns_kw_stat
