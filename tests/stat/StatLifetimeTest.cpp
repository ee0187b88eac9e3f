// The statistics object's end while a detached report is still inside it: the destructor must not
// free what that report and the ones queued behind it still use.
#include "KwStat.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

namespace {

HANDLE g_entered;
HANDLE g_release;
std::atomic<int> g_sends{0};

// Its send is held until the test releases it; the events are globals, so that the held thread
// reads nothing of the object being destroyed.
class HeldSendStat : public ns_kw_stat::KwStat {
public:
    bool Send() override
    {
        ++g_sends;
        SetEvent(g_entered);
        WaitForSingleObject(g_release, 120000);
        return false;
    }
};

}  // namespace

TEST(StatLifetime, DestructorOutwaitsTheReportInsideAndQueuedReportsSkip)
{
    g_entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE destroyed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto* stat = new HeldSendStat;
    ASSERT_TRUE(stat->Init());
    ASSERT_TRUE(stat->CollectInstall());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_entered, 60000));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(stat->CollectUpdate());  // queued behind the held one on the object's lock

    std::thread destroyer([stat, destroyed] {
        delete stat;
        SetEvent(destroyed);
    });
    // The destructor's own wait for its threads is fixed at 12 s. Well past it the destructor must
    // still be waiting, since a report is inside the object; it returns once that report ends.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(destroyed, 20000));
    SetEvent(g_release);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(destroyed, 60000));
    destroyer.join();
    EXPECT_EQ(1, g_sends.load()) << "the queued reports were dropped";
    CloseHandle(destroyed);
    CloseHandle(g_release);
    CloseHandle(g_entered);
}
