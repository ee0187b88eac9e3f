// One named image of the skin, loaded on first use from a database entry or a file: icons, GIF
// pictures with their frames, and PNG, JPEG and BMP bitmaps decoded into a uiDib.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>
#include "CString.h"

class uiDib;
class uiOlePicture;

class uiImage {
public:
    uiImage();
    uiImage(const uiImage&) = delete;
    uiImage& operator=(const uiImage&) = delete;
    virtual ~uiImage();

    // 1, or 0 with error 100 and a log line when the file does not exist.
    BOOL SetFile(const CString& path);
    // Names a skin database entry; read at the first use.
    BOOL SetDbEntry(const CString& entryName);
    // 1 when the image is (or now becomes) loaded; a failed load is tried again at the next use.
    BOOL Load();

    // Pixels; -1 when the image cannot be loaded; icons report 0.
    int GetWidth();
    int GetHeight();
    // A GIF's frame count, else the number of equal strips that DrawFrame cuts a bitmap into.
    int GetFrameCount();
    void SetFrameCount(int count) { m_frameCount = count; }
    HICON GetIcon();

    // Draws the source rectangle (null: the whole image) into the destination; 1 or 0.
    BOOL Draw(HDC dc, const RECT& destination, const RECT* source);
    BOOL DrawFrame(HDC dc, const RECT& destination, int frame);
    BOOL DrawPremultiplied(HDC dc, const RECT& destination);

    void SetTransparentColor(COLORREF color) { m_transparentColor = color; }
    void SetCanAdjust(BOOL canAdjust) { m_canAdjust = canAdjust; }
    void SetIconSize(int width, int height);
    void MakeGray();
    // Applied at once when loaded, else right after the load.
    void AdjustColor(int hue, int saturation, int lightness);

private:
    bool IsLoaded() const;
    SIZE GetSize();
    bool ReadDbEntry(std::vector<BYTE>* bytes) const;
    bool LoadFromMemory(const BYTE* bytes, size_t length);
    bool LoadFile();
    bool LoadPicture(const BYTE* bytes, size_t length);
    std::unique_ptr<uiDib> NewDib() const;
    void TakeDib(std::unique_ptr<uiDib> dib);
    void ApplyPendingAdjustment();

    CString m_path;
    COLORREF m_transparentColor;
    std::unique_ptr<uiDib> m_dib;
    BOOL m_canAdjust = TRUE;
    HICON m_icon = nullptr;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    std::unique_ptr<uiOlePicture> m_olePicture;
    int m_frameCount = 0;
    BOOL m_isDbEntry = FALSE;
    BOOL m_adjustPending = FALSE;
    int m_pendingHue = 0;
    int m_pendingSaturation = 100;
    int m_pendingLightness = 0;
};
