// Custom scroll bars taken off their window by a handler in the middle of a press, a drag, a hover
// or a custom-draw notification: the bars let go of the window and touch nothing of the freed state.
#include "VerticalBarFixture.h"

// Bars taken off the window under the mouse let go of it: no hover timer or press runs on in the
// plain window, and bars given to it again start with nothing hot.
TEST_F(VerticalBar, BarsTakenOffTheHoveredOrPressedWindowLetGoOfIt)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;  // lower arrow
    uiCsbSetStyle(w.hwnd(), SB_VERT, 2);
    SetCursorPos(x, y);
    SendMessageW(w.hwnd(), WM_NCMOUSEMOVE, HTVSCROLL, ScreenPoint(x, y));
    SendMessageW(w.hwnd(), WM_TIMER, kHoverTimer, 0);
    ASSERT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_FALSE(KillTimer(w.hwnd(), kHoverTimer));

    AttachBars();
    uiCsbSetStyle(w.hwnd(), SB_VERT, 2);
    w.prePaintAnswer = kCsbSkipDefault;
    w.notes.clear();
    uiCsbPaintNC(w.hwnd());
    ASSERT_NE(nullptr, Part(kCsbPartSecondArrow));
    EXPECT_EQ(kCsbStateNormal, Part(kCsbPartSecondArrow)->state);

    MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
    ASSERT_EQ(w.hwnd(), GetCapture());
    ASSERT_EQ(S_OK, uiCsbUninit(w.hwnd()));
    EXPECT_NE(w.hwnd(), GetCapture());
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer));
    EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatTimer));
}

// A scroll handler may take the bars off the window: the press ends there, with no timer, no capture
// and no use of the freed state.
TEST_F(VerticalBar, AnArrowPressOrRepeatWhoseHandlerRemovesTheBarsEndsThere)
{
    const int x = c.right + 10;
    const int y = c.bottom - 5;
    for (size_t removeAt : {1u, 2u}) {  // the press's own message, then the first repeat
        if (removeAt == 2)
            AttachBars();
        BarRemoval removal;
        w.onScroll = [&](const ScrollMsg&) {
            if (w.scrolls.size() == removeAt)
                removal.Remove(w.hwnd());
        };
        MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
        ASSERT_TRUE(ScrollTestWindow::PumpUntil([&] { return removal.Removed(); })) << removeAt;
        w.onScroll = nullptr;
        EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
        EXPECT_NE(w.hwnd(), GetCapture()) << removeAt;
        EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer)) << removeAt;
        EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatTimer)) << removeAt;
        EXPECT_TRUE(removal.Untouched()) << removeAt;
        MouseAt(WM_LBUTTONUP, 0, x, y);
        EXPECT_EQ(removeAt, w.scrolls.size());
    }
}

TEST_F(VerticalBar, AThumbDragOrReleaseWhoseHandlerRemovesTheBarsEndsThere)
{
    const int x = c.right + 10;
    const int y = c.top + kArrow + 5;
    for (int removeOn : {SB_THUMBTRACK, SB_THUMBPOSITION}) {
        if (removeOn == SB_THUMBPOSITION)
            AttachBars();
        BarRemoval removal;
        w.onScroll = [&](const ScrollMsg& m) {
            if (m.code == removeOn && !removal.Removed())
                removal.Remove(w.hwnd());
        };
        Hover(x, y);
        MouseAt(WM_NCLBUTTONDOWN, HTVSCROLL, x, y);
        MouseAt(WM_MOUSEMOVE, 0, x, y + 50);
        MouseAt(WM_LBUTTONUP, 0, x, y + 50);
        w.onScroll = nullptr;
        EXPECT_TRUE(removal.Removed()) << removeOn;
        EXPECT_FALSE(uiCsbIsEnabled(w.hwnd()));
        EXPECT_NE(w.hwnd(), GetCapture()) << removeOn;
        EXPECT_TRUE(removal.Untouched()) << removeOn;
        // The release still tells the window that scrolling ended.
        if (removeOn == SB_THUMBPOSITION) {
            EXPECT_EQ(SB_ENDSCROLL, Last().code);
        }
    }
}

// A custom-draw handler may take the bars off the window at any stage of the redraw of a press, of a
// drag step or of the hover's start: that ends there, with no timer, no capture, no scroll message
// after it and no use of the freed state.
TEST_F(VerticalBar, APressDragOrHoverWhoseCustomDrawHandlerRemovesTheBarsEndsThere)
{
    w.prePaintAnswer = kCsbSkipDefault;
    const POINT arrow{c.right + 10, c.bottom - 5};
    const POINT onThumb{c.right + 10, c.top + kArrow + 5};
    struct Case {
        const char* name;
        UINT msg;
        POINT at;
        bool drag;
    };
    const Case cases[] = {{"arrow", WM_NCLBUTTONDOWN, arrow, false},
                          {"thumb", WM_NCLBUTTONDOWN, onThumb, false},
                          {"drag", WM_NCLBUTTONDOWN, onThumb, true},
                          {"hover", WM_NCMOUSEMOVE, arrow, false}};
    for (const Case& k : cases) {
        for (UINT stage : {kCsbStagePrePaint, kCsbStagePart, kCsbStagePostPaint}) {
            if (!uiCsbIsEnabled(w.hwnd()))
                AttachBars();
            ScrollTestWindow::PumpPending();  // the frame's repaint, before anything is armed
            BarRemoval removal;
            bool armed = false;
            size_t scrollsAtRemoval = 0;
            w.onNote = [&](const DrawNote& n) {
                if (armed && n.stage == stage && !removal.Removed()) {
                    removal.Remove(w.hwnd());
                    scrollsAtRemoval = w.scrolls.size();
                }
            };
            // Sent, not posted: nothing else (a hover tick) redraws the bar meanwhile.
            SetCursorPos(k.at.x, k.at.y);
            armed = !k.drag;
            SendMessageW(w.hwnd(), k.msg, HTVSCROLL, ScreenPoint(k.at.x, k.at.y));
            armed = true;
            if (k.drag)
                MouseAt(WM_MOUSEMOVE, 0, k.at.x, k.at.y + 50);
            w.onNote = nullptr;
            const ::testing::Message which = ::testing::Message() << k.name << " at stage " << stage;
            ASSERT_TRUE(removal.Removed()) << which;
            EXPECT_NE(w.hwnd(), GetCapture()) << which;
            EXPECT_FALSE(KillTimer(w.hwnd(), kRepeatDelayTimer)) << which;
            EXPECT_FALSE(KillTimer(w.hwnd(), kHoverTimer)) << which;
            EXPECT_TRUE(removal.Untouched()) << which;
            MouseAt(WM_LBUTTONUP, 0, k.at.x, k.at.y);
            EXPECT_EQ(scrollsAtRemoval, w.scrolls.size()) << which;
        }
    }
}
