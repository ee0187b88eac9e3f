// A decoded image held as a packed device-independent bitmap (header, palette for 8-bit images,
// bottom-up rows padded to 4 bytes), with its transparent-colour mask, gray and colour-adjusted copies
// and its drawing. The PNG, JPEG and BMP decoders derive from it and hand their result over.
#pragma once

#include <windows.h>
#include <vector>
#include "CString.h"

enum uiDibFormat {
    UI_DIB_NONE = 0,
    UI_DIB_PALETTE8 = 1,
    UI_DIB_RGB24 = 2,
    UI_DIB_RGB32 = 4,
};

class uiDib {
public:
    uiDib() = default;
    virtual ~uiDib() = default;

    // Decodes by the name's extension (".png", ".bmp", ".jpg", ".jpeg", ".jpe"); 1 or 0.
    BOOL LoadFromMemory(const CString& name, const BYTE* bytes, size_t length);
    BOOL LoadFromFile(const CString& path);

    // Set before loading: pixels of this colour show what lies beneath (-1: none).
    void SetTransparentColor(COLORREF color) { m_transparentColor = color; }

    bool IsEmpty() const { return m_packed.empty(); }
    int GetWidth() const;
    int GetHeight() const;
    int GetFormat() const { return m_format; }
    BOOL HasAlpha() const { return m_alpha; }
    BOOL HasMask() const { return !m_mask.empty(); }
    int GetErrorCode() const { return m_errorCode; }
    // The decoded header (with the palette of 8-bit images) and bits, bottom-up; null when empty.
    const BITMAPINFO* GetInfo() const;
    const BYTE* GetBits() const;

    // Draws the source rectangle (clipped to the bitmap) stretched into the destination; 1 when drawn.
    BOOL Draw(HDC dc, const RECT& destination, const RECT& source) const;
    // Copies a 32-bit bitmap, its pixels premultiplied by alpha, stretched into the destination.
    BOOL DrawPremultiplied(HDC dc, const RECT& destination) const;

    // Replaces the shown colours by their gray values (once).
    void MakeGray();
    // Shows the colours adjusted; 0, 100, 0 shows the decoded colours again.
    void AdjustColor(int hue, int saturation, int lightness);

protected:
    // For the decoders: the packed DIB (40-byte header, 256-entry palette for format 1, then the bits).
    void SetDecoded(std::vector<BYTE>&& packed, int format, BOOL alpha);
    void SetErrorCode(int code) { m_errorCode = code; }
    const CString& GetName() const { return m_name; }
    // Row size of a bitmap, rounded up to 4 bytes; 0 when the bitmap would exceed UI_MAX_IMAGE_BYTES.
    static size_t CheckedStride(long long width, long long height, int bitsPerPixel);
    // Fills the 40-byte header at the start of a packed DIB.
    static void FillHeader(BYTE* packed, int width, int height, int bitCount, size_t imageSize);

private:
    template <typename Decoder> BOOL DecodeWith(const BYTE* bytes, size_t length);
    const BITMAPINFOHEADER* Header() const;
    size_t BitsOffset() const;
    size_t Stride() const;
    const BITMAPINFO* ShownInfo() const;
    const BYTE* ShownBits() const;
    void BuildMask();
    void BuildMask24();
    void BuildMask8();
    int NearestPaletteIndex(COLORREF color, int maxDistance) const;
    bool IsKeyColor(COLORREF color) const;
    bool KeepsColor(COLORREF color) const;
    template <typename F> void ForEachPixel(std::vector<BYTE>& bits, F f);
    // Recolours the shown copy: palette entries (but the mask's black and white) or pixels not kept.
    template <typename Keep, typename Recolor> void ModifyColors(Keep keep, Recolor recolor);
    BOOL BlendOnto(HDC dc, const RECT& destination, const RECT& source, const BYTE* bits) const;

    std::vector<BYTE> m_packed;
    int m_format = UI_DIB_NONE;
    BOOL m_alpha = FALSE;
    COLORREF m_transparentColor = static_cast<COLORREF>(-1);
    int m_blackIndex = -1;
    int m_whiteIndex = -1;
    std::vector<BYTE> m_mask;
    std::vector<BYTE> m_modifiedInfo;
    std::vector<BYTE> m_modifiedBits;
    BOOL m_gray = FALSE;
    BOOL m_adjusted = FALSE;
    CString m_name;
    int m_errorCode = 0;
};
