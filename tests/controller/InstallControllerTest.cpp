// The install controller with a scripted downloader and a recording progress view: the polling
// loop's end, new attempts, the package check and setup run, the download start, the worker's
// pause and bounded stop, and the choice of downloader.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

#include "BaseDownloader.h"
#include "DownloadTaskInfo.h"
#include "InstallController.h"
#include "InstallerGlobals.h"
#include "InstallerUtils.h"
#include "WaitUntil.h"
#include "YDownloader.h"

namespace {

// Answers each query with the next status of its script (the last one repeats) and records calls.
class ScriptedDownloader : public BaseDownloader {
public:
    std::vector<CString> statuses{L"下载中"};
    std::mutex lock;
    std::vector<int> queried, created, started, paused;
    std::vector<CString> createdPaths;
    size_t next = 0;

    int CreateTask(const CString&, const CString& localPath, const CString&, const CString&, int index) override
    {
        std::lock_guard<std::mutex> hold(lock);
        created.push_back(index);
        createdPaths.push_back(localPath);
        return 1;
    }
    int StartAllTasks() override { return 1; }
    int StartTask(int index) override { std::lock_guard<std::mutex> hold(lock); started.push_back(index); return 1; }
    int PauseTask(int index) override { std::lock_guard<std::mutex> hold(lock); paused.push_back(index); return 1; }
    int StopAllTasks() override { return 1; }
    int DeleteTask(int) override { return 1; }
    int DeleteAllTasks() override { return 1; }
    int QueryTaskInfo(int index, DownloadTaskInfo& info) override
    {
        std::lock_guard<std::mutex> hold(lock);
        queried.push_back(index);
        info.status = statuses[next < statuses.size() ? next : statuses.size() - 1];
        ++next;
        return 1;
    }
    int SetSpeedLimit(int) override { return 1; }
    int SetUploadSpeedLimit(int, int) override { return 1; }
    size_t QueryCount() { std::lock_guard<std::mutex> hold(lock); return queried.size(); }
};

class RecordingProgressView : public IProgressView {
public:
    std::vector<CString> statuses;
    std::function<void(const DownloadTaskInfo&)> onRecord;
    void OnProgress(const DownloadTaskInfo& info) override
    {
        statuses.push_back(info.status);
        if (onRecord)
            onRecord(info);
    }
};

class RecordingInstallView : public IInstallView {
public:
    std::vector<CString> messages;
    int ShowMessage(const CString& text, const CString&, UINT) override { messages.push_back(text); return IDOK; }
};

// The setup run is replaced by a recorder.
class TestController : public InstallController {
public:
    using InstallController::InstallController;
    bool setupStarts = true;
    std::vector<CString> setupRuns;

protected:
    bool RunSetup(const CString& path, const CString& arguments) override
    {
        setupRuns.push_back(path + L"|" + arguments);
        return setupStarts;
    }
};

void WriteFileText(const CString& path, const char* text)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

bool FileExists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_taskIndex = 0;
        holder.downloader = downloader;
        controller.setupFileName = L"ControllerTestSetup.exe";
        controller.downloadUrl = L"http://127.0.0.1:1/pkg/setup.exe";
        g_installFolder = L"C:\\Program Files\\Tavrin";
    }
    void TearDown() override
    {
        EXPECT_TRUE(controller.StopWorker(60000));  // the worker reads the downloader deleted below
        DeleteFileW(GetTempFolder() + controller.setupFileName);
        holder.downloader = nullptr;
        delete downloader;
    }

    ScriptedDownloader* downloader = new ScriptedDownloader();
    DownloaderHolder holder;
    RecordingProgressView progress;
    RecordingInstallView install;
    TestController controller{&holder, nullptr, &install, &progress, nullptr};
};

TEST_F(ControllerTest, PollingEndsRightAfterTheFirstCompletedRecord)
{
    downloader->statuses = {L"完成"};
    controller.PollProgress();
    EXPECT_EQ(std::vector<CString>{L"完成"}, progress.statuses);
}

TEST_F(ControllerTest, OnlyTheExactCompletedTextEndsPolling)
{
    downloader->statuses = {L"完成 ", L"失败", L"下载中", L"完成"};
    const auto start = std::chrono::steady_clock::now();
    controller.PollProgress();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(4u, progress.statuses.size());
    // Three pauses of 200 ms between the four queries.
    EXPECT_GE(elapsed, std::chrono::milliseconds(550));
}

TEST_F(ControllerTest, NewAttemptStartedByTheHandlerIsPolledUnderTheNextIndex)
{
    downloader->statuses = {L"完成", L"下载中", L"完成"};
    int attempts = 0;
    progress.onRecord = [&](const DownloadTaskInfo& info) {
        if (info.status == L"完成" && attempts++ == 0)
            controller.StartNextAttempt();
    };
    controller.PollProgress();
    EXPECT_EQ(1, g_taskIndex.load());
    EXPECT_EQ((std::vector<int>{0, 1, 1}), downloader->queried);
    EXPECT_EQ(std::vector<int>{1}, downloader->created);
    EXPECT_EQ(std::vector<int>{1}, downloader->started);
    EXPECT_EQ(static_cast<BaseDownloader*>(downloader), holder.downloader);  // the same downloader serves every attempt
}

TEST_F(ControllerTest, StartDownloadReplacesAnOldPackageAndUsesTheCurrentIndex)
{
    const CString target = GetTempFolder() + controller.setupFileName;
    WriteFileText(target, "left from an earlier run");
    g_taskIndex = 3;
    EXPECT_TRUE(controller.StartDownload(CString(), CString()));
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(target, controller.localSetupPath);
    EXPECT_EQ(g_installFolder, controller.installFolder);
    EXPECT_EQ(std::vector<int>{3}, downloader->created);
    EXPECT_EQ(std::vector<CString>{target}, downloader->createdPaths);
    EXPECT_EQ(std::vector<int>{3}, downloader->started);
}

