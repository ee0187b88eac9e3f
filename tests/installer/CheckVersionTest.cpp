// The version query against the local test service: what is asked, how answers and failures turn
// into the controller's fields, the mode and the result.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CStringPrinting.h"
#include "InstallController.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "ServiceControl.h"
#include "UninstallKeyScope.h"
#include "VersionService.h"

namespace {

class RecordingMainView : public IMainView {
public:
    void SetNotes(const CString& notes) override
    {
        this->notes = notes;
        ++calls;
    }
    CString notes;
    int calls = 0;
};

std::wstring PortField(int port)
{
    return L"\"port\": " + std::to_wstring(port);
}

bool Recorded(const std::wstring& fragment)
{
    return ServiceRecords(L"version").find(fragment) != std::wstring::npos;
}

}  // namespace

class CheckVersion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ServiceReset());
        folder_ = GetTempFolder() + L"check version";
        CreateDirectoryW(folder_, nullptr);
        DeleteFileW(folder_ + L"\\qmotestver");
        g_commandLine.Empty();
        g_installedVersion.Empty();
        g_newestVersion.Empty();
        MODE = 2;
        SetServiceAddresses(folder_);
    }
    void TearDown() override
    {
        DeleteFileW(folder_ + L"\\qmotestver");
        RemoveDirectoryW(folder_);
        ServiceReset();
    }

    CString folder_;
    UninstallKeyScope uninstallKey_;
    DownloaderHolder holder_;
    RecordingMainView mainView_;
    InstallController controller_{&holder_, &mainView_, nullptr, nullptr, nullptr};
};

TEST_F(CheckVersion, FieldsAnswerFillsTheControllerAndDisplayName)
{
    ServiceSet(L"version.engine", L"1");
    ServiceSet(L"version.file", L"Tavrin安装包.exe");
    ServiceSet(L"version.url", L"http://example.test/pkg/x.exe");
    ServiceSet(L"version.md5", L"0123456789ABCDEF0123456789abcdef");

    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_EQ(1, controller_.engineKind);
    EXPECT_EQ(1, holder_.engineKind);
    EXPECT_EQ(CString(L"2.5.1.300"), g_newestVersion);
    EXPECT_EQ(CString(L"Tavrin安装包.exe"), controller_.setupFileName);
    EXPECT_EQ(CString(L"http://example.test/pkg/x.exe"), controller_.downloadUrl);
    EXPECT_EQ(CString(L"0123456789ABCDEF0123456789abcdef"), controller_.expectedMd5);
    EXPECT_EQ(CString(L"Tavrin装机版2.5"), g_displayName);
    EXPECT_EQ(2, MODE);
    EXPECT_EQ(0, mainView_.calls);

    // With no installed version nothing stands between the v and the comma.
    EXPECT_TRUE(Recorded(L"\"value\": \"{ver:v,type:info,mode:tvn}\""));
    EXPECT_TRUE(Recorded(PortField(ServicePort())));
    EXPECT_FALSE(Recorded(L"type:log"));
    // The program's name is the agent of the text requests.
    EXPECT_TRUE(Recorded(L"\"agent\": \"installer_version_test\""));
}

TEST_F(CheckVersion, ZeroMeansNewestAndChangesNothing)
{
    controller_.setupFileName = L"kept.exe";
    ServiceSet(L"version.info", L"zero");
    EXPECT_EQ(1, controller_.CheckVersion());
    EXPECT_EQ(CString(L"kept.exe"), controller_.setupFileName);
    EXPECT_EQ(CString(), g_newestVersion);
    EXPECT_EQ(CString(L"Tavrin装机版"), g_displayName);
}

TEST_F(CheckVersion, NoUsableAnswerIsANetworkFailure)
{
    for (const wchar_t* fault : {L"empty", L"500", L"close"}) {
        ServiceSet(L"version.info", fault);
        EXPECT_EQ(2, controller_.CheckVersion()) << fault;
        EXPECT_EQ(CString(), controller_.setupFileName) << fault;
    }
    ServiceSet(L"version.info", L"stall");
    ServiceSet(L"version.stall_seconds", L"1.5");
    EXPECT_EQ(2, controller_.CheckVersion());
    g_versionInfoUrl = L"http://127.0.0.1:1/up.php?value={ver:v,type:info,mode:tvn}";
    EXPECT_EQ(2, controller_.CheckVersion());
    EXPECT_EQ(CString(L"Tavrin装机版"), g_displayName);
}

