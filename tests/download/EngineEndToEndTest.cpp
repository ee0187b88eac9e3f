// The outside engine's whole road: the payload resources unpacked into the temporary folder, the
// extractor run, the adapter loading the extracted engine, and packages downloaded through it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "DownloadEngineUnpack.h"
#include "DownloadTestKit.h"
#include "InstallerUtils.h"
#include "ServiceControl.h"
#include "XDownloader.h"

namespace {

class EngineEndToEnd : public ::testing::Test {
protected:
    // One unpacking for the suite, into a temporary folder of its own. An earlier start's intact
    // library (dated long ago) and a damaged archive lie there already.
    static void SetUpTestSuite() {
        temp = new std::wstring(ScratchFolder(L"tmp"));
        CopyFileW(BuildPath(L"payload/7z.dll").c_str(), (*temp + L"7z.dll").c_str(), FALSE);
        SetWriteTime(*temp + L"7z.dll", kLongAgo);
        Bytes archive = ReadBytes(BuildPath(L"payload/downloader.zip"));
        archive.back() ^= 0xFF;
        WriteBytes(*temp + L"downloader.zip", archive);
        SetTemporaryFolder(temp->c_str());
        unpackResult = UnpackDownloadEngine();
        const Bytes engine = ReadBytes(BuildPath(L"standins/xldl.dll"));
        extracted = WaitUntil([&engine] { return ReadBytes(*temp + L"xldl.dll") == engine; }, 30000);
    }
    static void TearDownTestSuite() {
        SetTemporaryFolder(nullptr);  // back to the process's own before the folder goes
        RemoveFolder(*temp);
        delete temp;
    }
    static void SetTemporaryFolder(const wchar_t* folder) {
        static wchar_t saved[2][MAX_PATH];
        const wchar_t* const names[2] = {L"TMP", L"TEMP"};
        for (int i = 0; i < 2; ++i) {
            if (folder && !GetEnvironmentVariableW(names[i], saved[i], MAX_PATH))
                saved[i][0] = L'\0';
            SetEnvironmentVariableW(names[i], folder ? folder : saved[i][0] ? saved[i] : nullptr);
        }
    }

    static FILETIME WriteTime(const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    static void SetWriteTime(const std::wstring& path, const FILETIME& time) {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }

    void SetUp() override {
        ASSERT_TRUE(extracted) << "the extractor did not produce xldl.dll";
        ASSERT_TRUE(ServiceReset());
        folder = ScratchFolder(L"e");
        source = RandomBytes(2 * 1000 * 1000 + 3, 21);
        url = PublishPackage(L"engine-setup.exe", source);
        adapter = std::make_unique<XDownloader>((*temp + L"xldl.dll").c_str());
    }
    void TearDown() override {
        adapter.reset();
        RemoveFolder(folder);
    }

    DownloadTaskInfo Query() {
        DownloadTaskInfo info;
        adapter->QueryTaskInfo(0, info);
        return info;
    }
    bool WaitStatus(const wchar_t* status, unsigned timeoutMs = 60000) {
        return WaitUntil([&] { return Query().status == status; }, timeoutMs);
    }

    // 2000-01-01 00:00:00, a whole second: a file system that keeps times to the second holds it as set.
    static constexpr FILETIME kLongAgo = {0x256D4000, 0x01BF53EB};
    static std::wstring* temp;
    static int unpackResult;
    static bool extracted;
    std::wstring folder, url;
    Bytes source;
    std::unique_ptr<XDownloader> adapter;
};

std::wstring* EngineEndToEnd::temp = nullptr;
int EngineEndToEnd::unpackResult = 0;
bool EngineEndToEnd::extracted = false;

TEST_F(EngineEndToEnd, UnpackWritesThePayloadIntoTheTemporaryFolder) {
    EXPECT_EQ(1, unpackResult);
    EXPECT_EQ(CString(temp->c_str()), GetTempFolder());
    for (const wchar_t* name : {L"7z.dll", L"7ZG.EXE", L"downloader.zip"})
        EXPECT_TRUE(ReadBytes(*temp + name) == ReadBytes(BuildPath(L"payload/") + name)) << name;
    // The intact file was left as it was, not written again.
    const FILETIME written = WriteTime(*temp + L"7z.dll");
    EXPECT_EQ(0, CompareFileTime(&kLongAgo, &written));
    EXPECT_TRUE(adapter->HasFunction(XDownloader::kQueryTaskInfoEx));
    EXPECT_FALSE(adapter->HasFunction(XDownloader::kParseThunderPrivateUrl));
}

TEST_F(EngineEndToEnd, APackageDownloadsAndCompletesUnderItsFinalName) {
    const std::wstring target = folder + L"setup.exe";
    ASSERT_EQ(1, adapter->CreateTask(url.c_str(), target.c_str(), L"", L"", 0));
    ASSERT_EQ(1, adapter->StartTask(0));
    ASSERT_TRUE(WaitStatus(L"完成"));
    const DownloadTaskInfo info = Query();
    EXPECT_EQ(100, info.percent);
    EXPECT_EQ(CString(L"setup.exe"), info.fileName);
    EXPECT_EQ(info.totalSize, info.downloadedSize);
    EXPECT_EQ(L"/S", std::wstring(info.speed.GetString()).substr(info.speed.GetLength() - 2));
    EXPECT_TRUE(ReadBytes(target) == source);
    DownloadTaskInfo other;
    EXPECT_EQ(0, adapter->QueryTaskInfo(1, other));  // no task 1
}

TEST_F(EngineEndToEnd, AFolderTargetTakesTheServersFileName) {
    ASSERT_TRUE(ServiceSet(L"pkg.disposition", L"attachment; filename=\"named-setup.exe\""));
    ASSERT_EQ(1, adapter->CreateTask(url.c_str(), folder.c_str(), L"", L"", 0));
    ASSERT_EQ(1, adapter->StartTask(0));
    ASSERT_TRUE(WaitStatus(L"完成"));
    EXPECT_TRUE(ReadBytes(folder + L"named-setup.exe") == source);
}

TEST_F(EngineEndToEnd, StopPausesAndALaterStartResumes) {
    const std::wstring target = folder + L"setup.exe";
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"1000000"));
    ASSERT_EQ(1, adapter->CreateTask(url.c_str(), target.c_str(), L"", L"", 3));
    ASSERT_EQ(1, adapter->StartAllTasks());
    DownloadTaskInfo info;
    ASSERT_TRUE(WaitUntil([&] { return adapter->QueryTaskInfo(3, info) && info.percent >= 10; }, 60000));
    EXPECT_EQ(1, adapter->PauseTask(3));
    ASSERT_TRUE(WaitUntil([&] { return adapter->QueryTaskInfo(3, info) && info.status == L"暂停"; }, 60000));
    EXPECT_FALSE(FileExists(target));
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L""));
    EXPECT_EQ(1, adapter->StartTask(3));
    ASSERT_TRUE(WaitUntil([&] { return adapter->QueryTaskInfo(3, info) && info.status == L"完成"; }, 60000));
    EXPECT_TRUE(ReadBytes(target) == source);
    const std::vector<std::wstring> ranges = RecordedHeader(L"Range");
    ASSERT_EQ(2u, ranges.size());
    EXPECT_EQ(L"bytes=", ranges[1].substr(0, 6));
}

