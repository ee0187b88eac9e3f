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
// Waits up to timeoutMs for at least count records.
std::vector<StatRecord> WaitForStatRecords(size_t count, int timeoutMs);
