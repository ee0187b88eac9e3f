// Report payload encryption: AES in CFB mode (full-block feedback, no padding) and Base64 without
// line breaks.
#pragma once

#include <string>

namespace ns_kw_stat {

// Encrypts plaintext with the key's bytes (16, 24 or 32 of them) and the first 16 bytes of iv.
// False, with base64 untouched, when the key or the vector cannot be used.
bool AesCfbEncryptBase64(const std::string& iv, const std::string& plaintext, const std::string& key,
                         std::string& base64);
// The same for wide texts, narrowed to and widened from the ANSI code page.
bool AesCfbEncryptBase64W(const std::wstring& key, const std::wstring& plaintext, const std::wstring& iv,
                          std::wstring& base64);

}  // namespace ns_kw_stat
