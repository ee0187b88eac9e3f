// Draw objects: deep copies with placements linked inside the copy, and the row-drawing functions.
#include <gtest/gtest.h>

#include <memory>
#include "SkinTestSupport.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayEventList.h"
#include "uiDisplayProgressItem.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"
#include "uiDrawObj.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kBackground = RGB(10, 200, 30);

uiDisplayRect* Block(const wchar_t* name, COLORREF color, DWORD mask = UI_STATE_NORMAL)
{
    auto* item = new uiDisplayRect;
    item->m_name = name;
    item->m_fillColor = uiColorInfo(color);
    item->m_borderColor = uiColorInfo(color);
    item->SetStateMask(mask);
    return item;
}

// A row: an icon block of 10 pixels at the left, a label placed to its right, one event item placed
// right of the icon and a progress bar.
std::unique_ptr<uiDrawObj> MakeRow()
{
    auto row = std::make_unique<uiDrawObj>();
    row->m_name = L"row";
    uiDisplayRect* icon = Block(L"icon", kRed, UI_STATE_NORMAL | UI_STATE_OVER);
    icon->m_width = 10;
    row->GetDisplayList().Append(icon);
    auto* label = new uiDisplayText;
    label->m_name = L"label";
    label->m_relativeToName = L"icon";
    label->m_relativePoint = UI_RELATIVE_RIGHT;
    label->m_left = 2;
    row->GetDisplayList().Append(label);
    auto* button = new uiDisplayEventItem;
    button->m_name = L"close";
    button->m_relativeToName = L"icon";
    button->m_relativePoint = UI_RELATIVE_RIGHT;
    button->m_left = 4;
    button->m_width = 6;
    row->GetEventList().Append(button);
    auto* progress = new uiDisplayProgressItem;
    progress->m_pos = 30;
    progress->m_parts.Append(Block(L"progress.bk", kBlue));
    row->SetProgressItem(progress);
    return row;
}

} // namespace

TEST(DrawObjFunctions, NullDrawObjectIsIgnored)
{
    PixelCanvas canvas(4, 4, kBackground);
    uiDrawObj_Paint(canvas.GetDC(), nullptr, UI_STATE_NORMAL);
    uiDrawObj_SetText(nullptr, L"x");
    uiDrawObj_SetRect(nullptr, RECT{0, 0, 4, 4});
    uiDrawObj_SetHitRect(nullptr, RECT{0, 0, 4, 4});
    uiDrawObj_ShiftX(nullptr, 3);
    uiDrawObj_PaintCollapseIcon(canvas.GetDC(), nullptr);
    uiDrawObj_PaintExpandIcon(canvas.GetDC(), nullptr);
    EXPECT_EQ(canvas.Pixel(1, 1), kBackground);
}

TEST(DrawObjCopy, CopyIsDeepAndLinksPlacementsInsideItself)
{
    std::unique_ptr<uiDrawObj> row = MakeRow();
    std::unique_ptr<uiDrawObj> copy(row->Clone());
    EXPECT_EQ(copy->m_name.Compare(L"row"), 0);
    ASSERT_EQ(copy->GetDisplayList().GetCount(), 2);
    ASSERT_EQ(copy->GetEventList().GetCount(), 1);
    ASSERT_NE(copy->GetProgressItem(), nullptr);
    EXPECT_NE(copy->GetProgressItem(), row->GetProgressItem());
    EXPECT_EQ(copy->GetProgressItem()->m_pos, 30);
    EXPECT_EQ(copy->GetProgressItem()->m_parts.GetCount(), 1);

    uiDisplayItem* icon = copy->GetDisplayList().FindItem(L"icon");
    EXPECT_NE(icon, row->GetDisplayList().FindItem(L"icon"));
    EXPECT_EQ(copy->GetDisplayList().FindItem(L"label")->m_relativeTo, icon);
    EXPECT_EQ(copy->GetEventList().ItemAt(0)->m_relativeTo, icon);

    uiDrawObj_SetRect(copy.get(), RECT{0, 0, 100, 20});
    EXPECT_EQ(copy->GetEventList().ItemAt(0)->m_x, 14);
    EXPECT_EQ(copy->GetProgressItem()->m_w, 100);
}

