// Styles read from window elements: what each element becomes, the order of the display list, the
// image split of "3in" and "4in", copies and colour adjustment.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "SkinTestSupport.h"
#include "StyleTestSupport.h"
#include "uiDisplayAnimateItem.h"
#include "uiDisplayEventItem.h"
#include "uiDisplayImage.h"
#include "uiDisplayLine.h"
#include "uiDisplayProgressItem.h"
#include "uiDisplayRect.h"
#include "uiDisplayText.h"
#include "uiDrawObj.h"
#include "uiStyle.h"

namespace {

std::vector<uiDisplayItem*> Items(const uiDisplayList& list)
{
    return std::vector<uiDisplayItem*>(list.GetItems().begin(), list.GetItems().end());
}

TEST(StyleParsing, WindowWithoutChildrenHasANameAndNothingElse)
{
    StyleDocument doc;
    auto style = doc.Style("<window name=\"plain\"/>");
    ASSERT_TRUE(style);
    EXPECT_EQ(style->name, CString(L"plain"));
    EXPECT_FALSE(style->property || style->dialoginfo || style->buttoninfo || style->editinfo || style->windowregion ||
                 style->sysmenu || style->scrollinfo || style->progressinfo || style->groupboxinfo || style->menuinfo ||
                 style->comboboxinfo || style->tabctrlinfo || style->listboxinfo || style->treectrlinfo ||
                 style->listctrlinfo);
    EXPECT_EQ(style->displayList.GetCount(), 0);
    EXPECT_EQ(style->animateList.GetCount(), 0);
    EXPECT_EQ(style->eventList.GetCount(), 0);
}

TEST(StyleParsing, DisplayItemsAreImagesTextsRectsLinesSortedStablyByIndex)
{
    StyleDocument doc;
    auto style = doc.Style("<window name=\"w\">"
                           "<line id=\"l\" index=\"1\"/><rect id=\"r\" index=\"-1\"/><text id=\"t\" index=\"1\"/>"
                           "<image id=\"i1\" index=\"1\"/><image id=\"i2\" index=\"0\"/><unknown/></window>");
    ASSERT_TRUE(style);
    std::vector<CString> names;
    for (uiDisplayItem* item : Items(style->displayList))
        names.push_back(item->m_name);
    const std::vector<CString> expected = {L"r", L"i2", L"i1", L"t", L"l"};
    EXPECT_EQ(names, expected);
}

TEST(StyleParsing, CommonItemAttributesAndTheirDefaults)
{
    StyleDocument doc;
    auto style = doc.Style("<window><rect id=\"a\"/><line id=\"b\" left=\"-30\" width=\"20\" top=\"2\" right=\"5\" "
                           "bottom=\"6\" height=\"7\" index=\"3\" relativeto=\"a\" relativepoint=\"Right\" "
                           "visible=\"false\" state=\"over|down\"/></window>");
    ASSERT_TRUE(style);
    auto items = Items(style->displayList);
    ASSERT_EQ(items.size(), 2u);
    const uiDisplayItem* plain = items[0];
    EXPECT_EQ(plain->m_left, INT_MAX);
    EXPECT_EQ(plain->m_height, INT_MAX);
    EXPECT_EQ(plain->m_index, 0);
    EXPECT_TRUE(plain->IsVisible());
    EXPECT_EQ(plain->GetStateMask(), 1u);
    EXPECT_EQ(plain->m_relativePoint, 0);
    const uiDisplayItem* full = items[1];
    EXPECT_EQ(full->m_left, -30);
    EXPECT_EQ(full->m_top, 2);
    EXPECT_EQ(full->m_right, 5);
    EXPECT_EQ(full->m_bottom, 6);
    EXPECT_EQ(full->m_width, 20);
    EXPECT_EQ(full->m_height, 7);
    EXPECT_EQ(full->m_index, 3);
    EXPECT_EQ(full->m_relativeToName, CString(L"a"));
    EXPECT_EQ(full->m_relativePoint, 4);
    EXPECT_FALSE(full->IsVisible());
    EXPECT_EQ(full->GetStateMask(), 6u);
}

TEST(StyleParsing, FourInImageBecomesOneItemPerStateColumn)
{
    StyleDocument doc;
    auto style = doc.Style("<window><image id=\"btn\" paintmode=\"4in\" state=\"all\"/>"
                           "<image id=\"chk\" paintmode=\"3IN\"/></window>");
    ASSERT_TRUE(style);
    auto items = Items(style->displayList);
    ASSERT_EQ(items.size(), 7u);
    const DWORD expected[] = {1, 2, 4, 0x80, 1, 2, 4};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->GetStateMask(), expected[i]) << i;
        EXPECT_EQ(items[i]->GetType(), UI_ITEM_IMAGE);
        EXPECT_EQ(items[i]->m_name, CString(i < 4 ? L"btn" : L"chk"));
    }
}

