// The stand-ins the end-to-end tests rely on: the setup package installs files, the uninstall key and the
// channel file and records its arguments; the product programs leave a marker and keep running; the
// browser stand-in records the URLs the shell opens.
#include "ServiceControl.h"
#include "WaitUntil.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrin装机版";

std::wstring BuildPath(const std::wstring& relative)
{
    std::wstring path = L"Z:" + TestEnv(L"TAVRIN_BINARY_DIR") + L"/" + relative;
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

std::wstring Widen(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

std::vector<std::wstring> ReadLines(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<std::wstring> lines;
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(Widen(line));
    }
    return lines;
}

// The file's lines once it has any; none if a minute passes first, far more than a loaded machine needs.
std::vector<std::wstring> WaitForLines(const std::wstring& path)
{
    std::vector<std::wstring> lines;
    WaitUntil([&] { return !(lines = ReadLines(path)).empty(); }, 60000, 50);
    return lines;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The product version of the file's fixed version information, as dotted text.
std::wstring ProductVersionOf(const std::wstring& path)
{
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size)) {
        return L"";
    }
    std::wostringstream text;
    text << HIWORD(info->dwProductVersionMS) << L'.' << LOWORD(info->dwProductVersionMS) << L'.'
         << HIWORD(info->dwProductVersionLS) << L'.' << LOWORD(info->dwProductVersionLS);
    return text.str();
}

std::wstring UninstallString()
{
    wchar_t value[1024] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString", RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS) {
        return L"";
    }
    return value;
}

std::wstring ChannelFile()
{
    wchar_t appData[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::wstring(appData) + L"\\tvn\\config.ini";
}

std::wstring ChannelId()
{
    wchar_t value[129] = {};
    GetPrivateProfileStringW(L"OEM", L"ChannelID", L"", value, 129, ChannelFile().c_str());
    return value;
}

struct ChildRun {
    DWORD exitCode = 0xFFFFFFFF;
    DWORD milliseconds = 0;
};

ChildRun RunAndWait(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ChildRun run;
    const DWORD start = GetTickCount();
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << std::string(program.begin(), program.end());
        return run;
    }
    WaitForSingleObject(process.hProcess, 60000);
    run.milliseconds = GetTickCount() - start;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

// Gives each test its own record folder and puts back the uninstall key and the channel file that the
// setup stand-in overwrites, so that the prefix looks afterwards as it did before.
class Standins : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"standin-test-" + std::to_wstring(GetCurrentProcessId());
        SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
        SetEnvironmentVariableW(L"TAVRIN_STANDIN_DIR", folder_.c_str());
        savedUninstall_ = UninstallString();
        std::ifstream channel(ChannelFile().c_str(), std::ios::binary);
        hadChannelFile_ = channel.good();
        savedChannelFile_.assign(std::istreambuf_iterator<char>(channel), std::istreambuf_iterator<char>());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);
    }

    void TearDown() override
    {
        for (const wchar_t* name : {L"TAVRIN_STANDIN_DIR", L"TAVRIN_SETUP_EXIT_CODE", L"TAVRIN_SETUP_DELAY_MS",
                                    L"TAVRIN_SETUP_CHANNEL", L"TAVRIN_PRODUCT_LIFETIME_MS"}) {
            SetEnvironmentVariableW(name, nullptr);
        }
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey);
        if (!savedUninstall_.empty()) {
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString", REG_SZ, savedUninstall_.c_str(),
                            static_cast<DWORD>((savedUninstall_.size() + 1) * sizeof(wchar_t)));
        }
        if (hadChannelFile_) {
            std::ofstream(ChannelFile().c_str(), std::ios::binary) << savedChannelFile_;
        } else {
            DeleteFileW(ChannelFile().c_str());
        }
        std::wstring from = folder_ + L'\0';
        SHFILEOPSTRUCTW remove = {};
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationW(&remove);
    }

    std::wstring folder_;

private:
    std::wstring savedUninstall_;
    bool hadChannelFile_ = false;
    std::string savedChannelFile_;
};

const std::wstring kSetup = L"standins/setup/TavrinSetup.exe";

