// Event items against a recording owner: the state machine of enter, leave, press and release, its
// redraws, tooltips, cursors and notifications, hit tests, and the event list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "SkinTestSupport.h"
#include "StyleTestSupport.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayEventList.h"
#include "uiDisplayRect.h"

namespace {

// Records every call an event item makes on its owner, in order.
class RecordingOwner : public uiEventItemOwner {
public:
    struct Notification {
        BOOL toParent;
        int type;
        HWND hwnd;
        CString name;
        int index;
        DWORD itemStateAtSend;
    };

    HWND GetOwnerWindow() const override { return window; }
    void SetDirty() override { ++dirtyCount; }
    void Invalidate(const RECT* rect) override
    {
        invalidations.push_back(rect ? *rect : RECT{-1, -1, -1, -1});
    }
    BOOL IsItemListType() const override { return listType; }
    void ShowToolTip(const CString& text) override { tooltips.push_back(L"show:" + text); }
    void HideToolTip() override { tooltips.push_back(L"hide"); }
    int ItemFromPoint(POINT point) override { return point.y / 10; }
    void SendEventNotify(BOOL toParent, uiEventInfo* info) override
    {
        notifications.push_back({toParent, info->type, info->hwnd, info->name, info->index,
                                 watched ? watched->GetState() : 0});
        if (onNotify)
            onNotify();
    }

    HWND window = reinterpret_cast<HWND>(0x1234);
    BOOL listType = FALSE;
    const uiDisplayEventItem* watched = nullptr;
    // The application's answer to a notification.
    std::function<void()> onNotify;
    int dirtyCount = 0;
    std::vector<RECT> invalidations;
    std::vector<CString> tooltips;
    std::vector<Notification> notifications;
};

uiEventInfo Event(int type, int x = 0, int y = 0)
{
    uiEventInfo info;
    info.type = type;
    info.x = x;
    info.y = y;
    return info;
}

class EventItemFixture : public testing::Test {
protected:
    void SetUp() override
    {
        item.m_name = L"close";
        item.m_left = 10;
        item.m_top = 20;
        item.m_width = 30;
        item.m_height = 40;
        RECT parent = {0, 0, 200, 100};
        item.CalcRect(parent);
        item.SetOwner(&owner);
        owner.watched = &item;
    }
    int Send(int type, int x = 15, int y = 25)
    {
        uiEventInfo info = Event(type, x, y);
        return item.OnEvent(&info);
    }

    RecordingOwner owner;
    uiDisplayEventItem item;
};

using EventStates = EventItemFixture;

TEST_F(EventStates, EnterNotifiesBeforeGoingOverAndShowsTheTooltip)
{
    item.m_tooltips = L"Close the window";
    EXPECT_EQ(Send(UI_EVENT_MOUSEENTER, 15, 37), 1);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_OVER));
    EXPECT_TRUE(item.IsHovered());
    ASSERT_EQ(owner.notifications.size(), 1u);
    const auto& sent = owner.notifications[0];
    EXPECT_EQ(sent.type, UI_EVENT_MOUSEENTER);
    EXPECT_EQ(sent.hwnd, owner.window);
    EXPECT_EQ(sent.name, CString(L"close"));
    EXPECT_EQ(sent.index, 3);
    EXPECT_FALSE(sent.toParent);
    EXPECT_EQ(sent.itemStateAtSend, static_cast<DWORD>(UI_STATE_NORMAL));
    ASSERT_EQ(owner.tooltips.size(), 1u);
    EXPECT_EQ(owner.tooltips[0], CString(L"show:Close the window"));
    EXPECT_EQ(owner.dirtyCount, 1);
    ASSERT_EQ(owner.invalidations.size(), 1u);
    EXPECT_EQ(owner.invalidations[0].left, 10);
    EXPECT_EQ(owner.invalidations[0].top, 20);
    EXPECT_EQ(owner.invalidations[0].right, 40);
    EXPECT_EQ(owner.invalidations[0].bottom, 60);
}

