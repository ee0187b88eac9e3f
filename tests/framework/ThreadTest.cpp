// Worker threads: the function runs with its parameter, exit codes come through, AfxEndThread
// ends the thread where it is called, and a caller-owned thread object can be waited for.
#include <gtest/gtest.h>

#include "CWinThread.h"

#include <atomic>

namespace {

struct Job {
    std::atomic<int> runs{0};
    std::atomic<bool> afterEnd{false};
    std::atomic<long> spins{0};
    std::atomic<bool> stop{false};
};

UINT __cdecl ReturnsParameterValue(LPVOID param)
{
    Job* job = static_cast<Job*>(param);
    return static_cast<UINT>(++job->runs + 40);
}

UINT __cdecl EndsEarly(LPVOID param)
{
    Job* job = static_cast<Job*>(param);
    ++job->runs;
    AfxEndThread(7);
    job->afterEnd = true;
    return 0;
}

UINT __cdecl Spins(LPVOID param)
{
    Job* job = static_cast<Job*>(param);
    while (!job->stop)
        ++job->spins;
    return 3;
}

// Starts suspended and owned by the caller, so the handle stays valid until the object is deleted.
CWinThread* StartOwned(AFX_THREADPROC proc, Job& job)
{
    CWinThread* thread = AfxBeginThread(proc, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread) {
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
    }
    return thread;
}

DWORD WaitForExit(CWinThread* thread)
{
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, 5000));
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    return code;
}

TEST(WorkerThread, RunsTheFunctionWithItsParameterAndKeepsItsExitCode)
{
    Job job;
    CWinThread* thread = StartOwned(ReturnsParameterValue, job);
    ASSERT_NE(nullptr, thread);
    EXPECT_NE(0u, thread->m_nThreadID);
    EXPECT_EQ(41u, WaitForExit(thread));
    EXPECT_EQ(1, job.runs);
    delete thread;
}

TEST(WorkerThread, EndThreadStopsTheThreadWithItsCode)
{
    Job job;
    CWinThread* thread = StartOwned(EndsEarly, job);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(7u, WaitForExit(thread));
    EXPECT_EQ(1, job.runs);
    EXPECT_FALSE(job.afterEnd);
    delete thread;
}

TEST(WorkerThread, SuspendAndResumeReachTheThread)
{
    Job job;
    CWinThread* thread = StartOwned(Spins, job);
    ASSERT_NE(nullptr, thread);
    while (job.spins == 0)
        ::Sleep(1);
    thread->SuspendThread();
    const long frozen = job.spins;
    ::Sleep(50);
    EXPECT_EQ(frozen, job.spins);
    thread->ResumeThread();
    while (job.spins == frozen)
        ::Sleep(1);
    job.stop = true;
    EXPECT_EQ(3u, WaitForExit(thread));
    delete thread;
}

}  // namespace
