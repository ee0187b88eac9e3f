// Drawing, read back from the pixels of 32-bit DIB sections: memory DCs, grids, alpha blending, colour
// keys, frames, gray and adjusted images, shapes, keyed blits and regions from bitmaps.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "SkinTestSupport.h"
#include "uiDrawRoutines.h"
#include "uiImage.h"
#include "uiMemDC.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0), kCyan = RGB(0, 255, 255), kBrown = RGB(0x80, 0x40, 0x20);
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGray = RGB(128, 128, 128);
const COLORREF kBackground = RGB(10, 200, 30);

// The 9 x 9 grid sample: 3 x 3 blocks, rows red lime blue / yellow cyan brown / white black gray.
COLORREF GridColor(int column, int row)
{
    static const COLORREF colors[3][3] = {{kRed, kLime, kBlue}, {kYellow, kCyan, kBrown}, {kWhite, kBlack, kGray}};
    return colors[row][column];
}

class GridImage : public testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override { ASSERT_TRUE(image.SetFile(SamplePath(GetParam()))); }
    uiImage image;
};

TEST_P(GridImage, DrawsOneToOne)
{
    PixelCanvas canvas(9, 9);
    const RECT all = {0, 0, 9, 9};
    ASSERT_TRUE(image.Draw(canvas.GetDC(), all, nullptr));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(canvas.Pixel(x, y), GridColor(x / 3, y / 3)) << x << "," << y;
}

TEST_P(GridImage, NineGridKeepsCornersAndStretchesTheRest)
{
    PixelCanvas canvas(30, 20, kBackground);
    const RECT target = {0, 0, 30, 20};
    ASSERT_EQ(uiDrawImageGrid(canvas.GetDC(), &image, UI_GRID_NINE, target, 3, 3, 3, 3), 1);
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(27, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(15, 1), kLime);
    EXPECT_EQ(canvas.Pixel(1, 10), kYellow);
    EXPECT_EQ(canvas.Pixel(15, 10), kCyan);
    EXPECT_EQ(canvas.Pixel(29, 10), kBrown);
    EXPECT_EQ(canvas.Pixel(0, 19), kWhite);
    EXPECT_EQ(canvas.Pixel(15, 17), kBlack);
    EXPECT_EQ(canvas.Pixel(27, 17), kGray);
}

TEST_P(GridImage, MarginsAtTheImageSizeDrawAndBeyondItDoNot)
{
    PixelCanvas canvas(20, 9, kBackground);
    const RECT target = {0, 0, 20, 9};
    // Margins summing to the width leave an empty middle.
    EXPECT_EQ(uiDrawImageGrid(canvas.GetDC(), &image, UI_GRID_HORIZONTAL3, target, 3, 0, 6, 0), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    EXPECT_EQ(canvas.Pixel(19, 0), kBlue);
    PixelCanvas untouched(20, 9, kBackground);
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), &image, UI_GRID_HORIZONTAL3, target, 4, 0, 6, 0), 0);
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), &image, UI_GRID_VERTICAL3, target, 0, 9, 0, 1), 0);
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), &image, UI_GRID_NINE, target, INT_MAX, 0, INT_MAX, 0), 0);
    // Margins so far below zero that the edges leave the coordinate range.
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), &image, UI_GRID_NINE, target, INT_MIN, 0, 0, 0), 0);
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), &image, UI_GRID_HORIZONTAL3, target, 0, 0, INT_MIN, 0), 0);
    EXPECT_EQ(uiDrawImageGrid(untouched.GetDC(), nullptr, UI_GRID_NINE, target, 1, 1, 1, 1), 0);
    for (int x = 0; x < 20; ++x)
        ASSERT_EQ(untouched.Pixel(x, 4), kBackground);
}

