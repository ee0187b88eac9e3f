// Conversions between wide text and the ANSI code page, used where bytes leave the module
// (hashing, encryption, HTTP).
#pragma once

#include <string>

namespace ns_kw_stat {

// Narrows up to the first null character; characters without a mapping take the system default.
std::string WideToAnsi(const std::wstring& text);
// Widens; empty when the conversion yields nothing.
std::wstring AnsiToWide(const std::string& text);

}  // namespace ns_kw_stat
