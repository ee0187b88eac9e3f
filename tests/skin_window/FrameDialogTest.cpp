// The frame dialog: hit tests of its caption buttons, icon, borders and caption; the caption buttons'
// press and release; the close button of a window whose Close is grayed; the size limits; another
// style in place of the old one.
#include <gtest/gtest.h>

#include <windows.h>

#include "ControlTestSupport.h"
#include "MiscTestSupport.h"
#include "uiSkinDialog.h"
#include "uiSkinEntry.h"

namespace {

const int kWidth = 320, kHeight = 220;

// The frame's own procedure, put before the skin's: what it got with WM_NCMOUSEMOVE.
WNDPROC g_staticProc = nullptr;
int g_ncMoves = 0;
LPARAM g_ncMovePoint = 0;

LRESULT CALLBACK RecordNcMove(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCMOUSEMOVE) {
        ++g_ncMoves;
        g_ncMovePoint = lParam;
    }
    return CallWindowProcW(g_staticProc, hwnd, msg, wParam, lParam);
}

class FrameDialog : public MiscSkin {
protected:
    void TearDown() override
    {
        if (IsWindow(m_frame))
            DestroyWindow(m_frame);
        MiscSkin::TearDown();
    }

    HWND MakeFrame(DWORD style, bool grayClose = false)
    {
        m_frame = CreateWindowExW(0, L"STATIC", L"frame", style, 100, 80, kWidth, kHeight, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (m_frame && grayClose)
            EnableMenuItem(GetSystemMenu(m_frame, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        if (m_frame && m_recordOwnProcedure) {
            g_staticProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(m_frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordNcMove)));
        }
        return m_frame;
    }

    uiSkinDialog* Skin(DWORD style, const wchar_t* styleName = L"frame", bool grayClose = false)
    {
        if (!MakeFrame(style, grayClose))
            return nullptr;
        uiSkinWindow(m_frame, 101, styleName, FALSE);
        ShowWindow(m_frame, SW_SHOWNOACTIVATE);
        PumpPending();
        return SkinOf<uiSkinDialog>(m_frame);
    }

    // The hit code at a point of the window rectangle.
    LRESULT Hit(int x, int y) const
    {
        RECT rect = {};
        GetWindowRect(m_frame, &rect);
        return SendMessageW(m_frame, WM_NCHITTEST, 0, MAKELPARAM(rect.left + x, rect.top + y));
    }

    // Takes a posted WM_SYSCOMMAND from the queue: its command, or 0 when none was posted.
    WPARAM PostedCommand() const
    {
        MSG msg;
        if (PeekMessageW(&msg, m_frame, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            return msg.wParam & 0xFFF0;
        return 0;
    }

    HWND m_frame = nullptr;
    // Set before Skin: the frame gets RecordNcMove as its own procedure.
    bool m_recordOwnProcedure = false;
};

const DWORD kResizable = WS_OVERLAPPEDWINDOW;

TEST_F(FrameDialog, HitTestFindsButtonsIconCaptionAndClient)
{
    ASSERT_NE(Skin(kResizable), nullptr);
    // The buttons lie 90, 62 and 34 pixels from the right edge, 26 wide; the icon at 4,4 16 x 16.
    EXPECT_EQ(Hit(kWidth - 90 + 5, 10), HTREDUCE);
    EXPECT_EQ(Hit(kWidth - 62 + 5, 10), HTZOOM);
    EXPECT_EQ(Hit(kWidth - 34 + 5, 10), HTCLOSE);
    EXPECT_EQ(Hit(10, 10), HTSYSMENU);
    EXPECT_EQ(Hit(120, 20), HTCAPTION);
    EXPECT_EQ(Hit(120, 100), HTCLIENT);
}

TEST_F(FrameDialog, ResizableWindowAnswersSizingCodesAndTheWholeCornerSquare)
{
    ASSERT_NE(Skin(kResizable), nullptr);
    const int corner = GetSystemMetrics(SM_CXSIZE);
    EXPECT_EQ(Hit(kWidth - corner, kHeight - corner), HTBOTTOMRIGHT);
    EXPECT_EQ(Hit(kWidth - 1, kHeight - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(Hit(0, 100), HTLEFT);
    EXPECT_EQ(Hit(kWidth - 1, 100), HTRIGHT);
    EXPECT_EQ(Hit(0, 0), HTTOPLEFT);
    EXPECT_EQ(Hit(120, kHeight - 1), HTBOTTOM);
}

TEST_F(FrameDialog, FixedWindowAnswersNoSizingCodes)
{
    ASSERT_NE(Skin(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), nullptr);
    EXPECT_EQ(Hit(0, 100), HTBORDER);
    EXPECT_EQ(Hit(kWidth - 1, kHeight - 1), HTBORDER);
    EXPECT_EQ(Hit(120, 2), HTCAPTION);
}

TEST_F(FrameDialog, ButtonsWithoutTheirWindowStyleNeverHit)
{
    ASSERT_NE(Skin(WS_POPUP | WS_CAPTION | WS_SYSMENU), nullptr);
    EXPECT_EQ(Hit(kWidth - 90 + 5, 10), HTCAPTION);
    EXPECT_EQ(Hit(kWidth - 62 + 5, 10), HTCAPTION);
    EXPECT_EQ(Hit(kWidth - 34 + 5, 10), HTCLOSE);
}

TEST_F(FrameDialog, GrayedCloseShowsDisabledAndNeverHits)
{
    uiSkinDialog* dialog = Skin(kResizable, L"frame", true);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Close).state, 0x80);
    EXPECT_NE(Hit(kWidth - 34 + 5, 10), HTCLOSE);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Maximise).state, 1);
}

TEST_F(FrameDialog, StyleWithoutSystemMenuListHasNoButtonsAndNoIcon)
{
    uiSkinDialog* dialog = Skin(kResizable, L"frame.nocaption");
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < uiSkinDialog::ButtonCount; ++i)
        EXPECT_EQ(dialog->GetButton(i).state, 0x80) << i;
    EXPECT_NE(Hit(10, 10), HTSYSMENU);
}

