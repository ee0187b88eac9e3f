// The application object and its run.
#include "CWinApp.h"

#include "CWnd.h"

namespace {

CWinApp* g_app = nullptr;
wchar_t g_emptyCommandLine[1] = {};

}  // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_exitCode; }

int CWinApp::Run()
{
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        CWnd* target = CWnd::FromHandlePermanent(msg.hwnd);
        if (target && target->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_exitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

BOOL AfxRegisterClass(const WNDCLASSW* windowClass)
{
    WNDCLASSW existing;
    if (::GetClassInfoW(windowClass->hInstance, windowClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(windowClass) != 0;
}

int AfxWinMain(HINSTANCE instance, LPWSTR commandLine, int cmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : g_emptyCommandLine;
    app->m_nCmdShow = cmdShow;
    try {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (...) {
        return -1;
    }
}

// The process's entry point (the C runtime calls it in programs linked with -municode). It lives
// here rather than in a file of its own because the runtime's reference to it comes after the
// framework library in the link: only a file that the program pulls in anyway is searched.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int cmdShow)
{
    return AfxWinMain(instance, commandLine, cmdShow);
}
