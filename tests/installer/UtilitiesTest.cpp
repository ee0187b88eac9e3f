// Size and version texts, folders, resource extraction, file MD5 and the MAC address.
#include <gtest/gtest.h>

#include <windows.h>
#include <iphlpapi.h>
#include <nb30.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "AdapterStatusAnswer.h"
#include "CStringPrinting.h"
#include "InstallerUtils.h"
#include "ServiceControl.h"

namespace {

std::string ReadBytes(const CString& path)
{
    std::ifstream in(path.GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    std::ofstream(path.GetString(), std::ios::binary) << bytes;
}

// The source tree's Unix path as Wine sees it, on drive Z:.
CString SourceFile(const wchar_t* name)
{
    CString root(TestEnv(L"TAVRIN_SOURCE_DIR").c_str());
    root.Replace(L'/', L'\\');
    return L"Z:" + root + L"\\tests\\installer\\" + name;
}

}  // namespace

TEST(FormatByteSize, UnitChangesOnlyAboveEachBoundary)
{
    EXPECT_EQ(CString(L"0Byte"), FormatByteSize(0));
    EXPECT_EQ(CString(L"1023Byte"), FormatByteSize(1023.9));
    EXPECT_EQ(CString(L"1024Byte"), FormatByteSize(1024));
    EXPECT_EQ(CString(L"1.00KB"), FormatByteSize(1025));
    EXPECT_EQ(CString(L"1024.00KB"), FormatByteSize(1048576));
    EXPECT_EQ(CString(L"1.00MB"), FormatByteSize(1048577));
    EXPECT_EQ(CString(L"1.50MB"), FormatByteSize(1572864));
    EXPECT_EQ(CString(L"1024.00MB"), FormatByteSize(1073741824));
    EXPECT_EQ(CString(L"1.00GB"), FormatByteSize(1073741825));
    EXPECT_EQ(CString(L"3.25GB"), FormatByteSize(3489660928.0));
}

TEST(GetFileVersionText, ReportsTheProductVersionNotTheFileVersion)
{
    // The sample library's block: file version 1.2.3.4, product version 5.60000.7.65535.
    const CString sample = GetModuleFolder() + L"\\versioned_sample.dll";
    EXPECT_EQ(CString(L"5.60000.7.65535"), GetFileVersionText(sample));
}

TEST(GetFileVersionText, FilesWithoutVersionReadEmpty)
{
    EXPECT_EQ(CString(), GetFileVersionText(GetModuleFolder() + L"\\utility_helper.exe"));
    EXPECT_EQ(CString(), GetFileVersionText(GetModuleFolder() + L"\\missing.dll"));
}

TEST(SystemFolders, TempEndsWithBackslashAndModuleFolderHoldsThisProgram)
{
    const CString temp = GetTempFolder();
    ASSERT_FALSE(temp.IsEmpty());
    EXPECT_EQ(L'\\', temp[temp.GetLength() - 1]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(temp));

    const CString folder = GetModuleFolder();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_NE(L'\\', folder[folder.GetLength() - 1]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder + L"\\utility_helper.exe"));
}

TEST(SystemFolders, SpecialFoldersAreTheOnesTheSystemNamesInTheEnvironment)
{
    // The install view proposes a folder below program files; the install report reads its channel
    // from the application-data folder.
    const std::wstring programFiles = TestEnv(L"ProgramFiles");
    const std::wstring appData = TestEnv(L"APPDATA");
    ASSERT_FALSE(programFiles.empty());
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(0, GetProgramFilesFolder().CompareNoCase(programFiles.c_str())) << GetProgramFilesFolder().GetString();
    EXPECT_EQ(0, GetAppDataFolder().CompareNoCase(appData.c_str())) << GetAppDataFolder().GetString();
}

TEST(WriteResourceToFile, WritesTheResourceBytesOverAnOldFile)
{
    const CString target = GetTempFolder() + L"utilities_payload.bin";
    const std::string expected = ReadBytes(SourceFile(L"UtilityHelper.cpp"));
    ASSERT_FALSE(expected.empty());
    WriteBytes(target, std::string(expected.size() * 3, 'x'));

    EXPECT_TRUE(WriteResourceToFile(target, L"EXE", 4001));
    EXPECT_EQ(expected, ReadBytes(target));
    DeleteFileW(target);
}

TEST(WriteResourceToFile, MissingResourceIsAFailure)
{
    const CString target = GetTempFolder() + L"utilities_missing.bin";
    EXPECT_FALSE(WriteResourceToFile(target, L"EXE", 4999));
    DeleteFileW(target);
}

TEST(GetFileMd5Text, LowerCaseDigestOfTheNamedFile)
{
    // The digest of "message digest" from the MD5 standard's test suite. The package's name comes
    // from the service: blanks and characters outside the ANSI code page must name the same file.
    for (const wchar_t* name : {L"md5 sample.bin", L"安装包 md5.bin"}) {
        const CString path = GetTempFolder() + name;
        WriteBytes(path, "message digest");
        EXPECT_EQ(CString(L"f96b697d7cb7938d525a2f31aaf161d0"), GetFileMd5Text(path)) << ToNarrow(name, CP_UTF8).GetString();
        DeleteFileW(path);
    }
}

TEST(GetMacAddressText, ReadsTheAddressFromARecordedAdapterAnswer)
{
    const unsigned char* answer = kAdapterStatusAnswer;
    EXPECT_EQ(CString(kAdapterStatusAddress), MacAddressFromStatus(NRC_GOODRET, answer, sizeof(kAdapterStatusAnswer)));
    // A name table that did not fit leaves the address whole.
    EXPECT_EQ(CString(kAdapterStatusAddress), MacAddressFromStatus(NRC_INCOMP, answer, sizeof(ADAPTER_STATUS)));
    // A refused request, or an answer too short for the address, reads empty.
    EXPECT_EQ(CString(), MacAddressFromStatus(NRC_BRIDGE, answer, sizeof(kAdapterStatusAnswer)));
    EXPECT_EQ(CString(), MacAddressFromStatus(NRC_BUFLEN, answer, sizeof(kAdapterStatusAnswer)));
    EXPECT_EQ(CString(), MacAddressFromStatus(NRC_GOODRET, answer, 5));
}

TEST(GetMacAddressText, EmptyOrTheAddressOfAnAdapter)
{
    const CString mac = GetMacAddressText();
    // A failed lookup reads empty (the usual outcome under Wine, which has no NetBIOS adapter);
    // anything else must be the hardware address of one of the machine's adapters.
    if (mac.IsEmpty())
        return;
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::vector<BYTE> buffer(size ? size : 1);
    auto* adapter = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    ASSERT_EQ(DWORD(ERROR_SUCCESS), GetAdaptersInfo(adapter, &size));
    std::vector<CString> known;
    for (; adapter; adapter = adapter->Next) {
        const BYTE* a = adapter->Address;
        CString text;
        text.Format(L"%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
        known.push_back(text);
    }
    EXPECT_NE(known.end(), std::find(known.begin(), known.end(), mac)) << mac.GetString();
}
