// Worker threads: the function runs with its parameter, exit codes come through, AfxEndThread
// ends the thread where it is called, and a caller-owned thread object can be waited for.
#include <gtest/gtest.h>

#include "CWinThread.h"
#include "WaitUntil.h"

#include <atomic>
#include <functional>

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
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, 60000));
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
    ASSERT_TRUE(WaitUntil([&] { return job.spins != 0; }));
    EXPECT_EQ(0u, thread->SuspendThread());  // the count before: it was running
    // A suspension takes effect asynchronously; reading the context returns once the thread has stopped.
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    ASSERT_TRUE(::GetThreadContext(thread->m_hThread, &context));
    const long frozen = job.spins;
    // A stopped thread cannot count on, however long one looks: this short look can miss a fault but
    // never fails a sound build.
    ::Sleep(50);
    EXPECT_EQ(frozen, job.spins);
    EXPECT_EQ(1u, thread->ResumeThread());  // the count before: suspended once
    EXPECT_TRUE(WaitUntil([&] { return job.spins != frozen; }));
    job.stop = true;
    EXPECT_EQ(3u, WaitForExit(thread));
    delete thread;
}

}  // namespace
