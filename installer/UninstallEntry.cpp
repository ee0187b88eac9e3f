// The product's uninstall entry in the registry: where it lives and its "UninstallString".
#include "InstallerUtils.h"

namespace {

// Closes a registry key on every path.
class RegistryKey {
public:
    RegistryKey(HKEY parent, const CString& path, REGSAM access)
    {
        if (RegOpenKeyExW(parent, path, 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey() { if (key_) RegCloseKey(key_); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }
private:
    HKEY key_ = nullptr;
};

// The uninstall program named by an uninstall text. Setups commonly quote the path, as the shell
// needs for a folder with blanks, and may add arguments after the closing quote.
CString UninstallProgramPath(const CString& uninstallText)
{
    if (uninstallText.IsEmpty() || uninstallText[0] != L'"')
        return uninstallText;
    const int closing = uninstallText.Find(L'"', 1);
    return closing < 0 ? uninstallText.Mid(1) : uninstallText.Mid(1, closing - 1);
}

// Room for 260 characters; one more slot stays zero so that a value stored without its
// terminator still ends inside the buffer.
constexpr DWORD kValueBytes = 520;

}  // namespace

bool RunsUnderWow64()
{
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"kernel32");
    auto isWow64 = kernel ? reinterpret_cast<IsWow64ProcessFn>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
                          : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

CString UninstallKeyPath()
{
    return RunsUnderWow64()
        ? CString(L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrin装机版")
        : CString(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrin装机版");
}

CString ReadUninstallString()
{
    RegistryKey key(HKEY_LOCAL_MACHINE, UninstallKeyPath(), KEY_WOW64_64KEY | KEY_QUERY_VALUE);
    if (!key.get())
        return CString();
    wchar_t value[kValueBytes / sizeof(wchar_t) + 1] = {};
    DWORD size = kValueBytes;
    if (RegQueryValueExW(key.get(), L"UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size)
        != ERROR_SUCCESS)
        return CString();
    return CString(value);
}

CString InstalledProductFolder()
{
    const CString program = UninstallProgramPath(ReadUninstallString());
    return program.Left(program.ReverseFind(L'\\') + 1);
}

CString InstalledProductPath()
{
    return InstalledProductFolder() + L"Tavrin.exe";
}
