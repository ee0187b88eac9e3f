// The product's uninstall entry as the installer reads it from the registry.
#include <gtest/gtest.h>

#include "CStringPrinting.h"
#include "InstallerUtils.h"
#include "UninstallKeyScope.h"
#include "VersionService.h"

TEST(UninstallEntry, KeyPathFollowsTheProcessBitness)
{
    // The test prefix is a 32-bit Windows: no WOW64, no Wow6432Node.
    EXPECT_FALSE(RunsUnderWow64());
    EXPECT_EQ(CString(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrin装机版"), UninstallKeyPath());
}

TEST(UninstallEntry, MissingKeyOrValueReadsEmptyAndUnregistered)
{
    UninstallKeyScope scope;
    EXPECT_EQ(CString(), ReadUninstallString());
    EXPECT_EQ(0, IsProductRegistered());

    ASSERT_TRUE(scope.Create());
    EXPECT_EQ(CString(), ReadUninstallString());
    EXPECT_EQ(1, IsProductRegistered());
}

TEST(UninstallEntry, ValuesAsRead)
{
    // The buffer holds 520 bytes: 259 characters and the terminator fit exactly, one more does not.
    // A value stored without its terminator must still end inside the buffer. Such a value is
    // written from a longer text, so that the registry cannot take the next character for the
    // terminator and store it too.
    const struct {
        std::wstring stored;
        int bytes;  // -1: the text with its terminator
        std::wstring read;
    } cases[] = {
        {L"C:\\Program Files\\Tavrin\\卸载.exe", -1, L"C:\\Program Files\\Tavrin\\卸载.exe"},
        {L"", -1, L""},
        {std::wstring(259, L'a'), -1, std::wstring(259, L'a')},
        {std::wstring(260, L'b'), -1, L""},
        {std::wstring(400, L'c'), -1, L""},
        {std::wstring(261, L'd'), 520, std::wstring(260, L'd')},
        {L"C:\\u.exe?", 16, L"C:\\u.exe"},
    };
    UninstallKeyScope scope;
    for (const auto& entry : cases) {
        ASSERT_TRUE(scope.Create(&entry.stored, entry.bytes));
        EXPECT_EQ(CString(entry.read.c_str()), ReadUninstallString())
            << entry.stored.size() << " characters in " << entry.bytes << " bytes";
    }
}

TEST(UninstallEntry, ProductFolderAndPathFromQuotedAndPlainTexts)
{
    const struct {
        std::wstring stored;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Program Files\\Tavrin\\uninst.exe", L"C:\\Program Files\\Tavrin\\"},
        {L"\"C:\\Program Files\\Tavrin\\uninst.exe\"", L"C:\\Program Files\\Tavrin\\"},
        {L"\"C:\\Program Files\\Tavrin\\uninst.exe\" /S", L"C:\\Program Files\\Tavrin\\"},
        {L"\"D:\\Apps\\uninst.exe", L"D:\\Apps\\"},
        {L"uninst.exe", L""},
        {L"\"uninst.exe\"", L""},
    };
    UninstallKeyScope scope;
    for (const auto& entry : cases) {
        ASSERT_TRUE(scope.Create(&entry.stored));
        const CStringA shown(entry.stored.c_str());
        EXPECT_STREQ(entry.folder, InstalledProductFolder().GetString()) << shown.GetString();
        EXPECT_EQ(CString(entry.folder) + L"Tavrin.exe", InstalledProductPath()) << shown.GetString();
    }
}