// The cancel question pauses and resumes at any moment, also while the paused transfer is ending.
TEST_F(EngineEndToEnd, QuickStopsAndStartsNeverLoseTheTransfer) {
    const std::wstring target = folder + L"setup.exe";
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"400000"));
    ASSERT_EQ(1, adapter->CreateTask(url.c_str(), target.c_str(), L"", L"", 0));
    ASSERT_EQ(1, adapter->StartTask(0));
    ASSERT_TRUE(WaitStatus(L"下载中"));
    for (int cycle = 0; cycle < 300; ++cycle) {
        ASSERT_EQ(1, adapter->PauseTask(0));
        Sleep(cycle % 4);
        ASSERT_EQ(1, adapter->StartTask(0));
        ASSERT_NE(CString(L"失败"), Query().status) << "cycle " << cycle;
        Sleep(cycle % 3);
    }
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L""));
    ASSERT_TRUE(WaitStatus(L"完成"));
    EXPECT_TRUE(ReadBytes(target) == source);
}

TEST_F(EngineEndToEnd, ShutdownWithARunningTransferIsBounded) {
    // The transfer would go on for 200 s: a shutdown within a minute, a generous margin for a loaded
    // machine, has ended it rather than waited for it.
    ASSERT_TRUE(ServiceSet(L"pkg.throttle", L"10000"));
    ASSERT_EQ(1, adapter->CreateTask(url.c_str(), (folder + L"setup.exe").c_str(), L"", L"", 0));
    ASSERT_EQ(1, adapter->StartTask(0));
    ASSERT_TRUE(WaitStatus(L"下载中", 60000));
    EXPECT_LT(SecondsOf([this] { adapter.reset(); }), 60.0);
}

// The stand-in engine itself: it refuses malformed task records and writes its information only
// inside the record's 1429 bytes.
TEST_F(EngineEndToEnd, TheEngineChecksTheRecordsItIsGiven) {
    HMODULE engine = LoadLibraryW((*temp + L"xldl.dll").c_str());
    ASSERT_NE(nullptr, engine);
    auto create = reinterpret_cast<decltype(&XL_CreateTask)>(
        reinterpret_cast<void (*)()>(GetProcAddress(engine, "XL_CreateTask")));
    auto query = reinterpret_cast<decltype(&XL_QueryTaskInfoEx)>(
        reinterpret_cast<void (*)()>(GetProcAddress(engine, "XL_QueryTaskInfoEx")));
    auto record = std::make_unique<XlTaskRecord>();
    auto fresh = [&] { XDownloader::FillTaskRecord(*record, url.c_str(), (folder + L"s.exe").c_str(), L"", L""); };
    fresh();
    XlTask task = create(record.get());
    EXPECT_NE(nullptr, task);
    fresh();
    record->fiveAt18360 = 4;
    EXPECT_EQ(nullptr, create(record.get()));
    fresh();
    wmemset(record->url, L'a', 2084);
    EXPECT_EQ(nullptr, create(record.get()));
    fresh();
    record->zeroTail[100] = 1;
    EXPECT_EQ(nullptr, create(record.get()));

    std::vector<unsigned char> buffer(1429 + 64, 0xCC);
    memset(buffer.data(), 0, 1429);
    buffer[0] = 2;
    EXPECT_TRUE(query(task, reinterpret_cast<XlTaskInfo*>(buffer.data())));
    EXPECT_EQ(std::vector<unsigned char>(64, 0xCC), std::vector<unsigned char>(buffer.begin() + 1429, buffer.end()));
    buffer[0] = 1;
    EXPECT_FALSE(query(task, reinterpret_cast<XlTaskInfo*>(buffer.data())));
    FreeLibrary(engine);
}

}  // namespace
