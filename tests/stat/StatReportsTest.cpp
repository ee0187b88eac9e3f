// Every report kind, sent to the local statistics server and decrypted there: the document text
// (members, order, values, escapes, one trailing newline) and the single end-of-call trace.
#include "StatReportFixture.h"

#include "ServiceControl.h"

#include <functional>

using ns_kw_stat::IKwStat;

using ReportsTest = StatReportFixture;

TEST_F(ReportsTest, LaunchThenTwoExitsReuseTheLaunchDescription)
{
    const int64_t start = Now();
    ASSERT_TRUE(stat_->CollectAppLunchyInfo_Sync());
    WaitForNextSecond();
    ASSERT_TRUE(stat_->CollectAppExitInfo_Sync());
    WaitForNextSecond();
    ASSERT_TRUE(stat_->CollectAppExitInfo_Sync());
    const std::vector<StatRecord> records = Received(3);
    ASSERT_EQ(3u, records.size());

    const std::wstring launch = L"{" + DevInfo() + L"\"act_log\":{\"open_time\":\"T\",\"close_time\":\"0\"}}\n";
    EXPECT_EQ(launch, MaskTimes(records[0].text, start, Now()));
    const std::wstring exit = L"{" + DevInfo() + L"\"act_log\":{\"open_time\":\"T\",\"close_time\":\"T\"}}\n";
    EXPECT_EQ(exit, MaskTimes(records[1].text, start, Now()));
    EXPECT_EQ(exit, MaskTimes(records[2].text, start, Now()));
    // Same open time each time, a later close time each time.
    const size_t close = records[0].text.find(L"\"close_time\"");
    EXPECT_EQ(records[0].text.substr(0, close), records[1].text.substr(0, close));
    EXPECT_EQ(records[0].text.substr(0, close), records[2].text.substr(0, close));
    EXPECT_LT(records[1].text, records[2].text);
    for (const StatRecord& record : records) {
        EXPECT_EQ(L"11", record.appId);
        EXPECT_EQ(L"module", record.key);
    }
    EXPECT_EQ(1, traces_.Count(L"end ns_kw_stat::KwStat::CollectAppLunchyInfo_Sync"));
    EXPECT_EQ(2, traces_.Count(L"end ns_kw_stat::KwStat::CollectAppExitInfo_Sync"));
}

TEST_F(ReportsTest, ExitWithoutLaunchSendsNothingAndLeavesTheObjectUsable)
{
    EXPECT_FALSE(stat_->CollectAppExitInfo_Sync());
    EXPECT_EQ(1, traces_.Count(L"fail, CollectAppExitInfo_Sync, no find lunchy info"));
    EXPECT_EQ(1, traces_.Count(L"send fail:ns_kw_stat::KwStat::CollectAppExitInfo_Sync"));
    EXPECT_EQ(0, traces_.CountPrefix(L"send times:"));
    EXPECT_TRUE(stat_->CollectAppLunchyInfo_Sync());
    EXPECT_EQ(1u, Received(1).size());
    EXPECT_EQ(1, traces_.Count(L"end ns_kw_stat::KwStat::CollectAppLunchyInfo_Sync"));
}

