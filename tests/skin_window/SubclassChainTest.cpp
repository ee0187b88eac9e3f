// The subclass chain on real windows: the order in which a message meets the objects of a window,
// what detaching restores, destruction of the window while its objects run, and windows whose chain
// emptied under someone else's subclass.
#include <gtest/gtest.h>


#include "WindowTestSupport.h"
#include "uiEngineMessages.h"
#include "uiHandleMap.h"
#include "uiSubclassWnd.h"

namespace {

WNDPROC ProcOf(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

class SubclassChain : public testing::Test {
protected:
    void SetUp() override { EventLog().clear(); }
    std::vector<std::string>& log = EventLog();
};

TEST_F(SubclassChain, MessageMeetsTheHeadThenTheOlderObjectThenTheWindow)
{
    TestWindow window;
    auto* older = new RecordingObject("A");
    auto* head = new RecordingObject("B");
    ASSERT_TRUE(older->Attach(window, TRUE));
    ASSERT_TRUE(head->Attach(window, TRUE));
    log.clear();

    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("B", kProbe), Entry("A", kProbe), Entry("window", kProbe)}));
    EXPECT_EQ(uiGetHandleMap()->Find(window), head);
}

TEST_F(SubclassChain, WhatTheHeadConsumesGoesNoFurther)
{
    TestWindow window;
    auto* older = new RecordingObject("A");
    auto* head = new RecordingObject("B");
    older->Attach(window, TRUE);
    head->Attach(window, TRUE);
    log.clear();

    EXPECT_EQ(SendMessageW(window, kConsumedByHead, 0, 0), 1);
    EXPECT_EQ(log, std::vector<std::string>{Entry("B", kConsumedByHead)});
}


TEST_F(SubclassChain, DetachingTheOlderObjectKeepsTheHeadAndTheSubclassing)
{
    TestWindow window;
    RecordingObject older("A"), head("B");
    older.Attach(window, FALSE);
    head.Attach(window, FALSE);
    older.Detach();
    log.clear();

    EXPECT_EQ(ProcOf(window), uiSubclassWndProc);
    EXPECT_EQ(uiGetHandleMap()->Find(window), &head);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("B", kProbe), Entry("window", kProbe)}));
    head.Detach();
}

TEST_F(SubclassChain, DetachingTheHeadMovesTheWindowToTheOlderObject)
{
    TestWindow window;
    RecordingObject older("A"), head("B");
    older.Attach(window, FALSE);
    head.Attach(window, FALSE);
    head.Detach();
    log.clear();

    EXPECT_EQ(uiGetHandleMap()->Find(window), &older);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("A", kProbe), Entry("window", kProbe)}));
    older.Detach();
}

TEST_F(SubclassChain, DetachingTheLastObjectPutsTheOriginalProcedureBack)
{
    TestWindow window;
    const WNDPROC original = ProcOf(window);
    auto* object = new RecordingObject("A");
    object->Attach(window, TRUE);
    object->Detach();

    EXPECT_EQ(ProcOf(window), original);
    EXPECT_TRUE(Contains(log, "A deleted"));
    EXPECT_EQ(uiGetHandleMap()->Find(window), nullptr);
}

TEST_F(SubclassChain, AttachingToANullOrDestroyedWindowFailsAndChangesNothing)
{
    RecordingObject object("A");
    EXPECT_FALSE(object.Attach(nullptr, FALSE));
    HWND gone;
    {
        TestWindow window;
        gone = window;
    }
    EXPECT_FALSE(object.Attach(gone, FALSE));
    EXPECT_FALSE(object.IsAttached());
    EXPECT_EQ(object.GetHwnd(), nullptr);
}


TEST_F(SubclassChain, ProbeIsAnsweredOneBySkinnedWindowsOnly)
{
    TestWindow skinned, plain;
    RecordingObject object("A");
    object.Attach(skinned, FALSE);
    EXPECT_EQ(SendMessageW(skinned, uiProbeMsg, 0, 0), 1);
    EXPECT_EQ(SendMessageW(plain, uiProbeMsg, 0, 0), 0);
    object.Detach();
}

TEST_F(SubclassChain, DestroyingTheWindowDeletesItsObjectsBeforeTheWindowProcedureSeesNcDestroy)
{
    TestWindow window;
    const WNDPROC original = ProcOf(window);
    auto* older = new RecordingObject("A");
    auto* head = new RecordingObject("B");
    older->Attach(window, TRUE);
    head->Attach(window, TRUE);
    HWND hwnd = window;
    log.clear();
    DestroyWindow(hwnd);

    EXPECT_EQ(log, (std::vector<std::string>{"B deleted", "A deleted", Entry("window", WM_NCDESTROY)}));
    EXPECT_EQ(ProcSeenAtNcDestroy(), original);
    EXPECT_EQ(uiGetHandleMap()->Find(hwnd), nullptr);
}

TEST_F(SubclassChain, ADeletedAttachedObjectLeavesTheChain)
{
    TestWindow window;
    RecordingObject older("A");
    older.Attach(window, FALSE);
    auto* head = new RecordingObject("B");
    head->Attach(window, FALSE);
    delete head;
    log.clear();

    EXPECT_EQ(uiGetHandleMap()->Find(window), &older);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("A", kProbe), Entry("window", kProbe)}));
    older.Detach();
}

}  // namespace
