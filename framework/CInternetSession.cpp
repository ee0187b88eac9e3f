#include "CInternetSession.h"

#include "CString.h"

#include <shlwapi.h>

namespace {

// The program's file name without folder and extension.
CString ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(::PathFindFileNameW(path));
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

bool IsHttpAddress(LPCWSTR url)
{
    return ::StrCmpNIW(url, L"http://", 7) == 0 || ::StrCmpNIW(url, L"https://", 8) == 0;
}

}  // namespace

CInternetSession::CInternetSession(LPCWSTR agent, DWORD_PTR context, DWORD accessType, LPCWSTR proxyName,
                                   LPCWSTR proxyBypass, DWORD flags)
    : m_dwContext(context)
{
    const CString name = agent ? CString(agent) : ProgramName();
    m_hSession = ::InternetOpenW(name, accessType, proxyName, proxyBypass, flags);
    if (!m_hSession)
        AfxThrowInternetException(context);
}

CInternetSession::~CInternetSession()
{
    Close();
}

CStdioFile* CInternetSession::OpenURL(LPCWSTR url, DWORD_PTR context, DWORD flags, LPCWSTR headers,
                                      DWORD headersLength)
{
    if (!url || !IsHttpAddress(url))
        AfxThrowInternetException(context, ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    if (!m_hSession)
        AfxThrowInternetException(context, ERROR_INVALID_HANDLE);
    if (headers && headersLength == 0)
        headersLength = static_cast<DWORD>(-1);
    HINTERNET request = ::InternetOpenUrlW(m_hSession, url, headers, headersLength, flags, context);
    if (!request)
        AfxThrowInternetException(context);
    return new CHttpFile(request, context);
}

BOOL CInternetSession::SetOption(DWORD option, DWORD value)
{
    return m_hSession && ::InternetSetOptionW(m_hSession, option, &value, sizeof(value));
}

void CInternetSession::Close()
{
    if (m_hSession)
        ::InternetCloseHandle(m_hSession);
    m_hSession = nullptr;
}
