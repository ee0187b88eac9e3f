// The split button: the main part clicks like a push button, the drop-down part asks the parent for
// its menu instead, each part shows its own pressed item, and another style brings its own split.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"
#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiSkinSplitButton.h"

namespace {

const int kSplitId = 5001;

class SplitButton : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadButtonSkin(); }
    void SetUp() override
    {
        ParkCursor();
        hwnd = host.AddChild(kSplitId, BS_PUSHBUTTON, 20, 20, 100, 24);
        ASSERT_TRUE(SkinAs(button, hwnd, 123, L"splitbutton"));
    }
    void TearDown() override { ParkCursor(); }

    BOOL Shown(const wchar_t* name) const { return button->GetDisplayList()->FindItem(name)->IsVisible(); }

    HostWindow host;
    HWND hwnd = nullptr;
    uiSkinSplitButton* button = new uiSkinSplitButton;
};

TEST_F(SplitButton, ANegativeSplitWidthCountsFromTheRightEdge)
{
    EXPECT_EQ(80, button->GetSplitWidth());
}

TEST_F(SplitButton, AReplacingStyleBringsItsOwnSplit)
{
    struct Case {
        const wchar_t* style;
        bool dropsDown;
    };
    // A press 60 pixels in: on the drop-down part past a split of 40, on the main part before 80.
    for (const Case& c : {Case{L"splitbutton.wide", true}, Case{L"splitbutton", false}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(button->SkinWindow(hwnd, c.style, TRUE, FALSE));
        host.dropDowns.clear();
        host.commands.clear();
        Click(hwnd, 60, 10);
        EXPECT_EQ(host.dropDowns.size(), c.dropsDown ? 1u : 0u);
        EXPECT_EQ(host.commands.size(), c.dropsDown ? 0u : 1u);
    }
}

TEST_F(SplitButton, APressOnTheDropDownPartAsksTheParentAndNeverClicks)
{
    Click(hwnd, 85, 10);

    ASSERT_EQ(1u, host.dropDowns.size());
    EXPECT_EQ(hwnd, host.dropDowns[0]);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(Shown(L"drop.pressed"));
    EXPECT_FALSE(Shown(L"main.pressed"));
}

TEST_F(SplitButton, APressOnTheMainPartClicksAndShowsTheMainItem)
{
    Click(hwnd, 85, 10);
    Click(hwnd, 79, 10);

    EXPECT_EQ(1u, host.dropDowns.size());
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands[0].code);
    EXPECT_EQ(static_cast<UINT>(kSplitId), host.commands[0].id);
    EXPECT_TRUE(Shown(L"main.pressed"));
    EXPECT_FALSE(Shown(L"drop.pressed"));
}

TEST_F(SplitButton, TheDropDownPressShowsThePressedState)
{
    PlaceCursor(hwnd, 90, 10);
    SendMouse(hwnd, WM_LBUTTONDOWN, 90, 10);
    EXPECT_EQ(4, button->GetState());
    EXPECT_EQ(kOverFace, WindowPixel(hwnd, 90, 12));
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
}

}  // namespace

namespace {

TEST(DefaultSplitButton, RestsInTheNormalStateWhenTheStyleHasNoDefaultLook)
{
    LoadButtonSkin();
    HostWindow host;
    const HWND hwnd = host.AddChild(kSplitId, BS_DEFPUSHBUTTON, 20, 20, 100, 24);
    auto* button = new uiSkinSplitButton;
    ASSERT_TRUE(SkinAs(button, hwnd, 123, L"splitbutton"));
    EXPECT_FALSE(button->IsDefault());
    EXPECT_EQ(1, button->GetState());
}

}  // namespace