TEST(StyleParsing, ImagePartRectangleIsRememberedOnlyWhenGiven)
{
    StyleDocument doc;
    auto style = doc.Style("<window><image rectinfile=\"0,10,20,30\" canadjust=\"false\"/><image/></window>");
    ASSERT_TRUE(style);
    auto items = Items(style->displayList);
    ASSERT_EQ(items.size(), 2u);
    auto* part = static_cast<uiDisplayImage*>(items[0]);
    EXPECT_TRUE(part->m_hasPart);
    EXPECT_EQ(part->m_partRect.bottom, 40);
    EXPECT_FALSE(part->m_canAdjust);
    auto* bare = static_cast<uiDisplayImage*>(items[1]);
    EXPECT_FALSE(bare->m_hasPart);
    EXPECT_EQ(bare->m_transparentColor, UI_NO_COLOR);
    EXPECT_TRUE(bare->m_canAdjust);
    EXPECT_EQ(bare->m_image, nullptr);
}

TEST(StyleParsing, TextShowsTheWindowTextUnlessContentIsGiven)
{
    StyleDocument doc;
    auto style = doc.Style("<window><text id=\"own\"/><text id=\"d\" content=\"#DEFAULT\"/>"
                           "<text id=\"fixed\" content=\"Hello\" horzalign=\"right\" vertalign=\"bottom\" "
                           "bsingleline=\"true\" bellipsis=\"true\"/></window>");
    ASSERT_TRUE(style);
    auto items = Items(style->displayList);
    ASSERT_EQ(items.size(), 3u);
    auto* own = static_cast<uiDisplayText*>(items[0]);
    EXPECT_TRUE(own->m_windowText);
    EXPECT_EQ(own->m_textColor.GetBaseColor(), UI_NO_COLOR);
    EXPECT_EQ(own->m_format & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS),
              static_cast<UINT>(DT_LEFT | DT_VCENTER));
    EXPECT_TRUE(static_cast<uiDisplayText*>(items[1])->m_windowText);
    auto* fixed = static_cast<uiDisplayText*>(items[2]);
    EXPECT_FALSE(fixed->m_windowText);
    EXPECT_EQ(fixed->m_content, CString(L"Hello"));
    EXPECT_EQ(fixed->m_format & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS),
              static_cast<UINT>(DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS));
}

TEST(StyleParsing, GradientsHoleRectanglesAndLineDirections)
{
    StyleDocument doc;
    auto style = doc.Style("<window><rect id=\"r\" style=\"HOLE\" alignmode=\"vert\" "
                           "gradientbegincolor=\"rgb(3,3,3)\"/><rect id=\"plain\" gradientbegincolor=\"rgb(3,3,3)\"/>"
                           "<line id=\"l\" gradientmode=\"vert\"/><line id=\"g\" gradientbegincolor=\"rgb(6,6,6)\"/>"
                           "</window>");
    ASSERT_TRUE(style);
    auto items = Items(style->displayList);
    ASSERT_EQ(items.size(), 4u);
    // A rectangle's gradient follows the mode attributes, a line's the begin colour.
    auto* rect = static_cast<uiDisplayRect*>(items[0]);
    EXPECT_FALSE(rect->m_fill);
    EXPECT_TRUE(rect->m_gradient);
    EXPECT_EQ(rect->m_gradientMode, 1);
    EXPECT_EQ(rect->m_gradientBegin.GetBaseColor(), RGB(3, 3, 3));
    auto* plain = static_cast<uiDisplayRect*>(items[1]);
    EXPECT_TRUE(plain->m_fill);
    EXPECT_FALSE(plain->m_gradient);
    auto* line = static_cast<uiDisplayLine*>(items[2]);
    EXPECT_EQ(line->m_direction, 1);
    EXPECT_FALSE(line->m_gradient);
    auto* gradient = static_cast<uiDisplayLine*>(items[3]);
    EXPECT_TRUE(gradient->m_gradient);
    EXPECT_EQ(gradient->m_direction, 0);
}

