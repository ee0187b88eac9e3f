// Records of the stand-in programs: one UTF-8 line per event, appended to a file the tests read.
#include "StandinRecord.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <cwctype>

std::wstring EnvText(const wchar_t* name)
{
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 32768);
    return (length > 0 && length < 32768) ? std::wstring(buffer, length) : std::wstring();
}

unsigned long EnvNumber(const wchar_t* name, unsigned long fallback)
{
    const std::wstring text = EnvText(name);
    if (text.empty()) {
        return fallback;
    }
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
    return (end && *end == L'\0') ? value : fallback;
}

std::wstring RecordFolder(const std::wstring& fallback)
{
    const std::wstring named = EnvText(L"TAVRIN_STANDIN_DIR");
    return named.empty() ? fallback : named;
}

std::wstring ModulePath()
{
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    return std::wstring(buffer, length);
}

std::wstring ModuleFolder()
{
    const std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    std::wstring folder(buffer, GetTempPathW(MAX_PATH + 1, buffer));
    while (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    return folder;
}

std::wstring RawArguments()
{
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') {
            ++p;
        }
        if (*p == L'"') {
            ++p;
        }
    } else {
        while (*p && !std::iswspace(*p)) {
            ++p;
        }
    }
    while (*p && std::iswspace(*p)) {
        ++p;
    }
    return p;
}

bool AppendRecordLine(const std::wstring& folder, const std::wstring& file, const std::wstring& line)
{
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + file;
    HANDLE handle = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    DWORD written = 0;
    const bool ok = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(handle);
    return ok;
}
