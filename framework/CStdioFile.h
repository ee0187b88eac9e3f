// CStdioFile: a file read line by line. ReadString copies a line's bytes unconverted into the
// wide string, two bytes to a character (an odd last byte fills the low half of the last
// character), drops carriage-return bytes and ends the line at a line-feed byte, which is not
// part of the line. Callers decode the text themselves (for example as UTF-8).
#pragma once

#include "CFile.h"
#include "CString.h"

#include <string>

class CStdioFile : public CFile {
public:
    // FALSE when the end was reached before any byte of a new line.
    virtual BOOL ReadString(CString& line);
    // Bytes already fetched for ReadString come first.
    UINT Read(void* buffer, UINT count) override;
    void Close() override;

protected:
    // Where the bytes come from; the file system unless a subclass streams them.
    virtual UINT ReadFromSource(void* buffer, UINT count) { return CFile::Read(buffer, count); }

private:
    bool FillPending();

    std::string m_pending;
    size_t m_pendingPos = 0;
};
