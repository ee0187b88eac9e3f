// The decoders against oracles made at test time from the same files: ImageMagick's raw pixels for PNG
// and BMP, djpeg for JPEG (the same decoding library: exact), ImageMagick for CMYK JPEG (another
// colour conversion: within 3 levels), identify's frame and size lists for GIF and ICO.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SkinTestSupport.h"
#include "uiDib.h"
#include "uiGdiAdmin.h"
#include "uiGifReader.h"
#include "uiIconFromBytes.h"
#include "uiImage.h"
#include "uiOlePicture.h"
#include "uiSkinError.h"

namespace {

// The decoded pixels top-down, channels in B, G, R(, A) order; palette images looked up.
std::vector<BYTE> TopDownPixels(const uiDib& dib, int channels)
{
    const BITMAPINFO* info = dib.GetInfo();
    const int width = dib.GetWidth(), height = dib.GetHeight(), bits = info->bmiHeader.biBitCount;
    const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    std::vector<BYTE> pixels;
    for (int y = height - 1; y >= 0; --y) {
        const BYTE* row = dib.GetBits() + y * stride;
        for (int x = 0; x < width; ++x) {
            const BYTE* p = row + x * (bits / 8);
            BYTE bgra[4] = {p[0], p[1], p[2], 255};
            if (bits == 8) {
                const RGBQUAD& entry = info->bmiColors[p[0]];
                bgra[0] = entry.rgbBlue;
                bgra[1] = entry.rgbGreen;
                bgra[2] = entry.rgbRed;
            } else if (bits == 32) {
                bgra[3] = p[3];
            }
            pixels.insert(pixels.end(), bgra, bgra + channels);
        }
    }
    return pixels;
}

// Largest difference of one channel; -1 when the sizes differ.
int MaxDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b)
{
    if (a.size() != b.size())
        return -1;
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// Without alpha the oracle's fourth channel is dropped.
std::vector<BYTE> DropAlpha(const std::vector<BYTE>& bgra)
{
    std::vector<BYTE> bgr;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4)
        bgr.insert(bgr.end(), bgra.begin() + i, bgra.begin() + i + 3);
    return bgr;
}

bool Decode(uiDib* dib, const wchar_t* sample)
{
    const std::vector<BYTE> bytes = ReadSample(sample);
    return !bytes.empty() && dib->LoadFromMemory(sample, bytes.data(), bytes.size());
}

std::vector<std::string> OracleLines(const wchar_t* sample)
{
    std::ifstream file(std::string(CStringA(SamplePath(sample))));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

struct PngCase {
    const wchar_t* name;
    bool alpha;
    int tolerance;
};

class PngDecoding : public testing::TestWithParam<PngCase> {};

TEST_P(PngDecoding, MatchesImageMagick)
{
    const PngCase& c = GetParam();
    const CString png = CString(L"png/") + c.name + L".png", raw = CString(L"png/") + c.name + L".bgra";
    uiDib dib;
    ASSERT_TRUE(Decode(&dib, png));
    EXPECT_EQ(dib.GetFormat(), c.alpha ? UI_DIB_RGB32 : UI_DIB_RGB24);
    EXPECT_EQ(dib.HasAlpha(), c.alpha ? TRUE : FALSE);
    const std::vector<BYTE> oracle = ReadSample(raw);
    ASSERT_EQ(oracle.size(), static_cast<size_t>(dib.GetWidth()) * dib.GetHeight() * 4) << CStringA(c.name);
    const int difference = c.alpha ? MaxDifference(TopDownPixels(dib, 4), oracle)
                                   : MaxDifference(TopDownPixels(dib, 3), DropAlpha(oracle));
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, c.tolerance);
}

// 16-bit samples are scaled to 8 bits; ImageMagick rounds the same values, within one level. Only
// 32-bit pixels keep their alpha: the transparency of every other image (tRNS, gray with alpha at 8
// bits, RGB with alpha at 16 bits) is composed over its bKGD colour or grey 192, which ImageMagick
// rounds within one level too.
INSTANTIATE_TEST_SUITE_P(EveryColourTypeAndDepth, PngDecoding,
    testing::Values(PngCase{L"gray1", false, 0}, PngCase{L"gray2", false, 0}, PngCase{L"gray4", false, 0},
                    PngCase{L"gray8", false, 0}, PngCase{L"gray16", false, 1}, PngCase{L"graya8", false, 1},
                    PngCase{L"graya16", true, 1}, PngCase{L"pal4", false, 0}, PngCase{L"pal8", false, 0},
                    PngCase{L"paltrns", false, 0},
                    PngCase{L"rgb8", false, 0}, PngCase{L"rgb16", false, 1}, PngCase{L"rgba8", true, 0},
                    PngCase{L"rgba16", false, 1}, PngCase{L"interlaced", false, 0}));

