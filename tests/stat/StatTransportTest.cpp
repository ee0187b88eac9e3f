// How reports travel and how the object behaves around them: server answers and failures, keys that
// cannot be used, the asynchronous forms, and the object's lifecycle.
#include "StatReportFixture.h"

#include "ServiceControl.h"

using TransportTest = StatReportFixture;

namespace {

// Nothing listens on port 1 of the loopback address.
const wchar_t kClosedPortServer[] = L"http://127.0.0.1:1";

}  // namespace

TEST_F(TransportTest, AnyHttpAnswerCountsAsSentAndEachSendIsCounted)
{
    ServiceSet(L"stat.mode", L"404");
    ASSERT_TRUE(stat_->CollectInstall_Sync());
    ASSERT_TRUE(stat_->CollectUpdate_Sync());
    EXPECT_EQ(2u, Received(2).size());
    std::vector<std::wstring> counts;
    for (const std::wstring& line : traces_.Lines())
        if (line.rfind(L"send times:", 0) == 0)
            counts.push_back(line.substr(11));
    ASSERT_EQ(2u, counts.size());
    EXPECT_EQ(_wtoi(counts[0].c_str()) + 1, _wtoi(counts[1].c_str()));
    EXPECT_EQ(1, traces_.Count(L"CollectInstall_Sync begin"));
    EXPECT_EQ(1, traces_.Count(L"begin CollectUpdate_Sync"));
}

TEST_F(TransportTest, RefusedOrDroppedConnectionFailsWithTraces)
{
    stat_->GetConfig()->server = kClosedPortServer;
    EXPECT_FALSE(stat_->CollectInstall_Sync());
    EXPECT_EQ(1, traces_.Count(L"send data fail:ns_kw_stat::KwStat::CollectInstall_Sync"));
    EXPECT_EQ(1, traces_.Count(L"send fail:ns_kw_stat::KwStat::CollectInstall_Sync"));
    EXPECT_EQ(0, traces_.CountPrefix(L"end "));

    stat_->GetConfig()->server = ServiceUrl(L"");
    ServiceSet(L"stat.mode", L"close");
    EXPECT_FALSE(stat_->CollectDownloadSoft_Sync(L"x"));
    EXPECT_EQ(1, traces_.Count(L"send fail:ns_kw_stat::KwStat::CollectDownloadSoft_Sync"));
}

TEST_F(TransportTest, ServerThatNeverAnswersIsGivenUpAfterSixSeconds)
{
    // The six seconds are the report's fixed time-out. The server holds its answer far longer, so the
    // call can only end by the client's own time-out: not before the six seconds (a timer's grain
    // below), and well within the hold however loaded the machine.
    ServiceSet(L"stat.mode", L"stall");
    ServiceSet(L"stat.stall_seconds", L"600");
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(stat_->CollectAppLunchyInfo_Sync());
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_GE(elapsed, 5500u);
    EXPECT_LE(elapsed, 60000u);
    ServiceRelease();
    EXPECT_EQ(1u, Received(1).size()) << "the request itself arrived";
}

TEST_F(TransportTest, FloodingAnswerIsReadToItsEndAndTheReportCountsAsSent)
{
    // The answer is twice what the client keeps of it.
    ServiceSet(L"stat.mode", L"flood");
    EXPECT_TRUE(stat_->CollectInstall_Sync());
    EXPECT_EQ(1u, Received(1).size());
}

TEST_F(TransportTest, ServerAddressIsTakenLiterallyAndPayloadIsNotEscaped)
{
    stat_->GetConfig()->server = ServiceUrl(L"/a%s%d%25");
    ASSERT_TRUE(stat_->CollectAppLunchyInfo_Sync());
    const std::vector<StatRecord> records = Received(1);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(L"/a%s%d%25", records[0].base);
    EXPECT_EQ(0u, records[0].text.find(L"{\"dev_info\""));
    // About 250 Base64 characters: "+" or "/" is all but certain to occur, and came through raw.
    EXPECT_NE(std::wstring::npos, records[0].payload.find_first_of(L"+/"));
    EXPECT_EQ(std::wstring::npos, records[0].payload.find(L'%'));
}

