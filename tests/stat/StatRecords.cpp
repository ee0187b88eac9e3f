// Reads the service's "stat" records through its control endpoint.
#include "StatRecords.h"

#include "ServiceControl.h"
#include "WaitUntil.h"

#include <windows.h>

#include <boost/property_tree/json_parser.hpp>
#include <sstream>

std::vector<StatRecord> ReadStatRecords()
{
    std::vector<StatRecord> records;
    std::wistringstream json(ServiceRecords(L"stat"));
    boost::property_tree::wptree list;
    try {
        boost::property_tree::read_json(json, list);
    } catch (const std::exception&) {
        return records;
    }
    for (const auto& item : list) {
        StatRecord record;
        record.appId = item.second.get<std::wstring>(L"app_id", L"");
        record.payload = item.second.get<std::wstring>(L"payload", L"");
        record.text = item.second.get<std::wstring>(L"text", L"");
        record.key = item.second.get<std::wstring>(L"key", L"");
        record.base = item.second.get<std::wstring>(L"base", L"");
        records.push_back(record);
    }
    return records;
}

bool WaitForStatRecordCount(size_t count)
{
    return WaitUntil([count] { return ReadStatRecords().size() >= count; }, 60000, 100);
}

std::vector<StatRecord> WaitForStatRecords(size_t count)
{
    WaitForStatRecordCount(count);
    ServiceIdle();
    return ReadStatRecords();
}
