// SHA-1 message digest (FIPS 180).
#include "Sha1.h"

namespace {

const uint32_t kRoundConstants[4] = {0x5A827999u, 0x6ED9EBA1u, 0x8F1BBCDCu, 0xCA62C1D6u};

void Compress(uint32_t state[5], const uint8_t* block)
{
    uint32_t schedule[80];
    for (int t = 0; t < 16; ++t)
        schedule[t] = static_cast<uint32_t>(LoadBigEndian(block + 4 * t, 4));
    for (int t = 16; t < 80; ++t)
        schedule[t] = RotateLeft32(schedule[t - 3] ^ schedule[t - 8] ^ schedule[t - 14] ^ schedule[t - 16], 1);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int t = 0; t < 80; ++t) {
        uint32_t mixed;
        if (t < 20)
            mixed = (b & c) | (~b & d);
        else if (t < 40 || t >= 60)
            mixed = b ^ c ^ d;
        else
            mixed = (b & c) | (b & d) | (c & d);
        const uint32_t next = RotateLeft32(a, 5) + mixed + e + kRoundConstants[t / 20] + schedule[t];
        e = d;
        d = c;
        c = RotateLeft32(b, 30);
        b = a;
        a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

}  // namespace

void Sha1Init(Sha1Context& context)
{
    const uint32_t initial[5] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
    std::memcpy(context.state, initial, sizeof(initial));
    context.input.Reset(64);
}

void Sha1Update(Sha1Context& context, const uint8_t* data, size_t length)
{
    context.input.Feed(data, length, [&](const uint8_t* block) { Compress(context.state, block); });
}

void Sha1Final(Sha1Context& context, uint8_t digest[20])
{
    context.input.Finish(8, true, [&](const uint8_t* block) { Compress(context.state, block); });
    for (int i = 0; i < 5; ++i)
        StoreBigEndian(context.state[i], digest + 4 * i, 4);
}
