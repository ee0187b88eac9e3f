// MD5 (RFC 1321) of the device id's text; the digest itself comes from Crypto++.
#include "Md5.h"

#include "TextConvert.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>

namespace ns_kw_stat {

std::array<uint8_t, 16> Md5Digest(const uint8_t* data, size_t length)
{
    std::array<uint8_t, 16> digest;
    CryptoPP::Weak::MD5().CalculateDigest(digest.data(), data, length);
    return digest;
}

void MD5HexDigest(const uint8_t* data, size_t length, wchar_t* text)
{
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    const std::array<uint8_t, 16> digest = Md5Digest(data, length);
    for (int i = 0; i < 16; ++i) {
        text[i * 2] = kDigits[digest[i] >> 4];
        text[i * 2 + 1] = kDigits[digest[i] & 0xF];
    }
    text[32] = L'\0';
}

std::wstring GetMD5String(const std::wstring& text)
{
    const std::string bytes = WideToAnsi(text);
    wchar_t hex[33];
    MD5HexDigest(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), hex);
    return hex;
}

}  // namespace ns_kw_stat
