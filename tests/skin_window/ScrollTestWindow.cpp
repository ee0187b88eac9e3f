// Test window, bar removal and DIB canvas of the custom scroll-bar tests.
#include "ScrollTestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const wchar_t kClass[] = L"CsbTestWindow";

void RegisterOnce()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    done = true;
}

// Test windows are children of one top-level host at the screen's origin, so that their client
// coordinates in the host are screen coordinates. Destroying a top-level window makes Wine wait
// for a window manager that Xvfb does not run; children go at once.
class Host {
public:
    Host()
    {
        m_hwnd = CreateWindowExW(0, kClass, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1100, 750, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~Host() { DestroyWindow(m_hwnd); }
    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

}  // namespace

HWND ScrollTestHost()
{
    RegisterOnce();
    static Host host;
    return host.hwnd();
}

HWND CreateScrollTestChild(int x, int y, int w, int h, DWORD style, DWORD exStyle)
{
    return CreateWindowExW(exStyle, kClass, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, ScrollTestHost(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

ScrollTestWindow::ScrollTestWindow(int x, int y, int w, int h, DWORD style, DWORD exStyle)
{
    m_hwnd = CreateScrollTestChild(x, y, w, h, WS_BORDER | style, exStyle);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    PumpPending();
}

ScrollTestWindow::~ScrollTestWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
    PumpPending();
}

RECT ScrollTestWindow::ScreenClient() const
{
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool ScrollTestWindow::PumpUntil(const std::function<bool()>& pred)
{
    // A minute: far more than a loaded machine needs.
    const ULONGLONG start = GetTickCount64();
    while (!pred()) {
        if (GetTickCount64() - start > 60000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

void ScrollTestWindow::PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK ScrollTestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ScrollTestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        self->passedOn.push_back(msg);
        if (self->onMessage)
            self->onMessage(msg);
        if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
            self->scrolls.push_back({msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
            if (self->onScroll)
                self->onScroll(self->scrolls.back());
            return 0;
        }
        if (msg == WM_NOTIFY) {
            const auto* info = reinterpret_cast<const CustomSBDrawInfo*>(lParam);
            if (info->hdr.code == kCsbCustomDrawCode) {
                self->notes.push_back({info->drawStage, info->item, info->itemState, info->bar, info->rect, wParam,
                                       static_cast<int>(info->hdr.idFrom)});
                if (self->onNote)
                    self->onNote(self->notes.back());
                return info->drawStage == kCsbStagePrePaint ? self->prePaintAnswer : 0;
            }
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

BarRemoval::~BarRemoval()
{
    if (m_block)
        HeapFree(GetProcessHeap(), 0, m_block);
}

void BarRemoval::Remove(HWND hwnd)
{
    void* freed = GetPropW(hwnd, L"CustomSBSubclassPtr");
    ASSERT_NE(nullptr, freed);
    ASSERT_EQ(S_OK, uiCsbUninit(hwnd));
    std::vector<void*> others;
    for (int i = 0; i < 16 && !m_block; ++i) {
        void* block = HeapAlloc(GetProcessHeap(), 0, sizeof(CustomSBWnd));
        if (block == freed) {
            std::memset(block, kPattern, sizeof(CustomSBWnd));
            m_block = block;
        } else {
            others.push_back(block);
        }
    }
    for (void* block : others)
        HeapFree(GetProcessHeap(), 0, block);
    m_removed = true;
}

bool BarRemoval::Untouched() const
{
    const auto* bytes = static_cast<const unsigned char*>(m_block);
    for (size_t i = 0; m_block && i < sizeof(CustomSBWnd); ++i)
        if (bytes[i] != kPattern)
            return false;
    return true;
}

DibCanvas::DibCanvas(int w, int h) : m_w(w)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    m_old = SelectObject(m_dc, m_bmp);
}

DibCanvas::~DibCanvas()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bmp);
    DeleteDC(m_dc);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    GdiFlush();
    const DWORD v = m_bits[y * m_w + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}
