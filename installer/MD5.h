// MD5 message digest (RFC 1321): initialise, update any number of times, finalise; and the
// whole-file step that the package check uses.
#pragma once

#include <cstdio>

#include "MD4.h"

using Md5Context = Md4Context;

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const uint8_t* data, size_t length);
void Md5Final(Md5Context& context, uint8_t digest[16]);

// Reads the open file to its end in 2048-byte chunks and writes the MD5 of its bytes; returns
// the number of bytes read.
uint64_t Md5File(FILE* file, uint8_t digest[16]);
