// The install report's query: field order, trimming of the serial number, escaping.
#include <gtest/gtest.h>

#include "InstallReport.h"

namespace {

const wchar_t kHost[] = L"http://report.test/report";

TEST(InstallReportUrl, NamesMachineVersionAndChannelInOrder)
{
    EXPECT_STREQ(L"http://report.test/report?tvn_onlineinstall_00-1A-2B-3C-4D-5E+WD-1234_V2.5.1.300_1001=",
                 BuildInstallReportUrl(kHost, L"00-1A-2B-3C-4D-5E", L"WD-1234", L"2.5.1.300", L"1001").GetString());
}

TEST(InstallReportUrl, SerialNumberLosesSurroundingWhiteSpaceAndEmptyChannelEndsInUnderscore)
{
    EXPECT_STREQ(L"http://report.test/report?tvn_onlineinstall_00-1A-2B-3C-4D-5E+WD-1234_V2.5.1.300_=",
                 BuildInstallReportUrl(kHost, L"00-1A-2B-3C-4D-5E", L" \tWD-1234   ", L"2.5.1.300", L"")
                     .GetString());
}

TEST(InstallReportUrl, FieldsCannotChangeTheQueryOrInjectFormatDirectives)
{
    const CString url = BuildInstallReportUrl(kHost, L"", L"A B", L"%s%n", L"x&y=z+#");
    EXPECT_STREQ(L"http://report.test/report?tvn_onlineinstall_+A%20B_V%25s%25n_x%26y%3Dz%2B%23=", url.GetString());
}

TEST(InstallReportUrl, NonAsciiFieldsAreEscapedAsUtf8)
{
    EXPECT_STREQ(L"%E6%B8%A0%E9%81%93", EscapeQueryField(L"渠道").GetString());
    EXPECT_STREQ(L"Az09-._~", EscapeQueryField(L"Az09-._~").GetString());
}

}  // namespace
