// Skin images: lazy loading by extension, drawing, frames, gray and colour adjustment.
#include "uiImage.h"

#include <shlwapi.h>

#include "uiDib.h"
#include "uiIconFromBytes.h"
#include "uiImageFile.h"
#include "uiLogFile.h"
#include "uiOlePicture.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"

namespace {

void LogMissing(const CString& path)
{
    uiLogReport(UI_LOG_ERROR, L"Load Image failed. The file [%s] not found", static_cast<const wchar_t*>(path));
}

void ReportMissing(const CString& path)
{
    uiSetSkinError(UI_ERROR_IMAGE_NOT_FOUND);
    LogMissing(path);
}

} // namespace

uiImage::uiImage() : m_transparentColor(static_cast<COLORREF>(-1))
{
}

uiImage::~uiImage()
{
    if (m_icon)
        DestroyIcon(m_icon);
}

BOOL uiImage::SetFile(const CString& path)
{
    m_path = path;
    m_isDbEntry = FALSE;
    if (!PathFileExistsW(path)) {
        ReportMissing(path);
        return FALSE;
    }
    return TRUE;
}

BOOL uiImage::SetDbEntry(const CString& entryName)
{
    m_path = entryName;
    m_isDbEntry = TRUE;
    return TRUE;
}

void uiImage::SetIconSize(int width, int height)
{
    m_iconWidth = width;
    m_iconHeight = height;
}

bool uiImage::IsLoaded() const
{
    return m_dib || m_icon || m_olePicture;
}

bool uiImage::ReadDbEntry(std::vector<BYTE>* bytes) const
{
    if (m_path.IsEmpty())
        return false;
    const int size = uiGetSkinAdmin().GetEntrySize(m_path);
    if (size <= 0 || static_cast<size_t>(size) > UI_MAX_IMAGE_BYTES)
        return false;
    bytes->resize(size);
    return uiGetSkinAdmin().ReadEntry(m_path, bytes->data(), size) == size;
}

BOOL uiImage::Load()
{
    if (IsLoaded())
        return TRUE;
    if (!m_isDbEntry)
        return LoadFile();
    std::vector<BYTE> bytes;
    return ReadDbEntry(&bytes) && LoadFromMemory(bytes.data(), bytes.size());
}

// A database entry that does not decode sets error 100 only for bitmaps, and logs nothing.
bool uiImage::LoadFromMemory(const BYTE* bytes, size_t length)
{
    const CString extension = uiGetLowerExtension(m_path);
    if (extension == L".ico") {
        m_icon = uiCreateIconFromBytes(bytes, length, m_iconWidth, m_iconHeight);
        return m_icon != nullptr;
    }
    if (extension == L".gif")
        return LoadPicture(bytes, length);
    std::unique_ptr<uiDib> dib = NewDib();
    if (!dib->LoadFromMemory(m_path, bytes, length)) {
        uiSetSkinError(UI_ERROR_IMAGE_NOT_FOUND);
        return false;
    }
    TakeDib(std::move(dib));
    return true;
}

// A file that does not load logs a line when it is an icon or a bitmap; only a bitmap also sets error 100.
bool uiImage::LoadFile()
{
    const CString extension = uiGetLowerExtension(m_path);
    if (extension == L".ico") {
        m_icon = static_cast<HICON>(
            LoadImageW(nullptr, m_path, IMAGE_ICON, m_iconWidth, m_iconHeight, LR_LOADFROMFILE));
        if (!m_icon)
            LogMissing(m_path);
        return m_icon != nullptr;
    }
    if (extension == L".gif") {
        std::vector<BYTE> bytes;
        return uiReadFileBytes(m_path, &bytes) && LoadPicture(bytes.data(), bytes.size());
    }
    std::unique_ptr<uiDib> dib = NewDib();
    if (!dib->LoadFromFile(m_path)) {
        ReportMissing(m_path);
        return false;
    }
    TakeDib(std::move(dib));
    return true;
}

bool uiImage::LoadPicture(const BYTE* bytes, size_t length)
{
    auto picture = std::make_unique<uiOlePicture>();
    if (!picture->LoadFromMemory(bytes, length))
        return false;
    m_olePicture = std::move(picture);
    return true;
}

std::unique_ptr<uiDib> uiImage::NewDib() const
{
    auto dib = std::make_unique<uiDib>();
    if (m_transparentColor != static_cast<COLORREF>(-1))
        dib->SetTransparentColor(m_transparentColor);
    return dib;
}

void uiImage::TakeDib(std::unique_ptr<uiDib> dib)
{
    m_dib = std::move(dib);
    ApplyPendingAdjustment();
}

void uiImage::ApplyPendingAdjustment()
{
    if (m_canAdjust && m_adjustPending)
        m_dib->AdjustColor(m_pendingHue, m_pendingSaturation, m_pendingLightness);
    m_adjustPending = FALSE;
}

SIZE uiImage::GetSize()
{
    if (!Load())
        return {-1, -1};
    if (m_dib)
        return {m_dib->GetWidth(), m_dib->GetHeight()};
    if (m_olePicture)
        return {m_olePicture->GetWidth(), m_olePicture->GetHeight()};
    return {0, 0};
}

int uiImage::GetWidth()
{
    return GetSize().cx;
}

int uiImage::GetHeight()
{
    return GetSize().cy;
}

int uiImage::GetFrameCount()
{
    if (Load() && m_olePicture)
        return m_olePicture->GetFrameCount();
    return m_frameCount;
}

HICON uiImage::GetIcon()
{
    Load();
    return m_icon;
}

BOOL uiImage::Draw(HDC dc, const RECT& destination, const RECT* source)
{
    if (!Load())
        return FALSE;
    if (m_dib) {
        const RECT whole = {0, 0, m_dib->GetWidth(), m_dib->GetHeight()};
        return m_dib->Draw(dc, destination, source ? *source : whole);
    }
    if (m_icon)
        return DrawIconEx(dc, destination.left, destination.top, m_icon, 0, 0, 0, nullptr, DI_NORMAL);
    return m_olePicture->DrawFrame(dc, destination, 0);
}

BOOL uiImage::DrawFrame(HDC dc, const RECT& destination, int frame)
{
    if (!Load())
        return FALSE;
    if (m_olePicture)
        return m_olePicture->DrawFrame(dc, destination, frame);
    if (!m_dib || frame < 0 || frame >= m_frameCount)
        return FALSE;
    // Frames are equal strips side by side.
    const int frameWidth = m_dib->GetWidth() / m_frameCount;
    if (frameWidth == 0)
        return FALSE;
    const RECT source = {frame * frameWidth, 0, (frame + 1) * frameWidth, m_dib->GetHeight()};
    return m_dib->Draw(dc, destination, source);
}

BOOL uiImage::DrawPremultiplied(HDC dc, const RECT& destination)
{
    return Load() && m_dib && m_dib->DrawPremultiplied(dc, destination);
}

void uiImage::MakeGray()
{
    if (Load() && m_dib)
        m_dib->MakeGray();
}

void uiImage::AdjustColor(int hue, int saturation, int lightness)
{
    if (!m_canAdjust)
        return;
    if (m_dib) {
        m_dib->AdjustColor(hue, saturation, lightness);
        return;
    }
    m_adjustPending = TRUE;
    m_pendingHue = hue;
    m_pendingSaturation = saturation;
    m_pendingLightness = lightness;
}
