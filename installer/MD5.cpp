// MD5 message digest (RFC 1321).
#include "MD5.h"

namespace {

const unsigned kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// The integer part of 2^32 * |sin(i + 1)|.
const uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

const size_t kFileChunk = 2048;

uint32_t Md5Step(int n, uint32_t a, uint32_t b, uint32_t c, uint32_t d, const uint32_t* words)
{
    const int round = n / 16;
    uint32_t mixed;
    int word;
    if (round == 0) {
        mixed = (b & c) | (~b & d);
        word = n;
    } else if (round == 1) {
        mixed = (b & d) | (c & ~d);
        word = (5 * n + 1) % 16;
    } else if (round == 2) {
        mixed = b ^ c ^ d;
        word = (3 * n + 5) % 16;
    } else {
        mixed = c ^ (b | ~d);
        word = (7 * n) % 16;
    }
    return b + RotateLeft32(a + mixed + words[word] + kSines[n], kShifts[round][n % 4]);
}

void Compress(uint32_t* state, const uint8_t* block)
{
    CompressMd4Family(state, block, 64, Md5Step);
}

}  // namespace

void Md5Init(Md5Context& context)
{
    Md4Init(context);  // the same initial state
}

void Md5Update(Md5Context& context, const uint8_t* data, size_t length)
{
    context.Update(data, length, Compress);
}

void Md5Final(Md5Context& context, uint8_t digest[16])
{
    context.Finish(false, Compress, digest);
}

uint64_t Md5File(FILE* file, uint8_t digest[16])
{
    Md5Context context;
    Md5Init(context);
    uint8_t chunk[kFileChunk];
    uint64_t total = 0;
    size_t got;
    do {
        got = std::fread(chunk, 1, kFileChunk, file);
        Md5Update(context, chunk, got);
        total += got;
    } while (got == kFileChunk);
    Md5Final(context, digest);
    return total;
}
