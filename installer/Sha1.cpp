// SHA-1 message digest (FIPS 180).
#include "Sha1.h"

namespace {

const uint32_t kRoundConstants[4] = {0x5A827999u, 0x6ED9EBA1u, 0x8F1BBCDCu, 0xCA62C1D6u};

void Compress(uint32_t* state, const uint8_t* block)
{
    uint32_t schedule[80];
    for (int t = 0; t < 16; ++t)
        schedule[t] = static_cast<uint32_t>(LoadBigEndian(block + 4 * t, 4));
    for (int t = 16; t < 80; ++t)
        schedule[t] = RotateLeft32(schedule[t - 3] ^ schedule[t - 8] ^ schedule[t - 14] ^ schedule[t - 16], 1);
    uint32_t v[5];  // a..e
    std::memcpy(v, state, sizeof(v));
    for (int t = 0; t < 80; ++t) {
        const uint32_t b = v[1], c = v[2], d = v[3];
        uint32_t mixed;
        if (t < 20)
            mixed = (b & c) | (~b & d);
        else if (t < 40 || t >= 60)
            mixed = b ^ c ^ d;
        else
            mixed = (b & c) | (b & d) | (c & d);
        const uint32_t next = RotateLeft32(v[0], 5) + mixed + v[4] + kRoundConstants[t / 20] + schedule[t];
        std::memmove(v + 1, v, 4 * sizeof(uint32_t));
        v[2] = RotateLeft32(v[2], 30);
        v[0] = next;
    }
    for (int i = 0; i < 5; ++i)
        state[i] += v[i];
}

}  // namespace

void Sha1Init(Sha1Context& context)
{
    context.Start({0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u});
}

void Sha1Update(Sha1Context& context, const uint8_t* data, size_t length)
{
    context.Update(data, length, Compress);
}

void Sha1Final(Sha1Context& context, uint8_t digest[20])
{
    context.Finish(true, Compress, digest);
}
