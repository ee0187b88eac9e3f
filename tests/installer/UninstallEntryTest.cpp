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

TEST(UninstallEntry, PresentAndEmptyValues)
{
    UninstallKeyScope scope;
    const std::wstring path = L"C:\\Program Files\\Tavrin\\卸载.exe";
    ASSERT_TRUE(scope.Create(&path));
    EXPECT_EQ(CString(path.c_str()), ReadUninstallString());

    const std::wstring empty;
    ASSERT_TRUE(scope.Create(&empty));
    EXPECT_EQ(CString(), ReadUninstallString());
}

TEST(UninstallEntry, ValueAtTheBufferLimit)
{
    UninstallKeyScope scope;
    // 259 characters and the terminator fill the 520-byte buffer exactly.
    const std::wstring fits(259, L'a');
    ASSERT_TRUE(scope.Create(&fits));
    EXPECT_EQ(CString(fits.c_str()), ReadUninstallString());

    // One more character no longer fits with its terminator.
    const std::wstring tooLong(260, L'b');
    ASSERT_TRUE(scope.Create(&tooLong));
    EXPECT_EQ(CString(), ReadUninstallString());
}

TEST(UninstallEntry, OversizedValueReadsEmpty)
{
    UninstallKeyScope scope;
    const std::wstring oversized(400, L'c');
    ASSERT_TRUE(scope.Create(&oversized));
    EXPECT_EQ(CString(), ReadUninstallString());
}
