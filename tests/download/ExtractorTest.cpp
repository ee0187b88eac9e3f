// The stand-in extractor: its command line, and the real 7ZG.EXE with 7z.dll on archives that
// Python's zipfile wrote at build time.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DownloadTestKit.h"
#include "SevenZipCommandLine.h"
#include "ServiceControl.h"

namespace {

using Arguments = std::vector<std::wstring>;

TEST(ExtractorCommandLine, QuotesToggleAndBackslashesStayLiteral) {
    EXPECT_EQ((Arguments{L"C:\\t\\7ZG.EXE", L"x", L"C:\\a b\\downloader.zip", L"-y", L"-oC:\\temp\\"}),
              SplitSevenZipCommandLine(L"\"C:\\t\\7ZG.EXE\" x \"C:\\a b\\downloader.zip\" -y -o\"C:\\temp\\\""));
    EXPECT_EQ((Arguments{L"p", L"ab c\\\\d", L""}), SplitSevenZipCommandLine(L"  p\ta\"b c\"\\\\d \"\"  "));
}

TEST(ExtractorCommandLine, TheInstallersCommandParses) {
    ExtractCommand command;
    std::wstring error;
    ASSERT_TRUE(ParseExtractCommand(L"7ZG.EXE x \"C:\\temp\\downloader.zip\" -y -o\"C:\\temp\\\"", command, error));
    EXPECT_EQ(L"C:\\temp\\downloader.zip", command.archive);
    EXPECT_EQ(L"C:\\temp\\", command.outputFolder);
    EXPECT_TRUE(command.overwrite);
    for (const wchar_t* bad : {L"7ZG.EXE", L"7ZG.EXE a x.zip", L"7ZG.EXE x -y", L"7ZG.EXE x a.zip b.zip",
                               L"7ZG.EXE x a.zip -p"}) {
        EXPECT_FALSE(ParseExtractCommand(bad, command, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string errorText;
};

// Runs the program with the raw command-line tail and collects its error stream.
RunResult RunProgram(const std::wstring& program, const std::wstring& tail) {
    RunResult result;
    const std::wstring errorFile = ScratchFolder(L"stderr") + L"err.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE error = CreateFileW(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = error;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program + L"\" " + tail;
    if (CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(error);
    const Bytes text = ReadBytes(errorFile);
    result.errorText.assign(text.begin(), text.end());
    return result;
}

class ExtractorRun : public ::testing::Test {
protected:
    void SetUp() override {
        folder = ScratchFolder(L"x");
        CopyFileW(BuildPath(L"payload/7ZG.EXE").c_str(), (folder + L"7ZG.EXE").c_str(), FALSE);
        CopyFileW(BuildPath(L"payload/7z.dll").c_str(), (folder + L"7z.dll").c_str(), FALSE);
        out = folder + L"out\\";
    }
    void TearDown() override { RemoveFolder(folder); }

    RunResult Extract(const wchar_t* archive, const wchar_t* switches = L"-y") {
        return RunProgram(folder + L"7ZG.EXE", L"x \"" + Zip(archive) + L"\" " + switches + L" -o\"" + out + L"\"");
    }
    static std::wstring Zip(const wchar_t* name) { return BuildPath(L"download-zips/") + name; }

    std::wstring folder, out;
};

TEST_F(ExtractorRun, ExtractsStoredAndDeflatedEntriesWithTheirFolders) {
    const RunResult result = Extract(L"good.zip");
    ASSERT_EQ(0u, result.exitCode) << result.errorText;
    EXPECT_TRUE(ReadBytes(out + L"a.txt") == ReadBytes(Zip(L"expected\\a.txt")));
    EXPECT_TRUE(ReadBytes(out + L"dir\\sub\\b.bin") == ReadBytes(Zip(L"expected\\dir\\sub\\b.bin")));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((out + L"empty").c_str()));
}

TEST_F(ExtractorRun, ReplacesExistingFilesOnlyWithY) {
    CreateDirectoryW(out.c_str(), nullptr);
    WriteBytes(out + L"a.txt", Bytes{'o', 'l', 'd'});
    const RunResult refused = Extract(L"good.zip", L"");
    EXPECT_EQ(2u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.errorText.find("exists")) << refused.errorText;
    EXPECT_TRUE((Bytes{'o', 'l', 'd'}) == ReadBytes(out + L"a.txt"));
    EXPECT_EQ(0u, Extract(L"good.zip").exitCode);
    EXPECT_TRUE(ReadBytes(out + L"a.txt") == ReadBytes(Zip(L"expected\\a.txt")));
}

TEST_F(ExtractorRun, RefusesArchivesWithEntriesOutsideTheFolder) {
    for (const wchar_t* archive : {L"slip.zip", L"deepslip.zip", L"absolute.zip", L"drive.zip"}) {
        const RunResult result = Extract(archive);
        EXPECT_EQ(2u, result.exitCode) << archive;
        EXPECT_NE(std::string::npos, result.errorText.find("refused")) << result.errorText;
        EXPECT_FALSE(FileExists(folder + L"evil.txt"));
        EXPECT_FALSE(FileExists(out + L"ok.txt"));  // nothing of a refused archive is written
    }
    EXPECT_FALSE(FileExists(L"C:\\evil.txt"));
}

// Offsets and sizes near 4 GiB, which wrap around when added on a 32-bit system.
TEST_F(ExtractorRun, RefusesHeadersThatPointPastTheArchive) {
    for (const wchar_t* archive : {L"faroffset.zip", L"longpacked.zip"}) {
        const RunResult result = Extract(archive);
        EXPECT_EQ(2u, result.exitCode) << archive;
        EXPECT_NE(std::string::npos, result.errorText.find("truncated")) << result.errorText;
        EXPECT_FALSE(FileExists(out + L"dir\\sub\\b.bin"));
    }
}

TEST_F(ExtractorRun, FailsClearlyOnDamageAMissingLibraryOrABadCommand) {
    const RunResult damaged = Extract(L"badcrc.zip");
    EXPECT_EQ(2u, damaged.exitCode);
    EXPECT_NE(std::string::npos, damaged.errorText.find("CRC")) << damaged.errorText;
    const RunResult badCommand = RunProgram(folder + L"7ZG.EXE", L"x -y");
    EXPECT_EQ(7u, badCommand.exitCode);
    DeleteFileW((folder + L"7z.dll").c_str());
    const RunResult noLibrary = Extract(L"good.zip");
    EXPECT_EQ(2u, noLibrary.exitCode);
    EXPECT_NE(std::string::npos, noLibrary.errorText.find("7z.dll")) << noLibrary.errorText;
}

}  // namespace
