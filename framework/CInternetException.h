// The failure of a call of the Internet classes, thrown as a pointer to a heap object; the
// catching code ends its life with Delete().
#pragma once

#include <windows.h>

class CInternetException {
public:
    explicit CInternetException(DWORD error, DWORD_PTR context = 0) : m_dwError(error), m_dwContext(context) {}
    virtual ~CInternetException() = default;
    void Delete() { delete this; }

    // The WinInet or system error code.
    DWORD m_dwError;
    DWORD_PTR m_dwContext;
};

// Throws the calling thread's last error.
[[noreturn]] void AfxThrowInternetException(DWORD_PTR context, DWORD error = 0);
