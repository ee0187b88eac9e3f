// Decoder of JPEG images (colour, gray and CMYK) from memory, with the library's errors caught.
#pragma once

#include "uiDib.h"

class uiDibJpeg : public uiDib {
public:
    // Decodes the bytes into this object's packed DIB; 1 or 0.
    BOOL Decode(const BYTE* bytes, size_t length);
};