TEST_F(CheckVersion, OversizedAnswersAreNoAnswer)
{
    ServiceSet(L"version.info", L"oversized");
    EXPECT_EQ(2, controller_.CheckVersion());
    EXPECT_EQ(CString(), controller_.setupFileName);

    g_installedVersion = L"2.4.0.12";
    SetServiceAddresses(folder_);
    g_commandLine = L"-client";
    ServiceSet(L"version.info", L"fields");
    ServiceSet(L"version.log", L"oversized");
    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_EQ(1, mainView_.calls);
    EXPECT_EQ(CString(), mainView_.notes);
}

TEST_F(CheckVersion, ServiceThatNeverAnswersIsGivenUpAfterTheReceiveTimeOut)
{
    // The query's receive time-out is fixed at 30 s. The service holds its answer far longer, so
    // the query can only end by its own time-out: not before it (a timer's grain below), and well
    // within the hold however loaded the machine.
    ServiceSet(L"version.info", L"stall");
    ServiceSet(L"version.stall_seconds", L"600");
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(2, controller_.CheckVersion());
    const ULONGLONG elapsed = GetTickCount64() - start;
    ServiceRelease();
    EXPECT_GE(elapsed, 29000u);
    EXPECT_LE(elapsed, 300000u);
}

TEST_F(CheckVersion, LinesOfTheAnswerAreJoined)
{
    ServiceSet(L"version.info_text", L"0`3.1\r\n`a.exe`http://u\n`ff}");
    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_EQ(CString(L"3.1"), g_newestVersion);
    EXPECT_EQ(CString(L"http://u"), controller_.downloadUrl);
    EXPECT_EQ(CString(L"Tavrin装机版3"), g_displayName);
}

TEST_F(CheckVersion, ClientCommandLineShowsTheChangeLogAndSelectsUpgrade)
{
    g_installedVersion = L"2.4.0.12";
    SetServiceAddresses(folder_);
    g_commandLine = L"-client";
    ServiceSet(L"version.log_text", L"第一行`second`dropped");
    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_EQ(0, MODE);
    EXPECT_EQ(1, mainView_.calls);
    EXPECT_EQ(CString(L"第一行\r\nsecond\r\n"), mainView_.notes);
    EXPECT_TRUE(Recorded(L"\"value\": \"{ver:v2.4.0.12,type:log}\""));
    EXPECT_TRUE(Recorded(L"\"value\": \"{ver:v2.4.0.12,type:info,mode:tvn}\""));

    // A change log that fails still reaches the main view, empty.
    ServiceSet(L"version.log", L"500");
    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_EQ(2, mainView_.calls);
    EXPECT_EQ(CString(), mainView_.notes);
}

TEST_F(CheckVersion, PingSendsItsOwnAgent)
{
    HttpPing(g_versionInfoUrl);
    EXPECT_TRUE(Recorded(L"\"agent\": \"Download From HTTP\""));
}

TEST_F(CheckVersion, OnlyTheExactClientCommandLineSelectsUpgrade)
{
    for (const wchar_t* commandLine : {L"-Client", L"-client ", L" -client", L"x -client"}) {
        g_commandLine = commandLine;
        MODE = 2;
        controller_.CheckVersion();
        EXPECT_EQ(2, MODE) << commandLine;
        EXPECT_EQ(0, mainView_.calls) << commandLine;
    }
    EXPECT_FALSE(Recorded(L"type:log"));
}

TEST_F(CheckVersion, RegisteredProductSelectsMode1)
{
    ASSERT_TRUE(uninstallKey_.Create());
    controller_.CheckVersion();
    EXPECT_EQ(1, MODE);
}

TEST_F(CheckVersion, MarkerFileSendsTheQueriesToTheTestHost)
{
    HANDLE marker = CreateFileW(folder_ + L"\\qmotestver", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, marker);
    CloseHandle(marker);
    SetServiceAddresses(folder_);
    g_commandLine = L"-client";
    EXPECT_EQ(0, controller_.CheckVersion());
    EXPECT_TRUE(Recorded(PortField(TestServicePort())));
    EXPECT_FALSE(Recorded(PortField(ServicePort())));
}
