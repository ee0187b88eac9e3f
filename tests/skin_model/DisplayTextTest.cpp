// Text items and their mark-up, drawn into 32-bit DIBs and compared by pixel with the same runs drawn
// directly through GDI, as the mark-up's rules describe them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>
#include "SkinTestSupport.h"
#include "uiDisplayText.h"

namespace {

const int kWidth = 240, kHeight = 40;
const COLORREF kPaper = RGB(255, 255, 255), kInk = RGB(0, 0, 0);
// The item's construction format plus a single line.
const UINT kFormat = DT_EDITCONTROL | DT_WORDBREAK | DT_VCENTER | DT_SINGLELINE;

LOGFONTW BaseFont()
{
    LOGFONTW font = {};
    font.lfHeight = -16;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    return font;
}

struct TextRun {
    const wchar_t* text;
    LOGFONTW font;
    COLORREF color = kInk;
    bool opaque = false;
    COLORREF back = kPaper;
};

TextRun Plain(const wchar_t* text)
{
    return TextRun{text, BaseFont()};
}

TextRun Bold(const wchar_t* text)
{
    TextRun run{text, BaseFont()};
    run.font.lfWeight = FW_BOLD;
    return run;
}

// The runs side by side, each where the previous one's measured width ended.
void DrawRuns(PixelCanvas& canvas, const std::vector<TextRun>& runs)
{
    HDC dc = canvas.GetDC();
    int pen = 0;
    for (const TextRun& run : runs) {
        HFONT font = CreateFontIndirectW(&run.font);
        HGDIOBJ previous = SelectObject(dc, font);
        SetTextColor(dc, run.color);
        SetBkMode(dc, run.opaque ? OPAQUE : TRANSPARENT);
        SetBkColor(dc, run.back);
        const int length = lstrlenW(run.text);
        SIZE size = {};
        GetTextExtentPoint32W(dc, run.text, length, &size);
        RECT rect = {pen, 0, kWidth, kHeight};
        DrawTextW(dc, run.text, length, &rect, kFormat);
        pen += size.cx;
        SelectObject(dc, previous);
        DeleteObject(font);
    }
}

int CountPixels(const PixelCanvas& canvas, COLORREF color)
{
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            count += canvas.Pixel(x, y) == color ? 1 : 0;
    return count;
}

bool SamePixels(const PixelCanvas& a, const PixelCanvas& b)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

// Rightmost column holding a pixel other than paper, -1 for none.
int RightmostInk(const PixelCanvas& canvas)
{
    for (int x = kWidth - 1; x >= 0; --x)
        for (int y = 0; y < kHeight; ++y)
            if (canvas.Pixel(x, y) != kPaper)
                return x;
    return -1;
}

class TextItem : public testing::Test {
protected:
    void SetUp() override
    {
        const LOGFONTW base = BaseFont();
        font = CreateFontIndirectW(&base);
        item.m_font = font;
        item.m_textColor.SetColor(kInk);
        item.SetSingleLine(TRUE);
        item.CalcRect(RECT{0, 0, kWidth, kHeight});
    }
    void TearDown() override { DeleteObject(font); }
    void Render(const wchar_t* content, bool rich)
    {
        item.m_content = content;
        item.m_richText = rich;
        ASSERT_EQ(item.Paint(drawn.GetDC()), 1);
    }
    void ExpectRuns(const std::vector<TextRun>& runs)
    {
        DrawRuns(expected, runs);
        EXPECT_TRUE(SamePixels(drawn, expected));
        EXPECT_GT(CountPixels(drawn, kPaper), 0);
        EXPECT_LT(CountPixels(drawn, kPaper), kWidth * kHeight);
    }
    HFONT font = nullptr;
    uiDisplayText item;
    PixelCanvas drawn{kWidth, kHeight, kPaper};
    PixelCanvas expected{kWidth, kHeight, kPaper};
};

} // namespace

TEST_F(TextItem, PlainTextIsDrawnOnceInItsFontAndColour)
{
    Render(L"Hello", false);
    ExpectRuns({Plain(L"Hello")});
}