// Every colour type and depth, each without transparency, with tRNS or with alpha, without and with
// bKGD, and with no gamma chunk, gAMA 1.0, gAMA 1/1.8 or sRGB. Transparency is composed in the
// stored values whatever the gamma chunk says: each file matches ImageMagick's composition of its
// copy without one, within the one level by which the two round. Pixels 32 bits wide keep alpha.
TEST(PngDecoding, EveryKindOfTransparencyIsComposedAtGammaOne)
{
    std::vector<std::string> mismatches;
    const std::vector<std::string> lines = OracleLines(L"pngmatrix/matrix.txt");
    for (const std::string& line : lines) {
        std::istringstream fields(line);
        std::string name, oracle, background;
        int wide = 0;
        fields >> name >> oracle >> background >> wide;
        uiDib dib;
        if (!Decode(&dib, CString(L"pngmatrix/") + name.c_str() + L".png")) {
            mismatches.push_back(name + ": not decoded");
            continue;
        }
        const std::vector<BYTE> expected = ReadSample(CString(L"pngmatrix/") + oracle.c_str() + L".bgra");
        const int difference = wide ? MaxDifference(TopDownPixels(dib, 4), expected)
                                    : MaxDifference(TopDownPixels(dib, 3), DropAlpha(expected));
        if (difference < 0 || difference > 1 || dib.HasAlpha() != (wide ? TRUE : FALSE))
            mismatches.push_back(name + ": differs by " + std::to_string(difference));
    }
    EXPECT_EQ(lines.size(), 208u);
    EXPECT_EQ(mismatches, std::vector<std::string>());
}

TEST(PngDecoding, RefusesDataWithoutSignatureOrCutShort)
{
    std::vector<BYTE> bytes = ReadSample(L"png/rgb8.png");
    uiDib dib;
    EXPECT_FALSE(dib.LoadFromMemory(L"cut.png", bytes.data(), bytes.size() - 20));
    EXPECT_FALSE(dib.LoadFromMemory(L"cut.png", bytes.data(), 8));
    bytes[1] = 'Q';
    EXPECT_FALSE(dib.LoadFromMemory(L"bad.png", bytes.data(), bytes.size()));
    EXPECT_TRUE(dib.IsEmpty());
}

TEST(BmpDecoding, MatchesImageMagickFor8And24Bit)
{
    for (const wchar_t* name : {L"rgb24", L"pal8", L"pal256", L"topdown"}) {
        uiDib dib;
        ASSERT_TRUE(Decode(&dib, CString(L"bmp/") + name + L".bmp")) << CStringA(name);
        const std::vector<BYTE> oracle = ReadSample(CString(L"bmp/") + name + L".bgr");
        EXPECT_EQ(MaxDifference(TopDownPixels(dib, 3), oracle), 0) << CStringA(name);
    }
}

TEST(BmpDecoding, OtherDepthsCompressionAndShortPalettesGiveError105AndNonBitmapsNoCode)
{
    for (const wchar_t* name : {L"argb32", L"rgb565", L"mono1", L"rle8", L"pal9"}) {
        uiSetSkinError(0);
        uiDib dib;
        EXPECT_FALSE(Decode(&dib, CString(L"bmp-refused/") + name + L".bmp"));
        EXPECT_EQ(dib.GetErrorCode(), UI_ERROR_BMP_DECODE) << CStringA(name);
        EXPECT_EQ(uiGetSkinError(), UI_ERROR_BMP_DECODE);
    }
    std::vector<BYTE> bytes = ReadSample(L"bmp/rgb24.bmp");
    bytes[0] = 'X';
    uiSetSkinError(0);
    uiDib dib;
    EXPECT_FALSE(dib.LoadFromMemory(L"x.bmp", bytes.data(), bytes.size()));
    EXPECT_EQ(uiGetSkinError(), 0);
}

