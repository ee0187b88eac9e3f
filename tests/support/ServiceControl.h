// Test-side access to the local test service: switch its settings and read back what it recorded.
#pragma once
#include <string>

// The ports of the build's own local test service, chosen when the build was configured.
int ServicePort();
int TestServicePort();
std::wstring ServiceUrl(const std::wstring& path, int port = ServicePort());
// GET of a URL; returns the body (UTF-8 widened) or an empty text; status receives the HTTP status
// (0 when no answer came).
std::wstring ServiceGet(const std::wstring& url, int* status = nullptr);
bool ServiceSet(const std::wstring& key, const std::wstring& value);
// Ends the service's waits, waits until no request is in flight, then clears settings and records.
bool ServiceReset();
// Waits until no request is in flight: what has arrived by then is all that will arrive of the
// requests already made.
bool ServiceIdle();
// Ends every wait of the service's handlers now: a held answer goes out (or the connection closes).
bool ServiceRelease();
std::wstring ServiceRecords(const std::wstring& kind);
// The environment variable's value, empty when it is not set.
std::wstring TestEnv(const wchar_t* name);
