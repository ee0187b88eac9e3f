// MD2 message digest (RFC 1319): feed bytes with Update, then Final writes the 16-byte digest
// and clears the state, so the object can start a new message.
#pragma once

#include "HashBlockBuffer.h"

class CMD2 {
public:
    CMD2();
    virtual ~CMD2();

    void Update(const uint8_t* data, size_t length);
    void Final(uint8_t digest[16]);

private:
    void Clear();
    void ProcessBlock(const uint8_t* block);

    uint8_t m_state[48];     // X: state, input block and their XOR
    uint8_t m_checksum[16];
    HashBlockBuffer<16> m_input;  // the input block and the count of bytes in it
};
