// The outside engine's adapter without the engine: the two records byte by byte, the status and
// size mapping, the file-name lookup against the package host, missing functions, load failure.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "DownloadTestKit.h"
#include "InstallerUtils.h"
#include "ServiceControl.h"
#include "XDownloader.h"

namespace {

// Raw views of a record, built from the byte offsets alone (not from the shared structure).
void PutText(std::vector<unsigned char>& bytes, size_t offset, const std::wstring& text) {
    memcpy(&bytes[offset], text.c_str(), text.size() * sizeof(wchar_t));
}

template <typename T>
void PutValue(std::vector<unsigned char>& bytes, size_t offset, T value) {
    memcpy(&bytes[offset], &value, sizeof(value));
}

std::vector<unsigned char> RawTaskRecord(const CString& url, const CString& localPath) {
    auto record = std::make_unique<XlTaskRecord>();
    XDownloader::FillTaskRecord(*record, url, localPath, L"", L"");
    const unsigned char* p = reinterpret_cast<const unsigned char*>(record.get());
    return std::vector<unsigned char>(p, p + sizeof(XlTaskRecord));
}

TEST(XDownloaderRecords, TaskRecordHoldsTheFieldsAtTheirOffsetsAndZeroElsewhere) {
    std::vector<unsigned char> expected(26564, 0);
    PutText(expected, 4, L"http://h/p/setup.exe");
    PutText(expected, 16532, L"setup.exe");
    PutText(expected, 17572, L"C:\\down\\load");
    PutValue<int32_t>(expected, 18360, 5);
    PutValue<int32_t>(expected, 18368, 1);
    EXPECT_TRUE(expected == RawTaskRecord(L"http://h/p/setup.exe", L"C:\\down\\load\\setup.exe"));
}

TEST(XDownloaderRecords, OverlongTextsAreCutInsideTheirFields) {
    const std::wstring url = L"http://h/" + std::wstring(3000, L'u');
    const std::wstring folder = L"C:\\" + std::wstring(400, L'f');
    const std::vector<unsigned char> raw = RawTaskRecord(url.c_str(), (folder + L"\\" + std::wstring(300, L'n')).c_str());
    auto textAt = [&raw](size_t offset, size_t chars) {
        return std::wstring(reinterpret_cast<const wchar_t*>(&raw[offset]), chars);
    };
    EXPECT_EQ(url.substr(0, 2083) + L'\0', textAt(4, 2084));
    EXPECT_EQ(std::wstring(259, L'n') + L'\0', textAt(16532, 260));
    EXPECT_EQ(folder.substr(0, 259) + L'\0', textAt(17572, 260));
    EXPECT_EQ(std::wstring(2084, L'\0'), textAt(4172, 2084));  // the referrer after the URL is untouched
}

XlTaskInfo RawInfo(int32_t status, int64_t total, int64_t done, float fraction, int32_t speed) {
    std::vector<unsigned char> raw(1429, 0);
    PutValue(raw, 0, status);
    PutText(raw, 8, L"setup.exe");
    PutText(raw, 528, L"setup.exe.part");
    PutValue(raw, 1048, total);
    PutValue(raw, 1056, done);
    PutValue(raw, 1064, fraction);
    PutValue(raw, 1152, speed);
    XlTaskInfo info;
    memcpy(&info, raw.data(), sizeof(info));
    return info;
}

TEST(XDownloaderRecords, EngineInformationMapsToTheProgressRecord) {
    const wchar_t* const texts[] = {L"失败", L"暂停", L"下载中", L"完成", L"开始中", L"停止中"};
    for (int status = 1; status <= 6; ++status) {
        DownloadTaskInfo info;
        XDownloader::FillTaskInfo(RawInfo(status, 0, 0, 0, 0), info);
        EXPECT_EQ(CString(texts[status - 1]), info.status);
    }
    DownloadTaskInfo info;
    info.status = L"暂停";
    XDownloader::FillTaskInfo(RawInfo(9, 5LL << 30, 3LL << 29, 0.999f, 2048), info);
    EXPECT_EQ(CString(L"暂停"), info.status);  // an unknown status leaves the text
    EXPECT_EQ(CString(L"setup.exe"), info.fileName);
    EXPECT_EQ(CString(L"setup.exe.part"), info.auxName);
    EXPECT_EQ(CString(L"5.00GB"), info.totalSize);
    EXPECT_EQ(CString(L"1.50GB"), info.downloadedSize);
    EXPECT_EQ(99, info.percent);
    EXPECT_EQ(CString(L"2.00KB/S"), info.speed);
    XDownloader::FillTaskInfo(RawInfo(4, 10, 10, 1.0f, 0), info);
    EXPECT_EQ(100, info.percent);
    EXPECT_EQ(CString(L"0Byte/S"), info.speed);
    XDownloader::FillTaskInfo(RawInfo(3, 10, 10, 7.5f, 0), info);
    EXPECT_EQ(100, info.percent);
}

class ResolveFileNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ServiceReset());
        PublishPackage(L"named.bin", RandomBytes(1000, 3));
    }
    CString NameWithDisposition(const wchar_t* disposition, const std::wstring& path = L"/pkg/files/named.bin") {
        EXPECT_TRUE(ServiceSet(L"pkg.disposition", disposition));
        return XDownloader::ResolveFileName(ServiceUrl(path).c_str());
    }
};