TEST_F(FrameDialog, PressAndReleaseOnMaximisePostsMaximise)
{
    uiSkinDialog* dialog = Skin(kResizable);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageW(m_frame, WM_NCLBUTTONDOWN, HTZOOM, 0), 1);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Maximise).state, 4);
    EXPECT_EQ(SendMessageW(m_frame, WM_NCLBUTTONUP, HTZOOM, 0), 1);
    EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_MAXIMIZE));
    EXPECT_EQ(dialog->GetPressed(), -1);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Maximise).state, 1);
}

TEST_F(FrameDialog, MovingOffWithTheMouseButtonUpDropsThePressAndPostsNothing)
{
    uiSkinDialog* dialog = Skin(kResizable);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(m_frame, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    // The real left button is up in the test: the press no longer holds.
    SendMessageW(m_frame, WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(dialog->GetPressed(), -1);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Close).state, 1);
    EXPECT_EQ(SendMessageW(m_frame, WM_NCLBUTTONUP, HTCAPTION, 0), 0);
    EXPECT_EQ(PostedCommand(), 0u);
}

TEST_F(FrameDialog, MouseOverAButtonMakesItHot)
{
    uiSkinDialog* dialog = Skin(kResizable);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(m_frame, WM_NCMOUSEMOVE, HTREDUCE, 0);
    EXPECT_EQ(dialog->GetHot(), uiSkinDialog::Minimise);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Minimise).state, 2);
    SendMessageW(m_frame, WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(dialog->GetHot(), -1);
    EXPECT_EQ(dialog->GetButton(uiSkinDialog::Minimise).state, 1);
}

// Off the buttons the move reaches the window's own procedure with its point; over one it does not.
TEST_F(FrameDialog, AMoveOffTheButtonsReachesTheOwnProcedureWithItsPoint)
{
    m_recordOwnProcedure = true;
    ASSERT_NE(Skin(kResizable), nullptr);
    g_ncMoves = 0;
    const LPARAM point = MAKELPARAM(260, 95);
    SendMessageW(m_frame, WM_NCMOUSEMOVE, HTCAPTION, point);
    EXPECT_EQ(g_ncMoves, 1);
    EXPECT_EQ(g_ncMovePoint, point);
    SendMessageW(m_frame, WM_NCMOUSEMOVE, HTREDUCE, point);
    EXPECT_EQ(g_ncMoves, 1);
}

TEST_F(FrameDialog, DoubleClickOnTheIconPostsClose)
{
    ASSERT_NE(Skin(kResizable), nullptr);
    EXPECT_EQ(SendMessageW(m_frame, WM_NCLBUTTONDBLCLK, HTSYSMENU, 0), 1);
    EXPECT_EQ(PostedCommand(), static_cast<WPARAM>(SC_CLOSE));
}

