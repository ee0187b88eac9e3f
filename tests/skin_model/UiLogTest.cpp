// The UI log: file name and place, size limits, levels, the line layout, dropped messages, the cut to
// the newest three quarters at the limit, and the folder chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "SkinDatabaseFiles.h"
#include "uiLogFile.h"

namespace {

CString ExecutableName()
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const CString path(module);
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

std::vector<BYTE> Utf16(const std::wstring& text)
{
    std::vector<BYTE> bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<BYTE>(ch & 0xFF));
        bytes.push_back(static_cast<BYTE>(ch >> 8));
    }
    return bytes;
}

// What the file holds after a write under the cut rule: at the limit, FF FE and the newest
// (size - size / 4) bytes rounded down to an even count.
void ApplyWrite(std::vector<BYTE>* file, const std::wstring& line, size_t limit)
{
    const std::vector<BYTE> bytes = Utf16(line);
    file->insert(file->end(), bytes.begin(), bytes.end());
    const size_t size = file->size();
    if (size < limit)
        return;
    const size_t keep = (size - size / 4) & ~size_t(1);
    std::vector<BYTE> cut = {0xFF, 0xFE};
    cut.insert(cut.end(), file->end() - keep, file->end());
    *file = cut;
}

TEST(UiLog, FileIsNamedAfterTheExecutableInTheGivenFolder)
{
    LogCapture log;
    EXPECT_EQ(LogCapture::Folder() + ExecutableName() + L".uilog", uiLogFile::Instance().GetPath());
    CString folder = LogCapture::Folder();
    folder.Delete(folder.GetLength() - 1);
    ASSERT_TRUE(uiLogFile::Instance().Open(folder + L"/", 40960));
    EXPECT_EQ(folder + L"/" + ExecutableName() + L".uilog", uiLogFile::Instance().GetPath());
    ASSERT_TRUE(uiLogFile::Instance().Open(folder, 40960));
    EXPECT_EQ(folder + L"\\" + ExecutableName() + L".uilog", uiLogFile::Instance().GetPath());
}

TEST(UiLog, SizeLimitIsClamped)
{
    LogCapture log;
    ASSERT_TRUE(uiLogFile::Instance().Open(LogCapture::Folder(), 100));
    EXPECT_EQ(4096u, uiLogFile::Instance().GetSizeLimit());
    ASSERT_TRUE(uiLogFile::Instance().Open(LogCapture::Folder(), 30000000));
    EXPECT_EQ(20480000u, uiLogFile::Instance().GetSizeLimit());
}

TEST(UiLog, ThresholdThreeWritesOnlyErrors)
{
    LogCapture log;
    uiLogFile::Instance().SetLevel(UI_LOG_ERROR);
    uiLogReport(UI_LOG_INFO, L"an info %d", 1);
    uiLogReport(UI_LOG_WARNING, L"a warning %d", 2);
    uiLogReport(UI_LOG_ERROR, L"an error %d", 3);
    EXPECT_FALSE(log.Contains(L"an info"));
    EXPECT_FALSE(log.Contains(L"a warning"));
    EXPECT_TRUE(log.Contains(L"error: an error 3\r\n"));
}

TEST(UiLog, LineLayoutIsTimeDateLevelWordAndMessage)
{
    LogCapture log;
    uiLogReport(UI_LOG_WARNING, L"[%s] %d", L"\u76ae\u80a4", 42);
    uiLogReport(UI_LOG_INFO, L"info line");
    uiLogReport(7, L"no word");
    const std::vector<BYTE> bytes = log.Bytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_FALSE(bytes[0] == 0xFF && bytes[1] == 0xFE); // a fresh file has no byte-order mark
    const std::wregex layout(L"\\d\\d:\\d\\d:\\d\\d \\d{4}-\\d\\d-\\d\\d  warning: \\[\u76ae\u80a4\\] 42\r\n"
                             L"\\d\\d:\\d\\d:\\d\\d \\d{4}-\\d\\d-\\d\\d  info: info line\r\n"
                             L"\\d\\d:\\d\\d:\\d\\d \\d{4}-\\d\\d-\\d\\d  no word\r\n");
    EXPECT_TRUE(std::regex_match(log.Text(), layout)) << CStringA(log.Text().c_str()).GetString();
}

