// Shared set-up of the tests that send reports to the local test service: a fresh service state, known
// registry values for the Internet Explorer probe, an initialised statistics object and a trace capture.
#pragma once

#include "DebugTraceCapture.h"
#include "IeVersionRegistry.h"
#include "IKwStat.h"
#include "StatRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class StatReportFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The "dev_info" member as this machine and the given settings must produce it, with its comma.
    std::wstring DevInfo(const std::wstring& channel = L"0000", const std::wstring& version = L"0.0.0.0") const;
    // Checks that every time value of text lies in [from, to] and replaces it by "T" ("close_time" "0"
    // of a launch stays).
    static std::wstring MaskTimes(const std::wstring& text, int64_t from, int64_t to);
    // The records after waiting for count of them; each must have been decrypted and carry a Base64
    // payload of the document's length.
    std::vector<StatRecord> Received(size_t count);
    // The service has no request in flight and has recorded no report.
    static void ExpectNothingArrived();
    static int64_t Now();
    // Returns once the clock's second has changed, so that the next time value is a later one.
    static void WaitForNextSecond();

    IeVersionRegistry registry_;
    DebugTraceCapture traces_;
    ns_kw_stat::IKwStat* stat_ = nullptr;
};
