// MD4 message digest (RFC 1320): initialise, update any number of times, finalise.
#pragma once

#include "HashBlockBuffer.h"

struct Md4Context {
    uint32_t state[4];
    HashBlockBuffer<64> input;
};

void Md4Init(Md4Context& context);
void Md4Update(Md4Context& context, const uint8_t* data, size_t length);
void Md4Final(Md4Context& context, uint8_t digest[16]);