TEST_F(TextItem, PaintRestoresTheDeviceContext)
{
    HDC dc = drawn.GetDC();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    Render(L"x", false);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
}

TEST_F(TextItem, TabSplitRightAlignsTheAccelerator)
{
    item.m_tabSplit = TRUE;
    Render(L"Open\tCtrl+O", false);
    RECT rect = {0, 0, kWidth, kHeight};
    HDC dc = expected.GetDC();
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, L"Open", 4, &rect, kFormat);
    DrawTextW(dc, L"Ctrl+O", 6, &rect, kFormat | DT_RIGHT);
    SelectObject(dc, previous);
    EXPECT_TRUE(SamePixels(drawn, expected));
    EXPECT_GT(RightmostInk(drawn), kWidth - 6);
}

TEST_F(TextItem, CopyDrawsTheTabTextAsOneStringUntilTheSplitIsSwitchedOn)
{
    item.m_tabSplit = TRUE;
    item.m_content = L"Open\tCtrl+O";
    std::unique_ptr<uiDisplayItem> copy(item.Clone());
    auto* text = static_cast<uiDisplayText*>(copy.get());
    EXPECT_FALSE(text->m_tabSplit);
    EXPECT_EQ(text->m_font, font);
    EXPECT_EQ(text->m_content.Compare(L"Open\tCtrl+O"), 0);
    text->Paint(drawn.GetDC());
    EXPECT_LT(RightmostInk(drawn), kWidth / 2);
}

TEST_F(TextItem, MarkupIsDrawnRunByRunOnOneLine)
{
    TextRun italic = Plain(L"i"), underline = Plain(L"u"), strike = Plain(L"s"), big = Plain(L"a"), small = Plain(L"b");
    italic.font.lfItalic = underline.font.lfUnderline = strike.font.lfStrikeOut = 1;
    big.font.lfHeight = -17;
    small.font.lfHeight = -15;
    TextRun coloured = Plain(L"W"), blueBold = Bold(L"x"), red = Plain(L"x");
    coloured.color = red.color = RGB(255, 0, 0);
    coloured.opaque = true;
    coloured.back = RGB(0, 255, 0);
    coloured.font.lfHeight = -20;
    blueBold.color = RGB(0, 0, 255);
    const struct {
        const wchar_t* markup;
        std::vector<TextRun> runs;
    } cases[] = {
        {L"a<B>b</B>c", {Plain(L"a"), Bold(L"b"), Plain(L"c")}},
        {L"a<b>b</b>c", {Plain(L"a"), Bold(L"b"), Plain(L"c")}},
        // A "<" that starts no tag is a run of one character.
        {L"1 < 2", {Plain(L"1 "), Plain(L"<"), Plain(L" 2")}},
        // The closing tag restores the base weight whatever the counter.
        {L"<B><B>x</B>y", {Bold(L"x"), Plain(L"y")}},
        {L"<I>i</I><U>u</U><STRIKE>s</STRIKE>n", {italic, underline, strike, Plain(L"n")}},
        {L"<BIG>a</BIG><SMALL>b</SMALL>c", {big, small, Plain(L"c")}},
        {L"<FONT COLOR=\"#FF0000\" BGCOLOR=\"#00FF00\" SIZE=\"4\">W</FONT>W", {coloured, Plain(L"W")}},
        // "</FONT>" puts back the whole base font, an earlier bold included.
        {L"<B><FONT COLOR=\"#0000FF\">x</FONT>y", {blueBold, Plain(L"y")}},
        // A tag without its closing ">" ends the text.
        {L"a<FONT COLOR=\"#FF0000\" b", {Plain(L"a")}},
        // A missing opening quote ends the scan; a missing closing quote skips the word.
        {L"<FONT COLOR=red SIZE=\"10\">x", {Plain(L"x")}},
        {L"<FONT SIZE=\"4>x", {Plain(L"x")}},
        {L"<FONT WEIGHT=\"9\" COLOR=\"#FF0000\">x", {red}},
    };
    for (const auto& c : cases) {
        PixelCanvas drawnHere(kWidth, kHeight, kPaper), expectedHere(kWidth, kHeight, kPaper);
        item.m_content = c.markup;
        item.m_richText = TRUE;
        item.Paint(drawnHere.GetDC());
        DrawRuns(expectedHere, c.runs);
        EXPECT_TRUE(SamePixels(drawnHere, expectedHere)) << CString(c.markup).GetString();
    }
}