TEST_F(EventStates, LeaveNotifiesGoesNormalHidesTheTooltipAndSetsTheArrow)
{
    item.m_tooltips = L"tip";
    Send(UI_EVENT_MOUSEENTER);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(Send(UI_EVENT_MOUSELEAVE), 1);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
    EXPECT_FALSE(item.IsHovered());
    ASSERT_EQ(owner.notifications.size(), 2u);
    EXPECT_EQ(owner.notifications[1].type, UI_EVENT_MOUSELEAVE);
    EXPECT_EQ(owner.notifications[1].itemStateAtSend, static_cast<DWORD>(UI_STATE_OVER));
    ASSERT_EQ(owner.tooltips.size(), 2u);
    EXPECT_EQ(owner.tooltips[1], CString(L"hide"));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(EventStates, PressThenReleaseOverTheItemGoesDownThenOverThenClicks)
{
    Send(UI_EVENT_MOUSEENTER);
    owner.notifications.clear();
    EXPECT_EQ(Send(UI_EVENT_LBUTTONDOWN), 1);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_DOWN));
    EXPECT_EQ(Send(UI_EVENT_LBUTTONUP), 1);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_OVER));
    EXPECT_TRUE(owner.notifications.empty());
    EXPECT_EQ(Send(UI_EVENT_CLICK), 0);
    ASSERT_EQ(owner.notifications.size(), 1u);
    EXPECT_EQ(owner.notifications[0].type, UI_EVENT_CLICK);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_OVER));
    // Enter, press and release each redrew.
    EXPECT_EQ(owner.dirtyCount, 3);
}

TEST_F(EventStates, PressDragOutAndReleaseOutsideEndsNormalWithoutClick)
{
    Send(UI_EVENT_MOUSEENTER);
    Send(UI_EVENT_LBUTTONDOWN);
    Send(UI_EVENT_MOUSELEAVE, 300, 300);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
    Send(UI_EVENT_LBUTTONUP, 300, 300);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
    std::vector<int> types;
    for (const auto& sent : owner.notifications)
        types.push_back(sent.type);
    EXPECT_EQ(types, (std::vector<int>{UI_EVENT_MOUSEENTER, UI_EVENT_MOUSELEAVE}));
}

TEST_F(EventStates, EmptyTooltipAndCursorChangeOnlyTheState)
{
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(wait);
    Send(UI_EVENT_MOUSEENTER);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_OVER));
    EXPECT_TRUE(owner.tooltips.empty());
    EXPECT_EQ(GetCursor(), wait);
    Send(UI_EVENT_MOUSELEAVE);
    EXPECT_TRUE(owner.tooltips.empty());
}

TEST_F(EventStates, UnknownCursorNameGivesTheArrow)
{
    item.m_cursor = L"no-such-cursor";
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    Send(UI_EVENT_MOUSEENTER);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(EventStates, DoubleClickNotifiesOtherEventsAreNotConsumed)
{
    EXPECT_EQ(Send(UI_EVENT_DBLCLICK), 0);
    ASSERT_EQ(owner.notifications.size(), 1u);
    EXPECT_EQ(owner.notifications[0].type, UI_EVENT_DBLCLICK);
    EXPECT_EQ(Send(UI_EVENT_RBUTTONDOWN), 0);
    EXPECT_EQ(Send(UI_EVENT_RBUTTONUP), 0);
    EXPECT_EQ(Send(7), 0);
    EXPECT_EQ(Send(42), 0);
    EXPECT_EQ(Send(UI_EVENT_SETCURSOR), 1);
    EXPECT_EQ(owner.notifications.size(), 1u);
    EXPECT_EQ(owner.dirtyCount, 0);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_NORMAL));
}

TEST_F(EventStates, SendParentFlagReachesTheOwner)
{
    item.m_sendParent = TRUE;
    Send(UI_EVENT_CLICK);
    ASSERT_EQ(owner.notifications.size(), 1u);
    EXPECT_TRUE(owner.notifications[0].toParent);
}

TEST_F(EventStates, ListTypeOwnersRedrawTheWholeWindow)
{
    owner.listType = TRUE;
    Send(UI_EVENT_MOUSEENTER);
    ASSERT_EQ(owner.invalidations.size(), 1u);
    EXPECT_EQ(owner.invalidations[0].left, -1);
}

// The application's answer to a notification may reload the owner's style, which frees the item with
// the style's copy: nothing of the item is touched after the answer.
TEST(EventItemFreedByTheAnswer, IsNotTouchedAfterItsNotification)
{
    for (int type : {UI_EVENT_MOUSEENTER, UI_EVENT_MOUSELEAVE, UI_EVENT_CLICK, UI_EVENT_DBLCLICK}) {
        alignas(uiDisplayEventItem) unsigned char storage[sizeof(uiDisplayEventItem)];
        auto* item = new (storage) uiDisplayEventItem;
        item->m_tooltips = L"tip";
        RecordingOwner owner;
        item->SetOwner(&owner);
        owner.onNotify = [&] {
            // Its memory is cleared once it has gone, so that any later write shows.
            item->~uiDisplayEventItem();
            std::memset(storage, 0, sizeof(storage));
        };
        uiEventInfo info = Event(type);
        item->OnEvent(&info);
        EXPECT_EQ(owner.notifications.size(), 1u) << type;
        EXPECT_TRUE(std::all_of(storage, storage + sizeof(storage), [](unsigned char b) { return b == 0; }))
            << type;
        EXPECT_EQ(owner.dirtyCount, 0) << type;
        EXPECT_TRUE(owner.tooltips.empty()) << type;
    }
}

