// ANSI code page conversions of the statistics module.
#include "TextConvert.h"

#include <windows.h>

#include <cwchar>

namespace ns_kw_stat {

std::string WideToAnsi(const std::wstring& text)
{
    const int length = static_cast<int>(wcsnlen(text.c_str(), text.size()));
    if (length == 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

std::wstring AnsiToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.c_str(), length, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.c_str(), length, &wide[0], size);
    return wide;
}

}  // namespace ns_kw_stat
