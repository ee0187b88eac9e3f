// The own HTTP downloader against the local package host: fresh downloads, resumes, every fault of
// the host, pausing, and shutdown with transfers still open.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DownloadTestKit.h"
#include "ServiceControl.h"
#include "YDownloader.h"

namespace {

const size_t kPackageSize = 3 * 1000 * 1000 + 17;

class YDownloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ServiceReset());
        folder = ScratchFolder(L"y");
        target = folder + L"setup.exe";
        part = folder + L"setup.temp";
        source = RandomBytes(kPackageSize, 11);
        url = PublishPackage(L"ydl-setup.exe", source);
    }

    void TearDown() override {
        downloader.reset();
        RemoveFolder(folder);
    }

    void Start() {
        downloader = std::make_unique<YDownloader>();
        ASSERT_EQ(1, downloader->CreateTask(url.c_str(), target.c_str(), L"", L"", 0));
        ASSERT_EQ(1, downloader->StartTask(0));
    }

    DownloadTaskInfo Query() {
        DownloadTaskInfo info;
        EXPECT_EQ(1, downloader->QueryTaskInfo(0, info));
        return info;
    }

    bool WaitComplete(unsigned timeoutMs = 60000) {
        return WaitFor([this] { return Query().status == L"完成"; }, timeoutMs);
    }

    // The transfer ended short: the part file holds exactly `length` bytes and nothing moved.
    void ExpectStoppedShortAt(long long length) {
        ASSERT_TRUE(WaitFor([&] { return FileSize(part) == length; }, 20000)) << FileSize(part);
        Sleep(300);
        const DownloadTaskInfo info = Query();
        EXPECT_EQ(CString(L"下载中"), info.status);
        EXPECT_LT(info.percent, 100);
        EXPECT_FALSE(FileExists(target));
        EXPECT_EQ(length, FileSize(part));
    }

    void ExpectIdenticalPackage() {
        ASSERT_TRUE(WaitComplete());
        EXPECT_EQ(100, Query().percent);
        EXPECT_FALSE(FileExists(part));
        EXPECT_TRUE(ReadBytes(target) == source) << "size " << FileSize(target);
    }

    std::wstring folder, target, part, url;
    Bytes source;
    std::unique_ptr<YDownloader> downloader;
};

TEST(YDownloaderNames, PartFileReplacesTheLastThreeCharacters) {
    EXPECT_EQ(CString(L"C:\\t\\setup.temp"), YDownloader::PartFileName(L"C:\\t\\setup.exe"));
    EXPECT_EQ(CString(L"pkg.dtemp"), YDownloader::PartFileName(L"pkg.data"));
}

TEST_F(YDownloaderTest, FreshDownloadArrivesWholeAndAlone) {
    Start();
    ExpectIdenticalPackage();
    const DownloadTaskInfo info = Query();
    EXPECT_EQ(info.totalSize, info.downloadedSize);
    EXPECT_TRUE(info.fileName.IsEmpty() && info.auxName.IsEmpty() && info.speed.IsEmpty());
    EXPECT_EQ(std::vector<std::wstring>{L""}, RecordedHeader(L"Range"));
    EXPECT_EQ(std::vector<std::wstring>{L"*/*"}, RecordedHeader(L"Accept"));
    EXPECT_EQ(std::vector<std::wstring>{L"Download From HTTP"}, RecordedHeader(L"User-Agent"));
}

class YDownloaderResume : public YDownloaderTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(YDownloaderResume, ContinuesFromThePartFile) {
    const size_t offset = GetParam();
    WriteBytes(part, Bytes(source.begin(), source.begin() + offset));
    Start();
    ExpectIdenticalPackage();
    EXPECT_EQ(std::vector<std::wstring>{L"bytes=" + std::to_wstring(offset) + L"-"}, RecordedHeader(L"Range"));
}

INSTANTIATE_TEST_SUITE_P(Offsets, YDownloaderResume,
                         ::testing::Values(1, 1000, 40960, 40961, 1048576 + 7, kPackageSize - 1));

TEST_F(YDownloaderTest, InterruptedTransferKeepsItsPartAndResumesLater) {
    for (long long cut : {100000LL, 2000001LL}) {
        const long long have = std::max(0LL, FileSize(part));
        ASSERT_TRUE(ServiceSet(L"pkg.truncate", std::to_wstring(cut - have)));
        ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
        Start();
        ExpectStoppedShortAt(cut);
        downloader.reset();
    }
    Start();
    ExpectIdenticalPackage();
    EXPECT_EQ((std::vector<std::wstring>{L"", L"bytes=100000-", L"bytes=2000001-"}), RecordedHeader(L"Range"));
}

TEST_F(YDownloaderTest, RangeIgnoredStartsThePartFileAgain) {
    WriteBytes(part, Bytes(source.begin(), source.begin() + 5000));
    ASSERT_TRUE(ServiceSet(L"pkg.norange", L"1"));
    Start();
    ExpectIdenticalPackage();
}

