// Helpers of the scroll window tests.
#include "ScrollWndTestSupport.h"

#include "uiApiLoader.h"
#include "uiSkinAdmin.h"

bool LoadScrollTestSkin()
{
    static const bool loaded = [] {
        uiApiLoader::Load();
        return uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2031), L"SKINDB") != FALSE;
    }();
    return loaded;
}

ScrollOwner::ScrollOwner(int x, int y, int w, int h)
{
    m_hwnd = CreateScrollTestChild(x, y, w, h, WS_CLIPCHILDREN);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
}

ScrollOwner::~ScrollOwner()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
    ScrollTestWindow::PumpPending();
}

LRESULT CALLBACK ScrollOwner::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ScrollOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (msg == WM_HSCROLL || msg == WM_VSCROLL)) {
        const ScrollNote note{msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam)};
        self->notes.push_back(note);
        if (self->follow)
            self->Follow(note);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void ScrollOwner::Follow(const ScrollNote& note)
{
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    SendMessageW(note.from, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
    int pos = si.nPos;
    switch (note.code) {
    case SB_LINEUP:
        --pos;
        break;
    case SB_LINEDOWN:
        ++pos;
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(si.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = note.pos;
        break;
    default:
        return;
    }
    SCROLLINFO change{sizeof(change), SIF_POS, 0, 0, 0, pos, 0};
    SendMessageW(note.from, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&change));
}

SIZE WindowSize(HWND hwnd)
{
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

std::unique_ptr<DibCanvas> WindowPixels(HWND hwnd)
{
    const SIZE size = WindowSize(hwnd);
    auto canvas = std::make_unique<DibCanvas>(size.cx, size.cy);
    HDC dc = GetWindowDC(hwnd);
    BitBlt(canvas->dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return canvas;
}
