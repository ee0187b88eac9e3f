// CInternetSession: the root of the Internet calls (one WinInet session). OpenURL opens an HTTP
// or HTTPS address and returns the answer as a CHttpFile that the caller deletes. Failures throw
// a CInternetException* that the catching code deletes with Delete().
#pragma once

#include "CHttpFile.h"
#include "CInternetException.h"

#include <wininet.h>

class CInternetSession {
public:
    // A null agent stands for the program's name.
    explicit CInternetSession(LPCWSTR agent = nullptr, DWORD_PTR context = 1,
                              DWORD accessType = PRE_CONFIG_INTERNET_ACCESS, LPCWSTR proxyName = nullptr,
                              LPCWSTR proxyBypass = nullptr, DWORD flags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    CStdioFile* OpenURL(LPCWSTR url, DWORD_PTR context = 1, DWORD flags = INTERNET_FLAG_TRANSFER_ASCII,
                        LPCWSTR headers = nullptr, DWORD headersLength = 0);
    // A numeric session option, such as INTERNET_OPTION_CONNECT_TIMEOUT.
    BOOL SetOption(DWORD option, DWORD value);
    virtual void Close();
    operator HINTERNET() const { return m_hSession; }

private:
    HINTERNET m_hSession = nullptr;
    DWORD_PTR m_dwContext;
};
