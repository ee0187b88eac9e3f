// Helpers of the frame dialog and control bookkeeping tests.
#include "MiscTestSupport.h"

#include <commctrl.h>

#include "ControlTestSupport.h"
#include "uiSkinAdmin.h"
#include "uiSkinEntry.h"

namespace {

UINT g_counted = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == g_counted && g_counted != 0)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_USERDATA) + 1);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void MiscSkin::SetUpTestSuite()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2041), L"SKINDB"));
}

void MiscSkin::SetUp()
{
    // A child of the one stage window: a top-level window that goes makes Wine wait for the display.
    m_host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, Stage(),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_host, nullptr);
}

void MiscSkin::TearDown()
{
    if (IsWindow(m_host))
        DestroyWindow(m_host);
    PumpPending();
}

HWND MiscSkin::MakeControl(const wchar_t* className, DWORD style, const RECT& place, int code, DWORD exStyle)
{
    const HWND control = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                         place.right - place.left, place.bottom - place.top, m_host,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), GetModuleHandleW(nullptr),
                                         nullptr);
    if (!control)
        return nullptr;
    uiAttachParentSkin(control);
    uiSkinWindow(control, code, nullptr, FALSE);
    return control;
}

HWND MakeCountingWindow(HWND parent, const wchar_t* className, UINT counted)
{
    g_counted = counted;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

int CountOf(HWND window)
{
    return static_cast<int>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