TEST(UiLog, MessagesOf192CharactersOrEmptyAreDropped)
{
    LogCapture log;
    const std::wstring fits(191, L'a');
    const std::wstring tooLong(192, L'b');
    uiLogReport(UI_LOG_ERROR, L"%s", fits.c_str());
    uiLogReport(UI_LOG_ERROR, L"%s", tooLong.c_str());
    uiLogReport(UI_LOG_ERROR, L"%s", L"");
    const std::wstring text = log.Text();
    EXPECT_NE(std::wstring::npos, text.find(L"error: " + fits + L"\r\n"));
    EXPECT_EQ(std::wstring::npos, text.find(L"bbb"));
    EXPECT_EQ(1, std::count(text.begin(), text.end(), L'\n'));
}

TEST(UiLog, ClosedLogIgnoresReports)
{
    LogCapture log;
    uiLogFile::Instance().Close();
    uiLogReport(UI_LOG_ERROR, L"while closed");
    EXPECT_FALSE(uiLogFile::Instance().Write(L"while closed\r\n"));
    EXPECT_TRUE(log.Bytes().empty());
}

TEST(UiLog, ReachingTheLimitCutsToFFFEAndTheLast30720Bytes)
{
    LogCapture log(40960);
    const std::wstring first(20000, L'x');                   // 40000 bytes
    std::wstring second;
    for (int i = 0; i < 480; ++i)
        second += static_cast<wchar_t>(L'A' + i % 26);       // 960 bytes: the file reaches 40960
    ASSERT_TRUE(uiLogFile::Instance().Write(first.c_str()));
    ASSERT_EQ(40000u, log.Bytes().size());
    ASSERT_TRUE(uiLogFile::Instance().Write(second.c_str()));
    const std::vector<BYTE> all = Utf16(first + second);
    std::vector<BYTE> expected = {0xFF, 0xFE};
    expected.insert(expected.end(), all.end() - 30720, all.end());
    EXPECT_EQ(expected, log.Bytes());
}

TEST(UiLog, RepeatedCutsKeepTheNewestLines)
{
    LogCapture log(100); // clamped to 4096
    std::vector<BYTE> expected;
    for (int i = 0; i < 700; ++i) {
        wchar_t line[32];
        swprintf(line, 32, L"line %05d of the log\r\n", i * 7919 % 100000);
        ASSERT_TRUE(uiLogFile::Instance().Write(line)) << i;
        ApplyWrite(&expected, line, 4096);
    }
    EXPECT_EQ(expected, log.Bytes());
    // Writing goes on at the end of the cut file.
    ASSERT_TRUE(uiLogFile::Instance().Write(L"last\r\n"));
    ApplyWrite(&expected, L"last\r\n", 4096);
    EXPECT_EQ(expected, log.Bytes());
}

TEST(UiLog, ReopenAppendsToTheExistingFile)
{
    LogCapture log;
    ASSERT_TRUE(uiLogFile::Instance().Write(L"one\r\n"));
    ASSERT_TRUE(uiLogFile::Instance().Open(LogCapture::Folder(), 40960));
    ASSERT_TRUE(uiLogFile::Instance().Write(L"two\r\n"));
    EXPECT_EQ(std::wstring(L"one\r\ntwo\r\n"), log.Text());
}

TEST(DirectoryChain, CreatesEveryMissingFolder)
{
    const CString root = LogCapture::Folder() + L"chain";
    const CString deep = root + L"\\a/b\\c";
    ASSERT_TRUE(uiCreateDirectoryChain(deep));
    const DWORD attributes = GetFileAttributesW(root + L"\\a\\b\\c");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(uiCreateDirectoryChain(deep)); // exists already
    RemoveDirectoryW(root + L"\\a\\b\\c");
    RemoveDirectoryW(root + L"\\a\\b");
    RemoveDirectoryW(root + L"\\a");
    RemoveDirectoryW(root);
}

TEST(DirectoryChain, PathBelowAFileFails)
{
    const CString file = LogCapture::Folder() + L"plain-file";
    uiCreateDirectoryChain(LogCapture::Folder());
    HANDLE handle = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    CloseHandle(handle);
    EXPECT_FALSE(uiCreateDirectoryChain(file + L"\\below"));
    EXPECT_FALSE(uiCreateDirectoryChain(file));
    DeleteFileW(file);
}

} // namespace
