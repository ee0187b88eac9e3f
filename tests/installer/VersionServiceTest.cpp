// The version service's answer formats and addresses.
#include <gtest/gtest.h>

#include <windows.h>

#include "InstallerGlobals.h"
#include "CStringPrinting.h"
#include "InstallerUtils.h"
#include "ServiceHosts.h"
#include "VersionService.h"

TEST(ParseVersionAnswer, FiveFieldsWithTheMd5ClosedByABrace)
{
    const VersionAnswer answer =
        ParseVersionAnswer(L"1`2.5.1.300`TavrinSetup.exe`http://host/p/TavrinSetup.exe`ABCDEF0123}tail");
    EXPECT_EQ(1, answer.engineKind);
    EXPECT_EQ(CString(L"2.5.1.300"), answer.newestVersion);
    EXPECT_EQ(CString(L"TavrinSetup.exe"), answer.setupFileName);
    EXPECT_EQ(CString(L"http://host/p/TavrinSetup.exe"), answer.downloadUrl);
    EXPECT_EQ(CString(L"ABCDEF0123"), answer.expectedMd5);
}

TEST(ParseVersionAnswer, MissingSeparatorsLeaveFieldsEmpty)
{
    const VersionAnswer twoZeros = ParseVersionAnswer(L"00");
    EXPECT_EQ(0, twoZeros.engineKind);
    EXPECT_EQ(CString(), twoZeros.newestVersion);
    EXPECT_EQ(CString(), twoZeros.setupFileName);
    EXPECT_EQ(CString(), twoZeros.downloadUrl);
    EXPECT_EQ(CString(), twoZeros.expectedMd5);

    // Without backticks the rest stays whole, so the MD5 is everything before the brace.
    EXPECT_EQ(CString(L"abc"), ParseVersionAnswer(L"abc}").expectedMd5);
    // Two fields only: the later fields stay empty and the MD5 needs a brace.
    const VersionAnswer shortAnswer = ParseVersionAnswer(L"0`3.1`rest");
    EXPECT_EQ(CString(L"3.1"), shortAnswer.newestVersion);
    EXPECT_EQ(CString(), shortAnswer.setupFileName);
    EXPECT_EQ(CString(), shortAnswer.expectedMd5);
}

TEST(ParseVersionAnswer, EngineKindReadsLikeWtoi)
{
    EXPECT_EQ(1, ParseVersionAnswer(L"  1`").engineKind);
    EXPECT_EQ(12, ParseVersionAnswer(L"12abc`").engineKind);
    EXPECT_EQ(-3, ParseVersionAnswer(L"-3`").engineKind);
    EXPECT_EQ(7, ParseVersionAnswer(L"+7`").engineKind);
    EXPECT_EQ(0, ParseVersionAnswer(L"x1`").engineKind);
    EXPECT_EQ(0, ParseVersionAnswer(L"`").engineKind);
}

TEST(ChangeLogNotes, EachPartBeforeABacktickIsOneLine)
{
    EXPECT_EQ(CString(L"a\r\nb\r\n"), ChangeLogNotes(L"a`b`c"));
    EXPECT_EQ(CString(L"\r\n中文\r\n"), ChangeLogNotes(L"`中文`"));
    EXPECT_EQ(CString(), ChangeLogNotes(L"no separator"));
    EXPECT_EQ(CString(), ChangeLogNotes(L""));
}

TEST(DecodeUtf8Text, BytesUpToTheFirstZero)
{
    EXPECT_EQ(CString(L"版本`ü"), DecodeUtf8Text(CStringA("\xE7\x89\x88\xE6\x9C\xAC`\xC3\xBC")));
    EXPECT_EQ(CString(L"ab"), DecodeUtf8Text(CStringA("ab\0cd", 5)));
}

TEST(MajorMinorOf, CutsAtTheLastDotTwice)
{
    EXPECT_EQ(CString(L"2.5"), MajorMinorOf(L"2.5.1.300"));
    EXPECT_EQ(CString(L"2"), MajorMinorOf(L"2.5.1"));
    EXPECT_EQ(CString(L"3"), MajorMinorOf(L"3.1"));
    EXPECT_EQ(CString(L"4"), MajorMinorOf(L"4"));
    EXPECT_EQ(CString(), MajorMinorOf(L""));
}

class ServiceAddresses : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = GetTempFolder() + L"service addresses";
        CreateDirectoryW(folder_, nullptr);
        DeleteFileW(Marker());
    }
    void TearDown() override
    {
        DeleteFileW(Marker());
        RemoveDirectoryW(folder_);
        g_installedVersion.Empty();
    }
    CString Marker() const { return folder_ + L"\\qmotestver"; }

    static void ExpectAddresses(const CString& host, const CString& version)
    {
        EXPECT_EQ(host + L"/up.php?value={ver:v" + version + L",type:log}", g_changeLogUrl);
        EXPECT_EQ(host + L"/up.php?value={ver:v" + version + L",type:info,mode:tvn}", g_versionInfoUrl);
        // The agreement address keeps its placeholder.
        EXPECT_EQ(host + L"/goto.php?value={ver:v%s,type:protocol}", g_agreementUrl);
        EXPECT_EQ(CString(L"Tavrin装机版"), g_displayName);
    }

    CString folder_;
};

TEST_F(ServiceAddresses, OfficialHostWithTheInstalledVersion)
{
    g_installedVersion = L"2.4.0.12";
    g_displayName = L"stale";
    SetServiceAddresses(folder_);
    ExpectAddresses(kOfficialServiceHost, L"2.4.0.12");
}

TEST_F(ServiceAddresses, EmptyMarkerSelectsTheTestHost)
{
    HANDLE marker = CreateFileW(Marker(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, marker);
    CloseHandle(marker);
    EXPECT_TRUE(IsTestModeFolder(folder_));

    g_installedVersion.Empty();
    SetServiceAddresses(folder_);
    // Nothing stands between the v and the comma.
    ExpectAddresses(kTestServiceHost, L"");
}

TEST_F(ServiceAddresses, MarkerMustLieInTheProgramFolder)
{
    EXPECT_FALSE(IsTestModeFolder(folder_));
    EXPECT_FALSE(IsTestModeFolder(folder_ + L"\\missing"));
}
