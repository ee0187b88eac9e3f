// CRC-32 of a text; the table is built at compile time, so it is shared by all threads.
#include "Crc32Static.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t value = n;
        for (int round = 0; round < 8; ++round)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[n] = value;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

void CCrc32Static::UpdateCrc(uint8_t byte, uint32_t& crc)
{
    crc = (crc >> 8) ^ kCrcTable[(crc ^ byte) & 0xFF];
}

int CCrc32Static::TextCrc32(const CStringA& text, uint32_t& crc) const
{
    crc = 0xFFFFFFFFu;
    const char* bytes = text.GetString();
    for (int i = 0; i < text.GetLength(); ++i)
        UpdateCrc(static_cast<uint8_t>(bytes[i]), crc);
    crc = ~crc;
    return 0;
}
