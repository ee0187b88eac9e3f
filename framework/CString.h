// The string classes of the class-library layer: CString (wide) and CStringA (narrow), one
// template over the character type. Storage is a std::basic_string; formatting follows the
// Windows C runtime's printf rules (in the wide class %s takes a wide string).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstddef>
#include <string>

#include "StringTraits.h"

template <typename Ch>
class CStringT {
public:
    using XCHAR = Ch;
    using YCHAR = typename StringTraits<Ch>::Other;

    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;

    CStringT(const Ch* text) : m_text(text ? text : EmptyText()) {}
    CStringT(const Ch* text, int count) : m_text(text ? text : EmptyText(), text && count > 0 ? count : 0) {}
    CStringT(Ch ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}
    explicit CStringT(const std::basic_string<Ch>& text) : m_text(text) {}
    // Text of the other width converts through the ANSI code page.
    CStringT(const YCHAR* text);
    CStringT(const CStringT<YCHAR>& text) : CStringT(text.GetString()) {}

    CStringT& operator=(const Ch* text) { m_text = text ? text : EmptyText(); return *this; }
    CStringT& operator=(Ch ch) { m_text.assign(1, ch); return *this; }
    CStringT& operator=(const YCHAR* text) { return *this = CStringT(text); }

    operator const Ch*() const { return m_text.c_str(); }
    const Ch* GetString() const { return m_text.c_str(); }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // An index outside the string reads as the zero character and writes nothing.
    Ch GetAt(int index) const { return InRange(index) ? m_text[index] : Ch(); }
    Ch operator[](int index) const { return GetAt(index); }
    void SetAt(int index, Ch ch) { if (InRange(index)) m_text[index] = ch; }

    // Direct writing: the buffer holds at least minLength characters plus a terminator until
    // ReleaseBuffer sets the length (-1: up to the first terminator).
    Ch* GetBuffer(int minLength = 0);
    Ch* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    void Format(const Ch* format, ...);
    void FormatV(const Ch* format, va_list args);
    void AppendFormat(const Ch* format, ...);
    void AppendFormatV(const Ch* format, va_list args);

    CStringT Left(int count) const;
    CStringT Right(int count) const;
    CStringT Mid(int first) const { return Mid(first, GetLength()); }
    CStringT Mid(int first, int count) const;

    int Find(Ch ch, int start = 0) const;
    int Find(const Ch* sub, int start = 0) const;
    int ReverseFind(Ch ch) const;
    int Replace(Ch oldCh, Ch newCh);
    int Replace(const Ch* oldText, const Ch* newText);
    int Remove(Ch ch);
    int Insert(int index, Ch ch) { return Insert(index, CStringT(ch)); }
    int Insert(int index, const Ch* text);
    int Delete(int index, int count = 1);

    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& Trim(Ch ch) { return TrimRight(ch).TrimLeft(ch); }
    CStringT& Trim(const Ch* set) { return TrimRight(set).TrimLeft(set); }
    CStringT& TrimLeft() { return TrimEnds(nullptr, true, false); }
    CStringT& TrimLeft(Ch ch) { const Ch set[2] = {ch, 0}; return TrimEnds(set, true, false); }
    CStringT& TrimLeft(const Ch* set) { return set ? TrimEnds(set, true, false) : *this; }
    CStringT& TrimRight() { return TrimEnds(nullptr, false, true); }
    CStringT& TrimRight(Ch ch) { const Ch set[2] = {ch, 0}; return TrimEnds(set, false, true); }
    CStringT& TrimRight(const Ch* set) { return set ? TrimEnds(set, false, true) : *this; }

    CStringT& MakeLower();
    CStringT& MakeUpper();
    int Compare(const Ch* other) const;
    int CompareNoCase(const Ch* other) const;

    CStringT& operator+=(const CStringT& other) { m_text += other.m_text; return *this; }
    CStringT& operator+=(const Ch* text) { if (text) m_text += text; return *this; }
    CStringT& operator+=(Ch ch) { m_text += ch; return *this; }

    friend CStringT operator+(CStringT left, const CStringT& right) { return left += right; }
    friend CStringT operator+(CStringT left, const Ch* right) { return left += right; }
    friend CStringT operator+(const Ch* left, const CStringT& right) { return CStringT(left) += right; }
    friend CStringT operator+(CStringT left, Ch right) { return left += right; }
    friend CStringT operator+(Ch left, const CStringT& right) { return CStringT(left) += right; }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CStringT& a, const Ch* b) { return a.Compare(b) == 0; }
    friend bool operator==(const Ch* a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator==(const CStringT& a, Ch b) { return a.m_text.size() == 1 && a.m_text[0] == b; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, const Ch* b) { return !(a == b); }
    friend bool operator!=(const Ch* a, const CStringT& b) { return !(b == a); }
    friend bool operator!=(const CStringT& a, Ch b) { return !(a == b); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_text < b.m_text; }
    friend bool operator<(const CStringT& a, const Ch* b) { return a.Compare(b) < 0; }
    friend bool operator<(const Ch* a, const CStringT& b) { return b.Compare(a) > 0; }

private:
    static const Ch* EmptyText() { static const Ch empty[1] = {}; return empty; }
    bool InRange(int index) const { return index >= 0 && index < GetLength(); }
    // Strips characters of the set (whitespace when the set is null) from the chosen ends.
    CStringT& TrimEnds(const Ch* set, bool left, bool right);

    std::basic_string<Ch> m_text;
};

using CString = CStringT<wchar_t>;
using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;

// Conversions through a chosen code page (CP_ACP, CP_UTF8, ...). The whole string converts,
// including embedded zero characters.
CString ToWide(const CStringA& text, UINT codePage = CP_ACP);
CStringA ToNarrow(const CString& text, UINT codePage = CP_ACP);

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;
