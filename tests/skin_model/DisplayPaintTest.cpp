// Display items painted into a 32-bit DIB and read back by pixel: image paint modes, rectangles,
// lines, gradients and progress bars.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "uiApiLoader.h"
#include "uiDisplayImage.h"
#include "uiDisplayLine.h"
#include "uiDisplayProgressItem.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"
#include "uiImage.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kCyan = RGB(0, 255, 255), kBrown = RGB(0x80, 0x40, 0x20);
const COLORREF kBlack = RGB(0, 0, 0), kGray = RGB(128, 128, 128);
const COLORREF kBackground = RGB(10, 200, 30);

// The sample grid: 9 x 9 pixels of 3 x 3 blocks, rows red lime blue / yellow cyan brown / white black gray.
class ImageModes : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(image.SetFile(SamplePath(L"draw/grid24.bmp")));
        item.m_image = &image;
    }
    int PaintInto(PixelCanvas& canvas, const RECT& parent)
    {
        item.CalcRect(parent);
        return item.Paint(canvas.GetDC());
    }
    uiImage image;
    uiDisplayImage item;
};

uiColorInfo Color(COLORREF value)
{
    return uiColorInfo(value);
}

} // namespace

TEST_F(ImageModes, StretchFillsTheTarget)
{
    PixelCanvas canvas(20, 20, kBackground);
    ASSERT_EQ(PaintInto(canvas, RECT{1, 1, 19, 19}), 1);
    EXPECT_EQ(canvas.Pixel(1, 1), kRed);
    EXPECT_EQ(canvas.Pixel(18, 18), kGray);
    EXPECT_EQ(canvas.Pixel(10, 10), kCyan);
    EXPECT_EQ(canvas.Pixel(0, 0), kBackground);
}

TEST_F(ImageModes, PartRectangleIsTheSource)
{
    item.m_hasPart = TRUE;
    item.m_partRect = {3, 3, 6, 6};
    PixelCanvas canvas(10, 10, kBackground);
    PaintInto(canvas, RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.Pixel(0, 0), kCyan);
    EXPECT_EQ(canvas.Pixel(9, 9), kCyan);
    EXPECT_EQ(item.GetImageWidth(), 3);
}

TEST_F(ImageModes, TileRepeatsFromTheTopLeftAndIsCutAtTheTarget)
{
    item.m_paintMode = UI_PAINT_TILE;
    PixelCanvas canvas(24, 14, kBackground);
    PaintInto(canvas, RECT{0, 0, 20, 12});
    EXPECT_EQ(canvas.Pixel(9, 0), kRed);
    EXPECT_EQ(canvas.Pixel(12, 10), kLime);
    EXPECT_EQ(canvas.Pixel(19, 11), kRed);
    EXPECT_EQ(canvas.Pixel(8, 8), kGray);
    EXPECT_EQ(canvas.Pixel(20, 5), kBackground);
    EXPECT_EQ(canvas.Pixel(5, 12), kBackground);
}

TEST_F(ImageModes, TileOfAnEmptySourceDrawsNothing)
{
    item.m_paintMode = UI_PAINT_TILE;
    item.m_hasPart = TRUE;
    item.m_partRect = {4, 4, 4, 9};
    PixelCanvas canvas(10, 10, kBackground);
    EXPECT_EQ(PaintInto(canvas, RECT{0, 0, 10, 10}), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kBackground);
}

TEST_F(ImageModes, CenterDrawsUnscaledInTheMiddle)
{
    item.m_paintMode = UI_PAINT_CENTER;
    PixelCanvas canvas(21, 21, kBackground);
    PaintInto(canvas, RECT{0, 0, 21, 21});
    // left = 21 / 2 - 9 / 2 = 6
    EXPECT_EQ(canvas.Pixel(6, 6), kRed);
    EXPECT_EQ(canvas.Pixel(14, 14), kGray);
    EXPECT_EQ(canvas.Pixel(5, 5), kBackground);
    EXPECT_EQ(canvas.Pixel(15, 15), kBackground);
}

