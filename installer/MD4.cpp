// MD4 message digest (RFC 1320).
#include "MD4.h"

namespace {

const unsigned kShifts[3][4] = {{3, 7, 11, 19}, {3, 5, 9, 13}, {3, 9, 11, 15}};
const uint32_t kRoundConstants[3] = {0, 0x5A827999u, 0x6ED9EBA1u};
// Word order of the third round: the 4-bit reversal of the step number.
const int kThirdRoundOrder[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

void Compress(uint32_t state[4], const uint8_t* block)
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = LoadLittleEndian32(block + 4 * i);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 48; ++step) {
        const int round = step / 16, i = step % 16;
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
        const uint32_t next = RotateLeft32(a + mixed + words[word] + kRoundConstants[round], kShifts[round][i % 4]);
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

void Md4Init(Md4Context& context)
{
    const uint32_t initial[4] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
    std::memcpy(context.state, initial, sizeof(initial));
    context.input.Reset(64);
}

void Md4Update(Md4Context& context, const uint8_t* data, size_t length)
{
    context.input.Feed(data, length, [&](const uint8_t* block) { Compress(context.state, block); });
}

void Md4Final(Md4Context& context, uint8_t digest[16])
{
    context.input.Finish(8, false, [&](const uint8_t* block) { Compress(context.state, block); });
    for (int i = 0; i < 4; ++i)
        StoreLittleEndian32(context.state[i], digest + 4 * i);
}
