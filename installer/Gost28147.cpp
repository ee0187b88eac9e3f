// GOST 28147-89 encryption. The round function (substitution of eight nibbles followed by an
// 11-bit left rotation) is four lookups, one table per byte position; the tables are built at
// compile time, so they are constant and shared by all threads.
#include "Gost28147.h"

#include <array>

namespace {

// Box n substitutes nibble n (counted from the least significant).
constexpr uint8_t kSubstitution[8][16] = {
    {4, 10, 9, 2, 13, 8, 0, 14, 6, 11, 1, 12, 7, 15, 5, 3},
    {14, 11, 4, 12, 6, 13, 15, 10, 2, 3, 8, 1, 0, 7, 5, 9},
    {5, 8, 1, 13, 10, 3, 4, 2, 14, 15, 12, 7, 6, 0, 9, 11},
    {7, 13, 10, 1, 0, 8, 9, 15, 14, 4, 6, 12, 11, 2, 5, 3},
    {6, 12, 7, 1, 5, 15, 13, 8, 4, 10, 9, 14, 0, 3, 11, 2},
    {4, 11, 10, 0, 7, 2, 1, 13, 3, 6, 8, 5, 9, 12, 15, 14},
    {13, 11, 4, 1, 3, 15, 5, 9, 0, 10, 14, 7, 6, 8, 2, 12},
    {1, 15, 13, 0, 5, 7, 10, 4, 9, 2, 3, 14, 6, 11, 8, 12},
};

using LookupTables = std::array<std::array<uint32_t, 256>, 4>;

constexpr LookupTables MakeLookupTables()
{
    LookupTables tables{};
    for (int position = 0; position < 4; ++position)
        for (uint32_t byte = 0; byte < 256; ++byte) {
            const uint32_t substituted =
                (static_cast<uint32_t>(kSubstitution[2 * position + 1][byte >> 4]) << 4 | kSubstitution[2 * position][byte & 15])
                << (8 * position);
            tables[position][byte] = substituted << 11 | substituted >> 21;
        }
    return tables;
}

constexpr LookupTables kTables = MakeLookupTables();

uint32_t RoundFunction(uint32_t value)
{
    return kTables[0][value & 0xFF] ^ kTables[1][(value >> 8) & 0xFF] ^ kTables[2][(value >> 16) & 0xFF]
           ^ kTables[3][value >> 24];
}

}  // namespace

void Gost28147Encrypt(const uint32_t key[8], uint32_t block[2])
{
    uint32_t n1 = block[0], n2 = block[1];
    // Key words 1..8 three times, then 8..1; the halves change roles every round, and the last
    // round does not swap them.
    for (int round = 0; round < 32; round += 2) {
        const int first = round < 24 ? round % 8 : 31 - round;
        const int second = round < 24 ? first + 1 : first - 1;
        n2 ^= RoundFunction(n1 + key[first]);
        n1 ^= RoundFunction(n2 + key[second]);
    }
    block[0] = n2;
    block[1] = n1;
}