TEST(EventItemWithoutOwner, ChangesOnlyItsState)
{
    uiDisplayEventItem item;
    item.m_tooltips = L"tip";
    uiEventInfo enter = Event(UI_EVENT_MOUSEENTER);
    EXPECT_EQ(item.OnEvent(&enter), 1);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_OVER));
    EXPECT_EQ(enter.hwnd, nullptr);
    uiEventInfo press = Event(UI_EVENT_LBUTTONDOWN);
    item.OnEvent(&press);
    EXPECT_EQ(item.GetState(), static_cast<DWORD>(UI_STATE_DOWN));
    EXPECT_EQ(item.OnEvent(nullptr), 0);
}

TEST(EventHitTests, StateMaskMustShareABitWithTheControlState)
{
    uiDisplayEventItem item;
    item.m_left = 0;
    item.m_top = 5;
    item.m_width = 20;
    item.m_height = 10;
    item.SetStateMask(UI_STATE_OVER);
    RECT parent = {0, 0, 100, 30};
    item.CalcRect(parent);
    RECT row = {0, 100, 100, 130};
    item.SetHitRect(row);
    // Moved down by the row's top, cut to the row.
    EXPECT_EQ(item.GetHitRect().top, 105);
    EXPECT_EQ(item.GetHitRect().bottom, 115);
    POINT inside = {5, 110};
    item.SetControlState(UI_STATE_NORMAL);
    EXPECT_FALSE(item.HitTest(inside));
    item.SetControlState(UI_STATE_OVER | UI_STATE_CHECKED);
    EXPECT_TRUE(item.HitTest(inside));
    POINT outside = {5, 90};
    EXPECT_FALSE(item.HitTest(outside));
    EXPECT_TRUE(item.PtInItem(inside));
    EXPECT_FALSE(item.PtInItem(outside));
}

TEST(EventHitTests, HitRectangleIsEmptyWhenTheItemLiesOutsideTheRow)
{
    uiDisplayEventItem item;
    item.m_top = 50;
    item.m_height = 10;
    RECT parent = {0, 0, 100, 30};
    item.CalcRect(parent);
    RECT row = {0, 0, 100, 20};
    item.SetHitRect(row);
    EXPECT_TRUE(IsRectEmpty(&item.GetHitRect()));
}

uiDisplayEventItem* LookedItem(const wchar_t* name, COLORREF normal, COLORREF over)
{
    auto* item = new uiDisplayEventItem;
    item->m_name = name;
    const COLORREF colours[] = {normal, over};
    const DWORD states[] = {UI_STATE_NORMAL, UI_STATE_OVER};
    for (int i = 0; i < 2; ++i) {
        auto* rect = new uiDisplayRect;
        rect->m_fillColor.SetColor(colours[i]);
        rect->m_borderColor.SetColor(colours[i]);
        rect->SetStateMask(states[i]);
        item->m_look.Append(rect);
    }
    return item;
}

TEST(EventList, ItemAtOutsideTheRangeIsNull)
{
    uiDisplayEventList list;
    EXPECT_EQ(list.ItemAt(0), nullptr);
    list.Append(new uiDisplayEventItem);
    list.Append(nullptr);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_NE(list.ItemAt(0), nullptr);
    EXPECT_EQ(list.ItemAt(-1), nullptr);
    EXPECT_EQ(list.ItemAt(1), nullptr);
}

TEST(EventList, PaintItemsPaintsEachLookInTheItemsOwnState)
{
    uiDisplayEventList list;
    uiDisplayEventItem* item = LookedItem(L"e", RGB(255, 0, 0), RGB(0, 0, 255));
    item->SetStateMask(UI_STATE_NORMAL | UI_STATE_OVER);
    list.Append(item);
    RECT parent = {0, 0, 8, 8};
    list.Layout(parent);

    PixelCanvas canvas(8, 8);
    list.PaintItems(canvas.GetDC(), UI_STATE_NORMAL);
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(item->GetControlState(), static_cast<DWORD>(UI_STATE_NORMAL));

    uiEventInfo enter = Event(UI_EVENT_MOUSEENTER);
    item->OnEvent(&enter);
    list.PaintItems(canvas.GetDC(), UI_STATE_NORMAL);
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(0, 0, 255));

    // A control state outside the mask paints nothing but still reaches the item.
    canvas.Fill(RGB(0, 0, 0));
    list.PaintItems(canvas.GetDC(), UI_STATE_DOWN);
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(0, 0, 0));
    EXPECT_EQ(item->GetControlState(), static_cast<DWORD>(UI_STATE_DOWN));

    // Hidden items are not painted.
    item->m_visible = FALSE;
    list.PaintItems(canvas.GetDC(), UI_STATE_NORMAL);
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(0, 0, 0));
}

