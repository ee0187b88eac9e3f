// Helpers of the skinned control tests.
#include "ControlTestSupport.h"

#include "uiSkinControl.h"

namespace {

const wchar_t kHostClass[] = L"ControlTestHost";
const wchar_t kSolidClass[] = L"ControlTestSolid";

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == UIM_EVENTNOTIFY && lParam) {
        const auto* info = reinterpret_cast<const uiEventInfo*>(lParam);
        Notices().push_back({hwnd, reinterpret_cast<HWND>(wParam), info->type, info->name ? info->name : L"",
                             info->index, info->x, info->y});
        return 1;
    }
    if (msg == kDestroyWindow) {
        DestroyWindow(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    if (msg == kRunTask) {
        (*reinterpret_cast<const std::function<void()>*>(wParam))();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT rect;
        GetClientRect(hwnd, &rect);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    windowClass.lpfnWndProc = SolidProc;
    windowClass.lpszClassName = kSolidClass;
    RegisterClassW(&windowClass);
    registered = true;
}

}  // namespace

std::vector<Notice>& Notices()
{
    static std::vector<Notice> notices;
    return notices;
}

HostWindow::HostWindow(HWND parent, int x, int y, int width, int height, DWORD style)
{
    RegisterClasses();
    const DWORD kind = parent ? WS_CHILD : WS_POPUP;
    m_hwnd = CreateWindowExW(parent ? 0 : WS_EX_TOOLWINDOW, kHostClass, L"", kind | WS_VISIBLE | style, x, y, width, height, parent,
                             parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)) : nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

HostWindow::~HostWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

HWND Stage()
{
    static HostWindow stage(nullptr, 40, 40, 400, 300);
    return stage;
}

HWND CreateSolidChild(HWND parent, const RECT& place, COLORREF color)
{
    RegisterClasses();
    HWND child = CreateWindowExW(0, kSolidClass, L"", WS_CHILD | WS_VISIBLE, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    return child;
}

uiSkinControl* SkinControl(HWND hwnd, const wchar_t* style, int typeCode)
{
    auto* control = new uiSkinControl;
    control->SetTypeCode(typeCode);
    if (control->SkinWindow(hwnd, style, TRUE, FALSE))
        return control;
    delete control;
    return nullptr;
}

long LiveGdiObjects()
{
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<long>(counted);
    // One entry of the shared handle table; an entry is in use while its type is not 0.
    struct HandleEntry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        UINT64 userPointer;
    };
    static_assert(sizeof(HandleEntry) == 24, "layout of the shared GDI handle table");
    const int kEntries = 0x10000;
    // PEB.GdiSharedHandleTable of a 32-bit process; the PEB's address is at fs:0x30.
    const BYTE* peb = nullptr;
    asm("movl %%fs:0x30, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const HandleEntry* const*>(peb + 0x94);
    if (!table)
        return -1;
    long used = 0;
    for (int i = 0; i < kEntries; ++i)
        used += table[i].type != 0;
    return used;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    // Bounded by time, not by rounds: a stream of messages would use up any number of rounds at once.
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; GetTickCount64() < deadline;) {
        PumpPending();
        if (condition())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpPending();
    return condition();
}

void PaintNow(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetWindowDC(hwnd);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return color;
}

SIZE SelectedBitmapSize(HDC dc)
{
    BITMAP info = {};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void PostMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys)
{
    PostMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
}

void ParkCursor()
{
    SetCursorPos(2, 2);
    PumpPending();
}