TEST(BmpDecoding, HeadersPointingPastTheDataAreRefused)
{
    const std::vector<BYTE> good = ReadSample(L"bmp/pal8.bmp");
    auto refused = [&](size_t offset, DWORD value) {
        std::vector<BYTE> bytes = good;
        memcpy(bytes.data() + offset, &value, 4);
        uiDib dib;
        return !dib.LoadFromMemory(L"x.bmp", bytes.data(), bytes.size());
    };
    EXPECT_TRUE(refused(10, 0xFFFFFF00));   // bits offset
    EXPECT_TRUE(refused(14, 0x7FFFFFF0));   // header size
    EXPECT_TRUE(refused(18, 0x00100000));   // width
    EXPECT_TRUE(refused(22, 0x80000000));   // height
    EXPECT_TRUE(refused(46, 100000));       // palette entries
    uiDib dib;
    EXPECT_FALSE(dib.LoadFromMemory(L"x.bmp", good.data(), good.size() - 1));
}

TEST(JpegDecoding, MatchesDjpegExactly)
{
    for (const wchar_t* name : {L"rgb", L"gray", L"progressive"}) {
        uiDib dib;
        ASSERT_TRUE(Decode(&dib, CString(L"jpeg/") + name + L".jpg")) << CStringA(name);
        EXPECT_EQ(dib.GetFormat(), UI_DIB_RGB24);
        EXPECT_EQ(MaxDifference(TopDownPixels(dib, 3), ReadSample(CString(L"jpeg/") + name + L".bgr")), 0)
            << CStringA(name);
    }
}

TEST(JpegDecoding, CmykBecomes32BitWithinThreeLevelsOfImageMagick)
{
    uiDib dib;
    ASSERT_TRUE(Decode(&dib, L"jpeg/cmyk.jpg"));
    EXPECT_EQ(dib.GetFormat(), UI_DIB_RGB32);
    EXPECT_FALSE(dib.HasAlpha());
    const int difference = MaxDifference(TopDownPixels(dib, 3), ReadSample(L"jpeg/cmyk.bgr"));
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, 3);
}

TEST(JpegDecoding, TruncatedDataStillEndsAndEmptyDataFails)
{
    const std::vector<BYTE> bytes = ReadSample(L"jpeg/rgb.jpg");
    uiDib dib;
    // The missing rows are filled by the library; the size stays that of the header.
    EXPECT_TRUE(dib.LoadFromMemory(L"x.jpg", bytes.data(), bytes.size() / 2));
    EXPECT_EQ(dib.GetWidth(), 37);
    EXPECT_FALSE(dib.LoadFromMemory(L"x.jpg", bytes.data(), 0));
    EXPECT_FALSE(dib.LoadFromMemory(L"x.jpg", bytes.data(), 100));
}

TEST(ImageLoading, ExtensionIsComparedWithoutCase)
{
    uiDib dib;
    const std::vector<BYTE> bytes = ReadSample(L"png/rgb8.png");
    EXPECT_TRUE(dib.LoadFromMemory(L"C:\\skin\\BUTTON.PNG", bytes.data(), bytes.size()));
    EXPECT_FALSE(dib.LoadFromMemory(L"C:\\skin.png\\button", bytes.data(), bytes.size()));
}

TEST(ImageLoading, MissingFileGivesError100AndNoSize)
{
    uiSetSkinError(0);
    uiImage image;
    EXPECT_FALSE(image.SetFile(SamplePath(L"png/none.png")));
    EXPECT_EQ(uiGetSkinError(), UI_ERROR_IMAGE_NOT_FOUND);
    EXPECT_EQ(image.GetWidth(), -1);
    uiImage present;
    ASSERT_TRUE(present.SetFile(SamplePath(L"png/rgb8.png")));
    EXPECT_EQ(present.GetWidth(), 37);
    EXPECT_EQ(present.GetHeight(), 23);
}

class GifLoading : public testing::Test {
protected:
    static COLORREF OracleCenter(const wchar_t* name, int frame, int width, int height)
    {
        CString raw;
        raw.Format(L"gif/%s.%d.bgr", name, frame);
        const std::vector<BYTE> pixels = ReadSample(raw);
        const size_t at = (static_cast<size_t>(height / 2) * width + width / 2) * 3;
        return at + 2 < pixels.size() ? RGB(pixels[at + 2], pixels[at + 1], pixels[at]) : CLR_INVALID;
    }

