// GOST R 34.11-94 hash. 256-bit values are held as eight 32-bit words, least significant first;
// the byte (P) and 16-bit (psi) shuffles of the step function work on their byte and 16-bit views.
#include "GostHash.h"

#include <cstring>

#include "Gost28147.h"

namespace {

using Block = uint32_t[8];

// C3 of the key generation, least significant word first (C2 and C4 are zero).
const uint32_t kC3[8] = {0xff00ff00, 0xff00ff00, 0x00ff00ff, 0x00ff00ff, 0x00ffff00, 0xff0000ff, 0x000000ff, 0xff00ffff};

void ToBytes(const Block words, uint8_t bytes[32])
{
    for (int i = 0; i < 8; ++i)
        StoreLittleEndian32(words[i], bytes + 4 * i);
}

void FromBytes(const uint8_t bytes[32], Block words)
{
    for (int i = 0; i < 8; ++i)
        words[i] = LoadLittleEndian32(bytes + 4 * i);
}

// A(y4|y3|y2|y1) = (y1 ^ y2)|y4|y3|y2 on 64-bit parts.
void TransformA(Block value)
{
    const uint32_t low = value[0] ^ value[2], high = value[1] ^ value[3];
    std::memmove(value, value + 2, 6 * sizeof(uint32_t));
    value[6] = low;
    value[7] = high;
}

// P: byte i + 4k of the key comes from byte 8i + k of the input (i 0..3, k 0..7).
void TransformP(const Block input, Block key)
{
    uint8_t in[32], out[32];
    ToBytes(input, in);
    for (int j = 0; j < 32; ++j)
        out[j] = in[8 * (j % 4) + j / 4];
    FromBytes(out, key);
}

// psi applied `times` times: the 16-bit parts move down one place and the top one becomes
// the XOR of parts 1, 2, 3, 4, 13 and 16.
void Psi(Block value, int times)
{
    uint16_t parts[16];
    for (int i = 0; i < 16; ++i)
        parts[i] = static_cast<uint16_t>(value[i / 2] >> (16 * (i % 2)));
    for (int n = 0; n < times; ++n) {
        const uint16_t top = parts[0] ^ parts[1] ^ parts[2] ^ parts[3] ^ parts[12] ^ parts[15];
        std::memmove(parts, parts + 1, 15 * sizeof(uint16_t));
        parts[15] = top;
    }
    for (int i = 0; i < 8; ++i)
        value[i] = parts[2 * i] | static_cast<uint32_t>(parts[2 * i + 1]) << 16;
}

void Xor(const Block a, const Block b, Block result)
{
    for (int i = 0; i < 8; ++i)
        result[i] = a[i] ^ b[i];
}

// The step function: hash = f(hash, message).
void Step(Block hash, const Block message)
{
    Block u, v, w, key, encrypted;
    std::memcpy(u, hash, sizeof(u));
    std::memcpy(v, message, sizeof(v));
    for (int j = 0; j < 4; ++j) {
        if (j > 0) {
            TransformA(u);
            if (j == 2)
                Xor(u, kC3, u);
            TransformA(v);
            TransformA(v);
        }
        Xor(u, v, w);
        TransformP(w, key);
        encrypted[2 * j] = hash[2 * j];
        encrypted[2 * j + 1] = hash[2 * j + 1];
        Gost28147Encrypt(key, encrypted + 2 * j);
    }
    Psi(encrypted, 12);
    Xor(encrypted, message, encrypted);
    Psi(encrypted, 1);
    Xor(encrypted, hash, hash);
    Psi(hash, 61);
}

void AddToChecksum(Block checksum, const Block message)
{
    uint64_t carry = 0;
    for (int i = 0; i < 8; ++i) {
        carry += static_cast<uint64_t>(checksum[i]) + message[i];
        checksum[i] = static_cast<uint32_t>(carry);
        carry >>= 32;
    }
}

void ProcessBlock(GostHashContext& context, const uint8_t* bytes)
{
    Block message;
    FromBytes(bytes, message);
    Step(context.hash, message);
    AddToChecksum(context.checksum, message);
}

}  // namespace

void GostHashInit(GostHashContext& context)
{
    std::memset(context.checksum, 0, sizeof(context.checksum));
    std::memset(context.hash, 0, sizeof(context.hash));
    context.input.Reset(32);
}

void GostHashUpdate(GostHashContext& context, const uint8_t* data, size_t length)
{
    context.input.Feed(data, length, [&](const uint8_t* block) { ProcessBlock(context, block); });
}

void GostHashFinal(GostHashContext& context, uint8_t digest[32])
{
    HashBlockBuffer<32>& input = context.input;
    if (input.used > 0) {
        // the zero-padded last block; the length below counts only its real bits
        std::memset(input.block + input.used, 0, 32 - input.used);
        ProcessBlock(context, input.block);
        input.used = 0;
    }
    const uint64_t bitCount = input.byteCount * 8;
    const Block length = {static_cast<uint32_t>(bitCount), static_cast<uint32_t>(bitCount >> 32)};
    Step(context.hash, length);
    Step(context.hash, context.checksum);
    ToBytes(context.hash, digest);
}
