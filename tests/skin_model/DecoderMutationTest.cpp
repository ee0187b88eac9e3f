// Damaged input for every decoder and reader: at least 10,000 variants per format, made from the
// generated samples by truncation, bit flips and grown size fields. The test passes when nothing
// crashes or hangs; what was decoded is also drawn, grayed and adjusted, so that a bitmap whose
// header lies about its size shows up too. Each variant ends flush against a no-access page, so that
// a read past its end crashes. The random source has a fixed seed: a failure repeats.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "MutationInput.h"
#include "SkinTestSupport.h"
#include "uiColorText.h"
#include "uiDib.h"
#include "uiGdiAdmin.h"
#include "uiGifReader.h"
#include "uiIconFromBytes.h"
#include "uiOlePicture.h"
#include "uiXmlReader.h"

namespace {

const int kVariantsPerFormat = 10000;

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    std::vector<BYTE> Damage(const std::vector<BYTE>& original)
    {
        std::vector<BYTE> bytes = original;
        switch (Below(4)) {
        case 0: // cut short
            bytes.resize(Below(bytes.size() + 1));
            break;
        case 1: // flip a few bits
            for (int flips = 1 + Below(8); flips > 0 && !bytes.empty(); --flips)
                bytes[Below(bytes.size())] ^= static_cast<BYTE>(1u << Below(8));
            break;
        case 2: // grow a field near the start, where the headers lie
            GrowField(&bytes, Below(std::min<size_t>(bytes.size(), 64)));
            break;
        default: // grow a field anywhere, e.g. a block or entry size
            GrowField(&bytes, Below(bytes.size() + 1));
            break;
        }
        return bytes;
    }

    size_t Below(size_t limit) { return limit ? std::uniform_int_distribution<size_t>(0, limit - 1)(m_random) : 0; }

private:
    void GrowField(std::vector<BYTE>* bytes, size_t at)
    {
        static const DWORD kValues[] = {0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0x0000FFFF, 0x00010000, 0x00FFFFFF, 0xFF, 0};
        const DWORD value = Below(3) == 0 ? static_cast<DWORD>(m_random()) : kValues[Below(8)];
        const size_t width = 1 + Below(4);
        for (size_t i = 0; i < width && at + i < bytes->size(); ++i)
            (*bytes)[at + i] = static_cast<BYTE>(value >> (8 * (Below(2) ? i : width - 1 - i)));
    }

    std::mt19937 m_random;
};

// Feeds kVariantsPerFormat damaged copies of the samples to the reader; prints what it tried.
void FeedDamaged(const char* format, const std::vector<const wchar_t*>& samples,
                 const std::function<bool(const BYTE*, size_t)>& read)
{
    std::vector<std::vector<BYTE>> originals;
    for (const wchar_t* sample : samples) {
        originals.push_back(ReadSample(sample));
        ASSERT_FALSE(originals.back().empty()) << CStringA(sample);
    }
    const unsigned seed = MutationSeed(format, 20261208);
    Mutator mutator(seed);
    GuardedBuffer guarded;
    int accepted = 0;
    for (int i = 0; i < kVariantsPerFormat; ++i) {
        const std::vector<BYTE> damaged = mutator.Damage(originals[i % originals.size()]);
        TryingInput(std::string(format) + " variant " + std::to_string(i) + " of seed " + std::to_string(seed));
        if (read(guarded.Place(damaged), damaged.size()))
            ++accepted;
    }
    std::printf("%s: tried %d damaged inputs, %d still read\n", format, kVariantsPerFormat, accepted);
}

// Decodes, then exercises what was decoded.
bool DecodeAndUse(const wchar_t* name, const BYTE* bytes, size_t length, COLORREF transparent)
{
    uiDib dib;
    dib.SetTransparentColor(transparent);
    if (!dib.LoadFromMemory(name, bytes, length))
        return false;
    static PixelCanvas canvas(48, 32);
    const RECT target = {0, 0, 48, 32}, source = {-5, -5, 1000, 1000};
    dib.Draw(canvas.GetDC(), target, source);
    dib.DrawPremultiplied(canvas.GetDC(), target);
    dib.AdjustColor(40, 80, -20);
    dib.MakeGray();
    dib.Draw(canvas.GetDC(), target, source);
    return true;
}

TEST(DamagedInput, Png)
{
    FeedDamaged("PNG", {L"png/rgb8.png", L"png/rgba16.png", L"png/pal4.png", L"png/paltrns.png", L"png/gray1.png",
                L"png/graya8.png", L"png/interlaced.png", L"pngmatrix/gray2-trns-bkgd-srgb.png",
                L"pngmatrix/pal2-trns-bkgd-gama18.png", L"pngmatrix/rgb16-trns-bkgd-gama1.png"},
        [](const BYTE* b, size_t n) { return DecodeAndUse(L"x.png", b, n, static_cast<COLORREF>(-1)); });
}

