// The own HTTP downloader against the local package host: fresh downloads, resumes, every fault of
// the host, new tries after a network failure, pausing, and shutdown with transfers still open.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "DownloadTestKit.h"
#include "ServiceControl.h"
#include "YDownloader.h"

namespace {

const size_t kPackageSize = 3 * 1000 * 1000 + 17;
const unsigned kWhilePaused = YDownloader::RetryWait::kWhilePaused;

// Stands in for the clock in the pauses before a new try: records the length of every pause asked
// for and, when holding, keeps it until the test ends it; otherwise it ends at once. A wait while
// the tasks are paused is recorded (as kWhilePaused) when the tasks are paused, and lasts until
// they are started, as the downloader's own does.
class RecordedPauses : public YDownloader::RetryWait {
public:
    explicit RecordedPauses(bool hold) : m_hold(hold) {}

    void Wait(std::unique_lock<std::mutex>& lock, std::condition_variable& changed, unsigned ms,
              const std::function<bool()>& over) override {
        if (ms == kWhilePaused && over())
            return;
        size_t number;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_asked.push_back(ms);
            number = m_asked.size();
            m_stateLock = lock.mutex();
            m_changed = &changed;
        }
        changed.wait(lock, [&] { return over() || (ms != kWhilePaused && (!m_hold || number <= m_ended)); });
    }

    std::vector<unsigned> Asked() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_asked;
    }

    bool WaitAsked(size_t count) {
        return WaitUntil([&] { return Asked().size() >= count; }, 60000);
    }

    // Ends every pause asked for so far, as if its time had passed.
    void End() {
        std::mutex* stateLock;
        std::condition_variable* changed;
        size_t asked;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            stateLock = m_stateLock;
            changed = m_changed;
            asked = m_asked.size();
        }
        if (!stateLock)
            return;
        {
            // Under the downloader's lock, so that a wait that is just testing its condition sees it.
            std::lock_guard<std::mutex> guard(*stateLock);
            m_ended = asked;
        }
        changed->notify_all();
    }

private:
    const bool m_hold;
    std::mutex m_lock;  // taken after the downloader's lock, never before it
    std::vector<unsigned> m_asked;
    std::mutex* m_stateLock = nullptr;
    std::condition_variable* m_changed = nullptr;
    size_t m_ended = 0;  // under the downloader's lock
};

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

    // A new downloader whose pauses before a new try last until the test ends them.
    void Start() {
        pauses = std::make_shared<RecordedPauses>(true);
        downloader = std::make_unique<YDownloader>(pauses);
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
    std::shared_ptr<RecordedPauses> pauses;
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
    // Resumed by the next downloader, as after a restart: the first never ends its pause.
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

// The controller's next attempt downloads to the same target. A try of the task it replaced that is
// still receiving writes nothing more: the new task continues the part file as that try left it
// and completes with the package itself.
TEST_F(YDownloaderTest, ATryOfAReplacedTaskWritesNothingMore) {
    // Slow enough (150 s for the package) that the first task is still receiving when the second
    // begins, however loaded the machine. The host reads its faults when a request comes, so the
    // throttle is lifted for the second once the first is receiving, whatever else reached the host.
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"20000"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return FileSize(part) > 0; }, 60000));
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L""));
    ASSERT_FALSE(FileExists(target));
    ASSERT_EQ(1, downloader->CreateTask(url.c_str(), target.c_str(), L"", L"", 1));
    ASSERT_TRUE(WaitComplete());
    ASSERT_TRUE(ServiceIdle());  // the replaced try let its request go
    downloader.reset();
    EXPECT_FALSE(FileExists(part));
    EXPECT_TRUE(ReadBytes(target) == source) << "size " << FileSize(target);
    const std::vector<std::wstring> ranges = RecordedHeader(L"Range");
    ASSERT_EQ(2u, ranges.size());
    EXPECT_EQ(L"", ranges[0]);
    EXPECT_NE(L"", ranges[1]);
}