// Sizes and <BIG> steps far beyond any font stop at the ends of the height range (one short of
// INT_MIN): coming back from there by the range's own width lands on the base height again.
TEST_F(TextItem, MarkupHeightsStopAtTheEndsOfTheRange)
{
    const wchar_t* const markups[] = {
        L"<FONT SIZE=\"-2000000000\"><FONT SIZE=\"-2000000000\"><BIG>"
        L"<FONT SIZE=\"2147483647\"><FONT SIZE=\"16\">x",
        L"<FONT SIZE=\"2000000000\"><FONT SIZE=\"2000000000\"><BIG><BIG>"
        L"<FONT SIZE=\"-2147483647\"><FONT SIZE=\"16\">x",
    };
    for (const wchar_t* markup : markups) {
        PixelCanvas drawnHere(kWidth, kHeight, kPaper), expectedHere(kWidth, kHeight, kPaper);
        item.m_content = markup;
        item.m_richText = TRUE;
        item.Paint(drawnHere.GetDC());
        DrawRuns(expectedHere, {Plain(L"x")});
        EXPECT_TRUE(SamePixels(drawnHere, expectedHere)) << CString(markup).GetString();
    }
}

TEST_F(TextItem, BoldRunReallyDiffersFromThePlainOne)
{
    Render(L"a<B>b</B>c", true);
    PixelCanvas allPlain(kWidth, kHeight, kPaper);
    DrawRuns(allPlain, {Plain(L"a"), Plain(L"b"), Plain(L"c")});
    EXPECT_GT(CountPixels(allPlain, kPaper), CountPixels(drawn, kPaper));
}

TEST_F(TextItem, OverlongFaceNameIsCutToTheFontRecord)
{
    std::wstring markup = L"<FONT FACE=\"" + std::wstring(300, L'Q') + L"\">x";
    Render(markup.c_str(), true);
    EXPECT_LT(CountPixels(drawn, kPaper), kWidth * kHeight);
}

TEST_F(TextItem, RichTextWithoutAFontStartsFromTheSystemFont)
{
    item.m_font = nullptr;
    Render(L"<B>x</B>", true);
    LOGFONTW system = {};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
    TextRun run{L"x", system};
    run.font.lfWeight = FW_BOLD;
    ExpectRuns({run});
}

TEST(TextFormat, ConstructionAndAlignmentBits)
{
    uiDisplayText text;
    EXPECT_EQ(text.m_format, 0x2014u);
    text.SetHorzAlign(2);
    EXPECT_EQ(text.m_format, 0x2016u);
    text.SetVertAlign(8);
    EXPECT_EQ(text.m_format, 0x201Au);
    text.SetVertAlign(0);
    EXPECT_EQ(text.m_format, 0x2012u);
    text.SetSingleLine(TRUE);
    EXPECT_EQ(text.m_format, 0x2032u);
    text.SetSingleLine(FALSE);
    text.SetAutoSize(TRUE);
    EXPECT_EQ(text.m_format, 0x2010u);
    text.AddFormat(DT_END_ELLIPSIS);
    EXPECT_EQ(text.m_format, 0xA010u);
}

TEST(TextAutoSize, WidthFollowsTheMeasuredText)
{
    uiDisplayText text;
    text.SetAutoSize(TRUE);
    text.SetText(L"Measured text");
    HDC screen = GetDC(nullptr);
    RECT measured = {0, 0, 0, 0};
    DrawTextW(screen, L"Measured text", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(measured.right, 0);
    EXPECT_EQ(text.m_width, measured.right);
    EXPECT_EQ(text.m_w, measured.right);
    text.SetText(L"");
    EXPECT_EQ(text.m_width, 0);
    EXPECT_EQ(text.m_w, 0);
}
