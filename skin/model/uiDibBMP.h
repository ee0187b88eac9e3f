// Decoder of BMP files with 8-bit palettes or 24-bit pixels.
#pragma once

#include "uiDib.h"

class uiDibBMP : public uiDib {
public:
    // Decodes the bytes into this object's packed DIB; 1 or 0.
    BOOL Decode(const BYTE* bytes, size_t length);
};
