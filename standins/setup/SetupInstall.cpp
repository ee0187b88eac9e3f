// Installing the product stand-in: files, uninstall key and channel file, as the real package leaves them.
#include "SetupInstall.h"

#include "StandinRecord.h"

#include <windows.h>
#include <shlobj.h>

namespace {

const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrin装机版";

bool WriteProductProgram(const std::wstring& path)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(SETUP_PRODUCT_RESOURCE), MAKEINTRESOURCEW(10));
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(nullptr, resource) : 0;
    if (!bytes || size == 0) {
        return false;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

bool RegisterUninstaller(const std::wstring& uninstaller)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const DWORD bytes = static_cast<DWORD>((uninstaller.size() + 1) * sizeof(wchar_t));
    const bool ok = RegSetValueExW(key, L"UninstallString", 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(uninstaller.c_str()), bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool WriteChannelFile(const std::wstring& channel)
{
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) {
        return false;
    }
    const std::wstring folder = std::wstring(appData) + L"\\tvn";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return WritePrivateProfileStringW(L"OEM", L"ChannelID", channel.c_str(), (folder + L"\\config.ini").c_str()) != 0;
}

}  // namespace

std::wstring InstallFolderArgument(const std::wstring& arguments)
{
    const size_t at = arguments.find(L"/I=");
    if (at == std::wstring::npos) {
        return {};
    }
    const size_t start = at + 3;
    // A script that passes the argument through Wine's own command line gets its quotes escaped (\").
    for (const std::wstring quote : {L"\"", L"\\\""}) {
        if (arguments.compare(start, quote.size(), quote) == 0) {
            const size_t from = start + quote.size();
            const size_t close = arguments.find(quote, from);
            return arguments.substr(from, close == std::wstring::npos ? std::wstring::npos : close - from);
        }
    }
    std::wstring folder = arguments.substr(start);
    while (!folder.empty() && iswspace(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

bool InstallProduct(const std::wstring& folder, const std::wstring& channel)
{
    std::wstring base = folder;
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) {
        base.pop_back();
    }
    const int created = SHCreateDirectoryExW(nullptr, base.c_str(), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS && created != ERROR_FILE_EXISTS) {
        return false;
    }
    const std::wstring uninstaller = base + L"\\uninst.exe";
    return WriteProductProgram(base + L"\\Tavrin.exe") && CopyFileW(ModulePath().c_str(), uninstaller.c_str(), FALSE) &&
           RegisterUninstaller(uninstaller) && WriteChannelFile(channel);
}
