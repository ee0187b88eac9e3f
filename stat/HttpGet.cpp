// HTTP GET of the statistics reports over libcurl's easy interface.
#include "HttpGet.h"

#include <algorithm>
#include <cstdio>

namespace ns_kw_stat {
namespace {

// libcurl's global set-up is not thread-safe: it runs once, before the first transfer of any thread.
bool CurlReady()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
    return ready;
}

}  // namespace

size_t CurlWriteCallback(char* data, size_t size, size_t count, void* response)
{
    auto* body = static_cast<std::string*>(response);
    if (!data || !body)
        return static_cast<size_t>(-1);
    const size_t bytes = size * count;
    if (body->size() < kMaxResponseBytes)
        body->append(data, std::min(bytes, kMaxResponseBytes - body->size()));
    return bytes;
}

int CurlDebugCallback(CURL*, curl_infotype type, char* data, size_t size, void*)
{
    static const char* const kPrefixes[] = {"[TEXT]", "[HEADER_IN]", "[HEADER_OUT]", "[DATA_IN]", "[DATA_OUT]"};
    if (type >= CURLINFO_TEXT && type <= CURLINFO_DATA_OUT)
        std::printf("%s%.*s\n", kPrefixes[type], static_cast<int>(size), data);
    return 0;
}

CURLcode HttpGet(const std::string& url, const std::string& query, const HttpOptions& options,
                 std::string& response)
{
    if (!CurlReady())
        return CURLE_FAILED_INIT;
    CURL* curl = curl_easy_init();
    if (!curl)
        return CURLE_FAILED_INIT;
    if (options.verbose) {
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, CurlDebugCallback);
    }
    const std::string request = query.empty() ? url : url + "?" + query;
    curl_easy_setopt(curl, CURLOPT_URL, request.c_str());
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CurlWriteCallback);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, options.timeout);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return result;
}

}  // namespace ns_kw_stat