TEST(DrawObjCopy, WithoutProgressItemTheCopyHasNone)
{
    uiDrawObj row;
    row.GetDisplayList().Append(Block(L"a", kRed));
    std::unique_ptr<uiDrawObj> copy(row.Clone());
    EXPECT_EQ(copy->GetProgressItem(), nullptr);
    EXPECT_EQ(copy->GetDisplayList().GetCount(), 1);
}

TEST(DrawObjPaint, StateSelectsDisplayItemsAndBecomesTheEventItemsControlState)
{
    std::unique_ptr<uiDrawObj> row(MakeRow()->Clone());
    row->GetProgressItem()->m_visible = FALSE;
    uiDrawObj_SetRect(row.get(), RECT{0, 0, 40, 10});
    PixelCanvas canvas(40, 10, kBackground);
    uiDrawObj_Paint(canvas.GetDC(), row.get(), UI_STATE_OVER);
    EXPECT_EQ(canvas.Pixel(5, 5), kRed);
    EXPECT_EQ(row->GetEventList().ItemAt(0)->GetControlState(), static_cast<DWORD>(UI_STATE_OVER));
    // The hidden progress bar left the rest of the row alone.
    EXPECT_EQ(canvas.Pixel(30, 5), kBackground);
}

TEST(DrawObjPaint, VisibleProgressItemIsPaintedLast)
{
    std::unique_ptr<uiDrawObj> row = MakeRow();
    uiDrawObj_SetRect(row.get(), RECT{0, 0, 40, 10});
    PixelCanvas canvas(40, 10, kBackground);
    uiDrawObj_Paint(canvas.GetDC(), row.get(), UI_STATE_DOWN);
    EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
    EXPECT_EQ(canvas.Pixel(30, 5), kBlue);
}

TEST(DrawObjPaint, TreeSignsArePaintedByName)
{
    uiDrawObj row;
    row.GetDisplayList().Append(Block(L"expandicon", kRed, 0));
    row.GetDisplayList().Append(Block(L"collapseicon", kBlue, 0));
    uiDrawObj_SetRect(&row, RECT{0, 0, 8, 8});
    PixelCanvas canvas(8, 8, kBackground);
    uiDrawObj_PaintExpandIcon(canvas.GetDC(), &row);
    EXPECT_EQ(canvas.Pixel(4, 4), kRed);
    uiDrawObj_PaintCollapseIcon(canvas.GetDC(), &row);
    EXPECT_EQ(canvas.Pixel(4, 4), kBlue);

    uiDrawObj plain;
    PixelCanvas untouched(8, 8, kBackground);
    uiDrawObj_PaintExpandIcon(untouched.GetDC(), &plain);
    EXPECT_EQ(untouched.Pixel(4, 4), kBackground);
}

TEST(DrawObjRow, TextShiftAndHitRectangleReachTheirItems)
{
    std::unique_ptr<uiDrawObj> row(MakeRow()->Clone());
    uiDrawObj_SetText(row.get(), L"Row text");
    auto* label = static_cast<uiDisplayText*>(row->GetDisplayList().FindItem(L"label"));
    EXPECT_EQ(label->m_content.Compare(L"Row text"), 0);

    uiDrawObj_SetRect(row.get(), RECT{0, 0, 100, 20});
    uiDrawObj_ShiftX(row.get(), 16);
    EXPECT_EQ(row->GetDisplayList().FindItem(L"icon")->m_x, 16);

    uiDrawObj_SetHitRect(row.get(), RECT{0, 40, 100, 60});
    const RECT hit = row->GetEventList().ItemAt(0)->GetHitRect();
    EXPECT_EQ(hit.top, 40);
    EXPECT_EQ(hit.bottom, 60);
}
