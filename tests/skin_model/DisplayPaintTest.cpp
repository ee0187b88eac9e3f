// Display items painted into a 32-bit DIB and read back by pixel: image paint modes, rectangles, lines
// and gradients.
#include <gtest/gtest.h>

#include <climits>
#include <vector>
#include "SkinTestSupport.h"
#include "uiApiLoader.h"
#include "uiDisplayImage.h"
#include "uiDisplayLine.h"
#include "uiDisplayRect.h"
#include "uiImage.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kCyan = RGB(0, 255, 255), kBrown = RGB(0x80, 0x40, 0x20);
const COLORREF kBlack = RGB(0, 0, 0), kGray = RGB(128, 128, 128);
const COLORREF kBack = RGB(10, 200, 30);

struct Probe {
    int x, y;
    COLORREF color;
};

struct ModeCase {
    const char* what;
    int mode;
    DWORD mask;
    RECT target;
    std::vector<Probe> probes;
};

void ExpectProbes(const PixelCanvas& canvas, const std::vector<Probe>& probes, const char* what)
{
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << what << " at " << p.x << "," << p.y;
}

// The sample grid: 9 x 9 pixels of 3 x 3 blocks, rows red lime blue / yellow cyan brown / white black gray.
class ImageModes : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(image.SetFile(SamplePath(L"draw/grid24.bmp")));
        item.m_image = &image;
        item.CalcRect(RECT{0, 0, 9, 9});
    }
    uiImage image;
    uiDisplayImage item;
    PixelCanvas canvas{24, 24, kBack};
};

} // namespace

TEST_F(ImageModes, EachModePlacesTheSourceAsItsRuleSays)
{
    const ModeCase cases[] = {
        {"stretch", UI_PAINT_STRETCH, 1, {1, 1, 19, 19}, {{1, 1, kRed}, {18, 18, kGray}, {10, 10, kCyan}, {0, 0, kBack}}},
        {"tile", UI_PAINT_TILE, 1, {0, 0, 20, 12},
         {{9, 0, kRed}, {12, 10, kLime}, {19, 11, kRed}, {8, 8, kGray}, {20, 5, kBack}, {5, 12, kBack}}},
        // left = 21 / 2 - 9 / 2 = 6
        {"center", UI_PAINT_CENTER, 1, {0, 0, 21, 21}, {{6, 6, kRed}, {14, 14, kGray}, {5, 5, kBack}, {15, 15, kBack}}},
        {"left", UI_PAINT_LEFT, 1, {2, 1, 20, 12}, {{2, 1, kRed}, {10, 9, kGray}, {11, 1, kBack}}},
        {"top", UI_PAINT_TOP, 1, {2, 1, 20, 12}, {{2, 1, kRed}, {10, 9, kGray}, {11, 1, kBack}}},
        {"right", UI_PAINT_RIGHT, 1, {0, 0, 20, 12}, {{11, 0, kRed}, {19, 8, kGray}, {10, 0, kBack}, {19, 9, kBack}}},
        {"bottom", UI_PAINT_BOTTOM, 1, {0, 0, 20, 20}, {{0, 11, kRed}, {19, 19, kGray}, {10, 14, kCyan}, {5, 10, kBack}}},
        // Source columns 3 to 6 stretched three times.
        {"3in over", UI_PAINT_3IN, UI_STATE_OVER, {0, 0, 9, 9}, {{0, 0, kLime}, {8, 0, kLime}, {4, 4, kCyan}, {4, 8, kBlack}}},
        // Quarters of 2 pixels: the fourth is columns 6 and 7.
        {"4in disabled", UI_PAINT_4IN, UI_STATE_DISABLED, {0, 0, 4, 9}, {{0, 0, kBlue}, {3, 0, kBlue}, {0, 4, kBrown}}},
        {"4in checked", UI_PAINT_4IN, UI_STATE_CHECKED, {0, 0, 4, 9}, {{0, 0, kRed}, {3, 0, kRed}, {4, 0, kBack}}},
        {"no meaning", 9, 1, {0, 0, 9, 9}, {{1, 1, kBack}}},
    };
    for (const ModeCase& c : cases) {
        uiDisplayImage modeItem;
        modeItem.m_image = &image;
        modeItem.m_paintMode = c.mode;
        modeItem.SetStateMask(c.mask);
        modeItem.CalcRect(c.target);
        canvas.Fill(kBack);
        EXPECT_EQ(modeItem.Paint(canvas.GetDC()), c.mode == 9 ? 0 : 1) << c.what;
        ExpectProbes(canvas, c.probes, c.what);
    }
}

