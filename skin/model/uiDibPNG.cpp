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

// Grey 192 stands in for a background that the file does not name.
void ComposeOverBackground(png_structp png, png_infop info)
{
    png_color_16p fileBackground = nullptr;
    if (png_get_bKGD(png, info, &fileBackground)) {
        png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        return;
    }
    png_color_16 grey = {0, 192, 192, 192, 192};
    png_set_background(png, &grey, PNG_BACKGROUND_GAMMA_UNIQUE, 0, 1.0);
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
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
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
