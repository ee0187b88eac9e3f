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
    const struct {
        std::wstring stored;
        std::wstring read;
    } cases[] = {
        {L"C:\\Program Files\\Tavrin\\卸载.exe", L"C:\\Program Files\\Tavrin\\卸载.exe"},
        {L"", L""},
        {std::wstring(259, L'a'), std::wstring(259, L'a')},
        {std::wstring(260, L'b'), L""},
        {std::wstring(400, L'c'), L""},
    };
    UninstallKeyScope scope;
    for (const auto& entry : cases) {
        ASSERT_TRUE(scope.Create(&entry.stored));
        EXPECT_EQ(CString(entry.read.c_str()), ReadUninstallString()) << entry.stored.size() << " characters";
    }
}
