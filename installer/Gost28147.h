// GOST 28147-89 block cipher, encryption of one 64-bit block, as the GOST R 34.11-94 hash uses it.
// The substitution boxes are the hash standard's test parameter set.
#pragma once

#include <cstdint>

// Encrypts the block (low word first) in place with the 256-bit key (key[0] is the first
// round key).
void Gost28147Encrypt(const uint32_t key[8], uint32_t block[2]);
