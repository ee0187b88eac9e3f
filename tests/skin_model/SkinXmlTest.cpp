// The skin's XML value syntax, colour text, colour maths and the GDI tables filled from XML.
#include <gtest/gtest.h>

#include <climits>

#include "SkinTestSupport.h"
#include "uiColorAdjust.h"
#include "uiColorInfo.h"
#include "uiColorText.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiSkinError.h"
#include "uiXmlReader.h"

namespace {

// Parses the text and returns its root element (kept alive by the fixture's document).
class XmlFixture : public testing::Test {
protected:
    const TiXmlElement* Parse(const std::string& text)
    {
        document.Clear();
        EXPECT_TRUE(uiXmlLoadMemory(document, text.data(), text.size())) << text;
        return document.RootElement();
    }
    TiXmlDocument document;
};

using XmlReading = XmlFixture;

TEST_F(XmlReading, LineEndsAreNormalisedBeforeParsing)
{
    // Attribute text keeps its line ends, so it shows the normalisation.
    const TiXmlElement* crlf = Parse("<a>\r\n<b v=\"one\r\ntwo\rthree\"/>\r\n</a>");
    const std::string fromCrlf = crlf->FirstChildElement("b")->Attribute("v");
    const TiXmlElement* lf = Parse("<a>\n<b v=\"one\ntwo\nthree\"/>\n</a>");
    EXPECT_EQ(fromCrlf, lf->FirstChildElement("b")->Attribute("v"));
    EXPECT_EQ(fromCrlf, "one\ntwo\nthree");
    TiXmlDocument broken;
    const std::string text = "<a><b></a>";
    EXPECT_FALSE(uiXmlLoadMemory(broken, text.data(), text.size()));
}

TEST_F(XmlReading, Utf8AttributesArriveAsTheSameCharacters)
{
    const TiXmlElement* e = Parse("<a caption=\"\xE5\xAE\x89\xE8\xA3\x85 Tavrin \xC2\xA9\"/>");
    EXPECT_EQ(uiXmlAttributeW(e, "caption"), CString(L"\x5B89\x88C5 Tavrin \x00A9"));
    EXPECT_TRUE(uiXmlAttributeW(e, "missing").IsEmpty());
    EXPECT_TRUE(uiXmlAttributeW(nullptr, "caption").IsEmpty());
}

TEST(Utf8Conversion, TruncatedSequencesAndCapacityStopTheConversion)
{
    wchar_t out[8] = {};
    EXPECT_EQ(uiXmlConvertUtf8ToWide("a\xE5\xAE", 3, out, 8), 1);
    EXPECT_EQ(out[0], L'a');
    EXPECT_EQ(uiXmlConvertUtf8ToWide("\xC2", 1, out, 8), 0);
    EXPECT_EQ(uiXmlConvertUtf8ToWide("abcdef", 6, out, 2), 2);
    EXPECT_EQ(uiXmlConvertUtf8ToWide("\xE5\xAE\x89", 3, out, 8), 1);
    EXPECT_EQ(out[0], 0x5B89);
}

TEST_F(XmlReading, IntegersAndBooleans)
{
    const TiXmlElement* e = Parse("<a n=\"12px\" bad=\"px\" f1=\"FaLsE\" f2=\"false \" t=\"TRUE\" num=\"1\" empty=\"\"/>");
    EXPECT_EQ(uiXmlGetInt(e, "n", 7), 12);
    EXPECT_EQ(uiXmlGetInt(e, "bad", 7), 7);
    EXPECT_EQ(uiXmlGetInt(e, "missing", 7), 7);
    EXPECT_EQ(uiXmlGetBool(e, "f1", 1), 0);
    EXPECT_EQ(uiXmlGetBool(e, "f2", 1), 1);
    EXPECT_EQ(uiXmlGetBool(e, "num", 1), 1);
    EXPECT_EQ(uiXmlGetBool(e, "empty", 1), 1);
    EXPECT_EQ(uiXmlGetBool(e, "num", 0), 0);
    EXPECT_EQ(uiXmlGetBool(e, "t", 0), 1);
    EXPECT_EQ(uiXmlGetBool(nullptr, "t", 0), 0);
}

TEST_F(XmlReading, BooleansOutsideAsciiAndMissingOnesKeepTheirDefaults)
{
    const TiXmlElement* e = Parse("<a wide=\"\xE6\x98\xAF\" accented=\"tru\xC3\xA9\"/>");
    EXPECT_EQ(uiXmlGetBool(e, "wide", 0), 0);
    EXPECT_EQ(uiXmlGetBool(e, "wide", 1), 1);
    EXPECT_EQ(uiXmlGetBool(e, "accented", 0), 0);
    EXPECT_EQ(uiXmlGetBool(e, "missing", 1), 1);
    EXPECT_EQ(uiXmlGetBool(e, "missing", 0), 0);
    EXPECT_EQ(uiXmlGetBool(e, "missing", 5), 5);
    EXPECT_EQ(uiXmlGetBool(e, "wide", 5), 5);
}

TEST_F(XmlReading, RectanglesKeepTheIntegerSyntaxOfEveryForm)
{
    const TiXmlElement* e = Parse("<a octal=\"010,-0,+3,0x0A\" spaced=\" 1, 2,3,4\" neg=\"-7,-8,9,10\" "
                                  "long=\"1234567890,0,0,0\" tail=\"1,2,3,4,5\" p=\"012,-5\"/>");
    RECT rect = {};
    ASSERT_EQ(uiXmlGetRect4(e, "octal", &rect), 1);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 8 + 3);
    EXPECT_EQ(rect.bottom, 10);
    ASSERT_EQ(uiXmlGetRect4(e, "spaced", &rect), 1);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 4);
    EXPECT_EQ(rect.bottom, 6);
    ASSERT_EQ(uiXmlGetRect4(e, "neg", &rect), 1);
    EXPECT_EQ(rect.left, -7);
    EXPECT_EQ(rect.top, -8);
    EXPECT_EQ(rect.right, 2);
    EXPECT_EQ(rect.bottom, 2);
    ASSERT_EQ(uiXmlGetRect4(e, "long", &rect), 1);
    EXPECT_EQ(rect.left, 1234567890);
    ASSERT_EQ(uiXmlGetRect4(e, "tail", &rect), 1);
    EXPECT_EQ(rect.right, 4);
    POINT point = {};
    ASSERT_EQ(uiXmlGetPoint(e, "p", &point), 1);
    EXPECT_EQ(point.x, 10);
    EXPECT_EQ(point.y, -5);
}

