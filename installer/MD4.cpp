// MD4 message digest (RFC 1320).
#include "MD4.h"

namespace {

const unsigned kShifts[3][4] = {{3, 7, 11, 19}, {3, 5, 9, 13}, {3, 9, 11, 15}};
const uint32_t kRoundConstants[3] = {0, 0x5A827999u, 0x6ED9EBA1u};
// Word order of the third round: the 4-bit reversal of the step number.
const int kThirdRoundOrder[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

uint32_t Md4Step(int n, uint32_t a, uint32_t b, uint32_t c, uint32_t d, const uint32_t* words)
{
    const int round = n / 16, i = n % 16;
    uint32_t mixed;
    int word;
    if (round == 0) {
        mixed = (b & c) | (~b & d);
        word = i;
    } else if (round == 1) {
        mixed = (b & c) | (b & d) | (c & d);
        word = (i % 4) * 4 + i / 4;
    } else {
        mixed = b ^ c ^ d;
        word = kThirdRoundOrder[i];
    }
    return RotateLeft32(a + mixed + words[word] + kRoundConstants[round], kShifts[round][i % 4]);
}

void Compress(uint32_t* state, const uint8_t* block)
{
    CompressMd4Family(state, block, 48, Md4Step);
}

}  // namespace

void Md4Init(Md4Context& context)
{
    context.Start({0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u});
}

void Md4Update(Md4Context& context, const uint8_t* data, size_t length)
{
    context.Update(data, length, Compress);
}

void Md4Final(Md4Context& context, uint8_t digest[16])
{
    context.Finish(false, Compress, digest);
}
