// Check boxes and radio buttons: the check state that the skin object holds (BM_SETCHECK and
// BM_GETCHECK), clicks that toggle it, radio groups, the checked faces, and a check box that gates
// another button's enabled state as the install view's agreement box does.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"
#include "uiSkinButton.h"

namespace {

class CheckBox : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadButtonSkin(); }
    void SetUp() override { ParkCursor(); }
    void TearDown() override { ParkCursor(); }

    uiSkinButton* Make(int id, DWORD style, int code, const wchar_t* skin, int x = 20, int y = 20)
    {
        const HWND hwnd = host.AddChild(id, style, x, y, 80, 20);
        auto* button = new uiSkinButton;
        EXPECT_TRUE(SkinAs(button, hwnd, code, skin));
        return button;
    }

    HostWindow host;
};

TEST_F(CheckBox, SetCheckIsAnsweredByGetCheckAndShowsTheCheckedFace)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    const HWND hwnd = box->GetHwnd();
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));

    SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(256, box->GetState());
    EXPECT_EQ(kCheckedFace, WindowPixel(hwnd, 40, 10));

    SendMessageW(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, box->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 10));
}

TEST_F(CheckBox, TheCheckSetBeforeSkinningIsKept)
{
    const HWND hwnd = host.AddChild(2001, BS_AUTOCHECKBOX, 20, 20, 80, 20);
    SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    auto* box = new uiSkinButton;
    ASSERT_TRUE(SkinAs(box, hwnd, 104, L"checkbutton"));
    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(256, box->GetState());
}

// The owner-drawn window keeps no check of its own: the skin hands its kind and check back when it goes.
TEST_F(CheckBox, ABoxWhoseSkinGoesDrawsItselfAgainWithItsCheck)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    const HWND hwnd = box->GetHwnd();
    SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    box->Detach();

    EXPECT_EQ(static_cast<LONG>(BS_AUTOCHECKBOX), GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
}

TEST_F(CheckBox, ACheckedBoxSkinnedAgainStaysChecked)
{
    const HWND hwnd = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton")->GetHwnd();
    SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    auto* again = new uiSkinButton;
    ASSERT_TRUE(SkinAs(again, hwnd, 104, L"checkbutton"));

    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(256, again->GetState());
}

TEST_F(CheckBox, IndeterminateChangesNothing)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    SendMessageW(box->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(box->GetHwnd(), BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(box->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(256, box->GetState());
}

TEST_F(CheckBox, ADisabledBoxIgnoresSetCheck)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX | WS_DISABLED, 104, L"checkbutton");
    SendMessageW(box->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(box->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(128, box->GetState());
    EXPECT_EQ(kDisabledFace, WindowPixel(box->GetHwnd(), 40, 10));
}

TEST_F(CheckBox, ACheckedBoxDisabledShowsTheCheckedDisabledFaceAndComesBackChecked)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    SendMessageW(box->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(box->GetHwnd(), FALSE);
    EXPECT_EQ(4096, box->GetState());
    EXPECT_EQ(kCheckedDisabledFace, WindowPixel(box->GetHwnd(), 40, 10));

    EnableWindow(box->GetHwnd(), TRUE);
    EXPECT_EQ(256, box->GetState());
}

TEST_F(CheckBox, AClickTogglesTheCheckThroughTheCheckedDownAndOverFaces)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    const HWND hwnd = box->GetHwnd();
    Click(hwnd);
    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(512, box->GetState());
    EXPECT_EQ(kCheckedOverFace, WindowPixel(hwnd, 40, 10));
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands[0].code);

    SendMouse(hwnd, WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(8192, box->GetState());
    EXPECT_EQ(kCheckedDownFace, WindowPixel(hwnd, 40, 10));
    SendMouse(hwnd, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    EXPECT_EQ(2, box->GetState());
}

TEST_F(CheckBox, ClicksThatTheWindowReportsWithoutTheMouseToggleTheCheckToo)
{
    uiSkinButton* box = Make(2001, BS_AUTOCHECKBOX, 104, L"checkbutton");
    const HWND hwnd = box->GetHwnd();
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));

    SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(8192, box->GetState());
    SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));

    // Every click reported to the parent changed the check.
    ASSERT_EQ(2u, host.commands.size());
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands[0].code);
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands[1].code);
}

