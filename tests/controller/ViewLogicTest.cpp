// Pieces of the views and the start-up that need no window: the folder chosen in the folder
// dialog, and the program's own version text from its version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include "InstallView.h"
#include "InstallerApp.h"

namespace {

std::wstring Env(const wchar_t* name)
{
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length && length < 1024 ? value : L"";
}

std::wstring WinePath(std::wstring unixPath)
{
    for (wchar_t& ch : unixPath)
        if (ch == L'/')
            ch = L'\\';
    return L"Z:" + unixPath;
}

TEST(InstallFolderChoice, DriveRootAndFolderBothGetTavrinBelowThem)
{
    EXPECT_STREQ(L"D:\\Tavrin", InstallFolderBelow(L"D:\\").GetString());
    EXPECT_STREQ(L"D:\\Apps\\Tavrin", InstallFolderBelow(L"D:\\Apps").GetString());
}

TEST(AppVersionText, CommasBecomeDotsAndBlanksGoAway)
{
    const std::wstring build = Env(L"TAVRIN_BINARY_DIR");
    ASSERT_FALSE(build.empty());
    // The installer's version resource says "1, 0, 0, 1".
    EXPECT_STREQ(L"1.0.0.1", GetAppVersionText(WinePath(build + L"/installer/TavrinInstaller.exe").c_str()).GetString());
}

TEST(AppVersionText, FileWithoutVersionResourceGivesEmptyText)
{
    const std::wstring source = Env(L"TAVRIN_SOURCE_DIR");
    ASSERT_FALSE(source.empty());
    EXPECT_STREQ(L"", GetAppVersionText(WinePath(source + L"/README.md").c_str()).GetString());
    EXPECT_STREQ(L"", GetAppVersionText(L"Z:\\nonexistent\\nothing.exe").GetString());
}

}  // namespace