TEST_F(YDownloaderTest, UnusablePartFileStartsAgainCleanly) {
    for (size_t extra : {0, 123}) {
        Bytes tooLong = source;
        tooLong.insert(tooLong.end(), extra, 0x5a);
        WriteBytes(part, tooLong);
        Start();
        ExpectIdenticalPackage();
        EXPECT_EQ(L"", RecordedHeader(L"Range").back());  // after the 416, a request from zero
        DeleteFileW(target.c_str());
    }
}

TEST_F(YDownloaderTest, WithoutContentLengthCompletesAtTheEndOfData) {
    ASSERT_TRUE(ServiceSet(L"pkg.nolength", L"1"));
    Start();
    ExpectIdenticalPackage();
    // Resumed without a length: the total is unknown until the end, and the result is still whole.
    downloader.reset();
    DeleteFileW(target.c_str());
    WriteBytes(part, Bytes(source.begin(), source.begin() + 777777));
    Start();
    ExpectIdenticalPackage();
}

TEST_F(YDownloaderTest, ErrorStatusesEndTheTransferWithoutAFile) {
    for (const wchar_t* status : {L"404", L"500"}) {
        ASSERT_TRUE(ServiceSet(L"pkg.status", status));
        Start();
        ASSERT_TRUE(WaitFor([] { return !RecordedHeader(L"Host").empty(); }, 10000));
        downloader.reset();  // joins the ended transfer
        EXPECT_FALSE(FileExists(target));
        EXPECT_FALSE(FileExists(part));
        ASSERT_TRUE(ServiceReset());
    }
    downloader = std::make_unique<YDownloader>();
    DownloadTaskInfo info;
    downloader->QueryTaskInfo(7, info);
    EXPECT_EQ(CString(L"下载中"), info.status);
    EXPECT_EQ(0, info.percent);
}

// The controller deletes the old package and polls the next task at once: that task must not
// read as complete on the strength of the previous one.
TEST_F(YDownloaderTest, ANewTaskStartsFromNothingRightAway) {
    Start();
    ExpectIdenticalPackage();
    ASSERT_TRUE(ServiceSet(L"pkg.status", L"404"));
    DeleteFileW(target.c_str());
    ASSERT_EQ(1, downloader->CreateTask(url.c_str(), target.c_str(), L"", L"", 1));
    DownloadTaskInfo info = Query();
    EXPECT_EQ(CString(L"下载中"), info.status);
    EXPECT_EQ(0, info.percent);
    EXPECT_EQ(CString(L"0Byte"), info.downloadedSize);
    ASSERT_TRUE(WaitFor([] { return RecordedHeader(L"Host").size() == 2; }, 10000));
    Sleep(300);
    EXPECT_EQ(CString(L"下载中"), Query().status);  // the refused transfer changes nothing
}

TEST_F(YDownloaderTest, RedirectChainsAreFollowedAndLoopsFail) {
    url = ServiceUrl(L"/pkg/hop/3/files/ydl-setup.exe");
    Start();
    ExpectIdenticalPackage();
    downloader.reset();
    DeleteFileW(target.c_str());
    ASSERT_TRUE(ServiceReset());
    url = ServiceUrl(L"/pkg/loop/files/ydl-setup.exe");
    Start();
    Sleep(2000);
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), 0.5);  // the transfer gave up by itself
    EXPECT_EQ(11u, RecordedHeader(L"Host").size());
    EXPECT_FALSE(FileExists(target));
}

TEST_F(YDownloaderTest, ChangedContentYieldsAPackageThatFailsItsCheck) {
    url = ServiceUrl(L"/pkg/gen/300000/setup.exe");
    ASSERT_TRUE(ServiceSet(L"pkg.change", L"1"));
    ASSERT_TRUE(ServiceSet(L"pkg.truncate", L"100000"));
    ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
    Start();
    ExpectStoppedShortAt(100000);
    downloader.reset();
    Start();
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(300000, FileSize(target));
    EXPECT_NE(ServiceGet(ServiceUrl(L"/pkg/md5/300000")), Md5OfFile(target));
}

TEST_F(YDownloaderTest, PauseHoldsTheTransferUntilStart) {
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"1000000"));
    Start();
    ASSERT_TRUE(WaitFor([this] { return Query().percent >= 10; }, 20000));
    downloader->PauseTask(0);
    Sleep(500);  // a read under way may still land
    const CString held = Query().downloadedSize;
    Sleep(1000);
    EXPECT_EQ(held, Query().downloadedSize);
    downloader->StartTask(0);
    ExpectIdenticalPackage();
}

TEST_F(YDownloaderTest, ShutdownEndsRunningPausedAndStalledTransfersInBoundedTime) {
    const double bound = YDownloader::kShutdownWaitMs / 1000.0 + 1;
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"200000"));
    Start();
    ASSERT_TRUE(WaitFor([this] { return FileSize(part) > 0; }, 10000));
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), 1.0);

    Start();
    ASSERT_TRUE(WaitFor([this] { return Query().percent > 0; }, 10000));
    downloader->StopAllTasks();
    Sleep(300);
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), 1.0);

    ASSERT_TRUE(ServiceReset());
    ASSERT_TRUE(ServiceSet(L"pkg.stall", L"50000"));
    Start();
    Sleep(1500);
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), bound);
    EXPECT_FALSE(FileExists(target));
    EXPECT_TRUE(FileExists(part));
}

}  // namespace
