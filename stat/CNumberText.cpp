// Number-to-text conversion of the statistics documents (times and version components).
#include "CNumberText.h"

#include <windows.h>
#include <oleauto.h>
#include <time.h>

namespace ns_kw_stat {

CNumberText::CNumberText(int64_t value)
{
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I8;
    number.llVal = value;
    VARIANT text;
    VariantInit(&text);
    if (SUCCEEDED(VariantChangeType(&text, &number, 0, VT_BSTR)) && text.bstrVal)
        text_.assign(text.bstrVal, SysStringLen(text.bstrVal));
    VariantClear(&text);
    VariantClear(&number);
}

std::wstring CurrentTimeText()
{
    return CNumberText(_time64(nullptr)).Text();
}

}  // namespace ns_kw_stat