TEST_F(Standins, SetupInstallsIntoTheQuotedFolderWithOrWithoutTrailingBackslash)
{
    struct Form {
        const wchar_t* quote;
        const wchar_t* trailing;
    };
    // The last form is what a script's argument /I="..." becomes on Wine's command line.
    for (const Form form : {Form{L"\"", L""}, Form{L"\"", L"\\"}, Form{L"\\\"", L"\\\\"}}) {
        const std::wstring target = folder_ + L"\\Program Files\\Tavrin 装机";
        const std::wstring arguments = L"/S /V=U /I=" + std::wstring(form.quote) + target + form.trailing + form.quote;
        SCOPED_TRACE(std::string(arguments.begin(), arguments.end()));
        DeleteFileW(ChannelFile().c_str());

        EXPECT_EQ(RunAndWait(BuildPath(kSetup), arguments).exitCode, 0u);
        EXPECT_EQ(ProductVersionOf(target + L"\\Tavrin.exe"), Widen(TAVRIN_PRODUCT_NEW_VERSION));
        EXPECT_TRUE(FileExists(target + L"\\uninst.exe"));
        EXPECT_EQ(UninstallString(), target + L"\\uninst.exe");
        EXPECT_EQ(ChannelId(), L"1001");
        const auto runs = ReadLines(folder_ + L"\\setup-runs.txt");
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(runs.back(), arguments);
    }
}

TEST_F(Standins, SetupTakesExitCodeDelayAndChannelFromTheEnvironment)
{
    SetEnvironmentVariableW(L"TAVRIN_SETUP_EXIT_CODE", L"7");
    SetEnvironmentVariableW(L"TAVRIN_SETUP_DELAY_MS", L"800");
    SetEnvironmentVariableW(L"TAVRIN_SETUP_CHANNEL", L"2046");
    const ChildRun run = RunAndWait(BuildPath(kSetup), L"/S /V=U /I=\"" + folder_ + L"\\T\"");
    EXPECT_EQ(run.exitCode, 7u);
    EXPECT_GE(run.milliseconds, 800u);
    EXPECT_EQ(ChannelId(), L"2046");
    EXPECT_EQ(UninstallString(), folder_ + L"\\T\\uninst.exe");
}

TEST_F(Standins, SetupWithoutFolderRecordsAndInstallsNothing)
{
    EXPECT_EQ(RunAndWait(BuildPath(kSetup), L"/S /V=U").exitCode, 2u);
    EXPECT_EQ(ReadLines(folder_ + L"\\setup-runs.txt"), std::vector<std::wstring>{L"/S /V=U"});
    EXPECT_EQ(UninstallString(), L"");
}

TEST_F(Standins, ProductProgramsLeaveAMarkerAndKeepRunning)
{
    struct Program {
        std::wstring path, marker, version;
    };
    const Program programs[] = {
        {L"standins/product/old/Tavrin.exe", L"Tavrin.exe.started", Widen(TAVRIN_PRODUCT_OLD_VERSION)},
        {L"standins/product/zazava.exe", L"zazava.exe.started", Widen(TAVRIN_PRODUCT_NEW_VERSION)},
    };
    // Running on is seen through the program's own lifetime: it ends by itself, and never before that
    // time has passed since it was started. A loaded machine can only lengthen the run, so the lower
    // bound holds (less a timer's grain); the upper one is only a generous limit for a stuck program.
    const DWORD lifetimeMs = 4000;
    SetEnvironmentVariableW(L"TAVRIN_PRODUCT_LIFETIME_MS", std::to_wstring(lifetimeMs).c_str());
    for (const Program& program : programs) {
        const std::wstring path = BuildPath(program.path);
        EXPECT_EQ(ProductVersionOf(path), program.version);
        std::wstring commandLine = L"\"" + path + L"\" -from test";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        const ULONGLONG start = GetTickCount64();
        ASSERT_TRUE(CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        EXPECT_EQ(WaitForLines(folder_ + L"\\" + program.marker),
                  std::vector<std::wstring>{std::to_wstring(process.dwProcessId) + L" -from test"});
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        EXPECT_GE(GetTickCount64() - start, lifetimeMs - 50u);
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u);
        TerminateProcess(process.hProcess, 9);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

TEST_F(Standins, ShellOpenOfAnHttpUrlReachesTheBrowserRecorder)
{
    wchar_t handler[1024] = {};
    DWORD bytes = sizeof(handler) - sizeof(wchar_t);
    RegGetValueW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr, RRF_RT_REG_SZ, nullptr, handler, &bytes);
    if (std::wstring(handler).find(L"BrowserRecorder.exe") == std::wstring::npos) {
        GTEST_SKIP() << "the browser stand-in is not registered (scripts/register-browser.sh)";
    }
    const std::wstring url = ServiceUrl(L"/home?from=test&n=1");
    ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOW)), 32);
    EXPECT_EQ(WaitForLines(folder_ + L"\\browser-urls.txt"), std::vector<std::wstring>{url});
}

}  // namespace
