// Decimal text of a 64-bit signed number, made through an OLE Automation VARIANT conversion.
#pragma once

#include <cstdint>
#include <string>

namespace ns_kw_stat {

class CNumberText {
public:
    explicit CNumberText(int64_t value);
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

// The current time as decimal seconds since 1970-01-01 00:00 UTC.
std::wstring CurrentTimeText();

}  // namespace ns_kw_stat