TEST_P(GridImage, NegativeMarginReachesBeyondTheDestination)
{
    PixelCanvas canvas(30, 9, kBackground);
    const RECT target = {5, 0, 25, 9};
    // The left part is empty; the middle one (image columns 0 to 5) starts 3 pixels left of the target.
    ASSERT_EQ(uiDrawImageGrid(canvas.GetDC(), &image, UI_GRID_HORIZONTAL3, target, -3, 0, 3, 0), 1);
    EXPECT_EQ(canvas.Pixel(1, 4), kBackground);
    EXPECT_EQ(canvas.Pixel(2, 1), kRed);
    EXPECT_EQ(canvas.Pixel(21, 1), kLime);
    EXPECT_EQ(canvas.Pixel(22, 1), kBlue);
    EXPECT_EQ(canvas.Pixel(24, 7), kGray);
    EXPECT_EQ(canvas.Pixel(25, 4), kBackground);
    PixelCanvas nine(30, 20, kBackground);
    ASSERT_EQ(uiDrawImageGrid(nine.GetDC(), &image, UI_GRID_NINE, {5, 5, 25, 15}, -2, -2, 3, 3), 1);
    EXPECT_EQ(nine.Pixel(3, 3), kRed);
    EXPECT_EQ(nine.Pixel(2, 2), kBackground);
    EXPECT_EQ(nine.Pixel(24, 14), kGray);
}

TEST_P(GridImage, TransparentColourShowsTheBackground)
{
    uiImage keyed;
    keyed.SetTransparentColor(kCyan);
    ASSERT_TRUE(keyed.SetFile(SamplePath(GetParam())));
    PixelCanvas canvas(9, 9, kBackground);
    const RECT all = {0, 0, 9, 9};
    ASSERT_TRUE(keyed.Draw(canvas.GetDC(), all, nullptr));
    EXPECT_EQ(canvas.Pixel(4, 4), kBackground);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    EXPECT_EQ(canvas.Pixel(4, 7), kBlack);
    EXPECT_EQ(canvas.Pixel(8, 8), kGray);
}

TEST_P(GridImage, FramesAreEqualStrips)
{
    PixelCanvas canvas(3, 9, kBackground);
    const RECT target = {0, 0, 3, 9};
    EXPECT_FALSE(image.DrawFrame(canvas.GetDC(), target, 0));
    image.SetFrameCount(3);
    ASSERT_TRUE(image.DrawFrame(canvas.GetDC(), target, 1));
    EXPECT_EQ(canvas.Pixel(1, 1), kLime);
    EXPECT_EQ(canvas.Pixel(1, 4), kCyan);
    EXPECT_FALSE(image.DrawFrame(canvas.GetDC(), target, 3));
    EXPECT_FALSE(image.DrawFrame(canvas.GetDC(), target, -1));
    image.SetFrameCount(100);
    EXPECT_FALSE(image.DrawFrame(canvas.GetDC(), target, 0));
}

TEST_P(GridImage, GrayAndAdjustedColoursAndTheirUndo)
{
    PixelCanvas canvas(9, 9);
    const RECT all = {0, 0, 9, 9};
    image.AdjustColor(120, 100, 0);
    image.Draw(canvas.GetDC(), all, nullptr);
    EXPECT_NE(canvas.Pixel(0, 0), kRed);
    // Black, white and the neutral grey's neighbours keep their colours.
    EXPECT_EQ(canvas.Pixel(4, 7), kBlack);
    EXPECT_EQ(canvas.Pixel(0, 7), kWhite);
    image.AdjustColor(0, 100, 0);
    image.Draw(canvas.GetDC(), all, nullptr);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    image.MakeGray();
    image.Draw(canvas.GetDC(), all, nullptr);
    const int red = (255 * 306) >> 10;
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(red, red, red));
}