TEST_F(TransportTest, UnusableKeyOrVectorFailsTheReportWithoutRequest)
{
    const std::wstring keys[] = {L"", L"short", std::wstring(31, L'k'), std::wstring(33, L'k')};
    for (const std::wstring& key : keys) {
        stat_->GetConfig()->key = key;
        EXPECT_FALSE(stat_->CollectInstall_Sync()) << key.size();
    }
    stat_->GetConfig()->key = std::wstring(32, L'k');
    stat_->GetConfig()->iv = L"fifteen chars!!";
    EXPECT_FALSE(stat_->CollectInstall_Sync());
    stat_->GetConfig()->iv = L"";
    EXPECT_FALSE(stat_->CollectAppExceptionInfo_Sync(L"m"));
    EXPECT_EQ(5, traces_.Count(L"send fail:ns_kw_stat::KwStat::CollectInstall_Sync"));
    ExpectNothingArrived();
}

TEST_F(TransportTest, AsynchronousFormsReturnAtOnceAndTheirReportsArrive)
{
    // The server holds every answer until released: a call that waited for its report would
    // find all of them recorded by the time it returned.
    ServiceSet(L"stat.mode", L"stall");
    ServiceSet(L"stat.stall_seconds", L"600");
    EXPECT_TRUE(stat_->CollectAppLunchyInfo());
    EXPECT_TRUE(stat_->CollectAppExceptionInfo(L"e"));
    EXPECT_TRUE(stat_->CollectPhoneConnectState(ns_kw_stat::STATE_WIFI_CONNECTING));
    EXPECT_TRUE(stat_->CollectInstall());
    EXPECT_TRUE(stat_->CollectUnInstall());
    EXPECT_TRUE(stat_->CollectUpdate());
    EXPECT_TRUE(stat_->CollectUnInstallFeedback(L"a", L"b"));
    EXPECT_TRUE(stat_->CollectUnInstallFeedbackReason(8));
    EXPECT_TRUE(stat_->CollectDownloadSoft(L"s"));
    EXPECT_TRUE(stat_->CollectDownloadMusic(L"m"));
    EXPECT_TRUE(stat_->CollectDownloadWP(L"w"));
    EXPECT_TRUE(stat_->SendEvent({L"c", L"d"}));
    EXPECT_TRUE(stat_->CollectPhoneConnectState(static_cast<ns_kw_stat::ENUM_PHONE_CONNECT_STATE>(9)))
        << "true even though its twin fails";
    EXPECT_LT(ReadStatRecords().size(), 12u) << "the calls did not wait for their reports";
    // From here on the server drops each request unanswered, the held one included.
    ServiceSet(L"stat.mode", L"close");
    ServiceRelease();

    const std::vector<StatRecord> records = Received(12);
    ASSERT_EQ(12u, records.size());
    std::wstring all;
    for (const StatRecord& record : records)
        all += record.text;
    for (const wchar_t* part : {L"\"act_log\"", L"\"error_log\"", L"\"lable\":\"linkMobile\"", L"\"lable\":\"install\"",
                                L"\"lable\":\"uninst\"", L"\"lable\":\"update\"", L"\"name\":\"a+b\"",
                                L"\"name\":\"\\u4E0B\\u8F7D\\u7684\\u5E94\\u7528\\u6709\\u95EE\\u9898\"",
                                L"\"lable\":\"PCdownload\"", L"\"lable\":\"MusicDownload\"", L"\"lable\":\"WPdownload\"",
                                L"\"lable\":\"c\""})
        EXPECT_NE(std::wstring::npos, all.find(part)) << std::string(part, part + wcslen(part));

    // The exit, once the launch has certainly been made, reports the launch's document closed.
    EXPECT_TRUE(stat_->CollectAppExitInfo());
    const std::vector<StatRecord> withExit = Received(13);
    ASSERT_EQ(13u, withExit.size());
    EXPECT_NE(std::wstring::npos, withExit.back().text.find(L"\"act_log\""));
    EXPECT_EQ(std::wstring::npos, withExit.back().text.find(L"\"close_time\":\"0\""));

    // The threads took turns on the lock: each failed report (the server closes without answering)
    // traced its end once, under its own outermost name, however the threads interleaved.
    CStatFactory::Clear(stat_);  // waits for the reports still sending
    stat_ = nullptr;
    const std::wstring failed = L"send fail:ns_kw_stat::KwStat::";
    for (const wchar_t* name : {L"CollectAppLunchyInfo_Sync", L"CollectAppExitInfo_Sync", L"CollectInstall_Sync",
                                L"CollectUnInstall_Sync", L"CollectUpdate_Sync", L"CollectUnInstallFeedback_Sync",
                                L"CollectDownloadSoft_Sync", L"CollectDownloadMusic_Sync", L"CollectDownloadWP_Sync",
                                L"SendEvent_Sync"})
        EXPECT_EQ(1, traces_.Count(failed + name)) << std::string(name, name + wcslen(name));
    EXPECT_EQ(1, traces_.CountPrefix(failed + L"CollectPhoneConnectState_Sync"));
    EXPECT_EQ(1, traces_.Count(L"send fail:CollectUnInstallFeedback_Sync nReason"));
    EXPECT_EQ(1, traces_.Count(L"CollectAppExceptionInfo_Sync end"));
    EXPECT_EQ(12, traces_.CountPrefix(L"send fail:"));
    EXPECT_EQ(13, traces_.CountPrefix(L"send data fail:"));
    EXPECT_EQ(0, traces_.CountPrefix(L"end "));
}

