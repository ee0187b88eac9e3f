// CWinApp: the one application object of a process. Its constructor makes it the application that
// the process's wWinMain (defined with it) runs: InitInstance, then Run's message loop when
// InitInstance returned TRUE, and ExitInstance in either case.
//
// The executable links with -municode, so that the C runtime's start-up calls wWinMain.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The message loop; returns ExitInstance's result when the thread quits.
    virtual int Run();
    // The process's exit code.
    virtual int ExitInstance();

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program's name; never null while the application runs.
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
// Registers a window class; a class that is already registered for the module counts as success.
BOOL AfxRegisterClass(const WNDCLASSW* windowClass);
// What wWinMain does with the application object, callable with any arguments.
int AfxWinMain(HINSTANCE instance, LPWSTR commandLine, int cmdShow);