TEST(StyleParsing, AnimationAndEventItemsKeepElementOrder)
{
    StyleDocument doc;
    auto style = doc.Style("<window>"
                           "<animateitem id=\"a2\" index=\"5\" delaytime=\"40\" nframecount=\"8\" action=\"mouseEnter\" "
                           "cycle=\"false\" width=\"16\"><image id=\"f1\"/><image id=\"f2\"/></animateitem>"
                           "<animateitem id=\"a1\" index=\"1\"/>"
                           "<eventitem id=\"e2\" index=\"9\" event=\"RButtonDown\" cursor=\"hand\" tooltips=\"tip\" "
                           "sendparent=\"true\"><rect id=\"r2\" index=\"2\"/><image id=\"i\" index=\"3\"/></eventitem>"
                           "<eventitem id=\"e1\" index=\"0\"/></window>");
    ASSERT_TRUE(style);
    auto animations = Items(style->animateList);
    ASSERT_EQ(animations.size(), 2u);
    auto* first = static_cast<uiDisplayAnimateItem*>(animations[0]);
    EXPECT_EQ(first->m_name, CString(L"a2"));
    EXPECT_EQ(first->m_interval, 40);
    EXPECT_EQ(first->m_frameCount, 8);
    EXPECT_EQ(first->m_startAction, 1);
    EXPECT_FALSE(first->m_cycle);
    EXPECT_TRUE(first->m_start);
    EXPECT_TRUE(first->m_inOneFile);
    EXPECT_EQ(first->m_frameWidth, 16);
    EXPECT_EQ(first->m_frameHeight, INT_MAX);
    EXPECT_EQ(first->m_frames.GetCount(), 2);
    auto* second = static_cast<uiDisplayAnimateItem*>(animations[1]);
    EXPECT_EQ(second->m_interval, INT_MAX);
    EXPECT_EQ(second->m_startAction, 0);

    ASSERT_EQ(style->eventList.GetCount(), 2);
    uiDisplayEventItem* item = style->eventList.ItemAt(0);
    EXPECT_EQ(item->m_name, CString(L"e2"));
    EXPECT_EQ(item->m_eventCode, 2);
    EXPECT_EQ(item->m_cursor, CString(L"hand"));
    EXPECT_EQ(item->m_tooltips, CString(L"tip"));
    EXPECT_TRUE(item->m_sendParent);
    // The look keeps element-kind order (images first) and is not sorted.
    auto look = Items(item->m_look);
    ASSERT_EQ(look.size(), 2u);
    EXPECT_EQ(look[0]->m_name, CString(L"i"));
    EXPECT_EQ(look[1]->m_name, CString(L"r2"));
    EXPECT_EQ(style->eventList.ItemAt(1)->m_eventCode, 0);
    EXPECT_FALSE(style->eventList.ItemAt(1)->m_sendParent);
}

