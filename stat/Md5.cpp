// MD5 as RFC 1321 defines it: 64-byte blocks, four rounds of sixteen steps, little-endian words.
#include "Md5.h"

#include "TextConvert.h"

#include <cstring>

namespace ns_kw_stat {
namespace {

const uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

const int kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

uint32_t RotateLeft(uint32_t value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}

void TransformBlock(uint32_t state[4], const uint8_t block[64])
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = uint32_t(block[i * 4]) | uint32_t(block[i * 4 + 1]) << 8 |
                   uint32_t(block[i * 4 + 2]) << 16 | uint32_t(block[i * 4 + 3]) << 24;
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 64; ++step) {
        const int round = step / 16;
        uint32_t mixed;
        int word;
        switch (round) {
        case 0: mixed = (b & c) | (~b & d); word = step; break;
        case 1: mixed = (d & b) | (~d & c); word = (5 * step + 1) % 16; break;
        case 2: mixed = b ^ c ^ d; word = (3 * step + 5) % 16; break;
        default: mixed = c ^ (b | ~d); word = (7 * step) % 16; break;
        }
        const uint32_t next = b + RotateLeft(a + mixed + kSines[step] + words[word], kShifts[round][step % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

}  // namespace

std::array<uint8_t, 16> Md5Digest(const uint8_t* data, size_t length)
{
    uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    size_t done = 0;
    for (; length - done >= 64; done += 64)
        TransformBlock(state, data + done);

    // The tail, the 0x80 marker, zero padding and the bit length fill one or two last blocks.
    uint8_t tail[128] = {};
    const size_t rest = length - done;
    if (rest)
        std::memcpy(tail, data + done, rest);
    tail[rest] = 0x80;
    const size_t tailSize = rest < 56 ? 64 : 128;
    const uint64_t bits = static_cast<uint64_t>(length) * 8;
    for (int i = 0; i < 8; ++i)
        tail[tailSize - 8 + i] = static_cast<uint8_t>(bits >> (8 * i));
    for (size_t offset = 0; offset < tailSize; offset += 64)
        TransformBlock(state, tail + offset);

    std::array<uint8_t, 16> digest;
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<uint8_t>(state[i / 4] >> (8 * (i % 4)));
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
