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

void ReportMissing(const CString& path)
{
    uiSetSkinError(UI_ERROR_IMAGE_NOT_FOUND);
    uiLogReport(UI_LOG_ERROR, L"Load Image failed. The file [%s] not found", static_cast<const wchar_t*>(path));
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

bool uiImage::ReadBytes(std::vector<BYTE>* bytes) const
{
    if (!m_isDbEntry)
        return uiReadFileBytes(m_path, bytes);
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
    std::vector<BYTE> bytes;
    if (!ReadBytes(&bytes) || !LoadFromMemory(bytes.data(), bytes.size())) {
        ReportMissing(m_path);
        return FALSE;
    }
    return TRUE;
}

bool uiImage::LoadFromMemory(const BYTE* bytes, size_t length)
{
    const CString extension = uiGetLowerExtension(m_path);
    if (extension == L".ico") {
        m_icon = uiCreateIconFromBytes(bytes, length, m_iconWidth, m_iconHeight);
        return m_icon != nullptr;
    }
    if (extension == L".gif") {
        auto picture = std::make_unique<uiOlePicture>();
        if (!picture->LoadFromMemory(bytes, length))
            return false;
        m_olePicture = std::move(picture);
        return true;
    }
    auto dib = std::make_unique<uiDib>();
    if (m_transparentColor != static_cast<COLORREF>(-1))
        dib->SetTransparentColor(m_transparentColor);
    if (!dib->LoadFromMemory(m_path, bytes, length))
        return false;
    m_dib = std::move(dib);
    ApplyPendingAdjustment();
    return true;
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