TEST(EventList, AdjustColorReachesTheLooks)
{
    uiDisplayEventList list;
    list.Append(LookedItem(L"e", RGB(200, 40, 40), RGB(200, 40, 40)));
    uiColorInfo expected(RGB(200, 40, 40));
    expected.AdjustColor(90, 100, 0);
    EXPECT_EQ(list.AdjustColor(90, 100, 0), 1);
    auto* rect = static_cast<uiDisplayRect*>(*list.ItemAt(0)->m_look.GetItems().begin());
    EXPECT_EQ(rect->m_fillColor.GetColor(), expected.GetColor());
}

TEST(EventList, CloneKeepsTheItemsSettingsButNotItsAttachment)
{
    RecordingOwner owner;
    uiDisplayEventList list;
    uiDisplayEventItem* item = LookedItem(L"e", RGB(1, 1, 1), RGB(2, 2, 2));
    item->m_eventCode = 3;
    item->m_cursor = L"hand";
    item->m_tooltips = L"tip";
    item->m_sendParent = TRUE;
    item->SetOwner(&owner);
    item->SetRowValue(9);
    item->SetControlState(UI_STATE_DOWN);
    uiEventInfo enter = Event(UI_EVENT_MOUSEENTER);
    item->OnEvent(&enter);
    list.Append(item);

    uiDisplayEventList copy;
    list.CloneInto(&copy, nullptr);
    ASSERT_EQ(copy.GetCount(), 1);
    uiDisplayEventItem* clone = copy.ItemAt(0);
    EXPECT_NE(clone, item);
    EXPECT_EQ(clone->m_name, CString(L"e"));
    EXPECT_EQ(clone->m_eventCode, 3);
    EXPECT_EQ(clone->m_cursor, CString(L"hand"));
    EXPECT_EQ(clone->m_tooltips, CString(L"tip"));
    EXPECT_TRUE(clone->m_sendParent);
    EXPECT_EQ(clone->GetState(), static_cast<DWORD>(UI_STATE_OVER));
    EXPECT_EQ(clone->m_look.GetCount(), 2);
    EXPECT_EQ(clone->GetOwner(), nullptr);
    EXPECT_FALSE(clone->IsHovered());
    EXPECT_EQ(clone->GetRowValue(), 0);
    EXPECT_EQ(clone->GetControlState(), static_cast<DWORD>(UI_STATE_NORMAL));
    EXPECT_TRUE(IsRectEmpty(&clone->GetHitRect()));
}

TEST(EventList, CloneWithADisplayListLinksEveryRelativeItem)
{
    uiDisplayList display;
    auto* icon = new uiDisplayRect;
    icon->m_name = L"icon";
    icon->m_width = 12;
    display.Append(icon);

    uiDisplayEventList list;
    for (int i = 0; i < 2; ++i) {
        auto* item = new uiDisplayEventItem;
        item->m_relativeToName = L"icon";
        item->m_relativePoint = UI_RELATIVE_RIGHT;
        item->m_left = 5;
        list.Append(item);
    }
    auto* loose = new uiDisplayEventItem;
    loose->m_relativeToName = L"icon";
    list.Append(loose);

    uiDisplayEventList unlinked;
    list.CloneInto(&unlinked, nullptr);
    EXPECT_EQ(unlinked.ItemAt(0)->m_relativeTo, nullptr);

    uiDisplayEventList linked;
    list.CloneInto(&linked, &display);
    EXPECT_EQ(linked.ItemAt(0)->m_relativeTo, icon);
    EXPECT_EQ(linked.ItemAt(1)->m_relativeTo, icon);
    EXPECT_EQ(linked.ItemAt(2)->m_relativeTo, nullptr);

    RECT parent = {0, 0, 100, 20};
    display.Layout(parent);
    linked.Layout(parent);
    EXPECT_EQ(linked.ItemAt(1)->m_x, 17);
}

} // namespace
