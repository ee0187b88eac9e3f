// The skin's XML value syntax over TinyXML.
#include "uiXmlReader.h"

#include <climits>
#include <cwchar>
#include <vector>

#include "uiColorInfo.h"
#include "uiColorText.h"
#include "uiGdiAdmin.h"
#include "uiSaturate.h"

namespace {

// Reads exactly count comma-separated decimal numbers without leading zeros or other signs than a
// minus ("10,-4"), the form nearly every skin value has, without a wide copy and a scanf; false for
// any other text, which the caller then scans as before.
bool ReadPlainIntegers(const char* text, int* values, int count)
{
    if (!text)
        return false;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && *text++ != ',')
            return false;
        const bool negative = *text == '-';
        if (negative)
            ++text;
        if (text[0] == '0' && text[1] >= '0' && text[1] <= '9')
            return false; // octal to a scanf
        int value = 0, digits = 0;
        for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
            if (digits == 9)
                return false; // may not fit: scanned as before
            value = value * 10 + (*text - '0');
        }
        if (digits == 0)
            return false;
        values[i] = negative ? -value : value;
    }
    return *text == '\0';
}

} // namespace

bool uiXmlLoadMemory(TiXmlDocument& document, const char* bytes, size_t length)
{
    std::vector<char> text;
    text.reserve(length + 1);
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] == '\r') {
            text.push_back('\n');
            if (i + 1 < length && bytes[i + 1] == '\n')
                ++i;
        } else {
            text.push_back(bytes[i]);
        }
    }
    text.push_back('\0');
    document.Parse(text.data(), nullptr, TIXML_DEFAULT_ENCODING);
    return !document.Error();
}

int uiXmlConvertUtf8ToWide(const char* bytes, int byteCount, wchar_t* destination, int capacity)
{
    const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes);
    int read = 0, written = 0;
    while (read < byteCount && written < capacity) {
        const unsigned lead = in[read];
        const int length = lead < 0x80 ? 1 : (lead >= 0xE0 ? 3 : 2);
        if (read + length > byteCount)
            break;
        unsigned unit = lead;
        if (length == 3)
            unit = ((lead & 0x0F) << 12) + ((in[read + 1] & 0x3F) << 6) + (in[read + 2] & 0x3F);
        else if (length == 2)
            unit = ((lead & 0x1F) << 6) + (in[read + 1] & 0x3F);
        destination[written++] = static_cast<wchar_t>(unit & 0xFFFF);
        read += length;
    }
    return written;
}

CString uiXmlAttributeW(const TiXmlElement* element, const char* name)
{
    const char* value = element ? element->Attribute(name) : nullptr;
    if (!value || !*value)
        return CString();
    // Converted straight into the string's own buffer: attributes are read by the thousand per load.
    const int length = static_cast<int>(strlen(value));
    CString text;
    const int written = uiXmlConvertUtf8ToWide(value, length, text.GetBufferSetLength(length), length);
    text.ReleaseBuffer(written);
    return text;
}

int uiXmlGetInt(const TiXmlElement* element, const char* name, int defaultValue)
{
    int value = defaultValue;
    if (!element || element->QueryIntAttribute(name, &value) != TIXML_SUCCESS)
        return defaultValue;
    return value;
}

int uiXmlGetBool(const TiXmlElement* element, const char* name, int defaultValue)
{
    if (!element)
        return defaultValue;
    // Plain ASCII (nearly every value) is compared as it stands, without a wide copy.
    const char* value = element->Attribute(name);
    const char* end = value;
    while (end && *end && static_cast<unsigned char>(*end) < 0x80)
        ++end;
    if (!value || !*end) {
        const char* ascii = value ? value : "";
        if (defaultValue == 1)
            return _stricmp(ascii, "false") == 0 ? 0 : 1;
        if (defaultValue == 0)
            return _stricmp(ascii, "true") == 0 ? 1 : 0;
        return defaultValue;
    }
    const CString text = uiXmlAttributeW(element, name);
    if (defaultValue == 1)
        return text.CompareNoCase(L"false") == 0 ? 0 : 1;
    if (defaultValue == 0)
        return text.CompareNoCase(L"true") == 0 ? 1 : 0;
    return defaultValue;
}

int uiXmlGetPoint(const TiXmlElement* element, const char* name, POINT* point)
{
    int plain[2];
    if (element && ReadPlainIntegers(element->Attribute(name), plain, 2)) {
        point->x = plain[0];
        point->y = plain[1];
        return 1;
    }
    const CString text = uiXmlAttributeW(element, name);
    if (text.IsEmpty())
        return 0;
    int x = point->x, y = point->y;
    swscanf(text, L"%i,%i", &x, &y);
    point->x = x;
    point->y = y;
    return 1;
}

int uiXmlGetRect4(const TiXmlElement* element, const char* name, RECT* rect)
{
    int plain[4] = {0, 0, 0, 0};
    if (!element || !ReadPlainIntegers(element->Attribute(name), plain, 4)) {
        const CString text = uiXmlAttributeW(element, name);
        if (text.IsEmpty())
            return 0;
        swscanf(text, L"%i,%i,%i,%i", &plain[0], &plain[1], &plain[2], &plain[3]);
    }
    const int left = plain[0], top = plain[1], width = plain[2], height = plain[3];
    rect->left = left;
    rect->top = top;
    rect->right = uiSaturatedAdd(left, width);
    rect->bottom = uiSaturatedAdd(top, height);
    return 1;
}

void uiXmlGetRect(const TiXmlElement* element, RECT* rect)
{
    const int left = uiXmlGetInt(element, "left", INT_MAX);
    const int top = uiXmlGetInt(element, "top", INT_MAX);
    const int width = uiXmlGetInt(element, "width", INT_MAX);
    const int height = uiXmlGetInt(element, "height", INT_MAX);
    rect->left = left;
    rect->top = top;
    rect->right = (left == INT_MAX || width == INT_MAX) ? INT_MAX : uiSaturatedAdd(left, width);
    rect->bottom = (top == INT_MAX || height == INT_MAX) ? INT_MAX : uiSaturatedAdd(top, height);
}

COLORREF uiXmlGetColor(const TiXmlElement* element, const char* name, COLORREF defaultValue)
{
    const CString text = uiXmlAttributeW(element, name);
    if (text.GetLength() <= 1)
        return defaultValue;
    return uiParseColorValue(text);
}

void uiXmlGetColorRef(const TiXmlElement* element, const char* name, uiColorInfo* info)
{
    const CString text = uiXmlAttributeW(element, name);
    if (text.GetLength() <= 1)
        return;
    if (text[0] == L'#') {
        if (const uiColorInfo* named = uiGetGdiAdmin().GetColor(text))
            *info = *named;
        else
            info->SetColor(RGB(255, 255, 255));
        return;
    }
    COLORREF value = 0;
    uiParseColor(text, &value);
    info->SetColor(value);
}

COLORREF uiParseColorValue(const CString& text)
{
    if (text.GetLength() > 0 && text[0] == L'#')
        return uiGetGdiAdmin().GetColorValue(text);
    COLORREF value = 0;
    uiParseColor(text, &value);
    return value;
}