TEST_F(FrameDialog, SizeLimitsComeFromTheStyleOnlyWhenBothOfAPairAreSet)
{
    ASSERT_NE(Skin(kResizable), nullptr);
    MINMAXINFO info = {};
    info.ptMaxSize = {1234, 987};
    info.ptMinTrackSize = {10, 500};
    SendMessageW(m_frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    // Only "maxwidth" is given: the maximum size stays.
    EXPECT_EQ(info.ptMaxSize.x, 1234);
    EXPECT_EQ(info.ptMaxSize.y, 987);
    // The minimum track size takes the larger of the style's and the one already there.
    EXPECT_EQ(info.ptMinTrackSize.x, 400);
    EXPECT_EQ(info.ptMinTrackSize.y, 500);
}

TEST_F(FrameDialog, LimitsAreIgnoredWithoutCaptionHeight)
{
    uiSkinDialog* dialog = Skin(kResizable, L"frame.nocaption");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetCaptionHeight(), GetSystemMetrics(SM_CYCAPTION));
    MINMAXINFO info = {};
    info.ptMaxSize = {1234, 987};
    info.ptMinTrackSize = {10, 20};
    SendMessageW(m_frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxSize.x, 1234);
    EXPECT_EQ(info.ptMinTrackSize.x, 10);
}

TEST_F(FrameDialog, AReplacingStyleBringsItsOwnCaptionHeightAndSizeLimits)
{
    uiSkinDialog* dialog = Skin(kResizable);
    ASSERT_NE(dialog, nullptr);
    auto limits = [this] {
        MINMAXINFO info = {};
        info.ptMaxSize = {1234, 987};
        info.ptMinTrackSize = {10, 20};
        SendMessageW(m_frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    };
    ASSERT_EQ(Hit(120, 40), HTCLIENT);

    ASSERT_TRUE(dialog->SkinWindow(m_frame, L"frame.tall", TRUE, FALSE));
    EXPECT_EQ(dialog->GetCaptionHeight(), 50);
    EXPECT_EQ(Hit(120, 40), HTCAPTION);
    MINMAXINFO info = limits();
    EXPECT_EQ(info.ptMaxSize.x, 700);
    EXPECT_EQ(info.ptMaxSize.y, 500);
    EXPECT_EQ(info.ptMinTrackSize.x, 420);
    EXPECT_EQ(info.ptMinTrackSize.y, 310);

    // Without a caption height of its own the style leaves the system's caption and no limits.
    ASSERT_TRUE(dialog->SkinWindow(m_frame, L"frame.nocaption", TRUE, FALSE));
    EXPECT_EQ(dialog->GetCaptionHeight(), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(Hit(120, 40), HTCLIENT);
    info = limits();
    EXPECT_EQ(info.ptMaxSize.x, 1234);
    EXPECT_EQ(info.ptMaxSize.y, 987);
    EXPECT_EQ(info.ptMinTrackSize.x, 10);
    EXPECT_EQ(info.ptMinTrackSize.y, 20);
}

TEST_F(FrameDialog, ClientAreaStartsBelowTheSkinsCaption)
{
    ASSERT_NE(Skin(kResizable), nullptr);
    SetWindowPos(m_frame, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RECT window = {}, client = {};
    GetWindowRect(m_frame, &window);
    GetClientRect(m_frame, &client);
    MapWindowPoints(m_frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.top - window.top, 30);
    EXPECT_EQ(client.left - window.left, GetSystemMetrics(SM_CXFRAME));
}


TEST_F(FrameDialog, AttachedAgainTheDialogKeepsNoCaptionButtonOfAnEarlierStyle)
{
    ASSERT_NE(MakeFrame(kResizable), nullptr);
    uiSkinDialog dialog;
    auto noButtons = [&dialog] {
        for (int i = 0; i < uiSkinDialog::ButtonCount; ++i) {
            if (dialog.GetButton(i).present || dialog.GetButton(i).style)
                return false;
        }
        return true;
    };
    ASSERT_TRUE(dialog.SkinWindow(m_frame, L"frame", FALSE, FALSE));
    EXPECT_EQ(Hit(kWidth - 62 + 5, 10), HTZOOM);

    dialog.Detach();
    ASSERT_TRUE(dialog.SkinWindow(m_frame, L"frame.nocaption", FALSE, FALSE));
    EXPECT_TRUE(noButtons());
    EXPECT_NE(Hit(kWidth - 62 + 5, 10), HTZOOM);
    EXPECT_NE(Hit(10, 10), HTSYSMENU);

    // Another style on the attached object likewise.
    ASSERT_TRUE(dialog.SkinWindow(m_frame, L"frame", FALSE, FALSE));
    EXPECT_EQ(Hit(kWidth - 62 + 5, 10), HTZOOM);
    ASSERT_TRUE(dialog.SkinWindow(m_frame, L"frame.nocaption", FALSE, FALSE));
    EXPECT_TRUE(noButtons());
    EXPECT_NE(Hit(kWidth - 62 + 5, 10), HTZOOM);
    DestroyWindow(m_frame);
}

}  // namespace
