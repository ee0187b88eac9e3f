// Helpers of the button, progress and animation tests.
#include "ButtonTestSupport.h"

#include "uiEngineMessages.h"
#include "uiSkinAdmin.h"

namespace {

const wchar_t kHostClass[] = L"ButtonTestHost";

// One visible top-level window for the whole process: showing and destroying a top-level window
// under Wine waits on the X server, a child panel per test does not.
HWND Frame()
{
    static const HWND frame =
        CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400,
                        300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return frame;
}

}  // namespace

void LoadButtonSkin()
{
    static BOOL loaded = uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB");
    (void)loaded;
}

HostWindow::HostWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = kHostClass;
        RegisterClassW(&windowClass);
        registered = true;
    }
    m_hwnd = CreateWindowExW(0, kHostClass, L"host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
                             Frame(), nullptr, GetModuleHandleW(nullptr), this);
    // The parent skin that every skinned dialog has: it reflects the children's notifications.
    (new uiSkinBase)->Attach(m_hwnd, TRUE);
}

HostWindow::~HostWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

HWND HostWindow::AddChild(int id, DWORD style, int x, int y, int width, int height, const wchar_t* cls)
{
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host && msg != WM_NCCREATE)
        return host->Handle(msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT HostWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const HWND control = reinterpret_cast<HWND>(lParam);
    switch (msg) {
    case WM_COMMAND:
        commands.push_back({HIWORD(wParam), LOWORD(wParam), control});
        if (control && control == m_gate && HIWORD(wParam) == BN_CLICKED)
            EnableWindow(m_gated, SendMessageW(m_gate, BM_GETCHECK, 0, 0) == BST_CHECKED);
        if (control && m_destroyOnCommand) {
            m_destroyOnCommand = false;
            DestroyWindow(control);
            if (afterDestroy)
                afterDestroy();
        }
        return 0;
    case WM_DRAWITEM:
        ++drawItems;
        return TRUE;
    case UIM_SPLITDROPDOWN:
        dropDowns.push_back(reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

BOOL SkinAs(uiSkinBase* object, HWND hwnd, int code, const wchar_t* style)
{
    object->SetTypeCode(code);
    return object->SkinWindow(hwnd, style, TRUE, FALSE);
}

void PlaceCursor(HWND hwnd, int x, int y)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    SetCursorPos(rect.left + x, rect.top + y);
}

void ParkCursor()
{
    SetCursorPos(1200, 780);
}

LRESULT SendMouse(HWND hwnd, UINT msg, int x, int y)
{
    const WPARAM keys = msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    return SendMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
}

void Click(HWND hwnd, int x, int y)
{
    PlaceCursor(hwnd, x, y);
    SendMouse(hwnd, WM_MOUSEMOVE, x, y);
    SendMouse(hwnd, WM_LBUTTONDOWN, x, y);
    SendMouse(hwnd, WM_LBUTTONUP, x, y);
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    UpdateWindow(hwnd);
    HDC windowDC = GetWindowDC(hwnd);
    const COLORREF color = GetPixel(windowDC, x, y);
    ReleaseDC(hwnd, windowDC);
    return color;
}
