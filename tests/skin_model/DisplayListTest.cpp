// The display list's table of operations: state filtering, paint order, showing and hiding, texts,
// owner windows, colour adjustment and copies with linked placements.
#include <gtest/gtest.h>

#include <vector>
#include "uiDisplayList.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"

namespace {

// Records its paints into a shared log, by name.
class RecordingItem : public uiDisplayItem {
public:
    RecordingItem(const wchar_t* name, DWORD mask, std::vector<CString>* log, int index = 0)
        : uiDisplayItem(UI_ITEM_BASE), m_log(log)
    {
        m_name = name;
        m_stateMask = mask;
        m_index = index;
    }
    int Paint(HDC) override
    {
        m_log->push_back(m_name);
        return 1;
    }
    int PaintDirect(HDC) override
    {
        m_log->push_back(CString(L"direct:") + m_name);
        return 1;
    }
    int AdjustColor(int hue, int, int) override
    {
        m_log->push_back(m_name + (hue == 30 ? L":hue30" : L":hue?"));
        return 1;
    }
    uiDisplayItem* Clone() const override
    {
        auto* copy = new RecordingItem(L"", 0, m_log);
        CopyTo(copy);
        return copy;
    }

private:
    std::vector<CString>* m_log;
};

using Log = std::vector<CString>;

} // namespace

TEST(DisplayListStates, ItemIsPaintedWhenItsMaskSharesABit)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"down", UI_STATE_DOWN, &log));
    list.Paint(nullptr, 0x4);
    list.Paint(nullptr, 0x6);
    list.Paint(nullptr, 0x1);
    EXPECT_EQ(log, (Log{L"down", L"down"}));
}

TEST(DisplayListStates, ZeroMaskAndHiddenItemsAreNeverPainted)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"none", 0, &log));
    auto* hidden = new RecordingItem(L"hidden", 0xFFFFFFFF, &log);
    hidden->m_visible = FALSE;
    list.Append(hidden);
    EXPECT_EQ(list.Paint(nullptr, 0xFFFFFFFF), 1);
    list.PaintDirect(nullptr, 0xFFFFFFFF);
    list.PaintItem(nullptr, L"hidden");
    list.PaintItemEx(nullptr, L"hidden", nullptr, 0);
    EXPECT_TRUE(log.empty());
}

TEST(DisplayListStates, PaintDirectFollowsTheSameFilter)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"over", UI_STATE_OVER, &log));
    list.Append(new RecordingItem(L"normal", UI_STATE_NORMAL, &log));
    list.PaintDirect(nullptr, UI_STATE_OVER);
    EXPECT_EQ(log, (Log{L"direct:over"}));
}

TEST(DisplayListStates, PaintByNameIgnoresTheMaskButPaintItemExHonoursIt)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"sign", 0, &log));
    list.Append(new RecordingItem(L"sign", UI_STATE_OVER, &log));
    list.Append(new RecordingItem(L"Sign", UI_STATE_OVER, &log));
    list.PaintItem(nullptr, L"sign");
    EXPECT_EQ(log.size(), 2u);
    log.clear();
    list.PaintItemEx(nullptr, L"sign", nullptr, UI_STATE_OVER);
    EXPECT_EQ(log.size(), 1u);
    log.clear();
    list.PaintItemEx(nullptr, L"sign", nullptr, 0);
    EXPECT_EQ(log.size(), 2u);
}

TEST(DisplayListStates, PaintItemExLaysTheItemOutInTheGivenRectangle)
{
    Log log;
    uiDisplayList list;
    auto* item = new RecordingItem(L"bk", UI_STATE_NORMAL, &log);
    item->m_left = 2;
    list.Append(item);
    const RECT rect = {10, 20, 50, 40};
    list.PaintItemEx(nullptr, L"bk", &rect, 0x87);
    EXPECT_EQ(item->m_x, 12);
    EXPECT_EQ(item->m_h, 20);
    EXPECT_EQ(log.size(), 1u);
}

TEST(DisplayListStates, DefaultMarkerIsAMaskOfExactlyTheDefaultBit)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"a", UI_STATE_DEFAULT | UI_STATE_NORMAL, &log));
    EXPECT_FALSE(list.HasDefaultStateItem());
    list.Append(new RecordingItem(L"b", UI_STATE_DEFAULT, &log));
    EXPECT_TRUE(list.HasDefaultStateItem());
}

TEST(DisplayListOrder, SortByIndexIsStableAndAscending)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"late", 1, &log, 5));
    list.Append(new RecordingItem(L"first", 1, &log, 0));
    list.Append(new RecordingItem(L"second", 1, &log, 0));
    list.Append(new RecordingItem(L"early", 1, &log, -3));
    list.Append(new RecordingItem(L"third", 1, &log, 0));
    list.SortByIndex();
    list.Paint(nullptr, 1);
    EXPECT_EQ(log, (Log{L"early", L"first", L"second", L"third", L"late"}));
}

TEST(DisplayListOrder, NullItemIsNotAdded)
{
    uiDisplayList list;
    list.Append(nullptr);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(DisplayListVisibility, ShowItemSetsEveryItemOfTheName)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"x", 1, &log));
    list.Append(new RecordingItem(L"x", 1, &log));
    list.Append(new RecordingItem(L"y", 1, &log));
    list.ShowItem(L"x", FALSE);
    list.Paint(nullptr, 1);
    EXPECT_EQ(log, (Log{L"y"}));
    EXPECT_EQ(list.FindItem(L"x"), list.GetItems().front());
    EXPECT_EQ(list.FindItem(L"z"), nullptr);
}

