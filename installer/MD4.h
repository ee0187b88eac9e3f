// MD4 message digest (RFC 1320): initialise, update any number of times, finalise. MD5 keeps the
// same context and initial state and reuses the compression frame below.
#pragma once

#include "HashBlockBuffer.h"

using Md4Context = BlockDigestContext<4>;

void Md4Init(Md4Context& context);
void Md4Update(Md4Context& context, const uint8_t* data, size_t length);
void Md4Final(Md4Context& context, uint8_t digest[16]);

// One compression of the MD4 family: step(n, a, b, c, d, words) returns the new b of step n;
// the others move along one place (a <- d, c <- b, d <- c).
template <class Step>
void CompressMd4Family(uint32_t state[4], const uint8_t* block, int steps, Step step)
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = LoadLittleEndian32(block + 4 * i);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    // Unrolled so that each step's round, word and shift become constants: the package check
    // hashes large files.
#pragma GCC unroll 64
    for (int n = 0; n < steps; ++n) {
        const uint32_t next = step(n, a, b, c, d, words);
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
