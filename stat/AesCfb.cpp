// AES-CFB encryption and Base64 encoding with Crypto++.
#include "AesCfb.h"

#include "TextConvert.h"

#include <cryptopp/aes.h>
#include <cryptopp/base64.h>
#include <cryptopp/filters.h>
#include <cryptopp/modes.h>

namespace ns_kw_stat {

bool AesCfbEncryptBase64(const std::string& iv, const std::string& plaintext, const std::string& key,
                         std::string& base64)
{
    try {
        CryptoPP::CFB_Mode<CryptoPP::AES>::Encryption cipher;
        if (!cipher.IsValidKeyLength(key.size()) || iv.size() < CryptoPP::AES::BLOCKSIZE)
            return false;
        cipher.SetKeyWithIV(reinterpret_cast<const CryptoPP::byte*>(key.data()), key.size(),
                            reinterpret_cast<const CryptoPP::byte*>(iv.data()), CryptoPP::AES::BLOCKSIZE);
        std::string encoded;
        CryptoPP::StringSource source(
            plaintext, true,
            new CryptoPP::StreamTransformationFilter(
                cipher, new CryptoPP::Base64Encoder(new CryptoPP::StringSink(encoded), false)));
        base64.swap(encoded);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool AesCfbEncryptBase64W(const std::wstring& key, const std::wstring& plaintext, const std::wstring& iv,
                          std::wstring& base64)
{
    std::string encoded;
    if (!AesCfbEncryptBase64(WideToAnsi(iv), WideToAnsi(plaintext), WideToAnsi(key), encoded))
        return false;
    base64 = AnsiToWide(encoded);
    return true;
}

}  // namespace ns_kw_stat