TEST_F(ImageModes, LeftAndTopDrawAtTheTopLeftCorner)
{
    for (int mode : {UI_PAINT_LEFT, UI_PAINT_TOP}) {
        item.m_paintMode = mode;
        PixelCanvas canvas(20, 12, kBackground);
        PaintInto(canvas, RECT{2, 1, 20, 12});
        EXPECT_EQ(canvas.Pixel(2, 1), kRed);
        EXPECT_EQ(canvas.Pixel(10, 9), kGray);
        EXPECT_EQ(canvas.Pixel(11, 1), kBackground);
    }
}

TEST_F(ImageModes, RightDrawsAtTheTopRightCorner)
{
    item.m_paintMode = UI_PAINT_RIGHT;
    PixelCanvas canvas(20, 12, kBackground);
    PaintInto(canvas, RECT{0, 0, 20, 12});
    EXPECT_EQ(canvas.Pixel(11, 0), kRed);
    EXPECT_EQ(canvas.Pixel(19, 8), kGray);
    EXPECT_EQ(canvas.Pixel(10, 0), kBackground);
    EXPECT_EQ(canvas.Pixel(19, 9), kBackground);
}

TEST_F(ImageModes, BottomStretchesABandAlongTheBottomEdge)
{
    item.m_paintMode = UI_PAINT_BOTTOM;
    PixelCanvas canvas(20, 20, kBackground);
    PaintInto(canvas, RECT{0, 0, 20, 20});
    EXPECT_EQ(canvas.Pixel(0, 11), kRed);
    EXPECT_EQ(canvas.Pixel(19, 19), kGray);
    EXPECT_EQ(canvas.Pixel(10, 14), kCyan);
    EXPECT_EQ(canvas.Pixel(5, 10), kBackground);
}

TEST_F(ImageModes, StretchPartAllKeepsTheCorners)
{
    item.m_paintMode = UI_PAINT_STRETCH_PART_ALL;
    item.m_partLeft = item.m_partTop = item.m_partRight = item.m_partBottom = 3;
    PixelCanvas canvas(30, 20, kBackground);
    PaintInto(canvas, RECT{0, 0, 30, 20});
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(15, 10), kCyan);
    EXPECT_EQ(canvas.Pixel(27, 17), kGray);
}

TEST_F(ImageModes, ThreeInDrawsTheColumnOfItsState)
{
    item.m_paintMode = UI_PAINT_3IN;
    item.SetStateMask(UI_STATE_OVER);
    PixelCanvas canvas(9, 9, kBackground);
    ASSERT_EQ(PaintInto(canvas, RECT{0, 0, 9, 9}), 1);
    // Source columns 3 to 6, stretched three times.
    EXPECT_EQ(canvas.Pixel(0, 0), kLime);
    EXPECT_EQ(canvas.Pixel(8, 0), kLime);
    EXPECT_EQ(canvas.Pixel(4, 4), kCyan);
    EXPECT_EQ(canvas.Pixel(4, 8), kBlack);
    EXPECT_EQ(item.m_paintMode, UI_PAINT_STRETCH);
    EXPECT_TRUE(item.m_hasPart);
    EXPECT_EQ(item.m_partRect.left, 3);
    EXPECT_EQ(item.m_partRect.right, 6);
}

TEST_F(ImageModes, FourInDisabledDrawsTheFourthQuarter)
{
    item.m_paintMode = UI_PAINT_4IN;
    item.SetStateMask(UI_STATE_DISABLED);
    PixelCanvas canvas(4, 9, kBackground);
    PaintInto(canvas, RECT{0, 0, 4, 9});
    // Quarters of 2 pixels: the fourth is columns 6 and 7.
    EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(3, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(0, 4), kBrown);
}

TEST_F(ImageModes, FourInWithAnotherMaskTakesTheFirstColumn)
{
    item.m_paintMode = UI_PAINT_4IN;
    item.SetStateMask(UI_STATE_CHECKED);
    PixelCanvas canvas(4, 9, kBackground);
    PaintInto(canvas, RECT{0, 0, 4, 9});
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    EXPECT_EQ(canvas.Pixel(3, 0), kRed);
}

