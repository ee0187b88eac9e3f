// JPEG decoding through libjpeg from a memory block, with an own source manager and an error exit that
// jumps back. The functions that call the library keep only plain data in their frames.
#include "uiDibJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <jerror.h>

#include "uiImageFile.h"
#include "uiLogFile.h"

namespace {

struct JpegErrorManager {
    jpeg_error_mgr library;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Hands the whole block to the library once; afterwards only end-of-image markers, so that damaged
// data ends the image instead of starving the decoder.
struct JpegMemorySource {
    jpeg_source_mgr library;
    const BYTE* data;
    size_t size;
    bool handedOver;
};

struct JpegDecoder {
    jpeg_decompress_struct info;
    JpegErrorManager error;
    JpegMemorySource source;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void ErrorExit(j_common_ptr info)
{
    JpegErrorManager* error = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, error->message);
    longjmp(error->jump, 1);
}

void OutputMessage(j_common_ptr)
{
}

void InitSource(j_decompress_ptr)
{
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    JpegMemorySource* source = reinterpret_cast<JpegMemorySource*>(info->src);
    if (!source->handedOver && source->size > 0) {
        source->library.next_input_byte = source->data;
        source->library.bytes_in_buffer = source->size;
        source->handedOver = true;
        return TRUE;
    }
    if (source->size == 0)
        WARNMS(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source->library.next_input_byte = kEndOfImage;
    source->library.bytes_in_buffer = sizeof(kEndOfImage);
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* source = info->src;
    while (static_cast<size_t>(count) > source->bytes_in_buffer) {
        count -= static_cast<long>(source->bytes_in_buffer);
        FillInputBuffer(info);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= count;
}

void TermSource(j_decompress_ptr)
{
}

// Reads the header and starts decompression: colour data as RGB, gray as gray, CMYK and YCCK as CMYK.
bool StartJpeg(JpegDecoder* decoder, const BYTE* bytes, size_t length)
{
    jpeg_decompress_struct* info = &decoder->info;
    info->err = jpeg_std_error(&decoder->error.library);
    decoder->error.library.error_exit = ErrorExit;
    decoder->error.library.output_message = OutputMessage;
    if (setjmp(decoder->error.jump))
        return false;
    jpeg_create_decompress(info);
    JpegMemorySource* source = &decoder->source;
    source->library.init_source = InitSource;
    source->library.fill_input_buffer = FillInputBuffer;
    source->library.skip_input_data = SkipInputData;
    source->library.resync_to_restart = jpeg_resync_to_restart;
    source->library.term_source = TermSource;
    source->library.next_input_byte = nullptr;
    source->library.bytes_in_buffer = 0;
    source->data = bytes;
    source->size = length;
    source->handedOver = false;
    info->src = &source->library;
    jpeg_read_header(info, TRUE);
    // Refused before the library sizes its buffers by the image.
    if (static_cast<unsigned long long>(info->image_width) * info->image_height * 4 > UI_MAX_IMAGE_BYTES)
        return false;
    if (info->jpeg_color_space == JCS_GRAYSCALE)
        info->out_color_space = JCS_GRAYSCALE;
    else if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK)
        info->out_color_space = JCS_CMYK;
    else
        info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    return true;
}

// Inverted (Adobe) CMYK to one colour channel.
BYTE CmykChannel(int c, int k)
{
    const int value = (255 - k) + (255 - c) * k / 255;
    return static_cast<BYTE>(255 - (value > 255 ? 255 : value));
}

void StoreRow(const BYTE* in, BYTE* out, int width, int components)
{
    for (int x = 0; x < width; ++x, in += components) {
        if (components == 1) {
            out[0] = out[1] = out[2] = in[0];
            out += 3;
        } else if (components == 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out += 3;
        } else {
            out[0] = CmykChannel(in[2], in[3]);
            out[1] = CmykChannel(in[1], in[3]);
            out[2] = CmykChannel(in[0], in[3]);
            out[3] = 255;
            out += 4;
        }
    }
}

bool ReadJpegRows(JpegDecoder* decoder, BYTE* bits, size_t stride, BYTE* row)
{
    jpeg_decompress_struct* info = &decoder->info;
    if (setjmp(decoder->error.jump))
        return false;
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[1] = {row};
        const JDIMENSION line = info->output_scanline;
        if (jpeg_read_scanlines(info, rows, 1) != 1)
            return false;
        StoreRow(row, bits + (info->output_height - 1 - line) * stride, info->output_width, info->output_components);
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

BOOL uiDibJpeg::Decode(const BYTE* bytes, size_t length)
{
    JpegDecoder decoder;
    memset(&decoder, 0, sizeof(decoder));
    BOOL ok = FALSE;
    if (StartJpeg(&decoder, bytes, length)) {
        const int width = static_cast<int>(decoder.info.output_width);
        const int height = static_cast<int>(decoder.info.output_height);
        const int components = decoder.info.output_components;
        const int bitCount = components == 4 ? 32 : 24;
        const size_t stride = CheckedStride(width, height, bitCount);
        if (stride && (components == 1 || components == 3 || components == 4)) {
            std::vector<BYTE> packed(sizeof(BITMAPINFOHEADER) + stride * height);
            std::vector<BYTE> row(static_cast<size_t>(width) * components);
            if (ReadJpegRows(&decoder, packed.data() + sizeof(BITMAPINFOHEADER), stride, row.data())) {
                FillHeader(packed.data(), width, height, bitCount, stride * height);
                SetDecoded(std::move(packed), components == 4 ? UI_DIB_RGB32 : UI_DIB_RGB24, FALSE);
                ok = TRUE;
            }
        }
    }
    jpeg_destroy_decompress(&decoder.info);
    if (!ok)
        uiLogReport(UI_LOG_ERROR, L"JPEG decode failed: %hs [%s]", decoder.error.message,
                    static_cast<const wchar_t*>(GetName()));
    return ok;
}
