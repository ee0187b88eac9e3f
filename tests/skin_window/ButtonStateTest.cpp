// Push buttons driven by real mouse, keyboard and enable messages: the paint state they take, the
// face they show for it, the click they still report, the default and locked variants, and another
// style in place of the old one.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"
#include "uiApiLoader.h"
#include "uiHandleMap.h"
#include "uiSkinButton.h"

namespace {

const int kButtonId = 1001;

// Arms only for the request a button must make: a leave notice with the default hover time.
BOOL WINAPI ArmLeaveNotice(TRACKMOUSEEVENT* request)
{
    return request->dwFlags == TME_LEAVE && request->dwHoverTime == HOVER_DEFAULT;
}

class PushButton : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadButtonSkin(); }
    void SetUp() override
    {
        ParkCursor();
        hwnd = host.AddChild(kButtonId, BS_PUSHBUTTON, 20, 20, 80, 24);
        ASSERT_TRUE(SkinAs(button, hwnd, 103, L"button"));
    }
    void TearDown() override { ParkCursor(); }

    HostWindow host;
    HWND hwnd = nullptr;
    uiSkinButton* button = new uiSkinButton;
};

TEST_F(PushButton, RestsInTheNormalStateWithItsNormalFace)
{
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(PushButton, HoverPressAndReleaseInsideShowEachFaceAndStillClick)
{
    PlaceCursor(hwnd, 10, 10);
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(2, button->GetState());
    EXPECT_EQ(kOverFace, WindowPixel(hwnd, 40, 12));

    SendMouse(hwnd, WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(4, button->GetState());
    EXPECT_EQ(kDownFace, WindowPixel(hwnd, 40, 12));

    SendMouse(hwnd, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(2, button->GetState());
    EXPECT_EQ(kOverFace, WindowPixel(hwnd, 40, 12));
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands[0].code);
    EXPECT_EQ(static_cast<UINT>(kButtonId), host.commands[0].id);

    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(PushButton, AReleaseAfterTheCursorLeftDoesNotClick)
{
    PlaceCursor(hwnd, 10, 10);
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    SendMouse(hwnd, WM_LBUTTONDOWN, 10, 10);
    ParkCursor();
    SendMouse(hwnd, WM_LBUTTONUP, 200, 200);

    EXPECT_TRUE(host.commands.empty());
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1, button->GetState());
}

TEST_F(PushButton, DisablingShowsTheDisabledFaceAndEnablingRestoresNormal)
{
    EnableWindow(hwnd, FALSE);
    EXPECT_EQ(128, button->GetState());
    EXPECT_EQ(kDisabledFace, WindowPixel(hwnd, 40, 12));
    // A leave does not take a disabled button out of its state.
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(128, button->GetState());

    EnableWindow(hwnd, TRUE);
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(PushButton, AButtonDisabledBeforeSkinningStartsDisabled)
{
    const HWND other = host.AddChild(kButtonId + 1, BS_PUSHBUTTON | WS_DISABLED, 120, 20, 80, 24);
    auto* skin = new uiSkinButton;
    ASSERT_TRUE(SkinAs(skin, other, 103, L"button"));
    EXPECT_EQ(128, skin->GetState());
    EXPECT_EQ(kDisabledFace, WindowPixel(other, 40, 12));
}

TEST_F(PushButton, TheWindowBecomesOwnerDrawnAndTheParentNeverDrawsIt)
{
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK);
    Click(hwnd);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kButtonId;
    item.hwndItem = hwnd;
    EXPECT_EQ(1, SendMessageW(host, WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(0, host.drawItems);
}

TEST_F(PushButton, EnterSendsTheCommandOfTheButtonAndIsConsumed)
{
    EXPECT_EQ(1, SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0));
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(0u, host.commands[0].code);
    EXPECT_EQ(static_cast<UINT>(kButtonId), host.commands[0].id);
    EXPECT_EQ(hwnd, host.commands[0].control);
}

TEST_F(PushButton, AsksForEnterButLeavesOtherKeysToTheDialog)
{
    MSG enter = {hwnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    MSG tab = {hwnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(SendMessageW(hwnd, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(SendMessageW(hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS);
}

TEST_F(PushButton, ALockedStateIgnoresTheMouseUntilUnlocked)
{
    button->SetStateLock(TRUE);
    PlaceCursor(hwnd, 10, 10);
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    SendMouse(hwnd, WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
    SendMouse(hwnd, WM_LBUTTONUP, 10, 10);

    button->SetStateLock(FALSE);
    EXPECT_EQ(1, button->GetState());
    // Unlocked, the mouse moves the state again.
    SendMouse(hwnd, WM_MOUSEMOVE, 11, 10);
    EXPECT_EQ(2, button->GetState());
    EXPECT_EQ(kOverFace, WindowPixel(hwnd, 40, 12));
    SendMouse(hwnd, WM_LBUTTONDOWN, 11, 10);
    EXPECT_EQ(4, button->GetState());
    EXPECT_EQ(kDownFace, WindowPixel(hwnd, 40, 12));
    SendMouse(hwnd, WM_LBUTTONUP, 11, 10);
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1, button->GetState());

    // Unlocked while a leave notice is armed, the button shows that the mouse is over it.
    const auto saved = uiApiLoader::_TrackMouseEvent;
    uiApiLoader::_TrackMouseEvent = ArmLeaveNotice;
    button->SetStateLock(TRUE);
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(1, button->GetState());
    button->SetStateLock(FALSE);
    uiApiLoader::_TrackMouseEvent = saved;
    EXPECT_EQ(2, button->GetState());
    EXPECT_EQ(kOverFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(PushButton, AnArmedLeaveNotificationKeepsTheButtonFromReEnteringOver)
{
    const auto saved = uiApiLoader::_TrackMouseEvent;
    uiApiLoader::_TrackMouseEvent = ArmLeaveNotice;
    PlaceCursor(hwnd, 10, 10);
    SendMouse(hwnd, WM_MOUSEMOVE, 10, 10);
    SendMouse(hwnd, WM_LBUTTONDOWN, 10, 10);
    SendMouse(hwnd, WM_MOUSEMOVE, 11, 10);
    const int stateWhileArmed = button->GetState();
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    SendMouse(hwnd, WM_MOUSEMOVE, 12, 10);
    uiApiLoader::_TrackMouseEvent = saved;

    EXPECT_EQ(4, stateWhileArmed);
    EXPECT_EQ(2, button->GetState());
}

// Whether the inset-by-2 outline carries the dotted focus mark on a white face.
bool HasFocusMark(HWND hwnd)
{
    int marked = 0;
    for (int x = 2; x < 12; ++x)
        marked += WindowPixel(hwnd, x, 2) != RGB(255, 255, 255);
    return marked > 0 && WindowPixel(hwnd, 40, 12) == RGB(255, 255, 255);
}

TEST_F(PushButton, AFocusedButtonWhoseStyleAsksForItShowsTheFocusMark)
{
    const HWND focused = host.AddChild(kButtonId + 2, BS_PUSHBUTTON, 120, 20, 80, 24);
    ASSERT_TRUE(SkinAs(new uiSkinButton, focused, 103, L"button.focus"));
    EXPECT_FALSE(HasFocusMark(focused));

    SetFocus(focused);
    EXPECT_TRUE(HasFocusMark(focused));
    SetFocus(hwnd);
    EXPECT_FALSE(HasFocusMark(focused));
}

// A skin object that says when it is deleted.
bool deleted = false;
bool deletedInsideHandler = false;
class WatchedButton : public uiSkinButton {
public:
    ~WatchedButton() override { deleted = true; }
};

TEST(ButtonLifetime, AButtonDestroyedByItsOwnCommandIsDeletedOnlyAfterItsHandlerReturns)
{
    LoadButtonSkin();
    HostWindow host;
    const HWND hwnd = host.AddChild(kButtonId, BS_PUSHBUTTON, 20, 20, 80, 24);
    deleted = false;
    deletedInsideHandler = true;
    ASSERT_TRUE(SkinAs(new WatchedButton, hwnd, 103, L"button"));
    host.DestroyOnCommand();
    host.afterDestroy = [] { deletedInsideHandler = deleted; };

    EXPECT_EQ(1, SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(deletedInsideHandler);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, uiGetHandleMap()->Find(hwnd));
}

class DefaultButton : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadButtonSkin(); }
    HostWindow host;
};

TEST_F(DefaultButton, ShowsTheDefaultFaceAtRestWhenTheStyleHasOne)
{
    const HWND hwnd = host.AddChild(kButtonId, BS_DEFPUSHBUTTON, 20, 20, 80, 24);
    auto* button = new uiSkinButton;
    ASSERT_TRUE(SkinAs(button, hwnd, 103, L"button"));
    EXPECT_TRUE(button->IsDefault());
    EXPECT_EQ(0x4000, button->GetState());
    EXPECT_EQ(kDefaultFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(DefaultButton, PaintsItsNormalFaceWhenTheStyleHasNoDefaultLook)
{
    const HWND hwnd = host.AddChild(kButtonId, BS_DEFPUSHBUTTON, 20, 20, 80, 24);
    auto* button = new uiSkinButton;
    ASSERT_TRUE(SkinAs(button, hwnd, 103, L"button.nodefault"));
    EXPECT_FALSE(button->IsDefault());
    EXPECT_EQ(1, button->GetState());
    EXPECT_EQ(kNormalFace, WindowPixel(hwnd, 40, 12));
}

TEST_F(DefaultButton, AReplacingStyleBringsItsOwnDefaultAndFocusLooks)
{
    const HWND hwnd = host.AddChild(kButtonId, BS_DEFPUSHBUTTON, 20, 20, 80, 24);
    auto* button = new uiSkinButton;
    ASSERT_TRUE(SkinAs(button, hwnd, 103, L"button"));
    SetFocus(hwnd);
    struct Case {
        const wchar_t* style;
        COLORREF face;
        bool focusMark;
    };
    // A default button at rest shows its default face only when the style has one.
    for (const Case& c : {Case{L"button.nodefault", kNormalFace, false}, Case{L"button.focus", RGB(255, 255, 255), true},
                          Case{L"button", kDefaultFace, false}}) {
        SCOPED_TRACE(c.style);
        ASSERT_TRUE(button->SkinWindow(hwnd, c.style, TRUE, FALSE));
        EXPECT_EQ(WindowPixel(hwnd, 40, 12), c.face);
        EXPECT_EQ(HasFocusMark(hwnd), c.focusMark);
    }
}

}  // namespace