TEST_F(ImageModes, ThreeInBecomesAStretchedPartOnItsFirstPaint)
{
    item.m_paintMode = UI_PAINT_3IN;
    item.SetStateMask(UI_STATE_DOWN);
    item.Paint(canvas.GetDC());
    EXPECT_EQ(item.m_paintMode, UI_PAINT_STRETCH);
    EXPECT_TRUE(item.m_hasPart);
    const RECT part = {6, 0, 9, 9};
    EXPECT_TRUE(EqualRect(&item.m_partRect, &part));
}

// A part as wide as the range, cut for the disabled column of a "3in" strip, saturates: the column lies
// beyond the part's right end instead of wrapping round to negative coordinates.
TEST_F(ImageModes, StateColumnOfAHugePartSaturates)
{
    item.m_paintMode = UI_PAINT_3IN;
    item.SetStateMask(UI_STATE_DISABLED);
    item.m_hasPart = TRUE;
    item.m_partRect = {0, 0, INT_MAX, 9};
    item.Paint(canvas.GetDC());
    const int third = INT_MAX / 3;
    EXPECT_EQ(item.m_partRect.left, 3 * third);
    EXPECT_EQ(item.m_partRect.right, INT_MAX);
    EXPECT_EQ(item.m_partRect.bottom, 9);
}

TEST_F(ImageModes, PartAndSubRectanglesChooseTheSource)
{
    item.m_hasPart = TRUE;
    item.m_partRect = {3, 3, 6, 6};
    item.Paint(canvas.GetDC());
    ExpectProbes(canvas, {{0, 0, kCyan}, {8, 8, kCyan}}, "part");
    EXPECT_EQ(item.GetImageWidth(), 3);

    item.m_partRect = {3, 0, 9, 9};
    const RECT sub = {3, 3, 6, 6};
    ASSERT_EQ(item.PaintInRect(canvas.GetDC(), RECT{10, 10, 16, 16}, &sub), 1);
    ExpectProbes(canvas, {{10, 10, kBrown}, {15, 15, kBrown}, {16, 16, kBack}}, "sub-rectangle");

    // PaintDirect draws the whole image whatever the part and mode.
    item.m_paintMode = 9;
    EXPECT_EQ(item.PaintDirect(canvas.GetDC()), 1);
    ExpectProbes(canvas, {{0, 0, kRed}, {8, 8, kGray}}, "direct");
}

TEST_F(ImageModes, TileOfAnEmptySourceDrawsNothing)
{
    item.m_paintMode = UI_PAINT_TILE;
    item.m_hasPart = TRUE;
    item.m_partRect = {4, 4, 4, 9};
    EXPECT_EQ(item.Paint(canvas.GetDC()), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kBack);
}

TEST_F(ImageModes, HugeTileTargetDrawsOnlyTheVisibleTiles)
{
    item.m_paintMode = UI_PAINT_TILE;
    item.CalcRect(RECT{-900000003, 0, 2000000000, 2000000000});
    ASSERT_EQ(item.Paint(canvas.GetDC()), 1);
    // 900000003 pixels left of the canvas: column 0 of the canvas is column 3 of a tile.
    ExpectProbes(canvas, {{0, 0, kLime}, {6, 0, kRed}, {23, 23, kBrown}}, "huge tile");
}

TEST_F(ImageModes, PaintFrameDrawsOneStripOfTheImage)
{
    image.SetFrameCount(3);
    ASSERT_EQ(item.PaintFrame(canvas.GetDC(), 1), 1);
    ExpectProbes(canvas, {{0, 0, kLime}, {8, 4, kCyan}}, "frame 1");
}

TEST(ImageItem, WithoutAnImageNothingIsDrawn)
{
    uiDisplayImage item;
    PixelCanvas canvas(10, 10, kBack);
    item.CalcRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(item.Paint(canvas.GetDC()), 0);
    EXPECT_EQ(item.PaintDirect(canvas.GetDC()), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kBack);
}

TEST(RectItem, FillBorderHoleAndCorners)
{
    uiDisplayRect item;
    item.m_fillColor = uiColorInfo(kRed);
    item.m_borderColor = uiColorInfo(kBlue);
    PixelCanvas canvas(20, 20, kBack);
    item.CalcRect(RECT{2, 2, 12, 12});
    ASSERT_EQ(item.Paint(canvas.GetDC()), 1);
    ExpectProbes(canvas, {{2, 2, kBlue}, {11, 11, kBlue}, {6, 6, kRed}, {12, 12, kBack}, {1, 1, kBack}}, "filled");

    canvas.Fill(kBack);
    item.m_fill = FALSE;
    item.m_borderWidth = 3;
    item.CalcRect(RECT{0, 0, 20, 20});
    item.Paint(canvas.GetDC());
    ExpectProbes(canvas, {{0, 0, kBlue}, {2, 10, kRed}, {10, 10, kBack}, {3, 3, kBack}}, "hole");

    canvas.Fill(kBack);
    item.m_fill = TRUE;
    item.m_borderColor = uiColorInfo(kRed);
    item.m_cornerWidth = item.m_cornerHeight = 10;
    item.Paint(canvas.GetDC());
    ExpectProbes(canvas, {{0, 0, kBack}, {10, 10, kRed}, {10, 0, kRed}}, "rounded");
}

