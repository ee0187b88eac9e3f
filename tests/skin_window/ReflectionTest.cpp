// Reflection of a parent's notifications to the child they are about: which messages go to which
// child, when the child's answer replaces the parent's processing, and how the child's chain passes
// a reflected call on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WindowTestSupport.h"
#include "uiEngineMessages.h"
#include "uiSubclassWnd.h"

namespace {

const int kChildId = 101;

class Reflection : public testing::Test {
protected:
    void SetUp() override
    {
        EventLog().clear();
        parentSkin.Attach(parent, FALSE);
        childSkin.Attach(child, FALSE);
    }
    void TearDown() override
    {
        childSkin.Detach();
        parentSkin.Detach();
    }

    TestWindow parent;
    TestWindow child{parent, kChildId};
    RecordingObject parentSkin{"parent"};
    RecordingObject childSkin{"child"};
    std::vector<std::string>& log = EventLog();
};

TEST_F(Reflection, ACommandFromAChildReachesTheChildsChainAndThenTheParent)
{
    const LRESULT result =
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(child.Get()));

    EXPECT_EQ(result, kOriginalAnswer);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("child reflected", WM_COMMAND), Entry("window", WM_COMMAND)}));
    EXPECT_EQ(childSkin.lastNotifyCode, static_cast<UINT>(BN_CLICKED));
    EXPECT_EQ(childSkin.lastControlId, static_cast<UINT>(kChildId));
    EXPECT_EQ(childSkin.lastControl, child.Get());
}

TEST_F(Reflection, AMenuCommandIsNotReflected)
{
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(log, std::vector<std::string>{Entry("window", WM_COMMAND)});
}

TEST_F(Reflection, AClaimedNotificationReplacesTheParentsProcessing)
{
    childSkin.claim = true;
    childSkin.reflectedAnswer = 77;
    NMHDR header = {child, kChildId, static_cast<UINT>(NM_CLICK)};

    EXPECT_EQ(SendMessageW(parent, WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(log, std::vector<std::string>{Entry("child reflected", WM_NOTIFY)});
    EXPECT_EQ(childSkin.lastNotifyCode, static_cast<UINT>(NM_CLICK));
}

TEST_F(Reflection, AnAnswerWithoutTheHandledFlagLeavesTheMessageToTheParent)
{
    childSkin.reflectedAnswer = 77;
    NMHDR header = {child, kChildId, static_cast<UINT>(NM_CLICK)};

    SendMessageW(parent, WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(log, (std::vector<std::string>{Entry("child reflected", WM_NOTIFY), Entry("window", WM_NOTIFY)}));
}


TEST_F(Reflection, OwnerDrawForAMenuIsNotReflected)
{
    childSkin.claim = true;
    childSkin.reflectedAnswer = 1;
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.hwndItem = child;

    SendMessageW(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(log, std::vector<std::string>{Entry("window", WM_DRAWITEM)});
}

TEST_F(Reflection, OwnerDrawOfAControlGoesToItsItemWindow)
{
    childSkin.claim = true;
    childSkin.reflectedAnswer = 1;
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kChildId;
    item.hwndItem = child;

    EXPECT_EQ(SendMessageW(parent, WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_EQ(log, std::vector<std::string>{Entry("child reflected", WM_DRAWITEM)});
}

TEST_F(Reflection, MeasureItemFindsTheChildByItsControlId)
{
    childSkin.claim = true;
    childSkin.reflectedAnswer = 1;
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = kChildId;

    EXPECT_EQ(SendMessageW(parent, WM_MEASUREITEM, kChildId, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_EQ(log, std::vector<std::string>{Entry("child reflected", WM_MEASUREITEM)});
}

TEST_F(Reflection, ColourMessagesOfEditsAndStaticsAreReflectedButNotThoseOfButtons)
{
    HDC dc = GetDC(child);
    SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child.Get()));
    SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child.Get()));
    SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child.Get()));
    ReleaseDC(child, dc);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("child reflected", WM_CTLCOLORSTATIC),
                                             Entry("child reflected", WM_CTLCOLOREDIT)}));
}

TEST_F(Reflection, TheReflectedRecordCarriesTheParentsMessage)
{
    struct Inspector : RecordingObject {
        Inspector() : RecordingObject("inspector") {}
        LRESULT OnReflectedMessage(UINT msg, WPARAM wParam, uiReflectInfo* info) override
        {
            seen = *info;
            seenMsg = msg;
            seenWParam = wParam;
            return 0;
        }
        uiReflectInfo seen = {};
        UINT seenMsg = 0;
        WPARAM seenWParam = 0;
    } inspector;
    inspector.Attach(child, FALSE);

    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), reinterpret_cast<LPARAM>(child.Get()));
    EXPECT_EQ(inspector.seenMsg, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(inspector.seenWParam, MAKEWPARAM(SB_THUMBTRACK, 33));
    EXPECT_EQ(inspector.seen.msg, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(inspector.seen.lParam, reinterpret_cast<LPARAM>(child.Get()));
    EXPECT_FALSE(inspector.seen.handled);
    inspector.Detach();
}

TEST_F(Reflection, AReflectedCallPassesOnToTheOlderObjectOfTheChild)
{
    RecordingObject head("head");
    head.passReflected = true;
    head.Attach(child, FALSE);
    childSkin.claim = true;
    childSkin.reflectedAnswer = 5;
    NMHDR header = {child, kChildId, static_cast<UINT>(NM_RETURN)};

    EXPECT_EQ(SendMessageW(parent, WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header)), 5);
    EXPECT_EQ(log, (std::vector<std::string>{Entry("head reflected", WM_NOTIFY), Entry("child reflected", WM_NOTIFY)}));
    head.Detach();
}



}  // namespace
