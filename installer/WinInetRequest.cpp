// Shared WinInet pieces: handles, headers, redirects and the bounded GET.
#include "WinInetRequest.h"

#include "InstallerUtils.h"

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

bool IsNetworkError(DWORD error)
{
    switch (error) {
    case ERROR_INTERNET_TIMEOUT:
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
    case ERROR_INTERNET_CANNOT_CONNECT:
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_INTERNET_CONNECTION_RESET:
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
    case ERROR_INTERNET_DISCONNECTED:
    case ERROR_INTERNET_SERVER_UNREACHABLE:
    case ERROR_INTERNET_PROXY_SERVER_UNREACHABLE:
        return true;
    default:
        return false;
    }
}

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

HttpExchange OpenUrlFollowingRedirects(HINTERNET root, CString url, const CString& headers, DWORD flags,
                                       DWORD& status)
{
    status = 0;
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        HttpExchange exchange = SendBoundedGet(root, url, headers, flags | INTERNET_FLAG_NO_AUTO_REDIRECT);
        status = exchange ? HttpStatusOf(exchange.get()) : 0;
        if (!exchange || !IsRedirect(status))
            return exchange;
        url = RedirectTarget(exchange.get(), url);
        if (url.IsEmpty())
            return exchange;
    }
    return HttpExchange();
}

HttpExchange SendBoundedGet(HINTERNET root, const CString& url, const CString& headers, DWORD flags)
{
    // Lengths of 1 with no buffers ask for pointers into url.
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url, 0, 0, &parts) || !parts.lpszHostName)
        return HttpExchange(ERROR_INTERNET_INVALID_URL);
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return HttpExchange(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    const CString host(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    CString target = parts.lpszUrlPath ? CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) : L"/";
    if (parts.lpszExtraInfo)
        target += CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
    // The connection takes the root's connect time-out when it is made.
    DWORD connectMs = kConnectTimeoutMs;
    InternetSetOptionW(root, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof(connectMs));
    HttpExchange exchange;
    exchange.connection.reset(InternetConnectW(root, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!exchange.connection)
        return HttpExchange(GetLastError());
    // Set on the connection, so that its request takes it from the first byte it waits for.
    DWORD receiveMs = kTextAnswerTimeoutMs;
    InternetSetOptionW(exchange.connection.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof(receiveMs));
    if (parts.nScheme == INTERNET_SCHEME_HTTPS)
        flags |= INTERNET_FLAG_SECURE;
    exchange.request.reset(HttpOpenRequestW(exchange.connection.get(), L"GET", target, nullptr, nullptr, nullptr, flags, 0));
    if (!exchange.request)
        return HttpExchange(GetLastError());
    if (!HttpSendRequestW(exchange.get(), headers, static_cast<DWORD>(headers.GetLength()), nullptr, 0))
        return HttpExchange(GetLastError());
    return exchange;
}
