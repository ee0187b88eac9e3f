// The spin button, the slider, the group box and the date-time picker: the images each spin state
// chooses, the slider's custom-draw answers, the group box's caption place and frame, the date
// picker's open and closed calendar, and another style in place of the old one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "ControlTestSupport.h"
#include "MiscTestSupport.h"
#include "SkinTestSupport.h"
#include "WaitUntil.h"
#include "uiSkinDateTimeCtrl.h"
#include "uiSkinGroupBox.h"
#include "uiSkinSliderCtrl.h"
#include "uiSkinSpinButton.h"
#include "uiTransparentHelper.h"

namespace {

const COLORREF kUpNormal = RGB(0, 0, 0x10), kUpOver = RGB(0, 0, 0x20), kUpDown = RGB(0, 0, 0x30),
               kUpDis = RGB(0, 0, 0x40), kDownNormal = RGB(0, 0x10, 0), kDownOver = RGB(0, 0x20, 0),
               kDownDown = RGB(0, 0x30, 0), kDownDis = RGB(0, 0x40, 0), kPaper = RGB(1, 2, 3);
const COLORREF kFrame = RGB(0xE0, 0xA0, 0x30);

class SmallControls : public MiscSkin {
protected:
    uiSkinSpinButton* Spin(DWORD style = 0)
    {
        m_spin = MakeControl(UPDOWN_CLASSW, style, {10, 10, 30, 50}, 116);
        return SkinOf<uiSkinSpinButton>(m_spin);
    }

    // The colours of the two halves after painting the state into a fresh canvas: upper, lower.
    std::pair<COLORREF, COLORREF> Halves(uiSkinSpinButton* spin, int state, int half)
    {
        PixelCanvas canvas(20, 40, kPaper);
        spin->PaintHalves(canvas.GetDC(), state, half);
        return {canvas.Pixel(10, 5), canvas.Pixel(10, 35)};
    }

    LRESULT CustomDraw(HWND from, DWORD stage, DWORD_PTR item, HDC dc, const RECT& rect, UINT state = 0)
    {
        NMCUSTOMDRAW draw = {};
        draw.hdr.hwndFrom = from;
        draw.hdr.idFrom = 7;
        draw.hdr.code = NM_CUSTOMDRAW;
        draw.dwDrawStage = stage;
        draw.dwItemSpec = item;
        draw.hdc = dc;
        draw.rc = rect;
        draw.uItemState = state;
        return SendMessageW(Host(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&draw));
    }

    HWND m_spin = nullptr;
};

TEST_F(SmallControls, SpinHalvesSplitTheClientAreaAcrossItsHeight)
{
    uiSkinSpinButton* spin = Spin();
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->IsVertical());
    RECT first = {}, second = {};
    spin->GetHalves(&first, &second);
    EXPECT_EQ(first.top, 0);
    EXPECT_EQ(first.bottom, 20);
    EXPECT_EQ(second.top, 20);
    EXPECT_EQ(second.bottom, 40);
}

TEST_F(SmallControls, EachSpinStateChoosesItsImages)
{
    uiSkinSpinButton* spin = Spin();
    ASSERT_NE(spin, nullptr);
    using Pair = std::pair<COLORREF, COLORREF>;
    EXPECT_EQ(Halves(spin, 1, 1), Pair(kUpNormal, kDownNormal));
    EXPECT_EQ(Halves(spin, 2, 0), Pair(kUpNormal, kDownOver));
    EXPECT_EQ(Halves(spin, 2, 1), Pair(kUpOver, kDownNormal));
    EXPECT_EQ(Halves(spin, 2, -1), Pair(kUpOver, kDownNormal));
    EXPECT_EQ(Halves(spin, 4, 1), Pair(kUpDown, kDownNormal));
    EXPECT_EQ(Halves(spin, 4, 0), Pair(kUpNormal, kDownDown));
    EXPECT_EQ(Halves(spin, 128, 1), Pair(kUpDis, kDownDis));
}

