// Plain HTTP GETs of the installer: the text request behind the version query and the change log,
// and the fire-and-forget request of the install report.
#include "InstallerUtils.h"

#include <shlwapi.h>
#include <wininet.h>

namespace {

// Closes a WinInet handle on every path.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { if (handle_) InternetCloseHandle(handle_); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
private:
    HINTERNET handle_;
};

// The running program's file name without extension: the agent of the text requests.
CString ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* name = PathFindFileNameW(path);
    PathRemoveExtensionW(name);
    return CString(name);
}

DWORD QueryStatusCode(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return status;
}

bool IsSuccessStatus(DWORD status)
{
    return status >= 200 && status < 300;
}

// Appends the block's bytes without carriage returns and line feeds: the lines of the answer are
// joined without separators.
void AppendWithoutLineBreaks(CStringA& body, const char* bytes, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            body += bytes[i];
    }
}

}  // namespace

CStringA HttpGetText(const CString& url)
{
    InternetHandle session(InternetOpenW(ProgramName(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get())
        return CStringA();
    InternetHandle request(InternetOpenUrlW(session.get(), url, nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 1));
    // An error page is no answer.
    if (!request.get() || !IsSuccessStatus(QueryStatusCode(request.get())))
        return CStringA();
    CStringA body;
    char block[4096];
    for (DWORD got = 0;; ) {
        // A transfer broken off midway is no answer either.
        if (!InternetReadFile(request.get(), block, sizeof(block), &got))
            return CStringA();
        if (got == 0)
            return body;
        AppendWithoutLineBreaks(body, block, got);
    }
}

CString DecodeUtf8Text(const CStringA& body)
{
    // The body is text up to its first zero byte.
    return ToWide(CStringA(body.GetString()), CP_UTF8);
}

void HttpPing(const CString& url)
{
    InternetHandle session(InternetOpenW(L"Download From HTTP", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get())
        return;
    DWORD timeout = 3000;
    InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    InternetHandle request(InternetOpenUrlW(session.get(), url, L"Accept:*/*\r\n", DWORD(-1), INTERNET_FLAG_RELOAD, 0));
    if (!request.get())
        return;
    QueryStatusCode(request.get());
}
