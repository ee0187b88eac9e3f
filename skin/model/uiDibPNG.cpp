// PNG decoding through libpng from a memory block. libpng reports errors by longjmp, so the functions
// that call it keep only plain data in their frames; the buffers live in the caller.
#include "uiDibPNG.h"

#include <png.h>
#include <cstring>

namespace {

struct PngSource {
    const BYTE* data;
    size_t size;
    size_t position;
};

struct PngLayout {
    int width;
    int height;
    int channels;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
    // A partial row would leave bytes undefined: running short is a read error.
    if (count > source->size - source->position)
        png_error(png, "Read Error");
    memcpy(out, source->data + source->position, count);
    source->position += count;
}

void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp)
{
}

// The file's bKGD as an 8-bit colour of the output, or grey 192 when it names none. The colour is
// handed over ready: the library's own expansion of a low-bit grey background misses the grey level
// that its composition of grey reads.
png_color_16 BackgroundColour(png_structp png, png_infop info)
{
    png_color_16 colour = {0, 192, 192, 192, 192};
    png_color_16p file = nullptr;
    if (!png_get_bKGD(png, info, &file))
        return colour;
    const int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int entries = 0;
        if (png_get_PLTE(png, info, &palette, &entries) && file->index < entries)
            colour = {0, palette[file->index].red, palette[file->index].green, palette[file->index].blue, 0};
        return colour;
    }
    const unsigned depth = png_get_bit_depth(png, info), top = (1u << depth) - 1;
    // 16-bit samples round as the library's reduction to 8 bits does.
    const auto to8 = [depth, top](unsigned value) {
        value = value < top ? value : top;
        return static_cast<png_uint_16>(depth == 16 ? (value * 255 + 32895) >> 16 : value * 255 / top);
    };
    if (colorType & PNG_COLOR_MASK_COLOR)
        return {0, to8(file->red), to8(file->green), to8(file->blue), 0};
    const png_uint_16 grey = to8(file->gray);
    return {0, grey, grey, grey, grey};
}

// The composition is plain arithmetic on the stored values: the file's gAMA or sRGB is overridden
// by gamma 1.0 on both sides, since the library would otherwise compose in linear light.
void ComposeOverBackground(png_structp png, png_infop info)
{
    png_set_gamma(png, 1.0, 1.0);
    const png_color_16 background = BackgroundColour(png, info);
    png_set_background(png, &background, PNG_BACKGROUND_GAMMA_UNIQUE, 0, 1.0);
}

// Reads the header and requests 8-bit BGR or BGRA output whatever the colour type and depth. Only
// 32-bit pixels keep their alpha; transparency of every other image is composed over its background.
bool ReadPngLayout(png_structp png, png_infop info, PngLayout* layout)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (bitDepth * png_get_channels(png, info) != 32)
        ComposeOverBackground(png, info);
    if (bitDepth == 16)
        png_set_scale_16(png);
    // Palettes to RGB, low-bit grey to 8 bits, and tRNS to alpha, which the expansion reads at the
    // file's own depth: the composition would compare a low-bit transparent level with 8-bit pixels.
    png_set_expand(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    layout->width = static_cast<int>(png_get_image_width(png, info));
    layout->height = static_cast<int>(png_get_image_height(png, info));
    layout->channels = png_get_channels(png, info);
    return png_get_rowbytes(png, info) == static_cast<size_t>(layout->width) * layout->channels &&
           (layout->channels == 3 || layout->channels == 4);
}

bool ReadPngRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

} // namespace

BOOL uiDibPNG::Decode(const BYTE* bytes, size_t length)
{
    if (!bytes || length < 8 || png_sig_cmp(bytes, 0, 8) != 0)
        return FALSE;
    PngSource source = {bytes + 8, length - 8, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return FALSE;
    png_infop info = png_create_info_struct(png);
    BOOL ok = FALSE;
    PngLayout layout = {};
    if (info) {
        png_set_read_fn(png, &source, ReadFromMemory);
        ok = ReadPngLayout(png, info, &layout);
    }
    if (ok) {
        ok = FALSE;
        const size_t stride = CheckedStride(layout.width, layout.height, layout.channels * 8);
        if (stride) {
            std::vector<BYTE> packed(sizeof(BITMAPINFOHEADER) + stride * layout.height);
            BYTE* bits = packed.data() + sizeof(BITMAPINFOHEADER);
            std::vector<png_bytep> rows(layout.height);
            for (int i = 0; i < layout.height; ++i)
                rows[i] = bits + static_cast<size_t>(layout.height - 1 - i) * stride;
            if (ReadPngRows(png, rows.data())) {
                FillHeader(packed.data(), layout.width, layout.height, layout.channels * 8, stride * layout.height);
                const bool alpha = layout.channels == 4;
                SetDecoded(std::move(packed), alpha ? UI_DIB_RGB32 : UI_DIB_RGB24, alpha);
                ok = TRUE;
            }
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return ok;
}
