// Windows version, bitness, Internet Explorer version, MAC address and processor id probes.
#include "SystemProbes.h"

#include "CNumberText.h"

#include <windows.h>
#include <nb30.h>
#include <cpuid.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace ns_kw_stat {
namespace {

// Reads a registry text value into a bounded buffer. Each read starts from the full buffer size, since
// a failed read leaves the size it wanted in the size variable.
bool ReadRegistryText(HKEY key, const wchar_t* name, std::wstring& text)
{
    wchar_t buffer[100] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[99] = L'\0';
    text = buffer;
    return true;
}

}  // namespace

std::wstring OSNameOfVersion(unsigned major, unsigned minor)
{
    if (major == 5)
        return minor == 1 ? L"xp" : L"";
    if (major == 6) {
        switch (minor) {
        case 0: return L"vista";
        case 1: return L"win7";
        case 2: return L"win8";
        default: return L"";
        }
    }
    if (major >= 7)
        return minor == 0 ? L"win8" : L"";
    return L"";
}

std::wstring GetOSName()
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)))
        return L"";
    return OSNameOfVersion(info.dwMajorVersion, info.dwMinorVersion);
}

bool IsWow64()
{
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"kernel32");
    if (!kernel)
        return false;
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring GetOSBits()
{
    return IsWow64() ? L"64" : L"32";
}

std::wstring GetIEVersion()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Internet Explorer", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return L"";
    std::wstring version;
    if (!ReadRegistryText(key, L"svcVersion", version))
        ReadRegistryText(key, L"Version", version);
    RegCloseKey(key);
    return version;
}

void SplitVersion(const std::wstring& text, int minimumCount, std::vector<uint8_t>& parts)
{
    size_t start = 0;
    for (size_t dot = text.find(L'.'); dot != std::wstring::npos; dot = text.find(L'.', start)) {
        parts.push_back(static_cast<uint8_t>(_wtoi(text.substr(start, dot - start).c_str())));
        start = dot + 1;
    }
    // Without any dot the whole text is the one component; after the last dot only a non-empty rest is.
    if (start == 0 || start < text.size())
        parts.push_back(static_cast<uint8_t>(_wtoi(text.substr(start).c_str())));
    while (static_cast<int>(parts.size()) < minimumCount)
        parts.push_back(0);
}

std::wstring MajorVersionText(const std::wstring& version)
{
    std::vector<uint8_t> parts;
    SplitVersion(version, -1, parts);
    return CNumberText(parts.empty() ? 0 : parts.front()).Text();
}

std::wstring GetMacAddress()
{
    NCB ncb = {};
    LANA_ENUM adapters = {};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<UCHAR*>(&adapters);
    ncb.ncb_length = sizeof(adapters);
    if (Netbios(&ncb) != NRC_GOODRET || adapters.length == 0)
        return L"";
    const UCHAR adapter = adapters.lana[0];

    std::memset(&ncb, 0, sizeof(ncb));
    ncb.ncb_command = NCBRESET;
    ncb.ncb_lana_num = adapter;
    if (Netbios(&ncb) != NRC_GOODRET)
        return L"";

    ADAPTER_STATUS status = {};
    std::memset(&ncb, 0, sizeof(ncb));
    ncb.ncb_command = NCBASTAT;
    ncb.ncb_lana_num = adapter;
    ncb.ncb_callname[0] = '*';
    ncb.ncb_buffer = reinterpret_cast<UCHAR*>(&status);
    ncb.ncb_length = sizeof(status);
    // The status block is followed by a name table that does not fit; the address is still complete.
    const UCHAR result = Netbios(&ncb);
    return MacAddressFromStatus(result, &status, sizeof(status));
}

std::wstring MacAddressFromStatus(unsigned char result, const void* answer, size_t length)
{
    const size_t at = offsetof(ADAPTER_STATUS, adapter_address);
    if ((result != NRC_GOODRET && result != NRC_INCOMP) || length < at + sizeof(ADAPTER_STATUS::adapter_address))
        return L"";
    wchar_t text[100] = {};
    const UCHAR* a = static_cast<const UCHAR*>(answer) + at;
    _snwprintf(text, 99, L"%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
    return text;
}

std::wstring GetCpuId()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __get_cpuid(1, &eax, &ebx, &ecx, &edx);
    wchar_t text[32] = {};
    _snwprintf(text, 31, L"%08X%08X", edx, eax);
    return text;
}

}  // namespace ns_kw_stat