TEST_F(XmlReading, PointsAndRectangles)
{
    const TiXmlElement* e = Parse("<a p=\"3,4\" r=\"10,20,30,40\" hex=\"0x10,0,1,1\" short=\"5\" "
                                  "huge=\"2147483647,-2147483647,10,-10\" left=\"5\" top=\"6\" height=\"7\"/>");
    POINT point = {-1, -1};
    EXPECT_EQ(uiXmlGetPoint(e, "missing", &point), 0);
    EXPECT_EQ(point.x, -1);
    EXPECT_EQ(uiXmlGetPoint(e, "p", &point), 1);
    EXPECT_EQ(point.x, 3);
    EXPECT_EQ(point.y, 4);
    RECT rect = {};
    EXPECT_EQ(uiXmlGetRect4(e, "missing", &rect), 0);
    ASSERT_EQ(uiXmlGetRect4(e, "r", &rect), 1);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 60);
    uiXmlGetRect4(e, "hex", &rect);
    EXPECT_EQ(rect.left, 16);
    uiXmlGetRect4(e, "short", &rect);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.right, 5);
    // Sums beyond the integer range saturate instead of wrapping.
    uiXmlGetRect4(e, "huge", &rect);
    EXPECT_EQ(rect.right, INT_MAX);
    EXPECT_EQ(rect.bottom, INT_MIN);
    // An absent width or left leaves the right edge unset.
    uiXmlGetRect(e, &rect);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.right, INT_MAX);
    EXPECT_EQ(rect.bottom, 13);
}

TEST(ColorText, HexadecimalForms)
{
    COLORREF value = 0;
    uiParseColor(L"#1e90ff", &value);
    EXPECT_EQ(value, 0xFF000000 | RGB(0x1E, 0x90, 0xFF));
    COLORREF bare = 0;
    uiParseColor(L"1e90ff", &bare);
    EXPECT_EQ(bare, value);
    uiParseColor(L"abc", &value);
    EXPECT_EQ(value, 0xFF000000);
    uiParseColor(L"12345678", &value);
    EXPECT_EQ(value, 0xFF000000 | RGB(0x12, 0x45, 0x78));
    uiParseColor(L"#zz9", &value);
    EXPECT_EQ(value, 0xFF000000);
    uiParseColor(L"zzzzzz", &value);
    EXPECT_EQ(value, 0xFF000000);
}

TEST(ColorText, RgbTriplesIncludingShortAndWrongOnes)
{
    COLORREF value = 1;
    uiParseColor(L"  RGB( 14, 62, 94 ) ", &value);
    EXPECT_EQ(value, RGB(14, 62, 94));
    // Tabs and line breaks around the triple are trimmed like spaces.
    uiParseColor(L"\r\n\tRGB( 14, 62, 94 )\t\n", &value);
    EXPECT_EQ(value, RGB(14, 62, 94));
    uiParseColor(L"rgb(300,2,3)", &value);
    EXPECT_EQ(value, RGB(300 & 0xFF, 2, 3));
    uiParseColor(L"rgb", &value);
    EXPECT_EQ(value, 0u);
    uiParseColor(L"rgb(7", &value);
    EXPECT_EQ(value, 0u);
    uiParseColor(L"rgb(1,2", &value);
    EXPECT_EQ(value, RGB(1, 0, 0));
    uiParseColor(L"rgb(,,,,,)", &value);
    EXPECT_EQ(value, 0u);
}