TEST_P(GridImage, AdjustmentBeforeTheLoadAppliesAtTheLoadUnlessBarred)
{
    const RECT all = {0, 0, 9, 9};
    uiImage pending;
    pending.AdjustColor(120, 100, 0);
    ASSERT_TRUE(pending.SetFile(SamplePath(GetParam())));
    PixelCanvas canvas(9, 9);
    pending.Draw(canvas.GetDC(), all, nullptr);
    EXPECT_NE(canvas.Pixel(0, 0), kRed);
    uiImage barred;
    barred.SetCanAdjust(FALSE);
    barred.AdjustColor(120, 100, 0);
    ASSERT_TRUE(barred.SetFile(SamplePath(GetParam())));
    barred.Draw(canvas.GetDC(), all, nullptr);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
}

INSTANTIATE_TEST_SUITE_P(Bmp24And8, GridImage, testing::Values(L"draw\\grid24.bmp", L"draw\\grid8.bmp"));

TEST(AlphaDrawing, BlendsEveryPixelOverTheBackground)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"draw\\rgba8.png")));
    const std::vector<BYTE> oracle = ReadSample(L"draw\\rgba8.bgra");
    const int width = image.GetWidth(), height = image.GetHeight();
    ASSERT_EQ(oracle.size(), static_cast<size_t>(width) * height * 4);
    PixelCanvas canvas(width, height, kBackground);
    const RECT all = {0, 0, width, height};
    ASSERT_TRUE(image.Draw(canvas.GetDC(), all, nullptr));
    const BYTE background[3] = {GetBValue(kBackground), GetGValue(kBackground), GetRValue(kBackground)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BYTE* source = &oracle[(y * width + x) * 4];
            BYTE expected[3];
            for (int c = 0; c < 3; ++c)
                expected[c] = static_cast<BYTE>(((background[c] * (255 - source[3]) + source[c] * source[3]) * 257 + 255) >> 16);
            ASSERT_EQ(canvas.Pixel(x, y), RGB(expected[2], expected[1], expected[0])) << x << "," << y;
            if (source[3] == 0) {
                ASSERT_EQ(canvas.Pixel(x, y), kBackground);
            }
        }
    }
}

TEST(AlphaDrawing, PremultipliedCopyZeroesTransparentPixels)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"draw\\rgba8.png")));
    const std::vector<BYTE> oracle = ReadSample(L"draw\\rgba8.bgra");
    const int width = image.GetWidth(), height = image.GetHeight();
    PixelCanvas canvas(width, height, kBackground);
    const RECT all = {0, 0, width, height};
    ASSERT_TRUE(image.DrawPremultiplied(canvas.GetDC(), all));
    for (int x = 0; x < 5; ++x) {
        const BYTE* source = &oracle[x * 4];
        if (source[3] == 0) {
            EXPECT_EQ(canvas.Pixel(x, 0), kBlack);
        } else if (source[3] == 255) {
            EXPECT_EQ(canvas.Pixel(x, 0), RGB(source[2], source[1], source[0]));
        }
    }
}

TEST(MemoryDC, CopiesBackOnceAndOnlyWhenAsked)
{
    PixelCanvas target(8, 8, kBlack);
    const RECT rect = {0, 0, 8, 8};
    HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
    {
        uiMemDC memory(target.GetDC(), rect);
        FillRect(memory.GetDC(), &rect, red);
    }
    EXPECT_EQ(target.Pixel(3, 3), kRed);
    {
        uiMemDC memory(target.GetDC(), rect);
        FillRect(memory.GetDC(), &rect, blue);
        memory.Flush();
        FillRect(memory.GetDC(), &rect, red);
    }
    EXPECT_EQ(target.Pixel(3, 3), kBlue);
    {
        uiMemDC memory(target.GetDC(), rect, TRUE);
        FillRect(memory.GetDC(), &rect, red);
    }
    EXPECT_EQ(target.Pixel(3, 3), kBlue);
    uiMemDC dib(nullptr);
    HDC surface = dib.CreateDibSurface(4, 2);
    ASSERT_NE(surface, nullptr);
    SetPixelV(surface, 1, 0, kRed);
    GdiFlush();
    // Bottom-up rows: the top row is the last in memory.
    const DWORD* bits = reinterpret_cast<const DWORD*>(dib.GetBits());
    EXPECT_EQ(bits[4 + 1] & 0xFFFFFF, 0xFF0000u);
    DeleteObject(red);
    DeleteObject(blue);
}

