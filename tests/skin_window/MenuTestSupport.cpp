// Helpers of the menu tests.
#include "MenuTestSupport.h"

#include <cstdlib>

namespace {

const wchar_t kOwnerClass[] = L"MenuTestOwner";
const UINT kTickMs = 10;
const int kMaxTicks = 2000;
const UINT kMenuGetMenu = 0x1E1;

std::function<bool()> g_step;
int g_ticks = 0;
bool g_finished = false;
UINT_PTR g_timer = 0;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_finished)
        return;
    if (g_step()) {
        g_finished = true;
        return;
    }
    if (++g_ticks >= kMaxTicks) {
        g_finished = true;
        EndMenu();
    }
}

struct MenuSearch {
    HMENU menu;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<MenuSearch*>(lParam);
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(hwnd)
        && reinterpret_cast<HMENU>(SendMessageW(hwnd, kMenuGetMenu, 0, 0)) == search->menu) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MenuOwner::MenuOwner(WNDPROC procedure, int x, int y, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = kOwnerClass;
        RegisterClassW(&windowClass);
        registered = true;
    }
    m_hwnd = CreateWindowExW(0, kOwnerClass, L"menu owner", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetForegroundWindow(m_hwnd);
    SetActiveWindow(m_hwnd);
    UpdateWindow(m_hwnd);
}

MenuOwner::~MenuOwner()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

bool RunDuringMenu(const std::function<bool()>& step, const std::function<void()>& track)
{
    g_step = step;
    g_ticks = 0;
    g_finished = false;
    g_timer = SetTimer(nullptr, 0, kTickMs, OnTick);
    track();
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    const bool onItsOwn = g_finished && g_ticks < kMaxTicks;
    g_step = nullptr;
    return onItsOwn;
}

void PumpUntilStepsFinish()
{
    MSG msg = {};
    while (!g_finished && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND FindMenuWindow(HMENU menu)
{
    MenuSearch search = {menu, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT ItemRectInWindow(HMENU menu, int position, HWND menuWindow)
{
    RECT item = {};
    // No window: the menu's own window is the reference.
    GetMenuItemRect(nullptr, menu, position, &item);
    RECT window = {};
    GetWindowRect(menuWindow, &window);
    OffsetRect(&item, -window.left, -window.top);
    return item;
}

void PostKey(HWND hwnd, UINT key)
{
    PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

WindowCapture::WindowCapture(HWND hwnd, Source source)
{
    if (source == kScreen)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    if (m_width <= 0 || m_height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDC = GetWindowDC(hwnd);
    HDC memory = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (source == kScreen)
        BitBlt(memory, 0, 0, m_width, m_height, windowDC, 0, 0, SRCCOPY);
    else
        SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_NONCLIENT | PRF_CLIENT);
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    m_pixels.assign(pixels, pixels + static_cast<size_t>(m_width) * m_height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, windowDC);
}

COLORREF WindowCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0xFFFFFFFF;
    const DWORD pixel = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool SameColor(COLORREF actual, COLORREF expected)
{
    if (actual == 0xFFFFFFFF)
        return false;
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= 8
           && std::abs(GetGValue(actual) - GetGValue(expected)) <= 8
           && std::abs(GetBValue(actual) - GetBValue(expected)) <= 8;
}
