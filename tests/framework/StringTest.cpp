// The string classes: printf semantics of the Windows runtime, searching and slicing at the
// edges, direct buffer access and code-page conversions.
#include <gtest/gtest.h>

#include "CString.h"

namespace {

TEST(StringFormat, WideClassTakesWideStringsForPercentS)
{
    CString s;
    s.Format(L"[%s|%ls|%hs]", L"宽", L"wide", "narrow");
    EXPECT_STREQ(L"[宽|wide|narrow]", s);
}

TEST(StringFormat, NarrowClassTakesNarrowStringsForPercentS)
{
    CStringA s;
    s.Format("[%s|%ls]", "narrow", L"wide");
    EXPECT_STREQ("[narrow|wide]", s);
}

TEST(StringFormat, NumbersWidthsAndPrecision)
{
    CString s;
    s.Format(L"%d|%5d|%-4d|%05d|%0.2f|%.1f|%x|%08X|%u", -42, 7, 3, 12, 3.14159, 2.25, 255, 0xBEEFu, 4000000000u);
    EXPECT_STREQ(L"-42|    7|3   |00012|3.14|2.3|ff|0000BEEF|4000000000", s);
    CStringA a;
    a.Format("%6.2f%%", 99.5);
    EXPECT_STREQ(" 99.50%", a);
}

TEST(StringFormat, LongResultsGrowTheBuffer)
{
    const std::wstring big(5000, L'x');
    CString s;
    s.Format(L"<%s>%d", big.c_str(), 1);
    EXPECT_EQ(5003, s.GetLength());
    EXPECT_EQ(L'<', s[0]);
    EXPECT_STREQ(L">1", s.Right(2));
}

TEST(StringFormat, FormatReplacesAndAppendFormatAppends)
{
    CString s(L"old");
    s.Format(L"%d", 1);
    s.AppendFormat(L"-%s", L"two");
    s.AppendFormat(L"");
    EXPECT_STREQ(L"1-two", s);
    s.Format(L"");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(StringSearch, FindCharAndSubstringWithStartPositions)
{
    const CString s(L"abcabc");
    EXPECT_EQ(1, s.Find(L'b'));
    EXPECT_EQ(4, s.Find(L'b', 2));
    EXPECT_EQ(-1, s.Find(L'b', 5));
    EXPECT_EQ(-1, s.Find(L'a', 6));
    EXPECT_EQ(-1, s.Find(L'a', -1));
    EXPECT_EQ(3, s.Find(L"abc", 1));
    EXPECT_EQ(0, s.Find(L""));
    EXPECT_EQ(-1, s.Find(L"abcd"));
    EXPECT_EQ(-1, s.Find(L"c", 7));
    EXPECT_EQ(4, s.ReverseFind(L'b'));
    EXPECT_EQ(-1, s.ReverseFind(L'z'));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(StringSearch, LeftMidRightClampOutOfRangeArguments)
{
    const CString s(L"hello");
    EXPECT_STREQ(L"he", s.Left(2));
    EXPECT_STREQ(L"hello", s.Left(99));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_STREQ(L"llo", s.Mid(2));
    EXPECT_STREQ(L"l", s.Mid(2, 1));
    EXPECT_STREQ(L"", s.Mid(5));
    EXPECT_STREQ(L"", s.Mid(9, 2));
    EXPECT_STREQ(L"he", s.Mid(-3, 2));
    EXPECT_STREQ(L"lo", s.Mid(3, 99));
    EXPECT_STREQ(L"", s.Mid(1, -2));
    EXPECT_STREQ(L"lo", s.Right(2));
    EXPECT_STREQ(L"hello", s.Right(10));
    EXPECT_EQ(L'\0', s.GetAt(5));
}

TEST(StringEdit, ReplaceRemoveInsertDelete)
{
    CString s(L"a-b-c");
    EXPECT_EQ(2, s.Replace(L'-', L'+'));
    EXPECT_STREQ(L"a+b+c", s);
    EXPECT_EQ(2, s.Replace(L"+", L"--"));
    EXPECT_STREQ(L"a--b--c", s);
    EXPECT_EQ(1, s.Replace(L"--b--", L""));
    EXPECT_STREQ(L"ac", s);
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    CString overlap(L"aaaa");
    EXPECT_EQ(2, overlap.Replace(L"aa", L"a"));
    EXPECT_STREQ(L"aa", overlap);
    CString r(L"x,y,,z");
    EXPECT_EQ(3, r.Remove(L','));
    EXPECT_STREQ(L"xyz", r);
    EXPECT_EQ(5, r.Insert(1, L"12"));
    EXPECT_STREQ(L"x12yz", r);
    r.Insert(99, L'!');
    EXPECT_STREQ(L"x12yz!", r);
    EXPECT_EQ(3, r.Delete(1, 3));
    EXPECT_STREQ(L"xz!", r);
    EXPECT_EQ(2, r.Delete(2, 50));
    EXPECT_EQ(2, r.Delete(7));
    r.SetAt(0, L'Q');
    r.SetAt(10, L'W');
    EXPECT_STREQ(L"Qz", r);
}

TEST(StringEdit, TrimWhitespaceAndGivenCharacters)
{
    CString s(L" \t\r\n text \r\n");
    EXPECT_STREQ(L"text", s.Trim());
    CString q(L"\"quoted\"");
    EXPECT_STREQ(L"quoted", q.Trim(L'"'));
    CString set(L"}}{x}{");
    EXPECT_STREQ(L"x}", set.TrimLeft(L"{}").TrimRight(L"{"));
    CString blank(L"   ");
    EXPECT_TRUE(blank.TrimRight().IsEmpty());
}

TEST(StringCompare, CaseAndOrdering)
{
    CString s(L"MixEd");
    EXPECT_EQ(0, s.CompareNoCase(L"mixed"));
    EXPECT_NE(0, s.Compare(L"mixed"));
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_GT(CString(L"abc").Compare(L"ab"), 0);
    EXPECT_STREQ(L"mixed", CString(s).MakeLower());
    EXPECT_STREQ(L"MIXED", s.MakeUpper());
    EXPECT_STREQ("D41D8CD98F", CStringA("d41d8cd98f").MakeUpper());
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(CString(L"x") == L'x');
    EXPECT_TRUE(L"x" != CString(L"y"));
}

TEST(StringOperators, ConcatenationOfStringsAndCharacters)
{
    CString a(L"ab");
    CString b = a + L"c" + L'd' + CString(L"e");
    b += L'f';
    b += CString(L"g");
    EXPECT_STREQ(L"abcdefg", b);
    EXPECT_STREQ(L"xab", L'x' + a);
    EXPECT_STREQ(L"yab", L"y" + a);
    CString moved(std::move(b));
    EXPECT_STREQ(L"abcdefg", moved);
    EXPECT_STREQ(L"ccc", CString(L'c', 3));
    EXPECT_STREQ(L"ab", CString(L"abc", 2));
}

TEST(StringBuffer, WritesThroughGetBufferAndReleaseBuffer)
{
    CString s(L"keep");
    wchar_t* buffer = s.GetBuffer(MAX_PATH);
    EXPECT_EQ(L'k', buffer[0]);
    wcscpy(buffer, L"C:\\windows");
    s.ReleaseBuffer();
    EXPECT_STREQ(L"C:\\windows", s);
    EXPECT_EQ(10, s.GetLength());

    buffer = s.GetBufferSetLength(3);
    buffer[2] = L'Z';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(L"C:Z", s);

    CStringA a;
    char* raw = a.GetBuffer(8);
    memcpy(raw, "12345678", 8);
    a.ReleaseBuffer(4);
    EXPECT_STREQ("1234", a);
    a.GetBuffer(0);
    a.ReleaseBuffer(99);
    EXPECT_EQ(4, a.GetLength());
}

TEST(StringConversion, ThroughCodePages)
{
    const char utf8[] = "\xE5\xAE\x8C\xE6\x88\x90ok";  // "完成ok"
    EXPECT_STREQ(L"完成ok", ToWide(utf8, CP_UTF8));
    EXPECT_STREQ(utf8, ToNarrow(L"完成ok", CP_UTF8));
    EXPECT_STREQ(L"ascii", CString("ascii"));
    EXPECT_STREQ("ascii", CStringA(L"ascii"));
    EXPECT_STREQ("wide", CStringA(CString(L"wide")));
    EXPECT_TRUE(ToWide(CStringA()).IsEmpty());
    CString embedded(L"a\0b", 3);
    EXPECT_EQ(3, ToNarrow(embedded, CP_UTF8).GetLength());
}

}  // namespace