TEST_F(ControllerTest, MatchingPackageIgnoringCaseRunsTheSetupQuotedAndIsDeleted)
{
    controller.StartDownload(CString(), CString());
    WriteFileText(controller.localSetupPath, "abc");
    controller.expectedMd5 = L"900150983CD24FB0D6963F7D28E17F72";  // MD5 of "abc" (RFC 1321)
    EXPECT_TRUE(controller.VerifyAndRunSetup());
    ASSERT_EQ(1u, controller.setupRuns.size());
    EXPECT_EQ(controller.localSetupPath + L"|/S /V=U /I=\"C:\\Program Files\\Tavrin\"", controller.setupRuns[0]);
    EXPECT_FALSE(FileExists(controller.localSetupPath));
}

TEST_F(ControllerTest, PackageFailingItsCheckIsNeitherRunNorDeleted)
{
    controller.StartDownload(CString(), CString());
    WriteFileText(controller.localSetupPath, "abd");
    controller.expectedMd5 = L"900150983cd24fb0d6963f7d28e17f72";
    EXPECT_FALSE(controller.VerifyAndRunSetup());
    EXPECT_TRUE(controller.setupRuns.empty());
    EXPECT_TRUE(FileExists(controller.localSetupPath));
}

TEST_F(ControllerTest, EmptyDigestOnEitherSideNeverMatches)
{
    controller.StartDownload(CString(), CString());
    WriteFileText(controller.localSetupPath, "abc");
    controller.expectedMd5 = CString();  // an answer whose last field lacks its brace
    EXPECT_FALSE(controller.VerifyAndRunSetup());
    // A package that cannot be read has no digest either.
    DeleteFileW(controller.localSetupPath);
    EXPECT_FALSE(controller.VerifyAndRunSetup());
    controller.expectedMd5 = L"900150983cd24fb0d6963f7d28e17f72";
    EXPECT_FALSE(controller.VerifyAndRunSetup());
    EXPECT_TRUE(controller.setupRuns.empty());
}

TEST_F(ControllerTest, SetupThatCannotStartCountsAsFailure)
{
    controller.StartDownload(CString(), CString());
    WriteFileText(controller.localSetupPath, "abc");
    controller.expectedMd5 = L"900150983cd24fb0d6963f7d28e17f72";
    controller.setupStarts = false;
    EXPECT_FALSE(controller.VerifyAndRunSetup());
    EXPECT_EQ(1u, controller.setupRuns.size());
}

TEST_F(ControllerTest, PausedWorkerStopsQueryingUntilResumed)
{
    controller.StartWorker();
    ASSERT_TRUE(WaitUntil([this] { return downloader->QueryCount() >= 2; }));
    controller.PauseWorker();
    // A poll already past its wait for the run signal may still query once; after that a held worker
    // queries never, however long one looks. An unheld one queries every 200 ms, several times within
    // this look; a loaded machine can only hide that fault, never fail a sound build.
    const size_t atPause = downloader->QueryCount();
    Sleep(1000);
    const size_t whilePaused = downloader->QueryCount();
    EXPECT_LE(whilePaused, atPause + 1);
    controller.ResumeWorker();
    EXPECT_TRUE(WaitUntil([&] { return downloader->QueryCount() > whilePaused; }));
}

TEST_F(ControllerTest, StopEndsAPollingOrPausedWorkerWithinTheBound)
{
    controller.StartWorker();
    ASSERT_TRUE(WaitUntil([this] { return downloader->QueryCount() > 0; }));
    EXPECT_TRUE(controller.StopWorker(60000));  // a generous bound: a stopped worker ends at once
    controller.StartWorker();
    ASSERT_TRUE(WaitUntil([this] { return downloader->QueryCount() > 0; }));
    controller.PauseWorker();
    EXPECT_TRUE(controller.StopWorker(60000));  // a generous bound: a stopped worker ends at once
}

TEST_F(ControllerTest, KnownNewestVersionNeedsNoQuery)
{
    g_newestVersion = L"2.5.1.300";
    EXPECT_TRUE(controller.EnsureNewestVersion());
    EXPECT_TRUE(install.messages.empty());
    g_newestVersion = CString();
}

TEST(PlainFileName, AcceptsOnlyANameDirectlyInsideAFolder)
{
    EXPECT_TRUE(IsPlainFileName(L"TavrinSetup_2.5.1.300.exe"));
    EXPECT_TRUE(IsPlainFileName(L"安装包.exe"));
    for (const wchar_t* bad : {L"", L"..", L"..\\x.exe", L"a/b.exe", L"sub\\setup.exe", L"C:setup.exe",
                               L"C:\\Windows\\x.exe", L"\\\\host\\share\\x.exe", L"set?.exe", L"a\tb.exe"})
        EXPECT_FALSE(IsPlainFileName(bad)) << CStringA(bad).GetString();
}

TEST(SetupArguments, FolderStaysOneQuotedArgumentWithNothingAfterIt)
{
    EXPECT_STREQ(L"/S /V=U /I=\"D:\\My Apps\\Tavrin\"", InstallController::SetupArguments(L"D:\\My Apps\\Tavrin").GetString());
}

TEST(DownloaderChoice, UnloadableEngineAndUnknownKindsFallBackToTheOwnDownloader)
{
    for (int kind : {1, 0, 7, -1}) {
        BaseDownloader* downloader = MakeDownloader(kind, L"Z:\\nonexistent\\xldl.dll");
        EXPECT_NE(nullptr, dynamic_cast<YDownloader*>(downloader)) << kind;
        delete downloader;
    }
}

}  // namespace
