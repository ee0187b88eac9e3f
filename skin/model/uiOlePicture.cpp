// OLE pictures and GIF frame composition.
#include "uiOlePicture.h"

#include <cstdint>
#include <cstring>

#include "uiGifReader.h"
#include "uiIconFromBytes.h"
#include "uiImageFile.h"
#include "uiLittleEndian.h"
#include "uiMemDC.h"

namespace {

// Canvases beyond this area are refused: they would only come from damaged headers.
const long long kMaxCanvasPixels = 4096LL * 4096;

IPicture* LoadPicture(const BYTE* bytes, size_t length)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length);
    if (!memory)
        return nullptr;
    if (void* target = GlobalLock(memory)) {
        memcpy(target, bytes, length);
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

SIZE PixelSize(IPicture* picture)
{
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    HDC screen = GetDC(nullptr);
    SIZE size = {MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540), MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
    ReleaseDC(nullptr, screen);
    return size;
}

void Render(IPicture* picture, HDC dc, int x, int y, int width, int height)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    picture->Render(dc, x, y, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
}

// OLE trusts the headers of what it loads; only data whose structure lies inside the bytes reaches it:
// JPEG (decoded by a library that checks its input), icons and cursors whose every image fits, and
// uncompressed bitmaps whose palette and bits fit.
bool IsSoundPictureData(const BYTE* bytes, size_t length)
{
    if (length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return true;
    if (length >= 6 && uiReadWord(bytes) == 0 && (uiReadWord(bytes + 2) == 1 || uiReadWord(bytes + 2) == 2)) {
        const size_t count = uiReadWord(bytes + 4);
        if (count == 0 || 6 + count * 16 > length)
            return false;
        for (size_t i = 0; i < count; ++i) {
            const DWORD size = uiReadDword(bytes + 6 + i * 16 + 8), offset = uiReadDword(bytes + 6 + i * 16 + 12);
            if (static_cast<uint64_t>(offset) + size > length || !uiIconImageFits(bytes + offset, size))
                return false;
        }
        return true;
    }
    if (length < 14 + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    BITMAPINFOHEADER header;
    memcpy(&header, bytes + 14, sizeof(header));
    const int bits = header.biBitCount;
    if (header.biSize < sizeof(header) || header.biCompression != BI_RGB || header.biWidth <= 0 || header.biWidth > 0xFFFF ||
        header.biHeight == 0 || header.biHeight < -0xFFFF || header.biHeight > 0xFFFF || header.biClrUsed > 256 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    const uint64_t colors = header.biClrUsed ? header.biClrUsed : (bits <= 8 ? 1u << bits : 0);
    const uint64_t bitsOffset = uiReadDword(bytes + 10);
    const uint64_t stride = (static_cast<uint64_t>(header.biWidth) * bits + 31) / 32 * 4;
    const uint64_t height = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
    return bitsOffset >= 14 + static_cast<uint64_t>(header.biSize) + colors * 4 && bitsOffset + stride * height <= length;
}

} // namespace

uiOlePicture::~uiOlePicture()
{
    Release();
}

void uiOlePicture::Release()
{
    if (m_picture)
        m_picture->Release();
    m_picture = nullptr;
    for (Frame& frame : m_frames)
        frame.picture->Release();
    m_frames.clear();
    if (m_backgroundBrush)
        DeleteObject(m_backgroundBrush);
    m_backgroundBrush = nullptr;
    m_composition.reset();
    m_background.reset();
    m_width = m_height = 0;
}

int uiOlePicture::GetFrameCount() const
{
    if (!m_frames.empty())
        return static_cast<int>(m_frames.size());
    return m_picture ? 1 : 0;
}

BOOL uiOlePicture::LoadFromMemory(const BYTE* bytes, size_t length)
{
    Release();
    if (!bytes || length == 0 || length > UI_MAX_IMAGE_BYTES)
        return FALSE;
    uiGifStructure gif;
    if (uiReadGifStructure(bytes, length, &gif))
        return LoadGif(bytes, length, gif);
    if (!IsSoundPictureData(bytes, length))
        return FALSE;
    m_picture = LoadPicture(bytes, length);
    if (!m_picture)
        return FALSE;
    const SIZE size = PixelSize(m_picture);
    m_width = size.cx;
    m_height = size.cy;
    return TRUE;
}

BOOL uiOlePicture::LoadGif(const BYTE* bytes, size_t length, const uiGifStructure& gif)
{
    if (gif.frames.empty() || gif.screenWidth == 0 ||
        gif.screenHeight == 0 || static_cast<long long>(gif.screenWidth) * gif.screenHeight > kMaxCanvasPixels)
        return FALSE;
    if (gif.colorTableLength > static_cast<size_t>(gif.backgroundIndex) * 3) {
        const BYTE* entry = bytes + 13 + gif.backgroundIndex * 3;
        m_backgroundBrush = CreateSolidBrush(RGB(entry[0], entry[1], entry[2]));
    }
    if (gif.frames.size() == 1) {
        m_picture = LoadPicture(bytes, length);
    } else {
        for (const uiGifFrameBlocks& blocks : gif.frames) {
            const std::vector<BYTE> single = uiBuildGifOfFrame(bytes, gif, blocks);
            IPicture* picture = LoadPicture(single.data(), single.size());
            if (picture)
                m_frames.push_back({picture, blocks.width, blocks.height, blocks.left, blocks.top, blocks.delay,
                                    blocks.disposal, blocks.transparent});
        }
    }
    if (!m_picture && m_frames.empty()) {
        Release();
        return FALSE;
    }
    m_width = gif.screenWidth;
    m_height = gif.screenHeight;
    HDC screen = GetDC(nullptr);
    const RECT canvas = {0, 0, m_width, m_height};
    m_composition = std::make_unique<uiMemDC>(screen, canvas, TRUE);
    m_background = std::make_unique<uiMemDC>(screen, canvas, TRUE);
    ReleaseDC(nullptr, screen);
    return TRUE;
}

BOOL uiOlePicture::DrawFrame(HDC dc, const RECT& destination, int index)
{
    if (m_picture) {
        Render(m_picture, dc, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top);
        return TRUE;
    }
    if (index < 0 || index >= static_cast<int>(m_frames.size()) || !m_composition || !m_composition->GetDC())
        return FALSE;
    const Frame& frame = m_frames[index];
    HDC composition = m_composition->GetDC();
    // What lies beneath is taken on every call. The first frame starts from it: where that frame is
    // transparent or smaller than the canvas, the canvas shows what lies beneath.
    BitBlt(m_background->GetDC(), 0, 0, m_width, m_height, dc, destination.left, destination.top, SRCCOPY);
    if (index == 0)
        BitBlt(composition, 0, 0, m_width, m_height, m_background->GetDC(), 0, 0, SRCCOPY);
    if (frame.disposal == 2 && frame.transparent) {
        // Shown over the composition without entering it: the next frame no longer carries it.
        BitBlt(dc, destination.left, destination.top, m_width, m_height, composition, 0, 0, SRCCOPY);
        Render(frame.picture, dc, destination.left + frame.left, destination.top + frame.top, frame.width,
               frame.height);
        return TRUE;
    }
    Render(frame.picture, composition, frame.left, frame.top, frame.width, frame.height);
    BitBlt(dc, destination.left, destination.top, m_width, m_height, composition, 0, 0, SRCCOPY);
    // Disposal 2 of an opaque frame: once shown, its area returns to the background colour.
    if (frame.disposal == 2 && m_backgroundBrush) {
        const RECT area = {frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
        FillRect(composition, &area, m_backgroundBrush);
    }
    return TRUE;
}
