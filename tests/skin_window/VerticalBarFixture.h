// The custom scroll bars' test fixture: a window with a vertical bar of a known size and range, and
// the mouse, notification and scroll-message helpers its tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ScrollTestWindow.h"

constexpr int kArrow = 16;
constexpr int kThick = 20;
constexpr int kId = 321;
constexpr UINT_PTR kRepeatDelayTimer = 0xFFFD;
constexpr UINT_PTR kRepeatTimer = 0xFFFE;
constexpr UINT_PTR kHoverTimer = 0xFFFFFFF2;

inline LPARAM ScreenPoint(int x, int y)
{
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

class VerticalBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowLongW(w.hwnd(), GWL_ID, kId);
        AttachBars();
        ASSERT_TRUE(uiCsbIsBarVisible(w.hwnd(), SB_VERT));
        c = w.ScreenClient();
        GetWindowRect(w.hwnd(), &wr);
        track = (c.bottom - c.top) - 2 * kArrow;
        thumb = static_cast<int>(std::lround(10.0 * track / 100.0));
        w.scrolls.clear();
    }
    void TearDown() override
    {
        if (GetCapture() == w.hwnd())
            ReleaseCapture();
    }
    void AttachBars()
    {
        ASSERT_TRUE(uiCsbInit(w.hwnd()));
        ASSERT_TRUE(uiCsbSetSize(w.hwnd(), SB_BOTH, kArrow, kThick));
        SetRange(0, 99, 10, 0);
        w.scrolls.clear();
    }
    void SetRange(int lo, int hi, UINT page, int pos)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, lo, hi, page, pos, 0};
        uiCsbSetScrollInfo(w.hwnd(), SB_VERT, &si, TRUE);
    }
    // Posts a mouse message with the cursor placed at the point first, so that the message carries
    // that position, and runs it.
    void MouseAt(UINT msg, WPARAM wParam, int x, int y)
    {
        SetCursorPos(x, y);
        PostMessageW(w.hwnd(), msg, wParam, ScreenPoint(x, y));
        ScrollTestWindow::PumpPending();
    }
    std::vector<DrawNote> PartNotes() const
    {
        std::vector<DrawNote> parts;
        for (const DrawNote& n : w.notes)
            if (n.stage == kCsbStagePart)
                parts.push_back(n);
        return parts;
    }
    const DrawNote* Part(UINT item) const
    {
        for (const DrawNote& n : w.notes)
            if (n.stage == kCsbStagePart && n.item == item)
                return &n;
        return nullptr;
    }
    // Places the cursor first, so that the press itself moves nothing.
    void Hover(int x, int y)
    {
        SetCursorPos(x, y);
        ScrollTestWindow::PumpPending();
    }
    static COLORREF TrackLight()
    {
        const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        const bool light = highlight == RGB(255, 255, 255) || highlight != GetSysColor(COLOR_WINDOW);
        return GetSysColor(light ? COLOR_3DHILIGHT : COLOR_3DFACE);
    }
    // A press on the thumb sends nothing of its own; a mouse move at the same place tracks pos.
    void ExpectOnlyTrackingAt(int pos)
    {
        for (const ScrollMsg& m : w.scrolls) {
            EXPECT_EQ(SB_THUMBTRACK, m.code);
            EXPECT_EQ(pos, m.pos);
        }
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ScrollMsg& m : w.scrolls)
            codes.push_back(m.code);
        return codes;
    }
    ScrollMsg Last() const { return w.scrolls.empty() ? ScrollMsg{0, -1, -1} : w.scrolls.back(); }

    ScrollTestWindow w{100, 100, 200, 300};
    RECT c{};
    RECT wr{};
    int track = 0;
    int thumb = 0;
};
