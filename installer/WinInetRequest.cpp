// Shared WinInet pieces: handles, headers, redirects and the bounded GET.
#include "WinInetRequest.h"

#include <vector>

const wchar_t kDownloadAgent[] = L"Download From HTTP";

namespace {

bool IsRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The redirect's target resolved against the address that answered; empty without a Location.
CString RedirectTarget(HINTERNET request, const CString& base)
{
    const CString location = HttpHeaderText(request, HTTP_QUERY_LOCATION, 4096);
    if (location.IsEmpty())
        return CString();
    wchar_t combined[2048] = {};
    DWORD length = 2047;
    if (!InternetCombineUrlW(base, location, combined, &length, ICU_NO_ENCODE))
        return CString();
    return combined;
}

}  // namespace

DWORD HttpStatusOf(HINTERNET request)
{
    DWORD code = 0, size = sizeof(code);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr))
        return 0;
    return code;
}

CString HttpHeaderText(HINTERNET request, DWORD header, DWORD bufferBytes)
{
    std::vector<wchar_t> buffer(bufferBytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = bufferBytes;
    if (!HttpQueryInfoW(request, header, buffer.data(), &size, nullptr))
        return CString();
    return buffer.data();
}

InternetHandle OpenUrlFollowingRedirects(HINTERNET root, CString url, const CString& headers, DWORD flags,
                                         DWORD& status)
{
    status = 0;
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        InternetHandle request(InternetOpenUrlW(root, url, headers, static_cast<DWORD>(-1),
                                                flags | INTERNET_FLAG_NO_AUTO_REDIRECT, 0));
        status = request ? HttpStatusOf(request.get()) : 0;
        if (!request || !IsRedirect(status))
            return request;
        url = RedirectTarget(request.get(), url);
        if (url.IsEmpty())
            return request;
    }
    return InternetHandle();
}

InternetHandle SendGetWithReceiveTimeout(HINTERNET root, const CString& url, DWORD flags, DWORD receiveTimeoutMs,
                                         InternetHandle& connection)
{
    // Lengths of 1 with no buffers ask for pointers into url.
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url, 0, 0, &parts) || !parts.lpszHostName ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return InternetHandle();
    const CString host(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    CString target = parts.lpszUrlPath ? CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) : L"/";
    if (parts.lpszExtraInfo)
        target += CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
    connection.reset(InternetConnectW(root, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return InternetHandle();
    // Set on the connection, so that its request takes it from the first byte it waits for.
    InternetSetOptionW(connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeoutMs, sizeof(receiveTimeoutMs));
    if (parts.nScheme == INTERNET_SCHEME_HTTPS)
        flags |= INTERNET_FLAG_SECURE;
    InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", target, nullptr, nullptr, nullptr, flags, 0));
    if (!request || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
        return InternetHandle();
    return request;
}
