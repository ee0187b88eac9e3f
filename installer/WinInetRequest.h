// The installer's WinInet pieces shared by its HTTP users: owned handles, status and header texts,
// redirects followed by one rule, and a GET whose connection and answer are awaited a bounded time.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <utility>

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

// A request and the connection it depends on; the request is always closed first, also when
// another exchange takes its place.
struct HttpExchange {
    InternetHandle connection;
    InternetHandle request;
    // Why an empty exchange failed: the error of the step that failed (0 when none is known).
    DWORD error = 0;
    HttpExchange() = default;
    explicit HttpExchange(DWORD failure) : error(failure) {}
    HttpExchange(HttpExchange&&) = default;
    HttpExchange& operator=(HttpExchange&& other) {
        if (this != &other) {
            reset();
            connection = std::move(other.connection);
            request = std::move(other.request);
            error = other.error;
        }
        return *this;
    }
    explicit operator bool() const { return request != nullptr; }
    HINTERNET get() const { return request.get(); }
    void reset() {
        request.reset();
        connection.reset();
    }
};

// How long every request of the installer waits for its connection; how long it waits for data
// is kTextAnswerTimeoutMs (InstallerUtils.h). With both, neither an unreachable host nor one that
// takes the connection and never answers holds a request or a read for ever.
constexpr DWORD kConnectTimeoutMs = 3000;

// True for a failure of the network under a request (the host not found or not reached, the
// connection refused, reset, timed out or closed unanswered), which a later try may not meet; false
// for one of the request itself (an address or scheme it cannot use, a handle WinInet refuses).
bool IsNetworkError(DWORD error);

// Sends a GET of an http or https url with the request headers and flags, within the bounds above.
// Empty when the address cannot be used or the request fails, with the failure in its error.
HttpExchange SendBoundedGet(HINTERNET root, const CString& url, const CString& headers, DWORD flags);

// Sends url as SendBoundedGet does, following 301, 302, 303, 307 and 308 itself with relative
// locations resolved against the address that answered, at most kMaxRedirects times. Returns the
// first answer that is no redirect (or a redirect without a usable location), its status in status.
// Empty when a request fails (status 0, the failure in its error) or the redirects do not end (status
// of the last redirect).
HttpExchange OpenUrlFollowingRedirects(HINTERNET root, CString url, const CString& headers, DWORD flags,
                                       DWORD& status);