TEST(ColorMaths, HsvOfPrimariesAndBack)
{
    int h = 0, s = 0, v = 0;
    uiRgbToHsv(255, 0, 0, &h, &s, &v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 100);
    EXPECT_EQ(v, 100);
    uiRgbToHsv(0, 255, 0, &h, &s, &v);
    EXPECT_EQ(h, 120);
    uiRgbToHsv(0, 0, 255, &h, &s, &v);
    EXPECT_EQ(h, 240);
    uiRgbToHsv(255, 0, 255, &h, &s, &v);
    EXPECT_EQ(h, 300);
    uiRgbToHsv(0, 0, 0, &h, &s, &v);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(v, 0);
    int r = 0, g = 0, b = 0;
    uiHsvToRgb(60, 100, 100, &r, &g, &b);
    EXPECT_EQ(RGB(r, g, b), RGB(255, 255, 0));
    uiHsvToRgb(-120, 100, 100, &r, &g, &b);
    EXPECT_EQ(RGB(r, g, b), RGB(0, 0, 255));
    uiHsvToRgb(0, 0, 50, &r, &g, &b);
    EXPECT_EQ(RGB(r, g, b), RGB(127, 127, 127));
}

TEST(ColorMaths, HsvRoundTripsStayWithinTruncation)
{
    for (int red = 0; red < 256; red += 15) {
        for (int green = 0; green < 256; green += 17) {
            for (int blue = 0; blue < 256; blue += 51) {
                int h = 0, s = 0, v = 0, r = 0, g = 0, b = 0;
                uiRgbToHsv(red, green, blue, &h, &s, &v);
                uiHsvToRgb(h, s, v, &r, &g, &b);
                // Whole degrees and percent lose up to a few levels per channel.
                EXPECT_NEAR(r, red, 8);
                EXPECT_NEAR(g, green, 8);
                EXPECT_NEAR(b, blue, 8);
            }
        }
    }
}

TEST(ColorMaths, AdjustmentSteps)
{
    // A hue shift of -30 is applied as 330.
    uiSetColorAdjust(-30, 100, 0);
    const DWORD negative = uiAdjustColorValue(RGB(255, 0, 0));
    uiSetColorAdjust(330, 100, 0);
    EXPECT_EQ(uiAdjustColorValue(RGB(255, 0, 0)), negative);
    EXPECT_EQ(negative, 0x00FF007Fu);
    // Full lightness blends to (255 x 255) >> 8 and marks the top byte.
    uiSetColorAdjust(0, 100, 100);
    EXPECT_EQ(uiAdjustColorValue(RGB(10, 20, 30)), 0xFFFEFEFEu);
    uiSetColorAdjust(0, 100, -100);
    EXPECT_EQ(uiAdjustColorValue(RGB(10, 20, 30)), 0xFF000000u);
    // Saturation 0 leaves grey.
    uiSetColorAdjust(0, 0, 0);
    const DWORD grey = uiAdjustColorValue(RGB(255, 0, 0));
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
    EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
    // Values far outside their ranges still give channels.
    uiSetColorAdjust(INT_MIN, INT_MAX, 1000);
    EXPECT_EQ(uiAdjustColorValue(RGB(1, 2, 3)) & 0xFF000000, 0xFF000000u);
    uiSetColorAdjust(0, 100, 0);
}

TEST(ColorRecord, AdjustmentAndItsUndo)
{
    uiColorInfo color(RGB(200, 40, 40));
    color.AdjustColor(120, 100, 0);
    EXPECT_NE(color.GetColor(), RGB(200, 40, 40));
    EXPECT_EQ(color.GetColor() & 0xFF000000, 0u);
    EXPECT_EQ(color.GetBaseColor(), RGB(200, 40, 40));
    color.AdjustColor(0, 100, 0);
    EXPECT_EQ(color.GetColor(), RGB(200, 40, 40));

    uiColorInfo fixed(RGB(1, 2, 3));
    fixed.SetCanAdjust(FALSE);
    fixed.AdjustColor(90, 50, 20);
    EXPECT_EQ(fixed.GetColor(), RGB(1, 2, 3));

    uiColorInfo text(RGB(9, 9, 9));
    text.SetOnlyBlackWhite(TRUE);
    text.AdjustColor(0, 100, -1);
    EXPECT_EQ(text.GetColor(), RGB(255, 255, 255));
    text.AdjustColor(0, 100, 1);
    EXPECT_EQ(text.GetColor(), RGB(0, 0, 0));
}

