// SHA-1 message digest (FIPS 180): initialise, update any number of times, finalise.
#pragma once

#include "HashBlockBuffer.h"

using Sha1Context = BlockDigestContext<5>;

void Sha1Init(Sha1Context& context);
void Sha1Update(Sha1Context& context, const uint8_t* data, size_t length);
void Sha1Final(Sha1Context& context, uint8_t digest[20]);
