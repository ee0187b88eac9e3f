// Input buffering and final padding shared by the block digests (MD4, MD5, SHA-1, SHA-2): bytes
// are gathered into whole blocks for the compression step, and the last block is closed with
// 0x80, zero bytes and the message length in bits. Also the byte-order and rotation helpers that
// these digests and GOST R 34.11-94 read and write their words with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

inline uint32_t RotateLeft32(uint32_t value, unsigned bits)
{
    return (value << bits) | (value >> ((32 - bits) & 31));
}

inline uint32_t LoadLittleEndian32(const uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline void StoreLittleEndian32(uint32_t value, uint8_t* bytes)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint64_t LoadBigEndian(const uint8_t* bytes, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

inline void StoreBigEndian(uint64_t value, uint8_t* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * (size - 1 - i)));
}

template <size_t MaxBlockSize>
struct HashBlockBuffer {
    uint8_t block[MaxBlockSize];
    size_t blockSize;    // 64, or 128 for SHA-384/512
    size_t used;         // bytes waiting in block
    uint64_t byteCount;  // bytes fed so far

    void Reset(size_t size)
    {
        std::memset(block, 0, sizeof(block));
        blockSize = size;
        used = 0;
        byteCount = 0;
    }

    // Hands every completed block to compress(const uint8_t* block).
    template <class Compress>
    void Feed(const uint8_t* data, size_t length, Compress compress)
    {
        byteCount += length;
        if (used > 0) {
            size_t take = blockSize - used < length ? blockSize - used : length;
            std::memcpy(block + used, data, take);
            used += take;
            data += take;
            length -= take;
            if (used < blockSize)
                return;
            compress(block);
            used = 0;
        }
        for (; length >= blockSize; data += blockSize, length -= blockSize)
            compress(data);
        std::memcpy(block, data, length);
        used = length;
    }

    // Pads and compresses the last block(s). The bit count fills the block's last countBytes
    // bytes (8, or 16 for SHA-384/512), little- or big-endian as the digest's standard says.
    template <class Compress>
    void Finish(size_t countBytes, bool bigEndianCount, Compress compress)
    {
        block[used++] = 0x80;
        if (used > blockSize - countBytes) {
            std::memset(block + used, 0, blockSize - used);
            compress(block);
            used = 0;
        }
        std::memset(block + used, 0, blockSize - used);
        const uint64_t low = byteCount << 3, high = byteCount >> 61;
        for (size_t i = 0; i < countBytes; ++i) {
            size_t significance = bigEndianCount ? countBytes - 1 - i : i;  // byte index from the lowest
            uint64_t word = significance < 8 ? low : high;
            block[blockSize - countBytes + i] = static_cast<uint8_t>(word >> (8 * (significance % 8)));
        }
        compress(block);
        used = 0;
    }
};

// The context of a digest on 32-bit words with 64-byte blocks and a 64-bit length (MD4, MD5,
// SHA-1): its chaining state and its input buffer.
template <size_t StateWords>
struct BlockDigestContext {
    using Compress = void (*)(uint32_t* state, const uint8_t* block);

    uint32_t state[StateWords];
    HashBlockBuffer<64> input;

    void Start(const uint32_t (&initial)[StateWords])
    {
        std::memcpy(state, initial, sizeof(state));
        input.Reset(64);
    }

    void Update(const uint8_t* data, size_t length, Compress compress)
    {
        input.Feed(data, length, [&](const uint8_t* block) { compress(state, block); });
    }

    // Pads the message and writes the state words in the standard's byte order.
    void Finish(bool bigEndian, Compress compress, uint8_t* digest)
    {
        input.Finish(8, bigEndian, [&](const uint8_t* block) { compress(state, block); });
        for (size_t i = 0; i < StateWords; ++i)
            if (bigEndian)
                StoreBigEndian(state[i], digest + 4 * i, 4);
            else
                StoreLittleEndian32(state[i], digest + 4 * i);
    }
};

