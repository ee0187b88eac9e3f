// The mouse-state tracker on a real window: the sequences of state changes and mouse entries that
// the window is told about, with and without the optional leave tracking.
#include <gtest/gtest.h>

#include <windows.h>
#include <vector>

#include "uiApiLoader.h"
#include "uiEngineMessages.h"
#include "uiMouseStateTracker.h"

namespace {

struct Told {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Told& other) const
    {
        return msg == other.msg && wParam == other.wParam && lParam == other.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const Told& told)
{
    return out << std::hex << "{0x" << told.msg << ", 0x" << told.wParam << ", 0x" << told.lParam << "}";
}

std::vector<Told> told;

LRESULT CALLBACK ToldWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == UIM_STATECHANGED || msg == UIM_MOUSEENTER)
        told.push_back({msg, wParam, lParam});
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

Told Changed(int from, int to)
{
    return {UIM_STATECHANGED, static_cast<WPARAM>(from), static_cast<LPARAM>(to)};
}
const Told kEntered = {UIM_MOUSEENTER, 0, 0};

// Stands in for the system's leave tracking so that the test decides whether a leave is pending.
std::vector<TRACKMOUSEEVENT> requests;
BOOL trackAnswer = TRUE;
BOOL WINAPI FakeTrackMouseEvent(LPTRACKMOUSEEVENT request)
{
    requests.push_back(*request);
    return trackAnswer;
}

class MouseStateTracker : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ToldWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TrackerTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"TrackerTestWindow", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        savedTrack = uiApiLoader::_TrackMouseEvent;
        uiApiLoader::_TrackMouseEvent = FakeTrackMouseEvent;
        trackAnswer = TRUE;
        requests.clear();
        told.clear();
    }
    void TearDown() override
    {
        uiApiLoader::_TrackMouseEvent = savedTrack;
        DestroyWindow(window);
    }
    void Send(UINT msg, WPARAM wParam = 0) { EXPECT_EQ(tracker.WindowProc(msg, wParam, 0), 1); }

    HWND window = nullptr;
    uiMouseStateTracker tracker;
    decltype(uiApiLoader::_TrackMouseEvent) savedTrack = nullptr;
};

TEST_F(MouseStateTracker, AnEnteringMouseMakesTheStateOverAndAsksForTheLeave)
{
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE);

    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered}));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].cbSize, sizeof(TRACKMOUSEEVENT));
    EXPECT_EQ(requests[0].dwFlags, static_cast<DWORD>(TME_LEAVE));
    EXPECT_EQ(requests[0].hwndTrack, window);
    EXPECT_EQ(requests[0].dwHoverTime, static_cast<DWORD>(HOVER_DEFAULT));
    EXPECT_EQ(tracker.GetState(), 2);
}

TEST_F(MouseStateTracker, APressAndAReleaseInsideEndOver)
{
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONDOWN);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered, Changed(2, 4), Changed(4, 2)}));
}

TEST_F(MouseStateTracker, AReleaseAfterTheMouseLeftEndsNormal)
{
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONDOWN);
    Send(WM_MOUSELEAVE);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered, Changed(2, 4), Changed(4, 1)}));
    EXPECT_EQ(tracker.GetState(), 1);
}

TEST_F(MouseStateTracker, EachEntryAfterALeaveIsToldAgain)
{
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSELEAVE);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered, Changed(2, 1), Changed(1, 2), kEntered}));
}

TEST_F(MouseStateTracker, WithoutLeaveTrackingEveryMoveIsAnEntryButStatesChangeOnce)
{
    uiApiLoader::_TrackMouseEvent = nullptr;
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered, kEntered, kEntered}));
}

TEST_F(MouseStateTracker, AFailedLeaveRequestLeavesNoLeavePending)
{
    trackAnswer = FALSE;
    tracker.Attach(window, 0x87);
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_EQ(told, (std::vector<Told>{Changed(1, 2), kEntered, kEntered}));
}

TEST_F(MouseStateTracker, ADisabledWindowStartsDisabledUntilItIsEnabled)
{
    EnableWindow(window, FALSE);
    told.clear();
    EXPECT_FALSE(tracker.Attach(window, 0x87));
    EXPECT_EQ(tracker.GetState(), 0x80);
    Send(WM_MOUSELEAVE);
    EXPECT_EQ(tracker.GetState(), 0x80);
    Send(WM_ENABLE, TRUE);
    EXPECT_EQ(told, std::vector<Told>{Changed(0x80, 1)});
}

TEST_F(MouseStateTracker, DisablingIsToldOnlyWhenTheMaskAllowsIt)
{
    EXPECT_TRUE(tracker.Attach(window, 7));
    Send(WM_ENABLE, FALSE);
    EXPECT_EQ(tracker.GetState(), 1);
    tracker.SetMask(0x87);
    Send(WM_ENABLE, FALSE);
    EXPECT_EQ(told, std::vector<Told>{Changed(1, 0x80)});
}

TEST_F(MouseStateTracker, ANarrowedMaskKeepsTheStateOutOfOver)
{
    tracker.Attach(window, 0x85);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONDOWN);
    EXPECT_EQ(told, (std::vector<Told>{kEntered, Changed(1, 4)}));
}

TEST_F(MouseStateTracker, WithTheMouseOffMovesAndLeavesAreIgnoredButPressesCount)
{
    tracker.Attach(window, 0x87);
    tracker.SetMouseOff(TRUE);
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONDOWN);
    Send(WM_MOUSELEAVE);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(told, std::vector<Told>{Changed(1, 4)});
    EXPECT_EQ(tracker.GetState(), 4);
}

}  // namespace
