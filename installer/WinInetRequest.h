// The installer's WinInet pieces shared by its HTTP users: owned handles, status and header texts,
// redirects followed by one rule, and a GET whose answer is awaited a bounded time.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>

#include "CString.h"

struct InternetCloser {
    void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

// The agent of the installer's own downloads and of its fire-and-forget requests.
extern const wchar_t kDownloadAgent[];
// Redirects followed before a request counts as failed, so that a redirect loop ends.
constexpr int kMaxRedirects = 10;

// The answer's status code; 0 when it cannot be read.
DWORD HttpStatusOf(HINTERNET request);
// A response header as text; empty when absent or longer than bufferBytes.
CString HttpHeaderText(HINTERNET request, DWORD header, DWORD bufferBytes);

// Opens url with the request headers and flags, following 301, 302, 303, 307 and 308 itself with
// relative locations resolved against the address that answered, at most kMaxRedirects times.
// Returns the first answer that is no redirect (or a redirect without a usable location), its
// status in status; null when a request fails or the redirects do not end.
InternetHandle OpenUrlFollowingRedirects(HINTERNET root, CString url, const CString& headers, DWORD flags,
                                         DWORD& status);

// Sends a GET of an http or https url whose connection gives up when no data arrives for
// receiveTimeoutMs. connection receives the handle the request depends on (close it after the
// request). Null when the address cannot be used or the request fails.
InternetHandle SendGetWithReceiveTimeout(HINTERNET root, const CString& url, DWORD flags, DWORD receiveTimeoutMs,
                                         InternetHandle& connection);
