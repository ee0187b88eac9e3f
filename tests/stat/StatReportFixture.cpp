// Fixture of the report tests.
#include "StatReportFixture.h"

#include "KwStat.h"
#include "ServiceControl.h"
#include "SystemProbes.h"

#include <time.h>
#include <windows.h>

#include <regex>

void StatReportFixture::SetUp()
{
    ASSERT_TRUE(ServiceReset());
    registry_.Set(L"svcVersion", L"11.0.9600.16428");
    stat_ = CStatFactory::MakeKwStat();
    ASSERT_NE(nullptr, stat_);
    ASSERT_TRUE(stat_->Init());
    traces_.Clear();
}

void StatReportFixture::TearDown()
{
    CStatFactory::Clear(stat_);
    ServiceReset();
}

std::wstring StatReportFixture::DevInfo(const std::wstring& channel, const std::wstring& version) const
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    ns_kw_stat::KwStat probe;
    return L"\"dev_info\":{\"channel\":\"" + channel + L"\",\"os_name\":\"" + ns_kw_stat::GetOSName() +
           L"\",\"os_type\":\"" + (wow64 ? L"64" : L"32") + L"\",\"dev_name\":\"" + probe.GetDeviceId() +
           L"\",\"ie_ver\":\"11\",\"ver\":\"" + version + L"\",\"sim_id\":\"\"},";
}

std::wstring StatReportFixture::MaskTimes(const std::wstring& text, int64_t from, int64_t to)
{
    static const std::wregex time(L"\"(open_time|close_time|acttime)\":\"([0-9]+)\"");
    std::wstring masked;
    std::wsregex_iterator it(text.begin(), text.end(), time), end;
    size_t copied = 0;
    for (; it != end; ++it) {
        const std::wsmatch& match = *it;
        masked.append(text, copied, static_cast<size_t>(match.position(0)) - copied);
        copied = static_cast<size_t>(match.position(0) + match.length(0));
        const int64_t value = _wtoi64(match.str(2).c_str());
        if (match.str(1) == L"close_time" && value == 0) {
            masked += match.str(0);
            continue;
        }
        EXPECT_GE(value, from);
        EXPECT_LE(value, to);
        masked += L"\"" + match.str(1) + L"\":\"T\"";
    }
    return masked + text.substr(copied);
}

std::vector<StatRecord> StatReportFixture::Received(size_t count)
{
    std::vector<StatRecord> records = WaitForStatRecords(count);
    for (const StatRecord& record : records) {
        EXPECT_NE(L"", record.key) << "undecryptable payload";
        EXPECT_EQ((record.text.size() + 2) / 3 * 4, record.payload.size());
    }
    return records;
}

void StatReportFixture::ExpectNothingArrived()
{
    ASSERT_TRUE(ServiceIdle());
    EXPECT_TRUE(ReadStatRecords().empty());
}

int64_t StatReportFixture::Now()
{
    return _time64(nullptr);
}

void StatReportFixture::WaitForNextSecond()
{
    for (const int64_t start = Now(); Now() == start;)
        Sleep(10);
}
