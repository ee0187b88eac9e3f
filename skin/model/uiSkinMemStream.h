// A read-only stream over a private copy of the skin database: the container reader's only source.
#pragma once

#include <windows.h>
#include <vector>

class uiSkinMemStream {
public:
    // Copies the bytes; the position starts at 0.
    void Create(const BYTE* bytes, DWORD size);

    // Copies count bytes from the position and advances it; 0 (nothing copied, done 0) when fewer remain.
    BOOL Read(void* destination, DWORD count, DWORD* done);
    // origin 0: from the start, 1: from the position. -1 (position unchanged) for any other origin or
    // a position outside the data.
    LONG Seek(LONG offset, int origin);

    DWORD GetSize() const { return static_cast<DWORD>(m_bytes.size()); }

private:
    std::vector<BYTE> m_bytes;
    DWORD m_position = 0;
};
