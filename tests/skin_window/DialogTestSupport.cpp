// Helpers of the entry-function and dialog tests.
#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include "uiSkinEntry.h"

namespace {

const wchar_t kHostClass[] = L"DialogTestHost";

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE) {
        ++Host().closeRequests;
        return 0;
    }
    if (msg == WM_SYSCOMMAND && wParam == SC_MINIMIZE && lParam && Host().vetoMinimise) {
        ++Host().minimiseOffers;
        *reinterpret_cast<LONG*>(lParam) = 0;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class SkinEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kHostClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        ASSERT_EQ(uiLoadSkin(MAKEINTRESOURCEW(2029), L"SKINDB"), 1);
    }
    void TearDown() override { uiExitSkin(); }
};

const auto* const g_environment = testing::AddGlobalTestEnvironment(new SkinEnvironment);

}  // namespace

HostRecord& Host()
{
    static HostRecord record;
    return record;
}

HostWindow::HostWindow(DWORD style, HWND parent)
    : m_hwnd(CreateWindowExW(0, kHostClass, L"host", style, 100, 100, 400, 300, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr))
{
}

HostWindow::~HostWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

HWND MakeChild(HWND parent, const wchar_t* className, DWORD style, int id)
{
    return CreateWindowExW(0, className, L"child", WS_CHILD | WS_VISIBLE | style, 10, 10, 60, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

bool PumpUntil(const std::function<bool()>& done)
{
    for (int round = 0; round < 2000; ++round) {
        if (done())
            return true;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return done();
}
