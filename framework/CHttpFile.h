// CHttpFile: the answer of an HTTP request opened by CInternetSession::OpenURL, read as a stream
// (Read) or line by line (ReadString, see CStdioFile). Reading failures throw CInternetException*.
#pragma once

#include "CStdioFile.h"

#include <wininet.h>

class CHttpFile : public CStdioFile {
public:
    CHttpFile(HINTERNET request, DWORD_PTR context) : m_hRequest(request), m_dwContext(context) {}
    ~CHttpFile() override;

    // The answer's status code (200, 404, ...).
    BOOL QueryInfoStatusCode(DWORD& statusCode) const;
    void Close() override;
    HINTERNET GetHandle() const { return m_hRequest; }

protected:
    UINT ReadFromSource(void* buffer, UINT count) override;

private:
    HINTERNET m_hRequest;
    DWORD_PTR m_dwContext;
};
