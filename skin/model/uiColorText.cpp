// Colour text parsing. Hexadecimal text keeps the top byte 0xFF in the value it yields; rgb triples
// have a top byte of 0.
#include "uiColorText.h"

#include <algorithm>
#include <cwchar>

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return 0;
}

COLORREF ParseRgbTriple(CString text)
{
    // Tabs and line breaks around the text go like spaces.
    text.Trim();
    text.MakeLower();
    text.Remove(L' ');
    // Drop "rgb(" and ")"; a text too short to hold them has no numbers.
    if (text.GetLength() < 5)
        return 0;
    const CString inner = text.Mid(4, text.GetLength() - 5);
    int channels[3] = {0, 0, 0};
    int start = 0;
    for (int part = 0; part < 3 && start <= inner.GetLength(); ++part) {
        int comma = inner.Find(L',', start);
        if (comma < 0)
            comma = inner.GetLength();
        const CString number = inner.Mid(start, comma - start);
        channels[part] = static_cast<int>(std::wcstol(static_cast<const wchar_t*>(number), nullptr, 10)) & 0xFF;
        start = comma + 1;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

COLORREF ParseHex(const CString& text)
{
    const int skip = (text.GetLength() > 0 && text[0] == L'#') ? 1 : 0;
    const int length = text.GetLength() - skip;
    if (length <= 3)
        return 0xFF000000;
    const int group = std::min(4, (length + 2) / 3);
    auto digitAt = [&](int position) { return position < length ? HexDigit(text[skip + position]) : 0; };
    int channels[3];
    for (int i = 0; i < 3; ++i)
        channels[i] = digitAt(i * group) * 16 + digitAt(i * group + 1);
    return 0xFF000000 | RGB(channels[0], channels[1], channels[2]);
}

} // namespace

int uiParseColor(const CString& text, COLORREF* value)
{
    if (text.Find(L"rgb") >= 0 || text.Find(L"RGB") >= 0)
        *value = ParseRgbTriple(text);
    else
        *value = ParseHex(text);
    return 1;
}
