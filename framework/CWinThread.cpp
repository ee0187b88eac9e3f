// Thread creation through the C runtime, so that the runtime's per-thread data is set up.
#include "CWinThread.h"

#include <process.h>

namespace {

thread_local CWinThread* t_thread = nullptr;

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC threadProc, LPVOID param) : m_threadProc(threadProc), m_param(param) {}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    if (m_hThread)
        return FALSE;
    unsigned id = 0;
    // Suspended until the handle and id are stored, so the thread never sees a half-made object.
    const uintptr_t handle = _beginthreadex(security, stackSize, &CWinThread::ThreadStart, this,
                                            createFlags | CREATE_SUSPENDED, &id);
    if (!handle)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadStart(void* self)
{
    CWinThread* thread = static_cast<CWinThread*>(self);
    t_thread = thread;
    UINT exitCode = 0;
    try {
        exitCode = thread->m_threadProc(thread->m_param);
    } catch (...) {
        exitCode = static_cast<UINT>(-1);
    }
    thread->Finish(TRUE);
    return exitCode;
}

void CWinThread::Finish(BOOL deleteObject)
{
    t_thread = nullptr;
    if (deleteObject && m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC threadProc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES security)
{
    CWinThread* thread = new CWinThread(threadProc, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

void AfxEndThread(UINT exitCode, BOOL deleteObject)
{
    if (t_thread)
        t_thread->Finish(deleteObject);
    _endthreadex(exitCode);
}
