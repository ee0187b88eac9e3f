// The text request and the fire-and-forget request against the local test service.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CStringPrinting.h"
#include "InstallerUtils.h"
#include "ServiceControl.h"

namespace {

CString VersionUrl(int port = 8731)
{
    return CString(ServiceUrl(L"/up.php?value={ver:v1.0,type:info,mode:tvn}", port).c_str());
}

}  // namespace

class HttpRequests : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ServiceReset()); }
    void TearDown() override { ServiceReset(); }
};

TEST_F(HttpRequests, BodyKeepsItsRawBytesUntilDecoded)
{
    ServiceSet(L"version.info_text", L"版本`ü");
    const CStringA body = HttpGetText(VersionUrl());
    // UTF-8 bytes of 版 (E7 89 88), 本 (E6 9C AC), the backtick, ü (C3 BC).
    EXPECT_EQ(CStringA("\xE7\x89\x88\xE6\x9C\xAC`\xC3\xBC"), body);
    EXPECT_EQ(CString(L"版本`ü"), DecodeUtf8Text(body));
}

TEST_F(HttpRequests, DecodingStopsAtAZeroByte)
{
    EXPECT_EQ(CString(L"ab"), DecodeUtf8Text(CStringA("ab\0cd", 5)));
    EXPECT_EQ(CString(), DecodeUtf8Text(CStringA()));
}

TEST_F(HttpRequests, EveryRequestReachesTheService)
{
    // Two requests of the same address with different answers: nothing is served from a cache.
    ServiceSet(L"version.info", L"zero");
    EXPECT_EQ(CStringA("0"), HttpGetText(VersionUrl(8732)));
    ServiceSet(L"version.info", L"twozeros");
    EXPECT_EQ(CStringA("00"), HttpGetText(VersionUrl(8732)));
}

TEST_F(HttpRequests, ErrorStatusGivesNoBody)
{
    ServiceSet(L"version.info", L"500");
    EXPECT_EQ(CStringA(), HttpGetText(VersionUrl()));
}

TEST_F(HttpRequests, PingSendsItsAgentAndHeaders)
{
    HttpPing(VersionUrl());
    const std::wstring records = ServiceRecords(L"version");
    EXPECT_NE(std::wstring::npos, records.find(L"\"agent\": \"Download From HTTP\"")) << records;
}

TEST_F(HttpRequests, PingOfAnUnreachableHostReturns)
{
    const DWORD start = GetTickCount();
    HttpPing(L"http://127.0.0.1:1/report");
    EXPECT_LT(GetTickCount() - start, 10000u);
}