TEST(DamagedInput, Bmp)
{
    FeedDamaged("BMP", {L"bmp/rgb24.bmp", L"bmp/pal8.bmp", L"bmp/topdown.bmp", L"draw/grid8.bmp"},
        [](const BYTE* b, size_t n) { return DecodeAndUse(L"x.bmp", b, n, RGB(0, 255, 255)); });
}

TEST(DamagedInput, Jpeg)
{
    FeedDamaged("JPEG", {L"jpeg/rgb.jpg", L"jpeg/gray.jpg", L"jpeg/progressive.jpg", L"jpeg/cmyk.jpg"},
        [](const BYTE* b, size_t n) { return DecodeAndUse(L"x.jpg", b, n, static_cast<COLORREF>(-1)); });
}

TEST(DamagedInput, Gif)
{
    FeedDamaged("GIF", {L"gif/anim.gif", L"gif/partial.gif", L"gif/single.gif"}, [](const BYTE* b, size_t n) {
        uiGifStructure gif;
        uiReadGifStructure(b, n, &gif);
        uiOlePicture picture;
        if (!picture.LoadFromMemory(b, n))
            return false;
        static PixelCanvas canvas(24, 16);
        const RECT target = {0, 0, 24, 16};
        for (int frame = 0; frame <= picture.GetFrameCount(); ++frame)
            picture.DrawFrame(canvas.GetDC(), target, frame);
        return true;
    });
}

TEST(DamagedInput, IconAndCursor)
{
    FeedDamaged("ICO", {L"icon/multi.ico", L"icon/single.ico"}, [](const BYTE* b, size_t n) {
        HICON icon = uiCreateIconFromBytes(b, n, 32, 32);
        if (icon)
            DestroyIcon(icon);
        return icon != nullptr;
    });
    FeedDamaged("CUR", {L"icon/pointer.cur"}, [](const BYTE* b, size_t n) {
        HCURSOR cursor = uiCreateCursorFromBytes(b, n);
        if (cursor)
            DestroyCursor(cursor);
        return cursor != nullptr;
    });
}

// Reads every attribute of every element with every reader.
void ReadAll(const TiXmlElement* element)
{
    for (; element; element = element->NextSiblingElement()) {
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
            POINT point = {};
            RECT rect = {};
            uiColorInfo color;
            uiXmlGetInt(element, a->Name(), 0);
            uiXmlGetBool(element, a->Name(), 1);
            uiXmlGetPoint(element, a->Name(), &point);
            uiXmlGetRect4(element, a->Name(), &rect);
            uiXmlGetColor(element, a->Name(), 0);
            uiXmlGetColorRef(element, a->Name(), &color);
        }
        RECT rect = {};
        uiXmlGetRect(element, &rect);
        ReadAll(element->FirstChildElement());
    }
}

TEST(DamagedInput, XmlAndValueText)
{
    const std::string skin =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<theme>\r\n<manifest folder=\"draw\" log=\"true\"/>\r\n"
        "<uicolor><color id=\"bg\" value=\"#1e90ff\" canadjust=\"false\"/><color id=\"t\" value=\"RGB( 14, 62, 94 )\"/></uicolor>\r\n"
        "<uifont><font id=\"f\" fontface=\"\xE5\xAE\x8B\xE4\xBD\x93\" fontsize=\"12\" bold=\"true\"/></uifont>\r\n"
        "<uiwindow><window name=\"\xE5\xAE\x89\xE8\xA3\x85\" left=\"0x10\" top=\"2\" width=\"30\" height=\"40\" "
        "rect=\"10,20,30,40\" pt=\"3,4\" color=\"#bg\" text=\"rgb(1,2,3)\"/></uiwindow>\r\n</theme>\r\n";
    const std::vector<BYTE> original(skin.begin(), skin.end());
    const unsigned seed = MutationSeed("XML", 7);
    Mutator mutator(seed);
    GuardedBuffer guardedBytes, guardedText;
    int parsed = 0;
    for (int i = 0; i < kVariantsPerFormat; ++i) {
        const std::vector<BYTE> damaged = mutator.Damage(original);
        TryingInput("XML variant " + std::to_string(i) + " of seed " + std::to_string(seed));
        const char* bytes = reinterpret_cast<const char*>(guardedBytes.Place(damaged));
        TiXmlDocument document;
        if (uiXmlLoadMemory(document, bytes, damaged.size())) {
            ++parsed;
            ReadAll(document.RootElement());
            uiGetGdiAdmin().LoadGdiXml(document.RootElement(), L"", L"draw", L"");
        }
        // The same bytes as colour text and as UTF-8.
        COLORREF value = 0;
        const std::wstring text(damaged.begin(), damaged.begin() + std::min<size_t>(damaged.size(), 40));
        uiParseColor(guardedText.PlaceText(text), &value);
        std::vector<wchar_t> wide(damaged.size() + 1);
        uiXmlConvertUtf8ToWide(bytes, static_cast<int>(damaged.size()), wide.data(), static_cast<int>(damaged.size()));
    }
    uiGetGdiAdmin().Clear();
    std::printf("XML: tried %d damaged inputs, %d still parsed\n", kVariantsPerFormat, parsed);
}

} // namespace
