// Inheritance through the skin administrator's style map: what a child takes from an earlier style,
// what its own elements reset, and parents that are defined later or not at all.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "StyleTestSupport.h"
#include "uiDisplayEventItem.h"
#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

// Loads the packed inheritance skin once for the whole suite.
class StyleInheritance : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        loaded = LoadInheritanceSkin();
    }
    static void TearDownTestSuite() { uiGetSkinAdmin().Unload(); }

    void SetUp() override { ASSERT_TRUE(loaded); }

    static std::unique_ptr<uiStyle> Find(const wchar_t* name)
    {
        return std::unique_ptr<uiStyle>(uiGetSkinAdmin().FindStyle(name));
    }

    static std::vector<CString> Names(const uiDisplayList& list)
    {
        std::vector<CString> names;
        for (const uiDisplayItem* item : list.GetItems())
            names.push_back(item->m_name);
        return names;
    }

    static bool loaded;
};

bool StyleInheritance::loaded = false;

TEST_F(StyleInheritance, ChildMergesInheritedAndOwnItemsByIndexInheritedFirst)
{
    auto child = Find(L"child");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->name, CString(L"child"));
    EXPECT_EQ(Names(child->displayList), (std::vector<CString>{L"p0", L"c0", L"p1", L"c1", L"pt"}));
    ASSERT_EQ(child->eventList.GetCount(), 2);
    EXPECT_EQ(child->eventList.ItemAt(0)->m_name, CString(L"pe"));
    EXPECT_EQ(child->eventList.ItemAt(1)->m_name, CString(L"ce"));
    EXPECT_EQ(Names(child->animateList), (std::vector<CString>{L"pa"}));
}

TEST_F(StyleInheritance, AbsentElementsKeepTheParentsRecords)
{
    auto child = Find(L"child");
    ASSERT_TRUE(child && child->scrollinfo && child->listboxinfo);
    EXPECT_EQ(child->scrollinfo->width, 10);
    EXPECT_EQ(child->scrollinfo->parts[20].right, 10);
    ASSERT_EQ(child->listboxinfo->drawObjs.GetCount(), 1);
    EXPECT_NE(child->listboxinfo->drawObjs.Find(L"row"), nullptr);
}

TEST_F(StyleInheritance, ChildElementResetsIntegersButKeepsRectanglesAndOptionalNames)
{
    auto child = Find(L"child");
    ASSERT_TRUE(child && child->dialoginfo && child->property);
    EXPECT_EQ(child->dialoginfo->captionHeight, 40);
    EXPECT_EQ(child->dialoginfo->borderTop, 4);
    EXPECT_EQ(child->dialoginfo->borderBottom, 6);
    EXPECT_EQ(child->dialoginfo->iconRect.left, 1);
    EXPECT_EQ(child->dialoginfo->iconRect.right, 6);
    // An empty property element resets width and tooltip, keeps the scroll-bar name given only when set.
    EXPECT_EQ(child->property->width, INT_MAX);
    EXPECT_TRUE(child->property->tooltips.IsEmpty());
    EXPECT_EQ(child->property->scrollbar, CString(L"parent.sb"));
}

TEST_F(StyleInheritance, EditInfoIsReplacedWhole)
{
    auto child = Find(L"child");
    ASSERT_TRUE(child && child->editinfo);
    EXPECT_EQ(child->editinfo->marginLeft, 0);
    EXPECT_EQ(child->editinfo->marginRight, 2);
    EXPECT_TRUE(child->editinfo->font.IsEmpty());
}

TEST_F(StyleInheritance, GrandchildInheritsThroughTheChild)
{
    auto grandchild = Find(L"grandchild");
    ASSERT_TRUE(grandchild && grandchild->editinfo);
    EXPECT_EQ(Names(grandchild->displayList), (std::vector<CString>{L"g", L"p0", L"c0", L"p1", L"c1", L"pt"}));
    EXPECT_EQ(grandchild->editinfo->marginRight, 2);
}

TEST_F(StyleInheritance, FirstDefinitionOfANameWins)
{
    auto parent = Find(L"parent");
    ASSERT_TRUE(parent && parent->property);
    EXPECT_EQ(parent->property->width, 80);
    EXPECT_EQ(parent->displayList.GetCount(), 3);
}

TEST_F(StyleInheritance, LaterMissingOrOwnNameGivesNoInheritedContent)
{
    for (const wchar_t* name : {L"late.child", L"missing", L"self"}) {
        auto style = Find(name);
        ASSERT_TRUE(style) << name;
        EXPECT_EQ(style->name, CString(name));
        EXPECT_FALSE(style->property) << name;
        EXPECT_EQ(style->displayList.GetCount(), 0) << name;
        EXPECT_EQ(style->eventList.GetCount(), 0) << name;
    }
}

TEST_F(StyleInheritance, AbsentNameIsEmptyAlsoOverAnInheritedName)
{
    StyleDocument doc;
    auto style = doc.Style("<window inherit=\"parent\"/>");
    ASSERT_TRUE(style && style->property);
    EXPECT_TRUE(style->name.IsEmpty());
    EXPECT_EQ(style->property->width, 80);
}

TEST_F(StyleInheritance, FindStyleGivesIndependentCopies)
{
    auto first = Find(L"parent");
    auto second = Find(L"parent");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    first->property->width = 1;
    first->displayList.ShowItem(L"p0", FALSE);
    EXPECT_EQ(second->property->width, 80);
    EXPECT_TRUE(second->displayList.FindItem(L"p0")->IsVisible());
    EXPECT_EQ(Find(L"parent")->property->width, 80);
}

} // namespace
