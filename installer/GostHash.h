// GOST R 34.11-94 hash (32-byte digest) over the GOST 28147-89 cipher: initialise, update any
// number of times, finalise.
#pragma once

#include "HashBlockBuffer.h"

struct GostHashContext {
    uint32_t checksum[8];  // sum of the message blocks modulo 2^256, least significant word first
    uint32_t hash[8];
    HashBlockBuffer<32> input;  // partial block and the count of bytes hashed
};

void GostHashInit(GostHashContext& context);
void GostHashUpdate(GostHashContext& context, const uint8_t* data, size_t length);
// The digest is the eight words of the final hash value, each least significant byte first.
void GostHashFinal(GostHashContext& context, uint8_t digest[32]);
