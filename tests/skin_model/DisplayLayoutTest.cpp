// Display item layout: the position rule against a parent rectangle (also that of window-region
// shapes, whose set sizes are not cut to the window), placement to the right of another item in a
// copied list, and horizontal shifts.
#include <gtest/gtest.h>

#include <algorithm>

#include "uiDisplayList.h"
#include "uiDisplayRect.h"
#include "uiStyleRecords.h"

namespace {

const int U = UI_UNSET;

struct LayoutCase {
    RECT parent;
    int left, top, right, bottom, width, height;
    int x, y, w, h;
};

uiDisplayRect* Named(const wchar_t* name, int left = U, const wchar_t* relativeTo = L"")
{
    auto* item = new uiDisplayRect;
    item->m_name = name;
    item->m_left = left;
    item->m_relativeToName = relativeTo;
    item->m_relativePoint = *relativeTo ? UI_RELATIVE_RIGHT : UI_RELATIVE_NONE;
    return item;
}

const LayoutCase kLayoutCases[] = {
    // Unset fields fill the parent.
    {{10, 20, 110, 70}, U, U, U, U, U, U, 10, 20, 100, 50},
    // A negative left counts from the right edge.
    {{0, 0, 200, 100}, -30, U, U, U, 20, U, 170, 0, 20, 100},
    // A set size never exceeds the parent's.
    {{10, 10, 110, 60}, U, U, U, U, 500, 7, 10, 10, 100, 7},
    // A non-negative right is not offset by the parent's left.
    {{10, 10, 110, 60}, 5, U, 50, U, U, U, 15, 10, 35, 50},
    // Negative right and bottom measure from the far edges.
    {{100, 50, 200, 90}, 4, 3, -6, -2, U, U, 104, 53, 90, 35},
    // Sums with huge offsets saturate instead of wrapping.
    {{100, -100, 200, -50}, INT_MAX - 1, INT_MIN + 1, U, U, U, U, INT_MAX, INT_MIN, 200 - INT_MAX, INT_MAX - 49},
    {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, U, U, U, U, U, U, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {{INT_MIN, 0, INT_MAX, 1}, U, U, U, U, 10, U, INT_MIN, 0, 10, 1},
};

} // namespace

TEST(DisplayLayout, PositionRuleExamples)
{
    for (const LayoutCase& c : kLayoutCases) {
        uiDisplayRect item;
        item.m_left = c.left;
        item.m_top = c.top;
        item.m_right = c.right;
        item.m_bottom = c.bottom;
        item.m_width = c.width;
        item.m_height = c.height;
        item.CalcRect(c.parent);
        EXPECT_EQ(item.m_x, c.x) << c.parent.left << "," << c.left;
        EXPECT_EQ(item.m_y, c.y) << c.parent.top << "," << c.top;
        EXPECT_EQ(item.m_w, c.w) << c.parent.right << "," << c.width;
        EXPECT_EQ(item.m_h, c.h) << c.parent.bottom << "," << c.height;
    }
}

// A region shape is placed against the window by the same rule, except that a set size is taken as
// given, even past the window (500 wide in a window 100 wide); huge values saturate.
TEST(RegionShapeLayout, FollowsThePositionRuleWithSetSizesAsGiven)
{
    for (const LayoutCase& c : kLayoutCases) {
        uiRegionShape shape;
        shape.left = c.left;
        shape.top = c.top;
        shape.right = c.right;
        shape.bottom = c.bottom;
        shape.width = c.width;
        shape.height = c.height;
        const RECT placed = shape.Resolve(c.parent);
        const int w = c.width != U ? c.width : c.w;
        const int h = c.height != U ? c.height : c.h;
        const long long right = std::min<long long>(INT_MAX, static_cast<long long>(c.x) + w);
        const long long bottom = std::min<long long>(INT_MAX, static_cast<long long>(c.y) + h);
        EXPECT_EQ(placed.left, c.x) << c.parent.left << "," << c.left;
        EXPECT_EQ(placed.top, c.y) << c.parent.top << "," << c.top;
        EXPECT_EQ(placed.right, right) << c.parent.right << "," << c.width;
        EXPECT_EQ(placed.bottom, bottom) << c.parent.bottom << "," << c.height;
        EXPECT_TRUE(EqualRect(&placed, &shape.rect));
    }
}

TEST(RelativePlacement, CopiedListPlacesAnItemRightOfItsAnchor)
{
    uiDisplayList source;
    uiDisplayRect* icon = Named(L"icon", 10);
    icon->m_width = 16;
    source.Append(icon);
    uiDisplayRect* label = Named(L"label", 5, L"icon");
    source.Append(label);

    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{0, 0, 100, 20});
    copy.FindItem(L"label")->ResolveRelative();
    EXPECT_EQ(copy.FindItem(L"label")->m_x, 10 + 16 + 5);
    // A list that was never copied has no links: the label keeps its layout position.
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
    second.m_relativePoint = third.m_relativePoint = UI_RELATIVE_RIGHT;
    third.m_relativeTo = &second;
    third.ResolveRelative();
    EXPECT_EQ(second.m_x, 32);
    // An unset left adds nothing to the anchor's right edge.
    EXPECT_EQ(third.m_x, 40);
}

TEST(RelativePlacement, SelfPlacementAndCyclesEnd)
{
    uiDisplayRect self;
    self.m_x = 7;
    self.m_left = 1;
    self.m_relativeTo = &self;
    self.m_relativePoint = UI_RELATIVE_RIGHT;
    self.ResolveRelative();
    EXPECT_EQ(self.m_x, 7);

    uiDisplayList source;
    source.Append(Named(L"a", U, L"b"));
    source.Append(Named(L"b", U, L"a"));
    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{0, 0, 100, 10});
    for (uiDisplayItem* item : copy.GetItems())
        item->ResolveRelative();
    EXPECT_EQ(copy.FindItem(L"a")->m_relativeTo, copy.FindItem(L"b"));
}

TEST(ShiftX, UnsetLeftTakesTheOffsetSetLeftMovesAndPlacedItemsStay)
{
    uiDisplayList source;
    source.Append(Named(L"loose"));
    source.Append(Named(L"placed", 4));
    source.Append(Named(L"label", 3, L"loose"));
    uiDisplayList copy;
    source.CloneInto(&copy);
    copy.Layout(RECT{10, 0, 110, 10});
    copy.ShiftX(16);
    EXPECT_EQ(copy.FindItem(L"loose")->m_x, 16);
    EXPECT_EQ(copy.FindItem(L"placed")->m_x, 10 + 4 + 16);
    EXPECT_EQ(copy.FindItem(L"label")->m_x, 10 + 3);
}

TEST(ShiftX, ShiftsSaturateAtTheEndsOfTheRange)
{
    uiDisplayList list;
    list.Append(Named(L"right", INT_MAX - 5));
    list.Append(Named(L"left", -5));
    list.Layout(RECT{0, 0, 100, 10});
    list.ShiftX(10);
    EXPECT_EQ(list.FindItem(L"right")->m_x, INT_MAX);
    list.Layout(RECT{INT_MIN, 0, INT_MIN + 100, 10});
    list.ShiftX(-200);
    EXPECT_EQ(list.FindItem(L"left")->m_x, INT_MIN);
}
