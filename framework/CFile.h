// CFile: a file of the file system opened through its handle, and the base of the files that
// stream their bytes from elsewhere (CStdioFile, CHttpFile). Failures are reported by results.
#pragma once

#include <windows.h>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCWSTR path, UINT openFlags);
    // The number of bytes read; 0 at the end or on failure.
    virtual UINT Read(void* buffer, UINT count);
    virtual BOOL Write(const void* buffer, UINT count);
    virtual ULONGLONG GetLength() const;
    virtual void Close();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