TEST(StyleParsing, TabRecordTakesTheWindowsEventItemsAndDrawItems)
{
    StyleDocument doc;
    auto style = doc.Style("<window><eventitem id=\"close\"/><tabctrlinfo>"
                           "<drawitem id=\"tab\"><text id=\"t\" index=\"2\"/><image id=\"i\" index=\"1\"/>"
                           "<eventitem id=\"x\"/><progressitem id=\"p\" value=\"30\" textformat=\"%v\">"
                           "<image id=\"progress.bk\"/></progressitem><progressitem id=\"second\"/></drawitem>"
                           "<drawitem id=\"other\"/></tabctrlinfo></window>");
    ASSERT_TRUE(style && style->tabctrlinfo);
    ASSERT_EQ(style->tabctrlinfo->eventList.GetCount(), 1);
    EXPECT_EQ(style->tabctrlinfo->eventList.ItemAt(0)->m_name, CString(L"close"));
    EXPECT_EQ(style->eventList.GetCount(), 1);
    ASSERT_EQ(style->tabctrlinfo->drawObjs.GetCount(), 2);
    uiDrawObj* tab = style->tabctrlinfo->drawObjs.Find(L"tab");
    ASSERT_NE(tab, nullptr);
    auto items = Items(tab->GetDisplayList());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->m_name, CString(L"i"));
    EXPECT_EQ(tab->GetEventList().GetCount(), 1);
    ASSERT_NE(tab->GetProgressItem(), nullptr);
    EXPECT_EQ(tab->GetProgressItem()->m_name, CString(L"p"));
    EXPECT_EQ(tab->GetProgressItem()->m_pos, 30);
    EXPECT_EQ(tab->GetProgressItem()->m_textFormat, CString(L"%v"));
    EXPECT_EQ(tab->GetProgressItem()->m_parts.GetCount(), 1);
    EXPECT_EQ(style->tabctrlinfo->drawObjs.Find(L"other")->GetProgressItem(), nullptr);
}

TEST(StyleParsing, ProgressTextFormatIsKeptWhenEmpty)
{
    StyleDocument doc;
    auto style = doc.Style("<window><listboxinfo><drawitem id=\"row\"><progressitem textformat=\"\"/></drawitem>"
                           "</listboxinfo></window>");
    ASSERT_TRUE(style && style->listboxinfo);
    uiDrawObj* row = style->listboxinfo->drawObjs.At(0);
    ASSERT_TRUE(row && row->GetProgressItem());
    EXPECT_EQ(row->GetProgressItem()->m_textFormat, CString(L"%p%"));
}