// A try replaced while it waits on a stalled connection lets go of the part file at once, not when
// its read returns: the new task continues the part file and puts the package in place.
TEST_F(YDownloaderTest, ATaskReplacingAStalledTryPutsThePackageInPlace) {
    ASSERT_TRUE(ServiceSet(L"pkg.stall", L"81920"));  // two whole read blocks, then nothing
    ASSERT_TRUE(ServiceSet(L"pkg.stall_seconds", L"600"));
    ASSERT_TRUE(ServiceSet(L"pkg.times", L"1"));
    Start();
    ASSERT_TRUE(WaitUntil([this] { return FileSize(part) == 81920; }, 60000));
    ASSERT_EQ(1, downloader->CreateTask(url.c_str(), target.c_str(), L"", L"", 1));
    ExpectIdenticalPackage();
    EXPECT_EQ((std::vector<std::wstring>{L"", L"bytes=81920-"}), RecordedHeader(L"Range"));
    ASSERT_TRUE(ServiceRelease());  // the stalled read returns to a try that writes nothing more
    downloader.reset();
    EXPECT_FALSE(FileExists(part));
    EXPECT_TRUE(ReadBytes(target) == source);
}

// A package that has arrived but cannot take the target's name (held open by another program, or
// a folder) completes all the same: the caller's check of the target then fails and a new attempt
// follows, where a task that never completed would leave the caller waiting for ever.
TEST_F(YDownloaderTest, APackageThatCannotTakeTheTargetsNameStillCompletes) {
    const Bytes other(1000, 0x33);
    for (bool held : {true, false}) {
        SCOPED_TRACE(held);
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (held) {
            WriteBytes(target, other);
            holder = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, holder);
        } else {
            ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
        }
        Start();
        ASSERT_TRUE(WaitComplete());
        EXPECT_EQ(100, Query().percent);
        downloader.reset();
        EXPECT_TRUE(ReadBytes(part) == source);  // kept for the next attempt
        if (held) {
            EXPECT_TRUE(ReadBytes(target) == other);
            CloseHandle(holder);
            DeleteFileW(target.c_str());
        } else {
            EXPECT_NE(0u, GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
            RemoveDirectoryW(target.c_str());
        }
        DeleteFileW(part.c_str());
    }
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

// Failures that no later try can mend: an address WinInet cannot read, a redirect to another
// scheme, and one to an address without a host, which WinInet will not connect to. Each ends its
// task after its one request, even with new tries that would follow at once: no pause is asked for
// and the host sees no second request. The last task shows that the downloader works on.
TEST_F(YDownloaderTest, FailuresOfTheRequestItselfEndWithoutANewTry) {
    pauses = std::make_shared<RecordedPauses>(false);
    downloader = std::make_unique<YDownloader>(pauses);
    const auto redirectTo = [](const std::wstring& location) {
        std::wstring path = L"/pkg/to/";
        for (wchar_t c : location)
            path += c == L':' ? L"%3A" : c == L'/' ? L"%2F" : std::wstring(1, c);
        return ServiceUrl(path);
    };
    const struct {
        std::wstring url;
        size_t requests;  // at the host, by now
    } cases[] = {
        {L"files/ydl-setup.exe", 0},
        {redirectTo(L"ftp://127.0.0.1/files/ydl-setup.exe"), 1},
        {redirectTo(L"http:///pkg/files/ydl-setup.exe"), 2},
        {url, 3},
    };
    int index = 0;
    for (const auto& task : cases) {
        SCOPED_TRACE(index);
        ASSERT_EQ(1, downloader->CreateTask(task.url.c_str(), target.c_str(), L"", L"", index));
        ASSERT_EQ(1, downloader->StartTask(index++));
        ASSERT_TRUE(WaitUntil([&] { return RecordedHeader(L"Host").size() >= task.requests; }, 60000));
        ASSERT_TRUE(ServiceIdle());
    }
    ASSERT_TRUE(WaitComplete());
    downloader.reset();  // joins every transfer: what they asked for is all there is
    EXPECT_EQ(std::vector<unsigned>(), pauses->Asked());
    EXPECT_EQ(3u, RecordedHeader(L"Host").size());
    EXPECT_TRUE(ReadBytes(target) == source);
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

// The host breaks the transfer off and stays away: every try then fails at once, so only the pause
// before each keeps them from running in a tight loop. Each ended pause brings exactly one try; the
// pauses double from 2 s to 60 s and stay there; a pause of the tasks ends the pause, and no try
// follows until the start; the first try that brings data makes the next pause 2 s again. The
// transfer continues from its part file throughout, with no call of the caller but the start.
TEST_F(YDownloaderTest, NewTriesArePacedByDoublingPausesUntilTheHostIsBack) {
    ASSERT_TRUE(ServiceSet(L"pkg.down_after", L"100000"));
    Start();
    const std::vector<unsigned> doubling = {2000, 4000, 8000, 16000, 32000, 60000, 60000};
    // WinInet may send a request that the host closed unanswered once more by itself: a try counts
    // as many requests at the host as the first one did.
    size_t perTry = 0;
    for (size_t tries = 1; tries <= doubling.size(); ++tries) {
        ASSERT_TRUE(pauses->WaitAsked(tries)) << tries;
        if (tries == 2)
            perTry = DroppedRequests();
        // The first try broke off, the others found the host down.
        EXPECT_EQ((tries - 1) * perTry, DroppedRequests()) << tries;
        if (tries < doubling.size())
            pauses->End();
    }
    ASSERT_GT(perTry, 0u);
    EXPECT_EQ(doubling, pauses->Asked());
    EXPECT_EQ(100000, FileSize(part));

    downloader->PauseTask(0);
    ASSERT_TRUE(pauses->WaitAsked(doubling.size() + 1));
    EXPECT_EQ(kWhilePaused, pauses->Asked().back());
    EXPECT_EQ((doubling.size() - 1) * perTry, DroppedRequests());

    ASSERT_TRUE(ServiceSet(L"pkg.down_after", L"50000"));
    ASSERT_TRUE(ServiceSet(L"pkg.down", L""));
    downloader->StartTask(0);
    ASSERT_TRUE(pauses->WaitAsked(doubling.size() + 2));
    EXPECT_EQ(2000u, pauses->Asked().back());
    EXPECT_EQ(150000, FileSize(part));

    ASSERT_TRUE(ServiceSet(L"pkg.down", L""));
    pauses->End();
    ExpectIdenticalPackage();
    EXPECT_EQ(doubling.size() + 2, pauses->Asked().size());
    std::vector<std::wstring> expected(1 + (doubling.size() - 1) * perTry + 1, L"bytes=100000-");
    expected.front() = L"";
    expected.push_back(L"bytes=150000-");
    EXPECT_EQ(expected, RecordedHeader(L"Range"));
}

// A try that had to start the part file again from zero (a host that ignores the range, or a part
// file longer than the package, refused with 416) and then broke off got data although the part
// file shrank: the host is back, and the next pause is the first one again.
TEST_F(YDownloaderTest, DataAfterAStartFromZeroMakesTheNextPauseTheFirstAgain) {
    Bytes tooLong = source;
    tooLong.insert(tooLong.end(), 123, 0x5a);
    for (bool rangeIgnored : {true, false}) {
        SCOPED_TRACE(rangeIgnored);
        WriteBytes(part, rangeIgnored ? Bytes(source.begin(), source.begin() + 200000) : tooLong);
        ASSERT_TRUE(ServiceSet(L"pkg.down", L"1"));
        Start();
        ASSERT_TRUE(pauses->WaitAsked(1));
        pauses->End();
        ASSERT_TRUE(pauses->WaitAsked(2));
        // Back, the host breaks off after 50000 bytes from zero (after the 416 for the long part file).
        if (rangeIgnored) {
            ASSERT_TRUE(ServiceSet(L"pkg.norange", L"1"));
        }
        ASSERT_TRUE(ServiceSet(L"pkg.truncate", L"50000"));
        ASSERT_TRUE(ServiceSet(L"pkg.times", rangeIgnored ? L"1" : L"2"));
        ASSERT_TRUE(ServiceSet(L"pkg.down", L""));
        pauses->End();
        ASSERT_TRUE(pauses->WaitAsked(3));
        EXPECT_EQ((std::vector<unsigned>{2000, 4000, 2000}), pauses->Asked());
        EXPECT_EQ(50000, FileSize(part));
        pauses->End();
        ExpectIdenticalPackage();
        downloader.reset();
        DeleteFileW(target.c_str());
        ASSERT_TRUE(ServiceReset());
    }
}

// However long the pause before a new try, the user's pause and start end it: the next try follows
// the start at once.
TEST_F(YDownloaderTest, PauseAndStartCutThePauseBeforeANewTryShort) {
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
