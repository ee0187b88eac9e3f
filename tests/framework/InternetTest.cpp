// The Internet classes against canned answers (http_fixture.py): line reading as the version
// client relies on it, stream reading across blocks, status codes and failures as exceptions.
#include <gtest/gtest.h>

#include "CFile.h"
#include "Internet.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

CString FixtureUrl(const wchar_t* path)
{
    const char* port = std::getenv("FRAMEWORK_HTTP_PORT");
    CString url;
    url.Format(L"http://127.0.0.1:%hs%s", port ? port : "1", path);
    return url;
}

// The bytes that ReadString packed into the characters of a line.
std::string LineBytes(const CString& line)
{
    return std::string(reinterpret_cast<const char*>(line.GetString()), line.GetLength() * sizeof(wchar_t));
}

std::unique_ptr<CHttpFile> Open(CInternetSession& session, const wchar_t* path)
{
    std::unique_ptr<CStdioFile> file(session.OpenURL(FixtureUrl(path), 1, INTERNET_FLAG_TRANSFER_ASCII | INTERNET_FLAG_RELOAD));
    return std::unique_ptr<CHttpFile>(dynamic_cast<CHttpFile*>(file.release()));
}

TEST(HttpReadString, PacksTwoBytesPerCharacterDropsCarriageReturnsAndSplitsAtLineFeeds)
{
    CInternetSession session;
    auto file = Open(session, L"/lines");
    ASSERT_TRUE(file);
    DWORD status = 0;
    ASSERT_TRUE(file->QueryInfoStatusCode(status));
    EXPECT_EQ(200u, status);
    CString line;
    ASSERT_TRUE(file->ReadString(line));
    EXPECT_EQ(std::string("first\0", 6), LineBytes(line));  // odd length: zero high byte
    ASSERT_TRUE(file->ReadString(line));
    EXPECT_EQ(std::string("second line\0", 12), LineBytes(line));
    ASSERT_TRUE(file->ReadString(line));
    EXPECT_EQ(std::string("third\0", 6), LineBytes(line));
    EXPECT_FALSE(file->ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    file->Close();
    session.Close();
}

TEST(HttpReadString, Utf8AnswerDecodesFromTheLineBytes)
{
    CInternetSession session(L"Tavrin", 1, PRE_CONFIG_INTERNET_ACCESS);
    auto file = Open(session, L"/utf8");
    CString line;
    ASSERT_TRUE(file->ReadString(line));
    const std::string bytes = LineBytes(line);
    EXPECT_STREQ(L"1`2.5.1.300`安装包.exe", ToWide(CStringA(bytes.c_str()), CP_UTF8));
    EXPECT_FALSE(file->ReadString(line));
}

TEST(HttpReadString, EmptyBodyHasNoLine)
{
    CInternetSession session;
    auto file = Open(session, L"/empty");
    CString line(L"stale");
    EXPECT_FALSE(file->ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST(HttpRead, StreamsTheWholeBodyAcrossBlocksAfterALine)
{
    CInternetSession session;
    auto file = Open(session, L"/big");
    std::string body;
    CString first;
    // A line read first leaves the rest of its block for Read.
    ASSERT_TRUE(file->ReadString(first));
    char block[3000];
    for (UINT got; (got = file->Read(block, sizeof(block))) > 0;)
        body.append(block, got);
    std::string expected;
    for (int i = 0; i < 100000; ++i)
        expected += static_cast<char>(i % 251);
    const size_t lineEnd = expected.find('\n');
    EXPECT_EQ(expected.substr(lineEnd + 1), body);
}

TEST(HttpStatus, MissingPathAnswers404)
{
    CInternetSession session(L"Download From HTTP");
    EXPECT_TRUE(session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 3000));
    auto file = Open(session, L"/nothing-here");
    DWORD status = 0;
    ASSERT_TRUE(file->QueryInfoStatusCode(status));
    EXPECT_EQ(404u, status);
}

DWORD OpenFailure(const wchar_t* url)
{
    try {
        CInternetSession session;
        std::unique_ptr<CStdioFile> file(session.OpenURL(url));
    } catch (CInternetException* error) {
        const DWORD code = error->m_dwError;
        error->Delete();
        return code;
    }
    return 0;
}

TEST(HttpFailures, ThrowDeletableExceptions)
{
    // Port 9 on the loopback has no listener.
    EXPECT_NE(0u, OpenFailure(L"http://127.0.0.1:9/x"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INTERNET_UNRECOGNIZED_SCHEME), OpenFailure(L"ftp://127.0.0.1/x"));
}

class TempFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t folder[MAX_PATH];
        ::GetTempPathW(MAX_PATH, folder);
        path.Format(L"%sframework-file-%lu.bin", folder, ::GetCurrentProcessId());
    }
    void TearDown() override { ::DeleteFileW(path); }
    CString path;
};

TEST_F(TempFile, WriteThenReadBackWithLength)
{
    CFile out;
    ASSERT_TRUE(out.Open(path, CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(out.Write("0123456789", 10));
    out.Close();

    CFile in;
    ASSERT_TRUE(in.Open(path, CFile::modeRead | CFile::shareDenyNone));
    EXPECT_EQ(10u, in.GetLength());
    char buffer[16] = {};
    EXPECT_EQ(10u, in.Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("0123456789", buffer);
    EXPECT_EQ(0u, in.Read(buffer, sizeof(buffer)));

    CFile keep;
    ASSERT_TRUE(keep.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    EXPECT_EQ(10u, keep.GetLength());
}

TEST_F(TempFile, MissingFileFailsToOpen)
{
    CFile in;
    EXPECT_FALSE(in.Open(path, CFile::modeRead));
    EXPECT_EQ(0u, in.GetLength());
    char c;
    EXPECT_EQ(0u, in.Read(&c, 1));
}

}  // namespace
