// MD5 message digest (RFC 1321) and its upper-case hexadecimal text, for the device id.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ns_kw_stat {

std::array<uint8_t, 16> Md5Digest(const uint8_t* data, size_t length);
// Writes the 32 hexadecimal digits and a terminating null into text (at least 33 characters).
void MD5HexDigest(const uint8_t* data, size_t length, wchar_t* text);
// MD5 of the text's ANSI bytes as 32 upper-case hexadecimal digits.
std::wstring GetMD5String(const std::wstring& text);

}  // namespace ns_kw_stat
