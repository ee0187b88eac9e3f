// Out-of-line members of CStringT, instantiated once for each width.
#include "CString.h"

#include <algorithm>
#include <vector>

namespace {

// Zero-terminated lengths of possibly null pointers.
template <typename Ch>
int TextLength(const Ch* text)
{
    return text ? static_cast<int>(std::char_traits<Ch>::length(text)) : 0;
}

}  // namespace

template <typename Ch>
CStringT<Ch>::CStringT(const YCHAR* text)
{
    if (!text)
        return;
    if constexpr (std::is_same_v<Ch, wchar_t>)
        *this = ToWide(CStringA(text));
    else
        *this = ToNarrow(CString(text));
}

template <typename Ch>
Ch* CStringT<Ch>::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength);
    return &m_text[0];
}

template <typename Ch>
Ch* CStringT<Ch>::GetBufferSetLength(int length)
{
    m_text.resize(std::max(length, 0));
    return &m_text[0];
}

template <typename Ch>
void CStringT<Ch>::ReleaseBuffer(int newLength)
{
    // std::basic_string keeps its terminator behind size(), so the scan for -1 stops in bounds.
    if (newLength < 0)
        newLength = TextLength(m_text.c_str());
    m_text.resize(std::min(newLength, GetLength()));
}

template <typename Ch>
void CStringT<Ch>::Format(const Ch* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

template <typename Ch>
void CStringT<Ch>::FormatV(const Ch* format, va_list args)
{
    Empty();
    AppendFormatV(format, args);
}

template <typename Ch>
void CStringT<Ch>::AppendFormat(const Ch* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

template <typename Ch>
void CStringT<Ch>::AppendFormatV(const Ch* format, va_list args)
{
    if (!format)
        return;
    va_list measure;
    va_copy(measure, args);
    const int length = StringTraits<Ch>::FormattedLength(format, measure);
    va_end(measure);
    if (length <= 0)
        return;
    // The runtime writes the terminator too, so the scratch buffer holds one more character.
    std::vector<Ch> buffer(length + 1);
    const int written = StringTraits<Ch>::FormatInto(buffer.data(), buffer.size(), format, args);
    if (written > 0)
        m_text.append(buffer.data(), std::min(written, length));
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Left(int count) const
{
    return CStringT(m_text.substr(0, std::clamp(count, 0, GetLength())));
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Right(int count) const
{
    const int take = std::clamp(count, 0, GetLength());
    return CStringT(m_text.substr(GetLength() - take));
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CStringT(m_text.substr(first, count));
}

template <typename Ch>
int CStringT<Ch>::Find(Ch ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const auto at = m_text.find(ch, start);
    return at == std::basic_string<Ch>::npos ? -1 : static_cast<int>(at);
}

template <typename Ch>
int CStringT<Ch>::Find(const Ch* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const auto at = m_text.find(sub, start);
    return at == std::basic_string<Ch>::npos ? -1 : static_cast<int>(at);
}

template <typename Ch>
int CStringT<Ch>::ReverseFind(Ch ch) const
{
    const auto at = m_text.rfind(ch);
    return at == std::basic_string<Ch>::npos ? -1 : static_cast<int>(at);
}

template <typename Ch>
int CStringT<Ch>::Replace(Ch oldCh, Ch newCh)
{
    int count = 0;
    for (Ch& c : m_text) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

template <typename Ch>
int CStringT<Ch>::Replace(const Ch* oldText, const Ch* newText)
{
    const int oldLength = TextLength(oldText);
    if (oldLength == 0)
        return 0;
    const std::basic_string<Ch> replacement = newText ? newText : EmptyText();
    std::basic_string<Ch> result;
    int count = 0;
    size_t from = 0;
    for (size_t at; (at = m_text.find(oldText, from, oldLength)) != std::basic_string<Ch>::npos; from = at + oldLength) {
        result.append(m_text, from, at - from).append(replacement);
        ++count;
    }
    if (count) {
        result.append(m_text, from, std::basic_string<Ch>::npos);
        m_text.swap(result);
    }
    return count;
}

template <typename Ch>
int CStringT<Ch>::Remove(Ch ch)
{
    const int before = GetLength();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return before - GetLength();
}

template <typename Ch>
int CStringT<Ch>::Insert(int index, const Ch* text)
{
    m_text.insert(std::clamp(index, 0, GetLength()), text ? text : EmptyText());
    return GetLength();
}

template <typename Ch>
int CStringT<Ch>::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_text.erase(index, count);
    return GetLength();
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimEnds(const Ch* set, bool left, bool right)
{
    const auto trimmed = [set](Ch c) {
        if (!set)
            return StringTraits<Ch>::IsSpace(c);
        return c != 0 && std::char_traits<Ch>::find(set, std::char_traits<Ch>::length(set), c) != nullptr;
    };
    if (right)
        m_text.erase(std::find_if_not(m_text.rbegin(), m_text.rend(), trimmed).base(), m_text.end());
    if (left)
        m_text.erase(m_text.begin(), std::find_if_not(m_text.begin(), m_text.end(), trimmed));
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::MakeLower()
{
    StringTraits<Ch>::Lower(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::MakeUpper()
{
    StringTraits<Ch>::Upper(&m_text[0], static_cast<DWORD>(m_text.size()));
    return *this;
}

template <typename Ch>
int CStringT<Ch>::Compare(const Ch* other) const
{
    const int order = m_text.compare(other ? other : EmptyText());
    return (order > 0) - (order < 0);
}

template <typename Ch>
int CStringT<Ch>::CompareNoCase(const Ch* other) const
{
    const int order = StringTraits<Ch>::CompareNoCase(m_text.c_str(), other ? other : EmptyText());
    return (order > 0) - (order < 0);
}

template class CStringT<wchar_t>;
template class CStringT<char>;

CString ToWide(const CStringA& text, UINT codePage)
{
    CString wide;
    const int length = MultiByteToWideChar(codePage, 0, text, text.GetLength(), nullptr, 0);
    if (length <= 0)
        return wide;
    MultiByteToWideChar(codePage, 0, text, text.GetLength(), wide.GetBufferSetLength(length), length);
    return wide;
}

CStringA ToNarrow(const CString& text, UINT codePage)
{
    CStringA narrow;
    const int length = WideCharToMultiByte(codePage, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return narrow;
    WideCharToMultiByte(codePage, 0, text, text.GetLength(), narrow.GetBufferSetLength(length), length, nullptr, nullptr);
    return narrow;
}