TEST_F(ImageModes, ModeWithoutMeaningDrawsNothing)
{
    item.m_paintMode = 9;
    PixelCanvas canvas(10, 10, kBackground);
    EXPECT_EQ(PaintInto(canvas, RECT{0, 0, 10, 10}), 0);
    EXPECT_EQ(canvas.Pixel(1, 1), kBackground);
}

TEST_F(ImageModes, PaintDirectDrawsTheWholeImageWhateverThePart)
{
    item.m_paintMode = 9;
    item.m_hasPart = TRUE;
    item.m_partRect = {3, 3, 6, 6};
    PixelCanvas canvas(9, 9, kBackground);
    item.CalcRect(RECT{0, 0, 9, 9});
    EXPECT_EQ(item.PaintDirect(canvas.GetDC()), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    EXPECT_EQ(canvas.Pixel(8, 8), kGray);
}

TEST_F(ImageModes, PaintInRectTakesTheSubRectangleInsideThePart)
{
    item.m_hasPart = TRUE;
    item.m_partRect = {3, 0, 9, 9};
    PixelCanvas canvas(6, 6, kBackground);
    const RECT sub = {3, 3, 6, 6};
    ASSERT_EQ(item.PaintInRect(canvas.GetDC(), RECT{0, 0, 6, 6}, &sub), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kBrown);
    EXPECT_EQ(canvas.Pixel(5, 5), kBrown);
}

TEST_F(ImageModes, PaintFrameDrawsOneStripOfTheImage)
{
    image.SetFrameCount(3);
    PixelCanvas canvas(9, 9, kBackground);
    item.CalcRect(RECT{0, 0, 9, 9});
    ASSERT_EQ(item.PaintFrame(canvas.GetDC(), 1), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kLime);
    EXPECT_EQ(canvas.Pixel(8, 4), kCyan);
}

TEST(ImageItem, WithoutAnImageNothingIsDrawn)
{
    uiDisplayImage item;
    PixelCanvas canvas(10, 10, kBackground);
    item.CalcRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(item.Paint(canvas.GetDC()), 0);
    EXPECT_EQ(item.PaintDirect(canvas.GetDC()), 0);
    EXPECT_EQ(item.GetImageWidth(), 0);
    EXPECT_EQ(canvas.Pixel(5, 5), kBackground);
}

TEST(RectItem, FillsInsideItsBorder)
{
    uiDisplayRect item;
    item.m_fillColor = Color(kRed);
    item.m_borderColor = Color(kBlue);
    PixelCanvas canvas(16, 16, kBackground);
    item.CalcRect(RECT{2, 2, 12, 12});
    ASSERT_EQ(item.Paint(canvas.GetDC()), 1);
    EXPECT_EQ(canvas.Pixel(2, 2), kBlue);
    EXPECT_EQ(canvas.Pixel(11, 11), kBlue);
    EXPECT_EQ(canvas.Pixel(6, 6), kRed);
    EXPECT_EQ(canvas.Pixel(12, 12), kBackground);
    EXPECT_EQ(canvas.Pixel(1, 1), kBackground);
}

TEST(RectItem, HoleDrawsOnlyABandOfTheBorderWidth)
{
    uiDisplayRect item;
    item.m_fillColor = Color(kRed);
    item.m_borderColor = Color(kBlue);
    item.m_fill = FALSE;
    item.m_borderWidth = 3;
    PixelCanvas canvas(20, 20, kBackground);
    item.CalcRect(RECT{0, 0, 20, 20});
    item.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(2, 10), kRed);
    EXPECT_EQ(canvas.Pixel(10, 10), kBackground);
    EXPECT_EQ(canvas.Pixel(3, 3), kBackground);
}

TEST(RectItem, CornersRoundTheShape)
{
    uiDisplayRect item;
    item.m_fillColor = Color(kRed);
    item.m_borderColor = Color(kRed);
    item.m_cornerWidth = item.m_cornerHeight = 10;
    PixelCanvas canvas(20, 20, kBackground);
    item.CalcRect(RECT{0, 0, 20, 20});
    item.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(0, 0), kBackground);
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas.Pixel(10, 0), kRed);
}

