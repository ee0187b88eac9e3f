// The character-width specific runtime calls behind CStringT: one specialisation per width, so the
// string template itself is written once.
#pragma once

#include <windows.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <cwchar>

template <typename Ch>
struct StringTraits;

template <>
struct StringTraits<wchar_t> {
    using Other = char;
    // The CRT's own printf family: in wide formats %s is a wide string, %hs a narrow one.
    static int FormattedLength(const wchar_t* format, va_list args) { return _vscwprintf(format, args); }
    static int FormatInto(wchar_t* buffer, size_t size, const wchar_t* format, va_list args)
    {
        return _vsnwprintf(buffer, size, format, args);
    }
    static bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
    static void Lower(wchar_t* text, DWORD length) { if (length) CharLowerBuffW(text, length); }
    static void Upper(wchar_t* text, DWORD length) { if (length) CharUpperBuffW(text, length); }
    static int CompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
};

template <>
struct StringTraits<char> {
    using Other = wchar_t;
    static int FormattedLength(const char* format, va_list args) { return _vscprintf(format, args); }
    static int FormatInto(char* buffer, size_t size, const char* format, va_list args)
    {
        return _vsnprintf(buffer, size, format, args);
    }
    static bool IsSpace(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }
    static void Lower(char* text, DWORD length) { if (length) CharLowerBuffA(text, length); }
    static void Upper(char* text, DWORD length) { if (length) CharUpperBuffA(text, length); }
    static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
};