TEST_F(CheckBox, ThePlainRadioTypeBecomesOwnerDrawn)
{
    uiSkinButton* radio = Make(2001, BS_RADIOBUTTON, 105, L"radiobutton");
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), GetWindowLongW(radio->GetHwnd(), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_TRUE(SendMessageW(radio->GetHwnd(), WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
}

TEST_F(CheckBox, ClickingARadioButtonUnchecksTheRestOfItsGroupOnly)
{
    uiSkinButton* first = Make(3001, BS_AUTORADIOBUTTON | WS_GROUP, 105, L"radiobutton", 20, 20);
    uiSkinButton* second = Make(3002, BS_AUTORADIOBUTTON, 105, L"radiobutton", 20, 50);
    uiSkinButton* third = Make(3003, BS_AUTORADIOBUTTON, 105, L"radiobutton", 20, 80);
    uiSkinButton* outside = Make(3004, BS_AUTORADIOBUTTON | WS_GROUP, 105, L"radiobutton", 20, 110);
    SendMessageW(first->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(outside->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);

    Click(second->GetHwnd());

    EXPECT_EQ(BST_CHECKED, SendMessageW(second->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(first->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(third->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendMessageW(outside->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(kNormalFace, WindowPixel(first->GetHwnd(), 40, 10));
    EXPECT_EQ(kCheckedOverFace, WindowPixel(second->GetHwnd(), 40, 10));
}

TEST_F(CheckBox, ACheckedRadioClickedAgainStaysCheckedAndLeavesItsGroupAlone)
{
    uiSkinButton* first = Make(3001, BS_AUTORADIOBUTTON | WS_GROUP, 105, L"radiobutton", 20, 20);
    uiSkinButton* second = Make(3002, BS_AUTORADIOBUTTON, 105, L"radiobutton", 20, 50);
    SendMessageW(first->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    // Both checked by the program: a click on the first must not touch the second.
    SendMessageW(second->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);

    Click(first->GetHwnd());

    EXPECT_EQ(BST_CHECKED, SendMessageW(first->GetHwnd(), BM_GETCHECK, 0, 0));
    EXPECT_EQ(512, first->GetState());
    EXPECT_EQ(BST_CHECKED, SendMessageW(second->GetHwnd(), BM_GETCHECK, 0, 0));
}

TEST_F(CheckBox, AHiddenRadioButtonUnchecksItsGroupWithoutWalkingForever)
{
    uiSkinButton* first = Make(3001, BS_AUTORADIOBUTTON | WS_GROUP, 105, L"radiobutton", 20, 20);
    uiSkinButton* second = Make(3002, BS_AUTORADIOBUTTON, 105, L"radiobutton", 20, 50);
    SendMessageW(first->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    ShowWindow(second->GetHwnd(), SW_HIDE);

    second->SetChecked(1);
    second->UncheckGroup();

    EXPECT_EQ(BST_UNCHECKED, SendMessageW(first->GetHwnd(), BM_GETCHECK, 0, 0));
}

TEST_F(CheckBox, TheAgreementBoxGatesTheInstallButton)
{
    uiSkinButton* agreement = Make(4001, BS_AUTOCHECKBOX, 104, L"checkbutton", 20, 20);
    uiSkinButton* install = Make(4002, BS_PUSHBUTTON, 103, L"button", 20, 60);
    SendMessageW(agreement->GetHwnd(), BM_SETCHECK, BST_CHECKED, 0);
    host.Gate(agreement->GetHwnd(), install->GetHwnd());

    Click(agreement->GetHwnd());
    EXPECT_FALSE(IsWindowEnabled(install->GetHwnd()));
    EXPECT_EQ(128, install->GetState());
    EXPECT_EQ(kDisabledFace, WindowPixel(install->GetHwnd(), 40, 10));

    Click(agreement->GetHwnd());
    EXPECT_TRUE(IsWindowEnabled(install->GetHwnd()));
    EXPECT_EQ(1, install->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(install->GetHwnd(), 40, 10));
}

}  // namespace
