// The own HTTP downloader against the local package host: fresh downloads, resumes, every fault of
// the host, new tries after a network failure, pausing, and shutdown with transfers still open.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DownloadTestKit.h"
#include "ServiceControl.h"
#include "YDownloader.h"

namespace {

const size_t kPackageSize = 3 * 1000 * 1000 + 17;
// Pauses before a new try that no test lives to see end by themselves.
const YDownloader::RetryPauses kNoRetryOfItsOwn = {3600000, 3600000};

// Requests that reached the package host while it was down.
size_t DroppedRequests() {
    const std::wstring records = ServiceRecords(L"pkg");
    const std::wstring mark = L"\"dropped\": true";
    size_t count = 0;
    for (size_t at = records.find(mark); at != std::wstring::npos; at = records.find(mark, at + 1))
        ++count;
    return count;
}

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
        downloader = std::make_unique<YDownloader>(retry);
        ASSERT_EQ(1, downloader->CreateTask(url.c_str(), target.c_str(), L"", L"", 0));
        ASSERT_EQ(1, downloader->StartTask(0));
    }

    DownloadTaskInfo Query() {
        DownloadTaskInfo info;
        EXPECT_EQ(1, downloader->QueryTaskInfo(0, info));
        return info;
    }

    bool WaitComplete(unsigned timeoutMs = 60000) {
        return WaitUntil([this] { return Query().status == L"完成"; }, timeoutMs);
    }

    // The transfer ended short: the part file holds exactly `length` bytes and nothing moved. Ends
    // the downloader, whose destructor joins the transfer, so that the files are looked at after it.
    void ExpectStoppedShortAt(long long length) {
        ASSERT_TRUE(WaitUntil([&] { return FileSize(part) == length; }, 60000)) << FileSize(part);
        ASSERT_TRUE(ServiceIdle());
        const DownloadTaskInfo info = Query();
        EXPECT_EQ(CString(L"下载中"), info.status);
        EXPECT_LT(info.percent, 100);
        downloader.reset();
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
    YDownloader::RetryPauses retry = YDownloader::kRetryPauses;
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
    retry = kNoRetryOfItsOwn;  // resumed by the next downloader, as after a restart
    for (long long cut : {100000LL, 2000001LL}) {
        const long long have = std::max(0LL, FileSize(part));
        ASSERT_TRUE(ServiceSet(L"pkg.truncate", std::to_wstring(cut - have)));
        ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
        Start();
        ExpectStoppedShortAt(cut);
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
        ASSERT_TRUE(WaitUntil([] { return !RecordedHeader(L"Host").empty(); }, 10000));
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
    ASSERT_TRUE(WaitUntil([] { return RecordedHeader(L"Host").size() == 2; }, 60000));
    ASSERT_TRUE(ServiceIdle());
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
    // The first request and ten redirects; then the transfer gives up by itself and asks no more.
    ASSERT_TRUE(WaitUntil([] { return RecordedHeader(L"Host").size() >= 11; }, 60000));
    ASSERT_TRUE(ServiceIdle());
    downloader.reset();
    EXPECT_EQ(11u, RecordedHeader(L"Host").size());
    EXPECT_FALSE(FileExists(target));
}

TEST_F(YDownloaderTest, RelativeRedirectOfEveryKindIsFollowed) {
    for (const wchar_t* code : {L"301", L"303", L"307", L"308"}) {
        SCOPED_TRACE(code);
        url = ServiceUrl(std::wstring(L"/pkg/moved/") + code + L"/files/ydl-setup.exe");
        Start();
        ExpectIdenticalPackage();
        downloader.reset();
        DeleteFileW(target.c_str());
    }
}

TEST_F(YDownloaderTest, ChangedContentYieldsAPackageThatFailsItsCheck) {
    retry = kNoRetryOfItsOwn;
    url = ServiceUrl(L"/pkg/gen/300000/setup.exe");
    ASSERT_TRUE(ServiceSet(L"pkg.change", L"1"));
    ASSERT_TRUE(ServiceSet(L"pkg.truncate", L"100000"));
    ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
    Start();
    ExpectStoppedShortAt(100000);
    Start();
    ASSERT_TRUE(WaitComplete());
    EXPECT_EQ(300000, FileSize(target));
    EXPECT_NE(ServiceGet(ServiceUrl(L"/pkg/md5/300000")), Md5OfFile(target));
}

// The host breaks the transfer off and stays away; while it is down, every try fails to get an answer.
// Once it is back, the next try continues from the part file without any call of the caller.
TEST_F(YDownloaderTest, BrokenOffTransferTriesAgainUntilTheHostIsBack) {
    ASSERT_TRUE(ServiceSet(L"pkg.down_after", L"100000"));
    Start();
    ASSERT_TRUE(WaitUntil([] { return DroppedRequests() >= 2; }, 120000)) << DroppedRequests();
    EXPECT_EQ(100000, FileSize(part));
    ASSERT_TRUE(ServiceSet(L"pkg.down", L""));
    ExpectIdenticalPackage();
    const std::vector<std::wstring> ranges = RecordedHeader(L"Range");
    ASSERT_GE(ranges.size(), 4u);
    EXPECT_EQ(L"", ranges.front());
    for (size_t i = 1; i < ranges.size(); ++i)
        EXPECT_EQ(L"bytes=100000-", ranges[i]) << i;
}

// However long the pause before a new try, the user's pause and start end it: the next try follows
// the start at once.
TEST_F(YDownloaderTest, PauseAndStartCutThePauseBeforeANewTryShort) {
    retry = kNoRetryOfItsOwn;
    ASSERT_TRUE(ServiceSet(L"pkg.truncate", L"100000"));
    ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return FileSize(part) == 100000; }, 60000));
    ASSERT_TRUE(ServiceIdle());
    downloader->PauseTask(0);
    downloader->StartTask(0);
    ExpectIdenticalPackage();
    EXPECT_EQ((std::vector<std::wstring>{L"", L"bytes=100000-"}), RecordedHeader(L"Range"));
}

