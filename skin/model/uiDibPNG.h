// Decoder of PNG images (every colour type and depth, turned into 24-bit BGR or, with alpha, 32-bit BGRA).
#pragma once

#include "uiDib.h"

class uiDibPNG : public uiDib {
public:
    // Decodes the bytes into this object's packed DIB; 1 or 0.
    BOOL Decode(const BYTE* bytes, size_t length);
};
