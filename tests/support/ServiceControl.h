// Test-side access to the local test service: switch its settings and read back what it recorded.
#pragma once
#include <string>

std::wstring ServiceUrl(const std::wstring& path, int port = 8731);
// GET of a URL; returns the body (UTF-8 widened) or an empty text; status receives the HTTP status
// (0 when no answer came).
std::wstring ServiceGet(const std::wstring& url, int* status = nullptr);
bool ServiceSet(const std::wstring& key, const std::wstring& value);
bool ServiceReset();
std::wstring ServiceRecords(const std::wstring& kind);
// The environment variable's value, empty when it is not set.
std::wstring TestEnv(const wchar_t* name);