// The bytes a size text such as "1.25MB" or "512Byte" stands for, rounded as shown.
double BytesOf(const CString& text) {
    const struct { const wchar_t* unit; double bytes; } units[] = {
        {L"GB", 1073741824.0}, {L"MB", 1048576.0}, {L"KB", 1024.0}, {L"Byte", 1.0}};
    for (const auto& unit : units) {
        if (text.Right(static_cast<int>(wcslen(unit.unit))) == unit.unit)
            return _wtof(text.Left(text.GetLength() - static_cast<int>(wcslen(unit.unit)))) * unit.bytes;
    }
    ADD_FAILURE() << "not a size text";
    return 0;
}

TEST_F(YDownloaderTest, PauseHoldsTheTransferUntilStart) {
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"1000000"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return Query().percent >= 10; }, 60000));
    downloader->PauseTask(0);
    // Once paused, only the one read under way may still land: at most a read block (40 KiB) more than
    // shown now, plus the rounding of the two texts. An unheld transfer at 1 MB/s passes that within a
    // fraction of the look below; a held one never does, however loaded the machine.
    const double atPause = BytesOf(Query().downloadedSize);
    Sleep(2000);
    const double afterLook = BytesOf(Query().downloadedSize);
    EXPECT_GE(afterLook, atPause);
    EXPECT_LE(afterLook, atPause + 40960 + 0.01 * 1048576);
    downloader->StartTask(0);
    ExpectIdenticalPackage();
}

TEST_F(YDownloaderTest, ShutdownEndsRunningPausedAndStalledTransfersInBoundedTime) {
    // The destructor's wait is fixed at kShutdownWaitMs. The host would go on for far longer (150 s
    // of throttled data, a 600 s stall), so a destructor that returns within a minute, the wait plus a
    // generous margin for a loaded machine, has ended the transfer rather than waited for it.
    const double bound = 60;
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"20000"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return FileSize(part) > 0; }, 60000));
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), bound);

    Start();
    ASSERT_TRUE(WaitUntil([this] { return Query().percent > 0; }, 60000));
    downloader->StopAllTasks();
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), bound);

    ASSERT_TRUE(ServiceReset());
    ASSERT_TRUE(ServiceSet(L"pkg.stall", L"50000"));
    ASSERT_TRUE(ServiceSet(L"pkg.stall_seconds", L"600"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return FileSize(part) > 0; }, 60000));  // under way; the stall follows
    EXPECT_LT(SecondsOf([this] { downloader.reset(); }), bound);
    EXPECT_FALSE(FileExists(target));
    EXPECT_TRUE(FileExists(part));
}

}  // namespace
