// Helpers of the skin administrator tests.
#include "SkinDatabaseFiles.h"

#include "SkinTestSupport.h"
#include "uiLogFile.h"
#include "uiSkinAdmin.h"

CString SkinDatabasePath(const wchar_t* relative)
{
    return BuildTreePath(L"skin-admin-samples", relative);
}

std::vector<BYTE> ReadSkinDatabaseFile(const wchar_t* relative)
{
    return ReadFileBytes(SkinDatabasePath(relative));
}

BOOL LoadSkinDatabase(const wchar_t* relative)
{
    const std::vector<BYTE> bytes = ReadSkinDatabaseFile(relative);
    uiGetSkinAdmin().Unload();
    return uiGetSkinAdmin().LoadSkinDB(bytes.data(), static_cast<DWORD>(bytes.size()));
}

CString LogCapture::Folder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return CString(temp) + L"tavrin-uilog-test\\";
}

LogCapture::LogCapture(DWORD sizeLimit)
{
    uiLogFile& log = uiLogFile::Instance();
    log.Open(Folder(), sizeLimit); // names the path
    log.Close();
    DeleteFileW(log.GetPath());
    log.Open(Folder(), sizeLimit);
    log.SetLevel(UI_LOG_INFO);
}

LogCapture::~LogCapture()
{
    uiLogFile::Instance().Close();
    uiLogFile::Instance().SetLevel(UI_LOG_ERROR);
}

std::vector<BYTE> LogCapture::Bytes() const
{
    // The log holds the file open for writing while the test reads it.
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(uiLogFile::Instance().GetPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

std::wstring LogCapture::Text() const
{
    const std::vector<BYTE> bytes = Bytes();
    size_t start = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE ? 2 : 0;
    std::wstring text;
    for (size_t at = start; at + 1 < bytes.size(); at += 2)
        text += static_cast<wchar_t>(bytes[at] | (bytes[at + 1] << 8));
    return text;
}
