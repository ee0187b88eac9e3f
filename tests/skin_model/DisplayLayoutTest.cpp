// Display item layout: the position rule against a parent rectangle, placement to the right of another
// item, and horizontal shifts of a list.
#include <gtest/gtest.h>

#include "uiDisplayList.h"
#include "uiDisplayRect.h"

namespace {

uiDisplayRect* NewRect(const wchar_t* name = L"")
{
    auto* item = new uiDisplayRect;
    item->m_name = name;
    return item;
}

void ExpectRect(const uiDisplayItem& item, int x, int y, int w, int h)
{
    EXPECT_EQ(item.m_x, x);
    EXPECT_EQ(item.m_y, y);
    EXPECT_EQ(item.m_w, w);
    EXPECT_EQ(item.m_h, h);
}

} // namespace

TEST(DisplayLayout, UnsetFieldsFillTheParent)
{
    uiDisplayRect item;
    item.CalcRect(RECT{10, 20, 110, 70});
    ExpectRect(item, 10, 20, 100, 50);
}

TEST(DisplayLayout, NegativeLeftCountsFromTheRightEdge)
{
    uiDisplayRect item;
    item.m_left = -30;
    item.m_width = 20;
    item.CalcRect(RECT{0, 0, 200, 100});
    ExpectRect(item, 170, 0, 20, 100);
}

TEST(DisplayLayout, SetSizeNeverExceedsTheParent)
{
    uiDisplayRect item;
    item.m_width = 500;
    item.m_height = 7;
    item.CalcRect(RECT{10, 10, 110, 60});
    ExpectRect(item, 10, 10, 100, 7);
}

TEST(DisplayLayout, NonNegativeRightIsNotOffsetByTheParentLeft)
{
    uiDisplayRect item;
    item.m_left = 5;
    item.m_right = 50;
    item.CalcRect(RECT{10, 10, 110, 60});
    EXPECT_EQ(item.m_x, 15);
    EXPECT_EQ(item.m_w, 35);
}

TEST(DisplayLayout, NegativeRightAndBottomMeasureFromTheFarEdges)
{
    uiDisplayRect item;
    item.m_left = 4;
    item.m_top = 3;
    item.m_right = -6;
    item.m_bottom = -2;
    item.CalcRect(RECT{100, 50, 200, 90});
    ExpectRect(item, 104, 53, 90, 35);
    const RECT rect = item.GetRect();
    EXPECT_EQ(rect.right, 194);
    EXPECT_EQ(rect.bottom, 88);
}

TEST(DisplayLayout, HugeOffsetsSaturateInsteadOfWrapping)
{
    uiDisplayRect item;
    item.m_left = INT_MAX - 1;
    item.m_top = INT_MIN + 1;
    item.CalcRect(RECT{100, -100, 200, -50});
    EXPECT_EQ(item.m_x, INT_MAX);
    EXPECT_EQ(item.m_y, INT_MIN);
    EXPECT_EQ(item.m_w, 200 - INT_MAX);
    EXPECT_EQ(item.m_h, INT_MAX - 49);
}

TEST(DisplayLayout, ParentAtTheEdgesOfTheRangeGivesNoWrappedSizes)
{
    uiDisplayRect item;
    item.CalcRect(RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_EQ(item.m_w, INT_MAX);
    EXPECT_EQ(item.m_h, INT_MAX);
    item.m_width = 10;
    item.CalcRect(RECT{INT_MIN, 0, INT_MAX, 1});
    EXPECT_EQ(item.m_w, 10);
}

TEST(RelativePlacement, CopiedListPlacesAnItemRightOfItsAnchor)
{
    uiDisplayList source;
    uiDisplayRect* icon = NewRect(L"icon");
    icon->m_left = 10;
    icon->m_width = 16;
    source.Append(icon);
    uiDisplayRect* label = NewRect(L"label");
    label->m_left = 5;
    label->m_relativeToName = L"icon";
    label->m_relativePoint = UI_RELATIVE_RIGHT;
    source.Append(label);

    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{0, 0, 100, 20});
    auto* copiedLabel = copy.FindItem(L"label");
    copiedLabel->ResolveRelative();
    EXPECT_EQ(copiedLabel->m_x, 10 + 16 + 5);
    // The source list was never copied into itself: no links, the label keeps its layout position.
    source.Layout(RECT{0, 0, 100, 20});
    label->ResolveRelative();
    EXPECT_EQ(label->m_x, 5);
}

