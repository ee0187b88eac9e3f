// The progress item: the step part cut to the position and the percentage text, read back by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"
#include "uiDisplayProgressItem.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"

namespace {

const COLORREF kTrack = RGB(0, 0, 255), kStepColor = RGB(255, 0, 0), kBackground = RGB(10, 200, 30);

uiDisplayRect* Part(const wchar_t* name, COLORREF color, DWORD mask)
{
    auto* part = new uiDisplayRect;
    part->m_name = name;
    part->m_fillColor = uiColorInfo(color);
    part->m_borderColor = uiColorInfo(color);
    part->SetStateMask(mask);
    return part;
}

class ProgressBar : public testing::Test {
protected:
    void SetUp() override
    {
        bar.m_parts.Append(Part(L"progress.bk", kTrack, UI_STATE_NORMAL));
        bar.m_parts.Append(Part(L"progress.step", kStepColor, UI_STATE_NORMAL));
        text = new uiDisplayText;
        text->m_name = L"progress.text";
        // Drawn above the row that the tests read.
        text->m_height = 4;
        text->SetSingleLine(TRUE);
        text->SetVertAlign(0);
        bar.m_parts.Append(text);
        bar.CalcRect(RECT{0, 0, 200, 10});
    }
    // The x of the first track pixel on the middle row, 200 when the step covers all.
    int StepEnd(PixelCanvas& canvas)
    {
        int x = 0;
        while (x < 200 && canvas.Pixel(x, 5) == kStepColor)
            ++x;
        return x;
    }
    uiDisplayProgressItem bar;
    uiDisplayText* text = nullptr;
};

} // namespace

TEST_F(ProgressBar, HalfwayPaintsHalfTheStepAndFiftyPercent)
{
    bar.m_pos = 50;
    PixelCanvas canvas(200, 10, kBackground);
    ASSERT_EQ(bar.Paint(canvas.GetDC()), 1);
    EXPECT_EQ(StepEnd(canvas), 100);
    EXPECT_EQ(canvas.Pixel(150, 5), kTrack);
    EXPECT_EQ(text->m_content.Compare(L"50%"), 0);
}

TEST_F(ProgressBar, RepeatedPaintsCutFromTheLaidOutWidth)
{
    bar.m_pos = 50;
    for (int paint = 0; paint < 3; ++paint) {
        PixelCanvas canvas(200, 10, kBackground);
        bar.Paint(canvas.GetDC());
        EXPECT_EQ(StepEnd(canvas), 100) << paint;
    }
}

TEST_F(ProgressBar, EmptyRangeCountsAsASpanOfOne)
{
    bar.m_max = 0;
    bar.m_pos = 1;
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(StepEnd(canvas), 200);
    EXPECT_EQ(text->m_content.Compare(L"100%"), 0);
}

TEST_F(ProgressBar, PositionZeroPaintsNoStep)
{
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(0, 5), kTrack);
    EXPECT_EQ(text->m_content.Compare(L"0%"), 0);
}

TEST_F(ProgressBar, PositionBeyondTheMaximumStopsOnePixelShortOfTheEnd)
{
    bar.m_pos = 150;
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(StepEnd(canvas), 199);
}

TEST_F(ProgressBar, PositionBelowTheMinimumPaintsNoMirroredStep)
{
    bar.m_pos = -40;
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(0, 5), kTrack);
    EXPECT_EQ(canvas.Pixel(199, 5), kTrack);
}

TEST_F(ProgressBar, ExtremeRangeGivesNoOverflow)
{
    bar.m_min = INT_MIN;
    bar.m_max = INT_MAX;
    bar.m_pos = INT_MAX;
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(text->m_content.Compare(L"100%"), 0);
    bar.m_min = 0;
    bar.m_max = 1;
    bar.m_pos = INT_MAX;
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(StepEnd(canvas), 199);
}

TEST_F(ProgressBar, TextFormatsFollowTheirCodes)
{
    bar.m_min = 100;
    bar.m_max = 300;
    bar.m_pos = 150;
    PixelCanvas canvas(200, 10, kBackground);
    const struct { const wchar_t* format; const wchar_t* text; } cases[] = {
        {L"%p%", L"25%"}, {L"%p", L"25"}, {L"%v", L"150"}};
    for (const auto& c : cases) {
        bar.m_textFormat = c.format;
        bar.Paint(canvas.GetDC());
        EXPECT_EQ(text->m_content.Compare(c.text), 0) << c.format;
    }
    text->m_content = L"kept";
    bar.m_textFormat = L"%x";
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(text->m_content.Compare(L"kept"), 0);
}

TEST_F(ProgressBar, BackgroundIsPaintedForTheUsualControlStatesOnly)
{
    bar.m_parts.FindItem(L"progress.bk")->SetStateMask(UI_STATE_CHECKED);
    PixelCanvas canvas(200, 10, kBackground);
    bar.Paint(canvas.GetDC());
    EXPECT_EQ(canvas.Pixel(100, 5), kBackground);
}

TEST_F(ProgressBar, CloneCopiesRangePositionFormatAndParts)
{
    bar.m_min = 10;
    bar.m_max = 20;
    bar.m_pos = 15;
    bar.m_textFormat = L"%v";
    bar.m_name = L"bar";
    std::unique_ptr<uiDisplayItem> copy(bar.Clone());
    auto* copied = static_cast<uiDisplayProgressItem*>(copy.get());
    ASSERT_EQ(copied->GetType(), UI_ITEM_PROGRESS);
    EXPECT_EQ(copied->m_min, 10);
    EXPECT_EQ(copied->m_max, 20);
    EXPECT_EQ(copied->m_pos, 15);
    EXPECT_EQ(copied->m_textFormat.Compare(L"%v"), 0);
    EXPECT_EQ(copied->m_name.Compare(L"bar"), 0);
    EXPECT_EQ(copied->m_parts.GetCount(), 3);
    EXPECT_NE(copied->m_parts.FindItem(L"progress.step"), bar.m_parts.FindItem(L"progress.step"));
    copied->CalcRect(RECT{0, 0, 200, 10});
    PixelCanvas canvas(200, 10, kBackground);
    copied->Paint(canvas.GetDC());
    EXPECT_EQ(StepEnd(canvas), 100);
}