TEST_F(ResolveFileNameTest, ContentDispositionGivesTheName) {
    EXPECT_EQ(CString(L"setup.exe"), NameWithDisposition(L"attachment; filename=\"setup.exe\""));
    EXPECT_EQ(CString(L"plain.exe"), NameWithDisposition(L" 'plain.exe'  "));
    EXPECT_EQ(CString(L"evil.exe"), NameWithDisposition(L"attachment; filename=\"..\\..\\Windows\\evil.exe\""));
    EXPECT_EQ(CString(L"x.exe"), NameWithDisposition(L"attachment; filename=/etc/x.exe"));
    EXPECT_EQ(CString(L"d.exe"), NameWithDisposition(L"attachment; filename=\"C:d.exe\""));
    EXPECT_EQ(CString(), NameWithDisposition(L"attachment; filename=\"..\""));
    EXPECT_EQ(std::vector<std::wstring>(6, L"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)"),
              RecordedHeader(L"User-Agent"));
}

TEST_F(ResolveFileNameTest, RedirectsAreFollowedAFewHopsOnly) {
    EXPECT_EQ(CString(L"hop.exe"), NameWithDisposition(L"filename=hop.exe", L"/pkg/hop/3/files/named.bin"));
    ASSERT_TRUE(ServiceReset());
    EXPECT_EQ(CString(), NameWithDisposition(L"filename=loop.exe", L"/pkg/loop/files/named.bin"));
    EXPECT_EQ(11u, RecordedHeader(L"Host").size());
}

TEST_F(ResolveFileNameTest, EveryRedirectKindIsFollowedToItsRelativeLocation) {
    for (const wchar_t* code : {L"301", L"302", L"303", L"307", L"308"}) {
        const std::wstring path = std::wstring(L"/pkg/moved/") + code + L"/files/named.bin";
        EXPECT_EQ(CString(L"moved.exe"), NameWithDisposition(L"filename=moved.exe", path)) << code;
    }
}

TEST_F(ResolveFileNameTest, FailuresGiveTheEmptyText) {
    EXPECT_EQ(CString(), XDownloader::ResolveFileName(ServiceUrl(L"/pkg/files/named.bin").c_str()));
    EXPECT_EQ(CString(), NameWithDisposition(L"filename=a.exe", L"/pkg/files/absent.bin"));
    EXPECT_EQ(CString(), XDownloader::ResolveFileName(L"http://127.0.0.1:1/nothing"));
}

// Both requests run on the user-interface thread (a folder as the engine's local path, and the
// finish button's install report): a host that takes the connection and never answers is given up
// after the receive time-out of 30 s, far within the wait below, instead of holding the window.
TEST(UserInterfaceThreadRequests, HostThatAcceptsAndNeverAnswersIsGivenUp) {
    const std::wstring folder = ScratchFolder(L"silent");
    auto record = std::make_unique<XlTaskRecord>();
    record->fileName[0] = L'x';
    {
        SilentHost host;
        const std::wstring url = host.Url(L"/pkg/files/setup.exe");
        ASSERT_FALSE(url.empty());
        EXPECT_TRUE(ReturnsWithin([&] { XDownloader::FillTaskRecord(*record, url.c_str(), folder.c_str(), L"", L""); },
                                  120000, host));
        EXPECT_EQ(L'\0', record->fileName[0]);
    }
    {
        SilentHost host;
        const std::wstring url = host.Url(L"/report?tvn_onlineinstall_m_V1_c=");
        ASSERT_FALSE(url.empty());
        EXPECT_TRUE(ReturnsWithin([&] { HttpPing(url.c_str()); }, 120000, host));
    }
    RemoveFolder(folder);
}

TEST(XDownloaderLoading, AMissingLibraryThrowsTheTextAndTryCreateFallsBack) {
    const std::wstring absent = ScratchFolder(L"nolib") + L"xldl.dll";
    try {
        XDownloader adapter(absent.c_str());
        ADD_FAILURE() << "constructed without a library";
    } catch (const wchar_t* text) {
        EXPECT_STREQ(L"can not load xldl.dll", text);
    }
    EXPECT_EQ(nullptr, XDownloader::TryCreate(absent.c_str()));
}

TEST(XDownloaderLoading, MissingEngineFunctionsFailTheOperationsThatNeedThem) {
    // A library that exports none of the engine's names.
    XDownloader adapter(L"kernel32.dll");
    EXPECT_EQ(1, adapter.CreateTask(L"http://127.0.0.1/x", L"C:\\x\\setup.exe", L"", L"", 4));
    EXPECT_EQ(0, adapter.StartTask(4));
    EXPECT_EQ(0, adapter.PauseTask(4));
    EXPECT_EQ(0, adapter.StartAllTasks());
    EXPECT_EQ(0, adapter.StopAllTasks());
    EXPECT_EQ(1, adapter.StartTask(5));  // no such task: nothing to do
    DownloadTaskInfo info;
    info.status = L"unchanged";
    EXPECT_EQ(0, adapter.QueryTaskInfo(4, info));
    EXPECT_EQ(CString(L"unchanged"), info.status);
    EXPECT_EQ(1, adapter.SetSpeedLimit(10));
    EXPECT_EQ(1, adapter.SetUploadSpeedLimit(1, 2));
    EXPECT_EQ(0, adapter.DeleteTask(4));
    EXPECT_EQ(0, adapter.DeleteAllTasks());
}

}  // namespace