TEST(RectItem, GradientRunsFromBeginToEndInItsDirection)
{
    ASSERT_TRUE(uiApiLoader::Load());
    for (int mode : {0, 1}) {
        uiDisplayRect item;
        item.m_gradient = TRUE;
        item.m_gradientMode = mode;
        item.m_gradientBegin = Color(RGB(0, 0, 0));
        item.m_gradientEnd = Color(RGB(0, 0, 250));
        item.m_fillColor = Color(kRed);
        PixelCanvas canvas(100, 100, kBackground);
        item.CalcRect(RECT{0, 0, 100, 100});
        item.Paint(canvas.GetDC());
        const COLORREF start = canvas.Pixel(2, 2);
        const COLORREF farEnd = mode == 0 ? canvas.Pixel(97, 2) : canvas.Pixel(2, 97);
        const COLORREF across = mode == 0 ? canvas.Pixel(2, 97) : canvas.Pixel(97, 2);
        EXPECT_LT(GetBValue(start), 20) << mode;
        EXPECT_GT(GetBValue(farEnd), 230) << mode;
        EXPECT_EQ(across, start) << mode;
        EXPECT_EQ(GetRValue(canvas.Pixel(50, 50)), 0) << mode;
    }
}

TEST(LineItem, HorizontalLineRunsAlongTheTopEdge)
{
    uiDisplayLine item;
    item.m_lineColor = Color(kRed);
    PixelCanvas canvas(20, 10, kBackground);
    item.CalcRect(RECT{2, 3, 12, 9});
    ASSERT_EQ(item.Paint(canvas.GetDC()), 1);
    EXPECT_EQ(canvas.Pixel(2, 3), kRed);
    EXPECT_EQ(canvas.Pixel(11, 3), kRed);
    EXPECT_EQ(canvas.Pixel(12, 3), kBackground);
    EXPECT_EQ(canvas.Pixel(5, 4), kBackground);
}

TEST(LineItem, VerticalLineRunsDownTheLeftEdgeWithItsPenWidth)
{
    uiDisplayLine item;
    item.m_lineColor = Color(kBlue);
    item.m_direction = 1;
    PixelCanvas canvas(20, 20, kBackground);
    item.CalcRect(RECT{5, 2, 15, 12});
    item.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(5, 2), kBlue);
    EXPECT_EQ(canvas.Pixel(5, 11), kBlue);
    EXPECT_EQ(canvas.Pixel(5, 12), kBackground);
    EXPECT_EQ(canvas.Pixel(8, 5), kBackground);
}

TEST(LineItem, GradientFillsTheLineArea)
{
    ASSERT_TRUE(uiApiLoader::Load());
    uiDisplayLine item;
    item.m_gradient = TRUE;
    item.m_gradientBegin = Color(RGB(0, 0, 0));
    item.m_gradientEnd = Color(RGB(0, 250, 0));
    PixelCanvas canvas(100, 4, kBackground);
    item.CalcRect(RECT{0, 0, 100, 4});
    item.Paint(canvas.GetDC());
    EXPECT_LT(GetGValue(canvas.Pixel(1, 2)), 20);
    EXPECT_GT(GetGValue(canvas.Pixel(98, 2)), 230);
}

TEST(ColourAdjust, RectAndLineAdjustEveryColourRecord)
{
    uiDisplayRect rect;
    rect.m_fillColor = Color(kRed);
    rect.m_borderColor = Color(kRed);
    rect.m_gradientBegin = Color(kRed);
    rect.m_gradientEnd = Color(kRed);
    uiDisplayLine line;
    line.m_lineColor = Color(kRed);
    line.m_gradientBegin = Color(kRed);
    line.m_gradientEnd = Color(kRed);
    EXPECT_EQ(rect.AdjustColor(120, 100, 0), 1);
    EXPECT_EQ(line.AdjustColor(120, 100, 0), 1);
    for (const uiColorInfo* info : {&rect.m_fillColor, &rect.m_borderColor, &rect.m_gradientBegin, &rect.m_gradientEnd,
                                    &line.m_lineColor, &line.m_gradientBegin, &line.m_gradientEnd})
        EXPECT_NE(uiGdiColor(info->GetColor()), kRed);
}