TEST_F(SmallControls, SpinPressedOutsideBothHalvesPaintsNothing)
{
    uiSkinSpinButton* spin = Spin();
    ASSERT_NE(spin, nullptr);
    using Pair = std::pair<COLORREF, COLORREF>;
    EXPECT_EQ(Halves(spin, 4, -1), Pair(kPaper, kPaper));
    EXPECT_EQ(Halves(spin, 0x100, 1), Pair(kPaper, kPaper));
}

TEST_F(SmallControls, SliderAnswersEveryCustomDrawStage)
{
    const HWND slider = MakeControl(TRACKBAR_CLASSW, TBS_NOTICKS, {10, 10, 210, 40}, 115);
    ASSERT_NE(SkinOf<uiSkinSliderCtrl>(slider), nullptr);
    PixelCanvas canvas(200, 30, kPaper);
    const RECT all = {0, 0, 200, 30};
    EXPECT_EQ(CustomDraw(slider, CDDS_PREPAINT, 0, canvas.GetDC(), all), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(CustomDraw(slider, CDDS_POSTPAINT, 0, canvas.GetDC(), all), 0);
    EXPECT_EQ(CustomDraw(slider, CDDS_PREERASE, 0, canvas.GetDC(), all), CDRF_SKIPDEFAULT);
    EXPECT_EQ(CustomDraw(slider, CDDS_POSTERASE, 0, canvas.GetDC(), all), CDRF_SKIPDEFAULT);
    EXPECT_EQ(CustomDraw(slider, CDDS_ITEMPOSTPAINT, TBCD_THUMB, canvas.GetDC(), all), 0);
    // Tic marks: skipped and never painted.
    EXPECT_EQ(CustomDraw(slider, CDDS_ITEMPREPAINT, TBCD_TICS, canvas.GetDC(), all), CDRF_SKIPDEFAULT);
    EXPECT_EQ(canvas.Pixel(100, 15), kPaper);
}

TEST_F(SmallControls, SliderThumbTakesTheItemsState)
{
    const HWND slider = MakeControl(TRACKBAR_CLASSW, TBS_NOTICKS, {10, 10, 210, 40}, 115);
    uiSkinSliderCtrl* skin = SkinOf<uiSkinSliderCtrl>(slider);
    ASSERT_NE(skin, nullptr);
    PixelCanvas canvas(200, 30, kPaper);
    const RECT thumb = {50, 2, 60, 28};
    EXPECT_EQ(CustomDraw(slider, CDDS_ITEMPREPAINT, TBCD_THUMB, canvas.GetDC(), thumb), CDRF_SKIPDEFAULT);
    EXPECT_EQ(canvas.Pixel(55, 15), RGB(0x20, 0x40, 0xA0));
    EXPECT_TRUE(EqualRect(&skin->GetThumbRect(), &thumb));
    CustomDraw(slider, CDDS_ITEMPREPAINT, TBCD_THUMB, canvas.GetDC(), thumb, CDIS_HOT);
    EXPECT_EQ(canvas.Pixel(55, 15), RGB(0x40, 0x60, 0xE0));
    CustomDraw(slider, CDDS_ITEMPREPAINT, TBCD_THUMB, canvas.GetDC(), thumb, CDIS_SELECTED | CDIS_HOT);
    EXPECT_EQ(canvas.Pixel(55, 15), RGB(0x10, 0x20, 0x50));
    EXPECT_EQ(canvas.Pixel(45, 15), kPaper);
}

TEST_F(SmallControls, SliderIgnoresCustomDrawOfOtherWindows)
{
    const HWND slider = MakeControl(TRACKBAR_CLASSW, TBS_NOTICKS, {10, 10, 210, 40}, 115);
    ASSERT_NE(SkinOf<uiSkinSliderCtrl>(slider), nullptr);
    PixelCanvas canvas(200, 30, kPaper);
    CustomDraw(Host(), CDDS_ITEMPREPAINT, TBCD_THUMB, canvas.GetDC(), {50, 2, 60, 28});
    EXPECT_EQ(canvas.Pixel(55, 15), kPaper);
}

TEST_F(SmallControls, GroupBoxCaptionPlaceFollowsTheAlignment)
{
    const HWND left = MakeControl(L"BUTTON", BS_GROUPBOX, {10, 10, 210, 110}, 113);
    const HWND right = MakeControl(L"BUTTON", BS_GROUPBOX | BS_RIGHT, {10, 120, 210, 220}, 113);
    const HWND center = MakeControl(L"BUTTON", BS_GROUPBOX | BS_CENTER, {220, 10, 420, 110}, 113);
    const SIZE text = {40, 12};
    // textoffsetx="10" textoffsety="2"; the caption is 4 wider than its text.
    const RECT l = SkinOf<uiSkinGroupBox>(left)->TextRect(text);
    EXPECT_EQ(l.left, 10);
    EXPECT_EQ(l.right, 54);
    EXPECT_EQ(l.top, 2);
    EXPECT_EQ(l.bottom, 14);
    const RECT r = SkinOf<uiSkinGroupBox>(right)->TextRect(text);
    EXPECT_EQ(r.right, 200 - 10);
    EXPECT_EQ(r.left, 200 - 10 - 44);
    const RECT c = SkinOf<uiSkinGroupBox>(center)->TextRect(text);
    EXPECT_EQ(c.left, 80);
    EXPECT_EQ(c.right, 124);
}

TEST_F(SmallControls, AReplacingStyleBringsItsOwnTransparencyAndCaptionPlace)
{
    const HWND slider = MakeControl(TRACKBAR_CLASSW, 0, {10, 10, 210, 40}, 115);
    const HWND group = MakeControl(L"BUTTON", BS_GROUPBOX, {10, 50, 210, 150}, 113);
    auto* sliderSkin = SkinOf<uiSkinSliderCtrl>(slider);
    auto* groupSkin = SkinOf<uiSkinGroupBox>(group);
    ASSERT_NE(sliderSkin, nullptr);
    ASSERT_NE(groupSkin, nullptr);
    struct Case {
        const wchar_t* sliderStyle;
        bool transparent;
        const wchar_t* groupStyle;
        POINT caption;
    };
    // Without a record of its own the group box takes the record's defaults, 5 and 0.
    for (const Case& c : {Case{L"sliderctrl.clear", true, L"groupbox.far", {30, 6}},
                          Case{L"sliderctrl", false, L"groupbox.plain", {5, 0}},
                          Case{L"sliderctrl.clear", true, L"groupbox", {10, 2}}}) {
        SCOPED_TRACE(c.groupStyle);
        ASSERT_TRUE(sliderSkin->SkinWindow(slider, c.sliderStyle, TRUE, FALSE));
        EXPECT_EQ(uiHasTransparentTag(slider) != FALSE, c.transparent);
        ASSERT_TRUE(groupSkin->SkinWindow(group, c.groupStyle, TRUE, FALSE));
        const RECT text = groupSkin->TextRect({40, 12});
        EXPECT_EQ(text.left, c.caption.x);
        EXPECT_EQ(text.top, c.caption.y);
    }
}

TEST_F(SmallControls, GroupBoxWithoutCaptionStillStartsItsFrameHalfALineLow)
{
    const HWND group = MakeControl(L"BUTTON", BS_GROUPBOX, {10, 10, 210, 110}, 113);
    ASSERT_NE(SkinOf<uiSkinGroupBox>(group), nullptr);
    PixelCanvas canvas(200, 100, kPaper);
    SkinOf<uiSkinGroupBox>(group)->Paint(canvas.GetDC());
    // Some frame row lies in the upper half of a line of text, and the frame is unbroken there.
    int top = -1;
    for (int y = 0; y < 30 && top < 0; ++y) {
        if (canvas.Pixel(100, y) == kFrame)
            top = y;
    }
    ASSERT_GT(top, 0);
    EXPECT_EQ(canvas.Pixel(0, top + 5), kFrame);
    EXPECT_EQ(canvas.Pixel(20, top), kFrame);
}

TEST_F(SmallControls, GroupBoxCaptionBreaksTheFrame)
{
    const HWND group = MakeControl(L"BUTTON", BS_GROUPBOX, {10, 10, 210, 110}, 113);
    SetWindowTextW(group, L"WWWWWW");
    ASSERT_NE(SkinOf<uiSkinGroupBox>(group), nullptr);
    PixelCanvas canvas(200, 100, kPaper);
    SkinOf<uiSkinGroupBox>(group)->Paint(canvas.GetDC());
    int top = -1;
    for (int y = 0; y < 30 && top < 0; ++y) {
        if (canvas.Pixel(150, y) == kFrame)
            top = y;
    }
    ASSERT_GT(top, 0);
    // The caption starts at the margin: the frame's top line is cut from there.
    EXPECT_EQ(canvas.Pixel(5, top), kFrame);
    EXPECT_NE(canvas.Pixel(12, top), kFrame);
}

TEST_F(SmallControls, DatePickerRepaintsItsFrameOnlyWhileTheCalendarIsOpen)
{
    const HWND date = MakeControl(DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT, {10, 10, 170, 34}, 126);
    uiSkinDateTimeCtrl* skin = SkinOf<uiSkinDateTimeCtrl>(date);
    ASSERT_NE(skin, nullptr);
    NMHDR header = {date, 7, static_cast<UINT>(DTN_DROPDOWN)};
    SendMessageW(Host(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header));
    EXPECT_TRUE(skin->IsDroppedDown());
    // The refresh timer runs while the calendar is open, and each tick paints the frame.
    MSG tick = {};
    EXPECT_TRUE(WaitUntil([&] { return PeekMessageW(&tick, date, WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE; }));
    EXPECT_EQ(tick.wParam, 100u);
    const COLORREF kDateFrame = RGB(0xA0, 0x50, 0xA0), kMarker = RGB(1, 2, 3);
    auto markFrame = [&] {
        HDC dc = GetWindowDC(date);
        SetPixel(dc, 0, 0, kMarker);
        ReleaseDC(date, dc);
    };
    markFrame();
    // The refresh timer is the picker's own business while the calendar is open.
    EXPECT_EQ(SendMessageW(date, WM_TIMER, 100, 0), 1);
    EXPECT_EQ(WindowPixel(date, 0, 0), kDateFrame);

    header.code = static_cast<UINT>(DTN_CLOSEUP);
    SendMessageW(Host(), WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header));
    EXPECT_FALSE(skin->IsDroppedDown());
    EXPECT_FALSE(KillTimer(date, 100)) << "the refresh timer outlived the calendar";
    // A tick that still comes after close-up paints nothing and stops its timer.
    ASSERT_TRUE(SetTimer(date, 100, 100, nullptr));
    markFrame();
    EXPECT_EQ(SendMessageW(date, WM_TIMER, 100, 0), 1);
    EXPECT_EQ(WindowPixel(date, 0, 0), kMarker);
    EXPECT_FALSE(KillTimer(date, 100));
}

TEST_F(SmallControls, TimePickerSkinsItsUpDownControl)
{
    const HWND time = MakeControl(DATETIMEPICK_CLASSW, DTS_TIMEFORMAT, {10, 10, 170, 34}, 126);
    ASSERT_NE(SkinOf<uiSkinDateTimeCtrl>(time), nullptr);
    const HWND spin = GetWindow(time, GW_CHILD);
    ASSERT_NE(spin, nullptr);
    EXPECT_NE(SkinOf<uiSkinSpinButton>(spin), nullptr);
}


TEST_F(SmallControls, ASpinWhoseStyleWentPaintsNothing)
{
    uiSkinSpinButton* spin = Spin();
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(spin->SkinWindow(m_spin, L"no.such.style", TRUE, FALSE));

    using Pair = std::pair<COLORREF, COLORREF>;
    EXPECT_EQ(Halves(spin, 1, 1), Pair(kPaper, kPaper));
    EXPECT_EQ(Halves(spin, 128, 1), Pair(kPaper, kPaper));
    PaintNow(m_spin);
}

}  // namespace