TEST(DisplayListVisibility, ShowItemsByIndexReturnsTheUnionOfTheRange)
{
    Log log;
    uiDisplayList list;
    auto* a = new RecordingItem(L"a", 1, &log, 1);
    a->m_left = 0;
    a->m_width = 10;
    auto* b = new RecordingItem(L"b", 1, &log, 2);
    b->m_left = 30;
    b->m_top = 5;
    b->m_width = 10;
    auto* c = new RecordingItem(L"c", 1, &log, 3);
    list.Append(a);
    list.Append(b);
    list.Append(c);
    list.Layout(RECT{0, 0, 100, 20});
    const RECT bounds = list.ShowItemsByIndex(1, 2, FALSE);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right, 40);
    EXPECT_EQ(bounds.bottom, 20);
    EXPECT_FALSE(a->IsVisible());
    EXPECT_FALSE(b->IsVisible());
    EXPECT_TRUE(c->IsVisible());
}

TEST(DisplayListVisibility, ShowItemsByIndexOverAnEmptyRangeChangesNothing)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"a", 1, &log, 1));
    list.Layout(RECT{0, 0, 100, 20});
    const RECT bounds = list.ShowItemsByIndex(5, 9, FALSE);
    EXPECT_TRUE(IsRectEmpty(&bounds));
    EXPECT_TRUE(list.GetItems().front()->IsVisible());
}

TEST(DisplayListText, NamedTextGoesToTextItemsOfThatNameOnly)
{
    uiDisplayList list;
    auto* title = new uiDisplayText;
    title->m_name = L"title";
    title->m_windowText = FALSE;
    auto* caption = new uiDisplayText;
    caption->m_name = L"caption";
    list.Append(title);
    list.Append(caption);
    list.SetText(L"title", L"Hello");
    EXPECT_EQ(title->m_content.Compare(L"Hello"), 0);
    EXPECT_TRUE(caption->m_content.IsEmpty());
    list.SetText(nullptr, L"Window");
    EXPECT_EQ(title->m_content.Compare(L"Hello"), 0);
    EXPECT_EQ(caption->m_content.Compare(L"Window"), 0);
}

TEST(DisplayListText, TextParamSwitchesTheTabSplitOnEveryTextItem)
{
    uiDisplayList list;
    auto* text = new uiDisplayText;
    list.Append(text);
    list.Append(new uiDisplayRect);
    list.SetTextParam(L'|');
    EXPECT_TRUE(text->m_tabSplit);
    EXPECT_EQ(text->m_tabChar, L'|');
}

TEST(DisplayListOwner, OwnerWindowAndColourReachEveryItem)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"a", 1, &log));
    list.Append(new RecordingItem(L"b", 0, &log));
    HWND window = reinterpret_cast<HWND>(0x1234);
    list.SetOwnerWindow(window);
    for (const uiDisplayItem* item : list.GetItems())
        EXPECT_EQ(item->m_ownerWindow, window);
    EXPECT_EQ(list.AdjustColor(30, 100, 0), 1);
    EXPECT_EQ(log, (Log{L"a:hue30", L"b:hue30"}));
}

TEST(DisplayListCopy, CloneIntoAppendsCopiesAndLinksBothWays)
{
    uiDisplayList source;
    auto* icon = new uiDisplayRect;
    icon->m_name = L"icon";
    source.Append(icon);
    auto* label = new uiDisplayRect;
    label->m_name = L"label";
    label->m_relativeToName = L"icon";
    label->m_relativePoint = UI_RELATIVE_RIGHT;
    source.Append(label);
    auto* orphan = new uiDisplayRect;
    orphan->m_name = L"orphan";
    orphan->m_relativeToName = L"nothing";
    orphan->m_relativePoint = UI_RELATIVE_RIGHT;
    source.Append(orphan);

    uiDisplayList target;
    target.Append(new uiDisplayRect);
    source.CloneInto(&target);
    ASSERT_EQ(target.GetCount(), 4);
    uiDisplayItem* copiedIcon = target.FindItem(L"icon");
    uiDisplayItem* copiedLabel = target.FindItem(L"label");
    EXPECT_NE(copiedIcon, icon);
    EXPECT_EQ(copiedLabel->m_relativeTo, copiedIcon);
    EXPECT_EQ(copiedIcon->m_dependent, copiedLabel);
    EXPECT_EQ(target.FindItem(L"orphan")->m_relativeTo, nullptr);
    EXPECT_EQ(icon->m_dependent, nullptr);
    EXPECT_EQ(label->m_relativeTo, nullptr);
}

TEST(DisplayListCopy, RelativeNameWithoutAPointIsNotLinked)
{
    uiDisplayList source;
    auto* icon = new uiDisplayRect;
    icon->m_name = L"icon";
    source.Append(icon);
    auto* label = new uiDisplayRect;
    label->m_relativeToName = L"icon";
    source.Append(label);
    uiDisplayList target;
    source.CloneInto(&target);
    EXPECT_EQ(target.GetItems().back()->m_relativeTo, nullptr);
}