TEST(RelativePlacement, ChainIsResolvedFromItsFirstItem)
{
    uiDisplayRect first, second, third;
    first.m_x = 10;
    first.m_w = 20;
    second.m_left = 2;
    second.m_w = 8;
    second.m_relativeTo = &first;
    second.m_relativePoint = UI_RELATIVE_RIGHT;
    third.m_left = 1;
    third.m_relativeTo = &second;
    third.m_relativePoint = UI_RELATIVE_RIGHT;
    third.ResolveRelative();
    EXPECT_EQ(second.m_x, 32);
    EXPECT_EQ(third.m_x, 41);
}

TEST(RelativePlacement, ItemPlacedAgainstItselfEnds)
{
    uiDisplayRect item;
    item.m_x = 7;
    item.m_w = 3;
    item.m_left = 1;
    item.m_relativeTo = &item;
    item.m_relativePoint = UI_RELATIVE_RIGHT;
    item.ResolveRelative();
    EXPECT_EQ(item.m_x, 7);
}

TEST(RelativePlacement, CycleOfTwoEnds)
{
    uiDisplayList source;
    uiDisplayRect* a = NewRect(L"a");
    a->m_relativeToName = L"b";
    a->m_relativePoint = UI_RELATIVE_RIGHT;
    a->m_width = 10;
    source.Append(a);
    uiDisplayRect* b = NewRect(L"b");
    b->m_relativeToName = L"a";
    b->m_relativePoint = UI_RELATIVE_RIGHT;
    b->m_width = 10;
    source.Append(b);
    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{0, 0, 100, 10});
    copy.FindItem(L"a")->ResolveRelative();
    copy.FindItem(L"b")->ResolveRelative();
    SUCCEED();
}

TEST(RelativePlacement, UnsetLeftAddsNothingToTheAnchorEdge)
{
    uiDisplayRect anchor, item;
    anchor.m_x = INT_MAX - 5;
    anchor.m_w = 4;
    item.m_relativeTo = &anchor;
    item.m_relativePoint = UI_RELATIVE_RIGHT;
    item.ResolveRelative();
    EXPECT_EQ(item.m_x, INT_MAX - 1);
}

TEST(ShiftX, UnsetLeftTakesTheOffsetAndSetLeftMovesBy)
{
    uiDisplayList list;
    uiDisplayRect* loose = NewRect(L"loose");
    list.Append(loose);
    uiDisplayRect* placed = NewRect(L"placed");
    placed->m_left = 4;
    list.Append(placed);
    list.Layout(RECT{10, 0, 110, 10});
    list.ShiftX(16);
    EXPECT_EQ(loose->m_x, 16);
    EXPECT_EQ(placed->m_x, 10 + 4 + 16);
}

TEST(ShiftX, ItemsPlacedAgainstAnotherStay)
{
    uiDisplayList source;
    source.Append(NewRect(L"icon"));
    uiDisplayRect* label = NewRect(L"label");
    label->m_left = 3;
    label->m_relativeToName = L"icon";
    label->m_relativePoint = UI_RELATIVE_RIGHT;
    source.Append(label);
    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{0, 0, 50, 10});
    copy.ShiftX(20);
    EXPECT_EQ(copy.FindItem(L"icon")->m_x, 20);
    EXPECT_EQ(copy.FindItem(L"label")->m_x, 3);
}
