// The skin database's memory stream.
#include "uiSkinMemStream.h"

#include <cstring>

void uiSkinMemStream::Create(const BYTE* bytes, DWORD size)
{
    if (bytes && size)
        m_bytes.assign(bytes, bytes + size);
    else
        m_bytes.clear();
    m_position = 0;
}

BOOL uiSkinMemStream::Read(void* destination, DWORD count, DWORD* done)
{
    if (done)
        *done = 0;
    // Compared as a remainder so that a huge count cannot wrap the sum.
    if (count > GetSize() - m_position || (count && !destination))
        return FALSE;
    if (count)
        std::memcpy(destination, m_bytes.data() + m_position, count);
    m_position += count;
    if (done)
        *done = count;
    return TRUE;
}

LONG uiSkinMemStream::Seek(LONG offset, int origin)
{
    long long target;
    if (origin == 0)
        target = offset;
    else if (origin == 1)
        target = static_cast<long long>(m_position) + offset;
    else
        return -1;
    if (target < 0 || target >= static_cast<long long>(GetSize()))
        return -1;
    m_position = static_cast<DWORD>(target);
    return static_cast<LONG>(target);
}