TEST_F(TransportTest, DestructionWaitsForReportsStillRunningAndDropsQueuedOnes)
{
    // The server holds the first report's answer; the others queue behind it on the object's lock.
    ServiceSet(L"stat.mode", L"stall");
    ServiceSet(L"stat.stall_seconds", L"600");
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(stat_->CollectInstall());
    ASSERT_TRUE(WaitForStatRecordCount(1)) << "one report is in flight, held by the server";
    CStatFactory::Clear(stat_);
    stat_ = nullptr;
    EXPECT_EQ(1, traces_.Count(L"send fail:ns_kw_stat::KwStat::CollectInstall_Sync"))
        << "waited for the report in flight to end";
    EXPECT_EQ(1, traces_.CountPrefix(L"send times:")) << "did not run the queued ones";
    ServiceRelease();
    EXPECT_EQ(1u, WaitForStatRecords(1).size());
}

TEST_F(TransportTest, ReportsBeforeInitFailAndRepeatedInitKeepsTheObjectWorking)
{
    ns_kw_stat::IKwStat* fresh = CStatFactory::MakeKwStat();
    ASSERT_NE(nullptr, fresh);
    EXPECT_FALSE(fresh->CollectAppLunchyInfo_Sync());
    EXPECT_FALSE(fresh->SendEvent_Sync({L"c", L"d"}));
    EXPECT_FALSE(fresh->CollectAppExceptionInfo_Sync(L"m"));
    EXPECT_TRUE(fresh->Init());
    EXPECT_TRUE(fresh->CollectAppLunchyInfo_Sync());
    EXPECT_TRUE(fresh->Init());
    EXPECT_TRUE(fresh->CollectAppExitInfo_Sync()) << "the launch snapshot survives a repeated Init";
    CStatFactory::Clear(fresh);
    CStatFactory::Clear(nullptr);
    EXPECT_EQ(2u, Received(2).size());

    // Init while detached reports are building and sending their documents.
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(stat_->CollectUnInstall());
        EXPECT_TRUE(stat_->Init());
    }
    const std::vector<StatRecord> records = Received(6);
    ASSERT_EQ(6u, records.size());
    for (size_t i = 2; i < records.size(); ++i)
        EXPECT_NE(std::wstring::npos, records[i].text.find(L"\"lable\":\"uninst\""));
}