TEST(RectItem, GradientRunsFromBeginToEndInItsDirection)
{
    ASSERT_TRUE(uiApiLoader::Load());
    for (int mode : {0, 1}) {
        uiDisplayRect item;
        item.m_gradient = TRUE;
        item.m_gradientMode = mode;
        item.m_gradientBegin = uiColorInfo(RGB(0, 0, 0));
        item.m_gradientEnd = uiColorInfo(RGB(0, 0, 250));
        item.m_fillColor = uiColorInfo(kRed);
        PixelCanvas canvas(100, 100, kBack);
        item.CalcRect(RECT{0, 0, 100, 100});
        item.Paint(canvas.GetDC());
        const COLORREF start = canvas.Pixel(2, 2);
        const COLORREF end = mode == 0 ? canvas.Pixel(97, 2) : canvas.Pixel(2, 97);
        const COLORREF across = mode == 0 ? canvas.Pixel(2, 97) : canvas.Pixel(97, 2);
        EXPECT_LT(GetBValue(start), 20) << mode;
        EXPECT_GT(GetBValue(end), 230) << mode;
        EXPECT_EQ(across, start) << mode;
        EXPECT_EQ(GetRValue(canvas.Pixel(50, 50)), 0) << mode;
    }
}

TEST(LineItem, LinesRunAlongTheTopOrLeftEdge)
{
    uiDisplayLine item;
    item.m_lineColor = uiColorInfo(kRed);
    PixelCanvas canvas(20, 20, kBack);
    item.CalcRect(RECT{2, 3, 12, 9});
    ASSERT_EQ(item.Paint(canvas.GetDC()), 1);
    ExpectProbes(canvas, {{2, 3, kRed}, {11, 3, kRed}, {12, 3, kBack}, {5, 4, kBack}}, "horizontal");

    canvas.Fill(kBack);
    item.m_direction = 1;
    item.Paint(canvas.GetDC());
    ExpectProbes(canvas, {{2, 3, kRed}, {2, 8, kRed}, {2, 9, kBack}, {3, 5, kBack}}, "vertical");
}

// A line placed near the end of the coordinate range ends there: its far end never wraps round to
// the other side and across the surface.
TEST(LineItem, LineNearTheEndOfTheRangeStaysOffTheSurface)
{
    const int kFar = 2000000000;
    PixelCanvas canvas(20, 20, kBack);
    uiDisplayLine horizontal;
    horizontal.m_lineColor = uiColorInfo(kRed);
    horizontal.m_left = kFar;
    horizontal.m_width = kFar;
    horizontal.m_top = 5;
    horizontal.CalcRect(RECT{0, 0, INT_MAX, INT_MAX});
    horizontal.Paint(canvas.GetDC());

    uiDisplayLine vertical;
    vertical.m_lineColor = uiColorInfo(kRed);
    vertical.m_direction = 1;
    vertical.m_left = 5;
    vertical.m_top = kFar;
    vertical.m_height = kFar;
    vertical.CalcRect(RECT{0, 0, INT_MAX, INT_MAX});
    vertical.Paint(canvas.GetDC());

    for (int at = 0; at < 20; ++at) {
        EXPECT_EQ(canvas.Pixel(at, 5), kBack) << at;
        EXPECT_EQ(canvas.Pixel(5, at), kBack) << at;
    }
}

TEST(LineItem, GradientFillsTheLineArea)
{
    ASSERT_TRUE(uiApiLoader::Load());
    uiDisplayLine item;
    item.m_gradient = TRUE;
    item.m_gradientBegin = uiColorInfo(RGB(0, 0, 0));
    item.m_gradientEnd = uiColorInfo(RGB(0, 250, 0));
    PixelCanvas canvas(100, 4, kBack);
    item.CalcRect(RECT{0, 0, 100, 4});
    item.Paint(canvas.GetDC());
    EXPECT_LT(GetGValue(canvas.Pixel(1, 2)), 20);
    EXPECT_GT(GetGValue(canvas.Pixel(98, 2)), 230);
}
