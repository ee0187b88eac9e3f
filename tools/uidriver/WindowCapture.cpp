// Window pictures for the UI driver: a DIB section filled from the screen, written as BMP.
#include "WindowCapture.h"

#include <vector>

namespace {

// Owns a memory device context with a 24-bit bottom-up DIB section selected into it.
class CaptureSurface {
public:
    CaptureSurface(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = Header();
        HDC screen = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen);
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        ReleaseDC(nullptr, screen);
        if (memory_ && bitmap_) {
            previous_ = SelectObject(memory_, bitmap_);
        }
    }
    ~CaptureSurface()
    {
        if (previous_) {
            SelectObject(memory_, previous_);
        }
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
        if (memory_) {
            DeleteDC(memory_);
        }
    }
    CaptureSurface(const CaptureSurface&) = delete;
    CaptureSurface& operator=(const CaptureSurface&) = delete;

    bool Valid() const { return previous_ != nullptr && bits_ != nullptr; }
    HDC Dc() const { return memory_; }

    BITMAPINFOHEADER Header() const
    {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biWidth = width_;
        header.biHeight = height_;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        header.biSizeImage = Stride() * height_;
        return header;
    }

    DWORD Stride() const { return (static_cast<DWORD>(width_) * 3 + 3) & ~3u; }
    const void* Bits() const { return bits_; }

private:
    int width_;
    int height_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

bool WriteBmp(const std::wstring& path, const CaptureSurface& surface, std::wstring* why)
{
    GdiFlush();
    const BITMAPINFOHEADER header = surface.Header();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        *why = L"cannot create the file (error " + std::to_wstring(GetLastError()) + L")";
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) && written == sizeof(file);
    ok = ok && WriteFile(out, &header, sizeof(header), &written, nullptr) && written == sizeof(header);
    ok = ok && WriteFile(out, surface.Bits(), header.biSizeImage, &written, nullptr) && written == header.biSizeImage;
    if (!ok) {
        *why = L"cannot write the file (error " + std::to_wstring(GetLastError()) + L")";
    }
    CloseHandle(out);
    return ok;
}

}  // namespace

bool CaptureWindowToBmp(HWND window, const std::wstring& path, std::wstring* why)
{
    std::wstring ignored;
    why = why ? why : &ignored;
    RECT rect = {};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        *why = L"the window has no area";
        return false;
    }
    CaptureSurface surface(rect.right - rect.left, rect.bottom - rect.top);
    if (!surface.Valid()) {
        *why = L"no memory bitmap of the window's size";
        return false;
    }
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(surface.Dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left,
                               rect.top, SRCCOPY) != FALSE;
    const DWORD error = GetLastError();
    ReleaseDC(nullptr, screen);
    if (!copied) {
        *why = L"cannot copy the screen (error " + std::to_wstring(error) + L")";
        return false;
    }
    return WriteBmp(path, surface, why);
}
