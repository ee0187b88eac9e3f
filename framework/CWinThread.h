// Worker threads: AfxBeginThread starts a function with one parameter on a new thread and returns
// the thread's object. By default the object deletes itself (and closes its handle) when the
// thread ends, by returning from its function or through AfxEndThread; a caller that keeps using
// the object after that starts the thread suspended, clears m_bAutoDelete, resumes it and deletes
// the object itself.
#pragma once

#include <windows.h>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC threadProc, LPVOID param);
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    friend void AfxEndThread(UINT exitCode, BOOL deleteObject);
    static unsigned __stdcall ThreadStart(void* self);
    // The end of the thread's own life: the object goes when it deletes itself.
    void Finish(BOOL deleteObject);

    AFX_THREADPROC m_threadProc;
    LPVOID m_param;
};

// Null when the thread could not be created.
CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
// Ends the calling thread, which AfxBeginThread started, with the exit code; its object is deleted
// when deleteObject is set and the object deletes itself. Objects on the thread's stack are not
// destroyed.
void AfxEndThread(UINT exitCode, BOOL deleteObject = TRUE);