TEST_F(ReportsTest, ExceptionReportEscapesItsMessageAndTracesItsOwnEnd)
{
    const int64_t start = Now();
    ASSERT_TRUE(stat_->CollectAppExceptionInfo_Sync(L"安装成功 \"a/b\\c\"\t\n"));
    const std::vector<StatRecord> records = Received(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(L"{" + DevInfo() + L"\"error_log\":{\"acttime\":\"T\",\"error_msg\":"
                  L"\"\\u5B89\\u88C5\\u6210\\u529F \\\"a\\/b\\\\c\\\"\\t\\n\"}}\n",
              MaskTimes(records[0].text, start, Now()));
    EXPECT_EQ(1, traces_.Count(L"CollectAppExceptionInfo_Sync end"));
    EXPECT_EQ(0, traces_.CountPrefix(L"end "));
    EXPECT_EQ(0, traces_.CountPrefix(L"send fail:"));
}

struct EventCase {
    const char* name;
    std::function<bool(IKwStat*)> report;
    std::wstring trace;  // end-of-call trace line, or its start when it holds Chinese text
    std::wstring item;   // "name" and "lable" members as sent
};

TEST_F(ReportsTest, EveryCustomEventReportSendsOneItemUnderItsOutermostName)
{
    StatConfig* config = stat_->GetConfig();
    config->version = L"2.5.1.300";
    config->channel = L"official";
    const std::wstring call = L"end ns_kw_stat::KwStat::";
    const std::vector<EventCase> cases = {
        {"SendEvent", [](IKwStat* s) { return s->SendEvent_Sync({L"UPE_ONLINE_DOWN_OK", L"在线下载成功 "}); },
         call + L"SendEvent_Sync",
         L"\"name\":\"\\u5728\\u7EBF\\u4E0B\\u8F7D\\u6210\\u529F \",\"lable\":\"UPE_ONLINE_DOWN_OK\""},
        {"Phone", [](IKwStat* s) { return s->CollectPhoneConnectState_Sync(ns_kw_stat::STATE_USB_CONNECTED); },
         call + L"CollectPhoneConnectState_Sync", L"\"name\":\"USB\\u8FDE\\u63A5\\u6210\\u529F\",\"lable\":\"linkMobile\""},
        {"Install", [](IKwStat* s) { return s->CollectInstall_Sync(); }, call + L"CollectInstall_Sync",
         L"\"name\":\"2.5.1.300+official\",\"lable\":\"install\""},
        {"UnInstall", [](IKwStat* s) { return s->CollectUnInstall_Sync(); }, call + L"CollectUnInstall_Sync",
         L"\"name\":\"2.5.1.300+official\",\"lable\":\"uninst\""},
        {"Update", [](IKwStat* s) { return s->CollectUpdate_Sync(); }, call + L"CollectUpdate_Sync",
         L"\"name\":\"2.5.1.300+official\",\"lable\":\"update\""},
        {"Feedback", [](IKwStat* s) { return s->CollectUnInstallFeedback_Sync(L"slow", L"too"); },
         call + L"CollectUnInstallFeedback_Sync", L"\"name\":\"slow+too\",\"lable\":\"uninstfeedback\""},
        {"FeedbackNoDetail", [](IKwStat* s) { return s->CollectUnInstallFeedback_Sync(L"slow", L""); },
         call + L"CollectUnInstallFeedback_Sync", L"\"name\":\"slow+\",\"lable\":\"uninstfeedback\""},
        {"Soft", [](IKwStat* s) { return s->CollectDownloadSoft_Sync(L"app"); }, call + L"CollectDownloadSoft_Sync",
         L"\"name\":\"app\",\"lable\":\"PCdownload\""},
        {"Music", [](IKwStat* s) { return s->CollectDownloadMusic_Sync(L"song"); },
         call + L"CollectDownloadMusic_Sync", L"\"name\":\"song\",\"lable\":\"MusicDownload\""},
        {"Wallpaper", [](IKwStat* s) { return s->CollectDownloadWP_Sync(L"wp"); }, call + L"CollectDownloadWP_Sync",
         L"\"name\":\"wp\",\"lable\":\"WPdownload\""},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        ServiceReset();
        traces_.Clear();
        const int64_t start = Now();
        EXPECT_TRUE(c.report(stat_));
        const std::vector<StatRecord> records = Received(1);
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ(L"{" + DevInfo(L"official", L"2.5.1.300") + L"\"event_log\":[{" + c.item +
                      L",\"acttime\":\"T\",\"num\":\"1\"}]}\n",
                  MaskTimes(records[0].text, start, Now()));
        EXPECT_EQ(1, traces_.CountPrefix(L"end "));
        EXPECT_EQ(1, traces_.CountPrefix(c.trace));
    }
}

TEST_F(ReportsTest, FeedbackReasonsSendOneItemPerKnownBitInBitOrder)
{
    const int64_t start = Now();
    ASSERT_TRUE(stat_->CollectUnInstallFeedbackReason_Sync(5));
    ASSERT_TRUE(stat_->CollectUnInstallFeedbackReason_Sync(2));
    const std::vector<StatRecord> records = Received(2);
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(L"{" + DevInfo() +
                  L"\"event_log\":[{\"name\":\"\\u624B\\u673A\\u52A9\\u624B\\u8FDE\\u63A5\\u4E0D\\u4E0A\","
                  L"\"lable\":\"uninstfeedback\",\"acttime\":\"T\",\"num\":\"1\"},"
                  L"{\"name\":\"\\u6211\\u4F7F\\u7528\\u7684\\u4E0D\\u662F\\u5B89\\u5353\\u624B\\u673A\","
                  L"\"lable\":\"uninstfeedback\",\"acttime\":\"T\",\"num\":\"1\"}]}\n",
              MaskTimes(records[0].text, start, Now()));
    EXPECT_EQ(L"{" + DevInfo() + L"\"event_log\":\"\"}\n", records[1].text);
    EXPECT_EQ(2, traces_.Count(L"end CollectUnInstallFeedback_Sync nReason"));
}

TEST_F(ReportsTest, RejectedArgumentsReturnFalseWithoutTraceOrRequest)
{
    EXPECT_FALSE(stat_->CollectPhoneConnectState_Sync(static_cast<ns_kw_stat::ENUM_PHONE_CONNECT_STATE>(5)));
    EXPECT_FALSE(stat_->CollectPhoneConnectState_Sync(static_cast<ns_kw_stat::ENUM_PHONE_CONNECT_STATE>(-1)));
    EXPECT_FALSE(stat_->CollectUnInstallFeedbackReason_Sync(0));
    EXPECT_FALSE(stat_->CollectUnInstallFeedbackReason_Sync(-4));
    EXPECT_FALSE(stat_->CollectUnInstallFeedbackReason_Sync(128));
    EXPECT_FALSE(stat_->CollectUnInstallFeedback_Sync(L"", L"detail"));
    EXPECT_TRUE(traces_.Lines().empty());
    ExpectNothingArrived();
}

TEST_F(ReportsTest, SettingsWrittenThroughGetConfigOrSetConfigApplyToTheNextReport)
{
    StatConfig* config = stat_->GetConfig();
    config->appId = L"16";
    config->key = L"3f8a2c71d6b94e05a7c18f2b6d3e9a40";
    ASSERT_TRUE(stat_->CollectInstall_Sync());

    StatConfig replaced;
    replaced.server = ServiceUrl(L"");
    replaced.key = L"0123456789abcdef";
    replaced.iv = L"fedcba9876543210";
    replaced.appId = L"7";
    replaced.version = L"1.0";
    ServiceSet(L"stat.key", replaced.key);
    ServiceSet(L"stat.iv", replaced.iv);
    stat_->SetConfig(replaced);
    ASSERT_TRUE(stat_->CollectInstall_Sync());

    const std::vector<StatRecord> records = Received(2);
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(L"16", records[0].appId);
    EXPECT_EQ(L"installer", records[0].key);
    EXPECT_EQ(L"7", records[1].appId);
    EXPECT_EQ(L"state", records[1].key);
    EXPECT_NE(std::wstring::npos, records[1].text.find(L"\"channel\":\"0000\"")) << "SetConfig keeps channel 0000";
    EXPECT_NE(std::wstring::npos, records[1].text.find(L"\"name\":\"1.0+0000\""));
}
