// CRC-32 (reflected polynomial 0xEDB88320) of a text, computed through a 256-entry table.
#pragma once

#include <cstdint>

#include "CString.h"

class CCrc32Static {
public:
    CCrc32Static() = default;
    virtual ~CCrc32Static() = default;

    // Writes the CRC-32 of the text's bytes into crc; always returns 0.
    int TextCrc32(const CStringA& text, uint32_t& crc) const;

private:
    // One byte shifted through the caller's register.
    static void UpdateCrc(uint8_t byte, uint32_t& crc);
};