    // Pixels of the canvas (from origin on) that differ from ImageMagick's coalesced frame, the first
    // of them named.
    static std::string FrameMismatches(const PixelCanvas& canvas, const wchar_t* name, int frame, int width,
                                       int height, POINT origin = {0, 0})
    {
        CString raw;
        raw.Format(L"gif/%s.%d.bgr", name, frame);
        const std::vector<BYTE> pixels = ReadSample(raw);
        if (pixels.size() != static_cast<size_t>(width) * height * 3)
            return "oracle of " + std::to_string(pixels.size()) + " bytes";
        int count = 0;
        std::ostringstream first;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const BYTE* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
                const COLORREF got = canvas.Pixel(origin.x + x, origin.y + y);
                if (got != RGB(p[2], p[1], p[0]) && count++ == 0)
                    first << " first at " << x << "," << y << ": " << std::hex << got;
            }
        }
        return count ? std::to_string(count) + " pixels differ;" + first.str() : "";
    }

    // Each of the two frames, drawn at 4, 3 on a fresh blue canvas, matches ImageMagick's frame
    // composed over blue, and nothing is drawn outside the destination.
    static void ExpectFramesOverBlue(const wchar_t* name)
    {
        uiImage image;
        ASSERT_TRUE(image.SetFile(SamplePath(CString(L"gif/") + name + L".gif")));
        ASSERT_EQ(image.GetFrameCount(), 2);
        const RECT destination = {4, 3, 24, 15};
        for (int frame = 0; frame < 2; ++frame) {
            PixelCanvas canvas(28, 18, RGB(0, 0, 255));
            ASSERT_TRUE(image.DrawFrame(canvas.GetDC(), destination, frame));
            EXPECT_EQ(FrameMismatches(canvas, CString(name) + L"_on_blue", frame, 20, 12, {4, 3}), "")
                << "frame " << frame;
            EXPECT_EQ(canvas.Pixel(3, 2), RGB(0, 0, 255));
        }
    }
};

TEST_F(GifLoading, FramesMatchIdentifyAndTheirPixels)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"gif/anim.gif")));
    ASSERT_EQ(image.GetFrameCount(), static_cast<int>(OracleLines(L"gif/anim.frames").size()));
    EXPECT_EQ(image.GetWidth(), 20);
    EXPECT_EQ(image.GetHeight(), 12);
    PixelCanvas canvas(20, 12);
    const RECT all = {0, 0, 20, 12};
    for (int frame = 0; frame < image.GetFrameCount(); ++frame) {
        ASSERT_TRUE(image.DrawFrame(canvas.GetDC(), all, frame));
        EXPECT_EQ(canvas.Pixel(10, 6), OracleCenter(L"anim", frame, 20, 12)) << "frame " << frame;
    }
    EXPECT_FALSE(image.DrawFrame(canvas.GetDC(), all, 3));
}

TEST_F(GifLoading, PartialFrameIsComposedOverThePreviousOne)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"gif/partial.gif")));
    ASSERT_EQ(image.GetFrameCount(), 2);
    ASSERT_EQ(OracleLines(L"gif/partial.frames").size(), 2u);
    const RECT all = {0, 0, 20, 12};
    // Each frame goes to a fresh canvas of a colour the GIF lacks: the second one (8 x 6 at 4, 3)
    // covers the whole canvas only when it is composed over what the first one left.
    for (int frame = 0; frame < 2; ++frame) {
        PixelCanvas canvas(20, 12, RGB(0, 0, 255));
        ASSERT_TRUE(image.DrawFrame(canvas.GetDC(), all, frame));
        EXPECT_EQ(FrameMismatches(canvas, L"partial", frame, 20, 12), "") << "frame " << frame;
    }
}

// The second frame shows neither the first one nor the GIF's background colour around its square.
TEST_F(GifLoading, TransparentFramesDisposedToTheBackgroundShowWhatLiesBeneath)
{
    ExpectFramesOverBlue(L"holes");
}

// The canvas around a small opaque first frame shows what lies beneath, and the next frame keeps it.
TEST_F(GifLoading, AnOpaqueFirstFrameSmallerThanTheCanvasShowsWhatLiesBeneathAroundIt)
{
    ExpectFramesOverBlue(L"smallfirst");
}

TEST_F(GifLoading, SingleFramePictureDrawsItself)
{
    uiImage image;
    ASSERT_TRUE(image.SetFile(SamplePath(L"gif/single.gif")));
    EXPECT_EQ(image.GetFrameCount(), 1);
    PixelCanvas canvas(16, 9);
    const RECT all = {0, 0, 16, 9};
    ASSERT_TRUE(image.Draw(canvas.GetDC(), all, nullptr));
    EXPECT_EQ(canvas.Pixel(8, 4), OracleCenter(L"single", 0, 16, 9));
}

