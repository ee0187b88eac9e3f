// SHA-256, SHA-384 and SHA-512 (FIPS 180) behind one context that keeps the digest size.
#pragma once

#include "HashBlockBuffer.h"

struct Sha2Context {
    size_t digestSize;     // 32, 48 or 64 bytes
    uint32_t state32[8];   // SHA-256
    uint64_t state64[8];   // SHA-384 and SHA-512
    HashBlockBuffer<128> input;
};

// size: 256, 384 or 512 bits, or 32, 48 or 64 bytes. Returns 0, or 1 (context unusable) for any
// other size.
int Sha2Init(Sha2Context& context, int size);
void Sha2Update(Sha2Context& context, const uint8_t* data, size_t length);
// Writes context.digestSize bytes.
void Sha2Final(Sha2Context& context, uint8_t* digest);
