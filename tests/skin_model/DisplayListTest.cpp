// The display list's table of operations: state filtering, paint order, showing and hiding, texts
// and copies with linked placements.
#include <gtest/gtest.h>

#include <vector>
#include "uiDisplayList.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"

namespace {

using Log = std::vector<CString>;

// Records its paints into a shared log, by name.
class RecordingItem : public uiDisplayItem {
public:
    RecordingItem(const wchar_t* name, DWORD mask, Log* log, int index = 0) : uiDisplayItem(UI_ITEM_BASE), m_log(log)
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
        m_log->push_back(L"direct:" + m_name);
        return 1;
    }
    uiDisplayItem* Clone() const override { return nullptr; }

private:
    Log* m_log;
};

} // namespace

TEST(DisplayListStates, ItemIsPaintedWhenVisibleAndItsMaskSharesABit)
{
    Log log;
    uiDisplayList list;
    list.Append(new RecordingItem(L"down", UI_STATE_DOWN, &log));
    list.Append(new RecordingItem(L"never", 0, &log));
    auto* hidden = new RecordingItem(L"hidden", 0xFFFFFFFF, &log);
    hidden->m_visible = FALSE;
    list.Append(hidden);
    EXPECT_EQ(list.Paint(nullptr, 0x4), 1);
    list.Paint(nullptr, 0x6);
    list.Paint(nullptr, 0x1);
    list.PaintDirect(nullptr, 0xFFFFFFFF);
    list.PaintItem(nullptr, L"hidden");
    list.PaintItemEx(nullptr, L"hidden", nullptr, 0);
    EXPECT_EQ(log, (Log{L"down", L"down", L"direct:down"}));
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
    list.PaintItemEx(nullptr, L"sign", nullptr, UI_STATE_OVER);
    EXPECT_EQ(log.size(), 3u);
    const RECT rect = {10, 20, 50, 40};
    list.PaintItemEx(nullptr, L"sign", &rect, 0);
    EXPECT_EQ(log.size(), 5u);
    EXPECT_EQ(list.GetItems().front()->m_x, 10);
    EXPECT_EQ(list.GetItems().front()->m_h, 20);
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
}

TEST(DisplayListVisibility, ShowItemsByIndexReturnsTheUnionOfTheRange)
{
    Log log;
    uiDisplayList list;
    auto* a = new RecordingItem(L"a", 1, &log, 1);
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
    const RECT union_ = {0, 0, 40, 20};
    EXPECT_TRUE(EqualRect(&bounds, &union_));
    EXPECT_FALSE(a->IsVisible() || b->IsVisible());
    EXPECT_TRUE(c->IsVisible());
    // A range that holds no item: the empty rectangle and no change.
    const RECT none = list.ShowItemsByIndex(5, 9, FALSE);
    EXPECT_TRUE(IsRectEmpty(&none));
    EXPECT_TRUE(c->IsVisible());
}

TEST(DisplayListText, NamedTextGoesToItsItemsAndNullToTheWindowTextItems)
{
    uiDisplayList list;
    auto* title = new uiDisplayText;
    title->m_name = L"title";
    title->m_windowText = FALSE;
    auto* caption = new uiDisplayText;
    caption->m_name = L"caption";
    list.Append(title);
    list.Append(caption);
    list.Append(new uiDisplayRect);
    list.SetText(L"title", L"Hello");
    list.SetText(nullptr, L"Window");
    EXPECT_EQ(title->m_content.Compare(L"Hello"), 0);
    EXPECT_EQ(caption->m_content.Compare(L"Window"), 0);
    list.SetTextParam(L'|');
    EXPECT_TRUE(title->m_tabSplit && caption->m_tabSplit);
    EXPECT_EQ(title->m_tabChar, L'|');
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
    auto* pointless = new uiDisplayRect;
    pointless->m_name = L"pointless";
    pointless->m_relativeToName = L"icon";
    source.Append(pointless);

    uiDisplayList target;
    target.Append(new uiDisplayRect);
    source.CloneInto(&target);
    ASSERT_EQ(target.GetCount(), 5);
    uiDisplayItem* copiedIcon = target.FindItem(L"icon");
    uiDisplayItem* copiedLabel = target.FindItem(L"label");
    EXPECT_NE(copiedIcon, icon);
    EXPECT_EQ(copiedLabel->m_relativeTo, copiedIcon);
    EXPECT_EQ(copiedIcon->m_dependent, copiedLabel);
    EXPECT_EQ(target.FindItem(L"orphan")->m_relativeTo, nullptr);
    EXPECT_EQ(target.FindItem(L"pointless")->m_relativeTo, nullptr);
    EXPECT_EQ(label->m_relativeTo, nullptr);
}