TEST_F(GifLoading, BlocksRunningPastTheDataKeepTheFramesFound)
{
    const std::vector<BYTE> bytes = ReadSample(L"gif/anim.gif");
    uiGifStructure whole;
    ASSERT_TRUE(uiReadGifStructure(bytes.data(), bytes.size(), &whole));
    ASSERT_EQ(whole.frames.size(), 3u);
    // Cut inside the last image's data: two frames remain, and they still load.
    const size_t cut = whole.frames[2].imageOffset + whole.frames[2].imageLength / 2;
    uiGifStructure shortened;
    ASSERT_TRUE(uiReadGifStructure(bytes.data(), cut, &shortened));
    EXPECT_EQ(shortened.frames.size(), 2u);
    uiOlePicture picture;
    ASSERT_TRUE(picture.LoadFromMemory(bytes.data(), cut));
    EXPECT_EQ(picture.GetFrameCount(), 2);
    // A colour table that runs past the data leaves no frame.
    uiGifStructure tableOnly;
    ASSERT_TRUE(uiReadGifStructure(bytes.data(), 20, &tableOnly));
    EXPECT_TRUE(tableOnly.frames.empty());
}

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return -1;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// From memory (database entries) and from a file alike.
TEST(IconLoading, ChoosesTheRequestedSizeFromTheDirectory)
{
    const std::vector<BYTE> bytes = ReadSample(L"icon/multi.ico");
    for (const std::string& line : OracleLines(L"icon/multi.sizes")) {
        int width = 0, height = 0;
        std::istringstream(line) >> width >> height;
        HICON icon = uiCreateIconFromBytes(bytes.data(), bytes.size(), width, height);
        EXPECT_EQ(IconWidth(icon), width) << line;
        if (icon)
            DestroyIcon(icon);
        uiImage file;
        file.SetIconSize(width, height);
        ASSERT_TRUE(file.SetFile(SamplePath(L"icon/multi.ico")));
        EXPECT_EQ(IconWidth(file.GetIcon()), width) << line;
    }
    // No size asked: the image of the system's icon size, which the file holds.
    HICON icon = uiCreateIconFromBytes(bytes.data(), bytes.size(), 0, 0);
    EXPECT_EQ(IconWidth(icon), GetSystemMetrics(SM_CXICON));
    if (icon)
        DestroyIcon(icon);
}

TEST(IconLoading, EntriesPastTheEndAreSkipped)
{
    std::vector<BYTE> bytes = ReadSample(L"icon/multi.ico");
    ASSERT_GE(bytes.size(), 6u + 3 * 16);
    // Every entry's offset moved past the end: nothing usable remains.
    for (int i = 0; i < 3; ++i) {
        const DWORD offset = static_cast<DWORD>(bytes.size());
        memcpy(bytes.data() + 6 + i * 16 + 12, &offset, 4);
    }
    EXPECT_EQ(uiCreateIconFromBytes(bytes.data(), bytes.size(), 32, 32), nullptr);
    EXPECT_EQ(uiCreateIconFromBytes(bytes.data(), 5, 32, 32), nullptr);
}

TEST(CursorBytes, HotSpotComesFromTheDirectory)
{
    const std::vector<BYTE> bytes = ReadSample(L"icon/pointer.cur");
    HCURSOR cursor = uiCreateCursorFromBytes(bytes.data(), bytes.size());
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 7u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST(CursorBytes, ShortOrOutOfRangeBytesAreRefused)
{
    const std::vector<BYTE> bytes = ReadSample(L"icon/pointer.cur");
    EXPECT_EQ(uiCreateCursorFromBytes(bytes.data(), 5), nullptr);
    EXPECT_EQ(uiCreateCursorFromBytes(bytes.data(), 21), nullptr);
    EXPECT_EQ(uiCreateCursorFromBytes(bytes.data(), bytes.size() - 1), nullptr);
    std::vector<BYTE> icon = bytes;
    icon[2] = 1;
    EXPECT_EQ(uiCreateCursorFromBytes(icon.data(), icon.size()), nullptr);
    std::vector<BYTE> moved = bytes;
    const DWORD offset = 0xFFFFFFF0;
    memcpy(moved.data() + 6 + 12, &offset, 4);
    EXPECT_EQ(uiCreateCursorFromBytes(moved.data(), moved.size()), nullptr);
}

} // namespace