TEST(Shapes, BandOnlyRectangleLeavesTheInsideAndRestoresTheDC)
{
    PixelCanvas canvas(10, 10, kBlack);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    HGDIOBJ penBefore = GetCurrentObject(canvas.GetDC(), OBJ_PEN);
    const RECT rect = {0, 0, 10, 10};
    uiDrawRectangle(canvas.GetDC(), rect, pen, brush, 3, TRUE);
    EXPECT_EQ(canvas.Pixel(0, 5), kRed);
    EXPECT_EQ(canvas.Pixel(1, 5), kBlue);
    EXPECT_EQ(canvas.Pixel(5, 5), kBlack);
    EXPECT_EQ(GetCurrentObject(canvas.GetDC(), OBJ_PEN), penBefore);
    // The clipping is restored: a full rectangle now fills the inside.
    uiDrawRectangle(canvas.GetDC(), rect, pen, brush, 3, FALSE);
    EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
    EXPECT_EQ(canvas.Pixel(9, 5), kRed);
    DeleteObject(pen);
    DeleteObject(brush);
}

// The pixels of a rectangle drawn in red and blue on a black 12 x 12 canvas, row by row.
std::vector<COLORREF> RectanglePixels(const RECT& rect, int borderWidth, BOOL bandOnly)
{
    PixelCanvas canvas(12, 12, kBlack);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    uiDrawRectangle(canvas.GetDC(), rect, pen, brush, borderWidth, bandOnly);
    DeleteObject(pen);
    DeleteObject(brush);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

int CALLBACK CollectLineEnd(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM ends)
{
    if (record->iType == EMR_LINETO)
        reinterpret_cast<std::vector<POINTL>*>(ends)->push_back(reinterpret_cast<const EMRLINETO*>(record)->ptl);
    return 1;
}

// The points the outline's lines run to, as an enhanced metafile records them.
std::vector<POINTL> RecordedLineEnds(const RECT& rect)
{
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    uiDrawRectangle(dc, rect, pen, brush, 1, FALSE);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    DeleteObject(pen);
    DeleteObject(brush);
    std::vector<POINTL> ends;
    EnumEnhMetaFile(nullptr, metafile, CollectLineEnd, &ends, nullptr);
    DeleteEnhMetaFile(metafile);
    return ends;
}

// Border widths and edges come from the skin as written; the band and the outline stop at the ends
// of the range instead of wrapping round to the other end.
TEST(Shapes, ExtremeBorderWidthsAndEdgesStopAtTheEndsOfTheRange)
{
    const RECT rect = {2, 2, 10, 10};
    const std::vector<COLORREF> whole = RectanglePixels(rect, 0, FALSE);
    // A band at least half as wide as the rectangle is all of it, however wide.
    EXPECT_EQ(whole, RectanglePixels(rect, 4, TRUE));
    EXPECT_EQ(whole, RectanglePixels(rect, INT_MAX, TRUE));
    // A negative width leaves no band, however negative.
    const std::vector<COLORREF> nothing(144, kBlack);
    EXPECT_EQ(nothing, RectanglePixels(rect, -1, TRUE));
    EXPECT_EQ(nothing, RectanglePixels(rect, INT_MIN, TRUE));

    const std::vector<POINTL> ends = RecordedLineEnds(RECT{5, 2, INT_MIN, INT_MIN});
    ASSERT_EQ(4u, ends.size());
    for (const POINTL& end : ends) {
        EXPECT_TRUE(end.x == 5 || end.x == INT_MIN) << end.x;
        EXPECT_TRUE(end.y == 2 || end.y == INT_MIN) << end.y;
    }
}

TEST(KeyedBlit, LeavesOutKeyPixelsWhateverTheTopByte)
{
    PixelCanvas source(4, 1);
    source.SetPixel(0, 0, kRed);
    source.SetPixel(1, 0, kLime);
    source.SetPixel(2, 0, kRed);
    source.SetPixel(3, 0, kBlue);
    PixelCanvas target(4, 1, kBackground);
    uiTransparentBlt(target.GetDC(), 0, 0, 4, 1, source.GetDC(), 0, 0, 4, 1, 0xFF000000 | kRed);
    EXPECT_EQ(target.Pixel(0, 0), kBackground);
    EXPECT_EQ(target.Pixel(1, 0), kLime);
    EXPECT_EQ(target.Pixel(2, 0), kBackground);
    EXPECT_EQ(target.Pixel(3, 0), kBlue);
    PixelCanvas plain(4, 1, kBackground);
    uiTransparentBlt(plain.GetDC(), 0, 0, 4, 1, source.GetDC(), 0, 0, 4, 1, static_cast<COLORREF>(-1));
    EXPECT_EQ(plain.Pixel(0, 0), kRed);
}

// Rectangles of a region, in the order GDI keeps them.
std::vector<RECT> RegionRects(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    const RGNDATA* header = reinterpret_cast<const RGNDATA*>(data.data());
    const RECT* rects = reinterpret_cast<const RECT*>(header->Buffer);
    return std::vector<RECT>(rects, rects + header->rdh.nCount);
}

TEST(BitmapRegion, NoKeyPixelsGiveTheWholeBitmapAndOnlyKeyPixelsAnEmptyRegion)
{
    PixelCanvas canvas(7, 5, kBlue);
    // A pixel that differs from the key only in its fourth byte counts as key.
    canvas.SetRaw(6, 4, 0xFF0000FF);
    const RECT all = {0, 0, 7, 5};
    HBITMAP copy = uiCopyDCToBitmap(canvas.GetDC(), all);
    HRGN full = uiBitmapToRegion(copy, kRed);
    DeleteObject(copy);
    ASSERT_NE(full, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(full, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 5);
    DeleteObject(full);
    HRGN empty = uiRegionFromBitmap(canvas.GetDC(), canvas.GetBitmap(), kBlue);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    DeleteObject(empty);
    EXPECT_EQ(uiBitmapToRegion(nullptr, kRed), nullptr);
    EXPECT_EQ(uiRegionFromBitmap(nullptr, canvas.GetBitmap(), kRed), nullptr);
}

TEST(BitmapRegion, RunsBeyondOneBatchAreAllKept)
{
    // 2001 single-pixel runs in one row, then a row of key pixels with a run at its end.
    const int width = 4002;
    PixelCanvas canvas(width, 2, kRed);
    for (int x = 0; x < width; x += 2)
        canvas.SetPixel(x, 0, kLime);
    canvas.SetPixel(width - 1, 1, kLime);
    const RECT all = {0, 0, width, 2};
    HBITMAP copy = uiCopyDCToBitmap(canvas.GetDC(), all);
    HRGN region = uiBitmapToRegion(copy, kRed);
    DeleteObject(copy);
    ASSERT_NE(region, nullptr);
    const std::vector<RECT> rects = RegionRects(region);
    EXPECT_EQ(rects.size(), 2002u);
    EXPECT_TRUE(PtInRegion(region, 4000, 0));
    EXPECT_FALSE(PtInRegion(region, 4001, 0));
    EXPECT_TRUE(PtInRegion(region, width - 1, 1));
    EXPECT_FALSE(PtInRegion(region, 0, 1));
    DeleteObject(region);
}

TEST(SystemHelpers, ModuleFolderEndsInOneBackslash)
{
    const CString folder = uiGetModuleFolder();
    ASSERT_GT(folder.GetLength(), 2);
    EXPECT_EQ(folder[folder.GetLength() - 1], L'\\');
    EXPECT_NE(folder[folder.GetLength() - 2], L'\\');
    EXPECT_NE(GetFileAttributesW(folder), INVALID_FILE_ATTRIBUTES);
}

} // namespace
