// Helpers of the window skinning tests.
#include "WindowTestSupport.h"

#include <algorithm>

namespace {

const wchar_t kClassName[] = L"SkinWindowTestClass";
WNDPROC procAtNcDestroy = nullptr;

void RegisterTestClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    registered = true;
}

}  // namespace

std::vector<std::string>& EventLog()
{
    static std::vector<std::string> log;
    return log;
}

std::string Entry(const std::string& who, UINT msg)
{
    return who + " " + std::to_string(msg);
}

void Record(const std::string& who, UINT msg)
{
    EventLog().push_back(Entry(who, msg));
}

bool Contains(const std::vector<std::string>& log, const std::string& entry)
{
    return std::find(log.begin(), log.end(), entry) != log.end();
}

WNDPROC ProcSeenAtNcDestroy()
{
    return procAtNcDestroy;
}

LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY)
        procAtNcDestroy = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    switch (msg) {
    case kProbe:
    case kConsumedByHead:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_NOTIFY:
    case WM_NCDESTROY:
        Record("window", msg);
        break;
    default:
        break;
    }
    if (msg == kProbe || msg == kConsumedByHead || msg == WM_COMMAND)
        return kOriginalAnswer;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TestWindow::TestWindow(HWND parent, int id)
{
    RegisterTestClass();
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    m_hwnd = CreateWindowExW(0, kClassName, L"test", style, 10, 10, parent ? 60 : 300, parent ? 20 : 200, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
}

RecordingObject::~RecordingObject()
{
    EventLog().push_back(m_name + " deleted");
}

LRESULT RecordingObject::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe || msg == kConsumedByHead)
        Record(m_name, msg);
    if (msg == kConsumedByHead)
        return 1;
    return uiSubclassWnd::WindowProc(msg, wParam, lParam);
}

LRESULT RecordingObject::Answer(uiReflectInfo* info)
{
    if (claim && info)
        info->handled = TRUE;
    return reflectedAnswer;
}

LRESULT RecordingObject::OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info)
{
    Record(m_name + " reflected", msg);
    if (passReflected)
        return uiSubclassWnd::OnReflectedMessage(msg, wParam, info);
    return Answer(info);
}

LRESULT RecordingObject::OnReflectedCommand(UINT notifyCode, UINT controlId, HWND control)
{
    Record(m_name + " reflected", WM_COMMAND);
    lastNotifyCode = notifyCode;
    lastControlId = controlId;
    lastControl = control;
    if (passReflected)
        return uiSubclassWnd::OnReflectedCommand(notifyCode, controlId, control);
    // A command carries no record to claim; a non-zero answer is never taken without one.
    return reflectedAnswer;
}

LRESULT RecordingObject::OnReflectedNotify(uiReflectInfo* info, NMHDR* header)
{
    Record(m_name + " reflected", WM_NOTIFY);
    lastNotifyCode = header ? header->code : 0;
    if (passReflected)
        return uiSubclassWnd::OnReflectedNotify(info, header);
    return Answer(info);
}