TEST(StyleCopies, CloneIsDeepAndIndependent)
{
    StyleDocument doc;
    auto style = doc.Style("<window name=\"src\"><property width=\"50\"/><scrollinfo/>"
                           "<listctrlinfo><drawitem id=\"row\"><text id=\"t\"/></drawitem></listctrlinfo>"
                           "<tabctrlinfo/><eventitem id=\"e\" tooltips=\"tip\"/>"
                           "<image id=\"icon\" width=\"10\"/><text id=\"label\" relativeto=\"icon\" relativepoint=\"right\" left=\"5\"/>"
                           "<animateitem id=\"a\"/></window>");
    ASSERT_TRUE(style);
    std::unique_ptr<uiStyle> copy(style->Clone());
    EXPECT_EQ(copy->name, CString(L"src"));
    ASSERT_TRUE(copy->property && copy->scrollinfo && copy->listctrlinfo && copy->tabctrlinfo);
    EXPECT_NE(copy->property.get(), style->property.get());
    EXPECT_EQ(copy->property->width, 50);
    EXPECT_EQ(copy->scrollinfo->parts[0].top, 105);
    ASSERT_EQ(copy->listctrlinfo->drawObjs.GetCount(), 1);
    EXPECT_NE(copy->listctrlinfo->drawObjs.At(0), style->listctrlinfo->drawObjs.At(0));
    EXPECT_EQ(copy->tabctrlinfo->eventList.GetCount(), 1);
    EXPECT_EQ(copy->eventList.GetCount(), 1);
    EXPECT_NE(copy->eventList.ItemAt(0), style->eventList.ItemAt(0));
    EXPECT_EQ(copy->eventList.ItemAt(0)->m_tooltips, CString(L"tip"));
    EXPECT_EQ(copy->animateList.GetCount(), 1);
    ASSERT_EQ(copy->displayList.GetCount(), 2);

    // The copy links the relative placement among its own items.
    uiDisplayItem* label = copy->displayList.FindItem(L"label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->m_relativeTo, copy->displayList.FindItem(L"icon"));

    // Changing the copy leaves the source alone; deleting the source leaves the copy whole.
    copy->property->width = 7;
    copy->displayList.ShowItem(L"icon", FALSE);
    EXPECT_EQ(style->property->width, 50);
    EXPECT_TRUE(style->displayList.FindItem(L"icon")->IsVisible());
    style.reset();
    RECT parent = {0, 0, 100, 20};
    copy->displayList.Layout(parent);
    EXPECT_EQ(copy->displayList.FindItem(L"icon")->m_w, 10);
}

TEST(StyleColours, AdjustingChangesPropertyAndDisplayItemsOnly)
{
    StyleDocument doc;
    auto style = doc.Style("<window><property bkcolor=\"rgb(200,40,40)\"/><tabctrlinfo/>"
                           "<rect id=\"r\" fillcolor=\"rgb(200,40,40)\"/>"
                           "<eventitem id=\"e\"><rect id=\"er\" fillcolor=\"rgb(200,40,40)\"/></eventitem>"
                           "<animateitem id=\"a\"/></window>");
    ASSERT_TRUE(style);
    uiColorInfo expected(RGB(200, 40, 40));
    expected.AdjustColor(120, 100, 0);
    ASSERT_NE(expected.GetColor(), RGB(200, 40, 40));

    EXPECT_EQ(style->AdjustColor(120, 100, 0), 1);
    EXPECT_EQ(style->property->bkColor.GetColor(), expected.GetColor());
    auto* rect = static_cast<uiDisplayRect*>(style->displayList.FindItem(L"r"));
    EXPECT_EQ(rect->m_fillColor.GetColor(), expected.GetColor());
    auto* eventRect = static_cast<uiDisplayRect*>(style->eventList.ItemAt(0)->m_look.FindItem(L"er"));
    EXPECT_EQ(eventRect->m_fillColor.GetColor(), RGB(200, 40, 40));
}

TEST(ImageTiling, HugeTargetDrawsOnlyVisibleTilesAlignedToItsCorner)
{
    StyleDocument doc;
    auto style = doc.Style("<window><image id=\"bk\" paintmode=\"tilefill\" picfile=\"" +
                           NarrowPath(WriteColumnBitmap()) + "\"/></window>");
    ASSERT_TRUE(style);
    RECT parent = {-3, 0, INT_MAX, 4};
    style->displayList.Layout(parent);
    PixelCanvas canvas(16, 4);
    style->displayList.Paint(canvas.GetDC(), UI_STATE_NORMAL);
    // Tiles of 8 start at -3, 5 and 13: the canvas shows source columns 3..7, 0..7, 0..2.
    EXPECT_EQ(canvas.Pixel(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(4, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(5, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(7, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(14, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(15, 1), RGB(0, 255, 0));
}

TEST(ImageGray, GrayImageItemPaintsTheGreyCopyOfItsPicture)
{
    const CString colours = WriteColumnBitmap();
    const CString grayFile = colours.Left(colours.GetLength() - 4) + L"-gray.bmp";
    ASSERT_TRUE(CopyFileW(colours, grayFile, FALSE));
    StyleDocument doc;
    auto plain = doc.Style("<window><image id=\"p\" picfile=\"" + NarrowPath(colours) + "\"/></window>");
    auto gray = doc.Style("<window><image id=\"g\" bgray=\"true\" picfile=\"" + NarrowPath(grayFile) +
                          "\"/></window>");
    ASSERT_TRUE(plain && gray);
    RECT parent = {0, 0, 8, 4};
    PixelCanvas plainCanvas(8, 4), grayCanvas(8, 4);
    plain->displayList.Layout(parent);
    gray->displayList.Layout(parent);
    plain->displayList.Paint(plainCanvas.GetDC(), UI_STATE_NORMAL);
    gray->displayList.Paint(grayCanvas.GetDC(), UI_STATE_NORMAL);
    for (int x = 0; x < 8; ++x) {
        const COLORREF c = plainCanvas.Pixel(x, 1);
        const int level = (GetBValue(c) * 117 + GetGValue(c) * 601 + GetRValue(c) * 306) >> 10;
        EXPECT_EQ(grayCanvas.Pixel(x, 1), RGB(level, level, level)) << "column " << x;
    }
    EXPECT_NE(plainCanvas.Pixel(2, 1), grayCanvas.Pixel(2, 1));
}

} // namespace
