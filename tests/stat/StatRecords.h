// The statistics reports that the local test service received and decrypted.
#pragma once

#include <string>
#include <vector>

struct StatRecord {
    std::wstring appId;
    std::wstring payload;  // the Base64 text as it arrived
    std::wstring text;     // the decrypted document text, trailing newline included
    std::wstring key;      // which key decrypted it ("" when none did)
    std::wstring base;     // the request path before "/tj.html"
};

std::vector<StatRecord> ReadStatRecords();
// Waits until at least count records have arrived (a minute at most: far more than a loaded machine
// needs); false when they did not.
bool WaitForStatRecordCount(size_t count);
// Waits for at least count records, then for the requests still in flight, so that a surplus report
// is counted too. An answer the service holds must have been released first.
std::vector<StatRecord> WaitForStatRecords(size_t count);
