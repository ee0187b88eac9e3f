#include "CHttpFile.h"

#include "CInternetException.h"

CHttpFile::~CHttpFile()
{
    if (m_hRequest)
        ::InternetCloseHandle(m_hRequest);
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& statusCode) const
{
    DWORD size = sizeof(statusCode);
    return m_hRequest && ::HttpQueryInfoW(m_hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &statusCode, &size, nullptr);
}

void CHttpFile::Close()
{
    if (m_hRequest)
        ::InternetCloseHandle(m_hRequest);
    m_hRequest = nullptr;
    CStdioFile::Close();
}

UINT CHttpFile::ReadFromSource(void* buffer, UINT count)
{
    if (!m_hRequest || count == 0)
        return 0;
    DWORD got = 0;
    if (!::InternetReadFile(m_hRequest, buffer, count, &got))
        AfxThrowInternetException(m_dwContext);
    return got;
}
