// Line reading over any byte source.
#include "CStdioFile.h"

#include <algorithm>
#include <cstring>

namespace {

const UINT kBlockSize = 4096;

}  // namespace

bool CStdioFile::FillPending()
{
    char block[kBlockSize];
    const UINT got = ReadFromSource(block, kBlockSize);
    m_pending.assign(block, got);
    m_pendingPos = 0;
    return got > 0;
}

BOOL CStdioFile::ReadString(CString& line)
{
    std::string bytes;
    bool any = false;
    for (;;) {
        if (m_pendingPos >= m_pending.size() && !FillPending())
            break;
        any = true;
        const char c = m_pending[m_pendingPos++];
        if (c == '\n')
            break;
        if (c != '\r')
            bytes += c;
    }
    const int characters = static_cast<int>((bytes.size() + 1) / 2);
    wchar_t* buffer = line.GetBufferSetLength(characters);
    if (characters > 0) {
        buffer[characters - 1] = 0;
        memcpy(buffer, bytes.data(), bytes.size());
    }
    line.ReleaseBuffer(characters);
    return any;
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    const size_t buffered = std::min<size_t>(count, m_pending.size() - m_pendingPos);
    if (buffered > 0) {
        memcpy(buffer, m_pending.data() + m_pendingPos, buffered);
        m_pendingPos += buffered;
        return static_cast<UINT>(buffered);
    }
    return ReadFromSource(buffer, count);
}

void CStdioFile::Close()
{
    m_pending.clear();
    m_pendingPos = 0;
    CFile::Close();
}
