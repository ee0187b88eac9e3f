// One plain HTTP GET over libcurl, its body collected into a string.
#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <string>

namespace ns_kw_stat {

struct HttpOptions {
    bool verbose = false;  // libcurl's verbose output through CurlDebugCallback
    long timeout = 0;      // seconds for the whole transfer
};

// Sends url (plus "?" and query when query is not empty); returns libcurl's result code.
CURLcode HttpGet(const std::string& url, const std::string& query, const HttpOptions& options,
                 std::string& response);

// At most this much of an answer body is kept; the rest is read and dropped, so that a hostile or
// broken server cannot fill the memory (the transfer's time-out bounds the reading).
constexpr size_t kMaxResponseBytes = 1 << 20;

// Appends the block to the std::string at response, up to kMaxResponseBytes in all; takes every byte.
size_t CurlWriteCallback(char* data, size_t size, size_t count, void* response);
int CurlDebugCallback(CURL* handle, curl_infotype type, char* data, size_t size, void* user);

}  // namespace ns_kw_stat