class GdiTables : public XmlFixture {
protected:
    void SetUp() override { uiGetGdiAdmin().Clear(); }
    void TearDown() override
    {
        uiGetGdiAdmin().Clear();
        uiGetGdiAdmin().SetSourceMode(UI_SOURCE_FILES);
    }
    void Load(const std::string& sections)
    {
        CString base = SamplePath(L"");
        uiGetGdiAdmin().LoadGdiXml(Parse("<theme>" + sections + "</theme>"), base, L"draw", L"");
    }
};

TEST_F(GdiTables, FirstDefinitionOfANameStays)
{
    Load("<uicolor><color id=\"bg\" value=\"#102030\" canadjust=\"false\" onlyBlackWhite=\"true\"/>"
         "<color id=\"bg\" value=\"#ffffff\"/></uicolor>"
         "<uifont><font id=\"f\" fontface=\"Arial\" fontsize=\"20\"/><font id=\"\" fontface=\"Arial\"/></uifont>");
    HFONT first = uiGetGdiAdmin().GetFont(L"f");
    ASSERT_NE(first, nullptr);
    Load("<uifont><font id=\"f\" fontface=\"Tahoma\" fontsize=\"9\"/></uifont>");
    EXPECT_EQ(uiGetGdiAdmin().GetFont(L"#f"), first);
    LOGFONTW font = {};
    GetObjectW(first, sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -20);
    const uiColorInfo* color = uiGetGdiAdmin().GetColor(L"#bg");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->GetColor(), 0xFF000000 | RGB(0x10, 0x20, 0x30));
    EXPECT_FALSE(color->GetCanAdjust());
    EXPECT_TRUE(color->GetOnlyBlackWhite());
    EXPECT_EQ(uiGetGdiAdmin().GetColorValue(L"none"), 0xFF000000u);
}

TEST_F(GdiTables, ColourReferencesInAttributes)
{
    Load("<uicolor><color id=\"system_bg\" value=\"rgb(1,2,3)\" canadjust=\"false\"/></uicolor>");
    const TiXmlElement* e = Parse("<a white=\"RGB(255,255,255)\" ref=\"#system_bg\" lost=\"#nothing\" one=\"#\"/>");
    EXPECT_EQ(uiXmlGetColor(e, "white", 5), RGB(255, 255, 255));
    EXPECT_EQ(uiXmlGetColor(e, "ref", 5), RGB(1, 2, 3));
    EXPECT_EQ(uiXmlGetColor(e, "lost", 5), 0xFF000000u);
    EXPECT_EQ(uiXmlGetColor(e, "one", 5), 5u);
    uiColorInfo record;
    uiXmlGetColorRef(e, "ref", &record);
    EXPECT_EQ(record.GetColor(), RGB(1, 2, 3));
    EXPECT_FALSE(record.GetCanAdjust());
    uiXmlGetColorRef(e, "lost", &record);
    EXPECT_EQ(record.GetBaseColor(), RGB(255, 255, 255));
    uiXmlGetColorRef(e, "one", &record);
    EXPECT_EQ(record.GetBaseColor(), RGB(255, 255, 255));
}

TEST_F(GdiTables, ImagesAndCursorsFromFiles)
{
    uiSetSkinError(0);
    Load("<uiimage><image id=\"grid\" value=\"grid24.bmp\" transparentcolor=\"#ff0000\"/>"
         "<image id=\"gone\" value=\"missing.png\"/></uiimage>");
    EXPECT_EQ(uiGetSkinError(), UI_ERROR_IMAGE_NOT_FOUND);
    EXPECT_EQ(uiGetGdiAdmin().GetImage(L"gone"), nullptr);
    uiImage* grid = uiGetGdiAdmin().GetImage(L"#grid");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetWidth(), 9);
    // A name that is no id is taken as a path and kept under it.
    const CString path = SamplePath(L"png/rgb8.png");
    uiImage* byPath = uiGetGdiAdmin().GetImage(path);
    ASSERT_NE(byPath, nullptr);
    EXPECT_EQ(uiGetGdiAdmin().GetImage(path), byPath);
    Load("<uicursor><cursor id=\"hand\" value=\"..\\icon\\pointer.cur\"/><cursor id=\"no\" value=\"none.cur\"/></uicursor>");
    EXPECT_NE(uiGetGdiAdmin().GetCursor(L"hand"), nullptr);
    EXPECT_EQ(uiGetGdiAdmin().GetCursor(L"no"), nullptr);
}

} // namespace
