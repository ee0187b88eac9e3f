// The style schema: keyword tables, state masks, settings records with their defaults, and the
// scroll-bar part grid.
#include <gtest/gtest.h>

#include <climits>

#include "StyleTestSupport.h"
#include "uiDisplayImage.h"
#include "uiStyle.h"

namespace {

const int kUnset = INT_MAX;

bool SameRect(const RECT& rect, int left, int top, int right, int bottom)
{
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

TEST(StateMask, PiecesAreOredAndEmptyOrUnknownGivesNormal)
{
    EXPECT_EQ(uiStyle::ReadStateMask(L"over|down"), 6u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"NORMAL|Disable|checkedover"), 0x1u | 0x80u | 0x200u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"checked|checkeddisable|checkeddown|inactive"), 0x100u | 0x1000u | 0x2000u | 0x800u);
    EXPECT_EQ(uiStyle::ReadStateMask(L""), 1u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"hover"), 1u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"|||"), 1u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"all"), 0x7787u);
    // Pieces are looked up as written: blanks around a word make it unknown.
    EXPECT_EQ(uiStyle::ReadStateMask(L"over | down"), 1u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"down| over"), 4u);
}

TEST(StateMask, NonAndDefaultEndTheReadingWithAFixedMask)
{
    EXPECT_EQ(uiStyle::ReadStateMask(L"normal|non"), 0u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"down|default"), 0x4000u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"default|down"), 0x4000u);
    EXPECT_EQ(uiStyle::ReadStateMask(L"Non|over"), 0u);
}

TEST(KeywordTables, PartsExamplesAndUnknownWordsGiveTheDefault)
{
    EXPECT_EQ(uiStyle::ReadPaintMode(L"bottom"), 13);
    EXPECT_EQ(uiStyle::ReadPaintMode(L"TILEFILL"), 1);
    EXPECT_EQ(uiStyle::ReadPaintMode(L"4IN"), 15);
    EXPECT_EQ(uiStyle::ReadPaintMode(L"sideways"), 0);
    EXPECT_EQ(uiStyle::ReadCombineMode(L"XOR"), RGN_XOR);
    EXPECT_EQ(uiStyle::ReadCombineMode(L"copy"), RGN_COPY);
    EXPECT_EQ(uiStyle::ReadCombineMode(L"nand"), RGN_AND);
    EXPECT_EQ(uiStyle::ReadLineStyle(L"dashdotdot"), PS_DASHDOTDOT);
    EXPECT_EQ(uiStyle::ReadLineStyle(L"wavy"), PS_SOLID);
    EXPECT_EQ(uiStyle::ReadEventName(L"mouseleave"), 4);
    EXPECT_EQ(uiStyle::ReadEventName(L"Wheel"), 0);
    EXPECT_EQ(uiStyle::ReadGradientMode(L"Vert"), 1);
    EXPECT_EQ(uiStyle::ReadHorzAlign(L"RIGHT"), 2);
    EXPECT_EQ(uiStyle::ReadHorzAlign(L"justify"), 0);
    // Vertical alignment defaults to the centre, not the top.
    EXPECT_EQ(uiStyle::ReadVertAlign(L"Bottom"), 8);
    EXPECT_EQ(uiStyle::ReadVertAlign(L"top"), 0);
    EXPECT_EQ(uiStyle::ReadVertAlign(L"middle"), 4);
    EXPECT_EQ(uiStyle::ReadRelativePoint(L"right"), 4);
    EXPECT_EQ(uiStyle::ReadRelativePoint(L"left"), 0);
    EXPECT_EQ(uiStyle::ReadButtonSubtype(L"Radio"), 2);
    EXPECT_EQ(uiStyle::ReadButtonSubtype(L"toggle"), 0);
    EXPECT_EQ(uiStyle::ReadShapeType(L"ELLIPSE"), 2);
    EXPECT_EQ(uiStyle::ReadAnimateAction(L"MOUSELEAVE"), 2);
    EXPECT_EQ(uiStyle::ReadAnimateAction(L"click"), 0);
}

TEST(SettingsRecords, EmptyDialogInfoTakesTheReaderDefaults)
{
    StyleDocument doc;
    auto style = doc.Style("<window name=\"dlg\"><dialoginfo/></window>");
    ASSERT_TRUE(style && style->dialoginfo);
    const uiDialogInfo& info = *style->dialoginfo;
    EXPECT_EQ(info.borderTop, 4);
    EXPECT_EQ(info.borderBottom, 6);
    EXPECT_EQ(info.borderLeft, 6);
    EXPECT_EQ(info.borderRight, 6);
    EXPECT_EQ(info.minWidth, kUnset);
    EXPECT_EQ(info.maxWidth, kUnset);
    EXPECT_EQ(info.minHeight, kUnset);
    EXPECT_EQ(info.maxHeight, kUnset);
    EXPECT_EQ(info.captionHeight, kUnset);
    EXPECT_EQ(info.clientStartY, kUnset);
    EXPECT_TRUE(info.reservedFlag1);
    EXPECT_TRUE(info.reservedFlag2);
    EXPECT_FALSE(info.sendSysCmdMsg);
    EXPECT_TRUE(SameRect(info.iconRect, 8, 8, 24, 24));
    EXPECT_TRUE(SameRect(info.clientAreaBorder, 3, 0, 3, 3));
}

TEST(SettingsRecords, DialogClientStartFollowsTheCaptionAndRectanglesAreOriginPlusSize)
{
    StyleDocument doc;
    auto style = doc.Style("<window><dialoginfo captionheight=\"30\" SendSysCmdMsg=\"TRUE\" "
                           "iconrect=\"4,5,16,16\" clientareaborder=\"1,2,3,4\"/></window>");
    ASSERT_TRUE(style && style->dialoginfo);
    EXPECT_EQ(style->dialoginfo->captionHeight, 30);
    EXPECT_EQ(style->dialoginfo->clientStartY, 30);
    EXPECT_TRUE(style->dialoginfo->sendSysCmdMsg);
    EXPECT_TRUE(SameRect(style->dialoginfo->iconRect, 4, 5, 20, 21));
    EXPECT_TRUE(SameRect(style->dialoginfo->clientAreaBorder, 1, 2, 4, 6));
}

TEST(SettingsRecords, PropertyRecord)
{
    StyleDocument doc;
    auto plain = doc.Style("<window><property/></window>");
    ASSERT_TRUE(plain && plain->property);
    EXPECT_FALSE(plain->property->hasClipColor);
    EXPECT_EQ(plain->property->bkColor.GetBaseColor(), UI_NO_COLOR);
    EXPECT_EQ(plain->property->headerctrl, CString(L"headerctrl"));
    EXPECT_TRUE(plain->property->scrollbar.IsEmpty());
    EXPECT_EQ(plain->property->width, kUnset);
    EXPECT_EQ(plain->property->height, kUnset);

    auto full = doc.Style("<window><property bselfpaint=\"true\" clipcolor=\"RGB(255,0,255)\" bkcolor=\"rgb(1,2,3)\" "
                          "tooltips=\"#default\" cursor=\"hand\" scrollbar=\"sb\" headerctrl=\"hdr\" width=\"120\" "
                          "height=\"1\" btransparentbk=\"True\"/></window>");
    ASSERT_TRUE(full && full->property);
    const uiStyleProperty& p = *full->property;
    EXPECT_TRUE(p.bselfpaint);
    EXPECT_TRUE(p.hasClipColor);
    EXPECT_EQ(p.clipColor, RGB(255, 0, 255));
    EXPECT_EQ(p.bkColor.GetBaseColor(), RGB(1, 2, 3));
    EXPECT_EQ(p.tooltips, CString(L"#default"));
    EXPECT_EQ(p.cursor, CString(L"hand"));
    EXPECT_EQ(p.scrollbar, CString(L"sb"));
    EXPECT_EQ(p.headerctrl, CString(L"hdr"));
    EXPECT_EQ(p.width, 120);
    EXPECT_EQ(p.height, 1);
    EXPECT_TRUE(p.btransparentbk);

    // White written as six hex digits reads as -1, the "no colour" value: no clip colour.
    auto white = doc.Style("<window><property clipcolor=\"ffffff\"/></window>");
    ASSERT_TRUE(white && white->property);
    EXPECT_FALSE(white->property->hasClipColor);
}

TEST(SettingsRecords, ButtonEditAndSmallRecords)
{
    StyleDocument doc;
    auto style = doc.Style("<window><buttoninfo subtype=\"Radio\" drawfocus=\"true\"/>"
                           "<editinfo buseimagebk=\"true\" marginleft=\"2\" textcolor=\"rgb(9,8,7)\" font=\"f\"/>"
                           "<progressinfo leftpad=\"3\"/><groupboxinfo/><menuinfo font=\"\"/>"
                           "<comboboxinfo/></window>");
    ASSERT_TRUE(style);
    ASSERT_TRUE(style->buttoninfo);
    EXPECT_EQ(style->buttoninfo->width, kUnset);
    EXPECT_EQ(style->buttoninfo->subtype, 2);
    EXPECT_TRUE(style->buttoninfo->reservedText.IsEmpty());
    EXPECT_EQ(style->buttoninfo->splitWidth, -17);
    EXPECT_TRUE(style->buttoninfo->drawFocus);
    ASSERT_TRUE(style->editinfo);
    EXPECT_EQ(style->editinfo->reserved1, 0);
    EXPECT_TRUE(style->editinfo->useImageBk);
    EXPECT_EQ(style->editinfo->reserved2, 1);
    EXPECT_EQ(style->editinfo->marginLeft, 2);
    EXPECT_EQ(style->editinfo->marginRight, 0);
    EXPECT_EQ(style->editinfo->textColor, RGB(9, 8, 7));
    EXPECT_EQ(style->editinfo->textColorDisabled, 0x99A8ACu);
    EXPECT_EQ(style->editinfo->textColorReadOnly, 0u);
    EXPECT_EQ(style->editinfo->font, CString(L"f"));
    ASSERT_TRUE(style->progressinfo);
    EXPECT_EQ(style->progressinfo->leftPad, 3);
    EXPECT_EQ(style->progressinfo->topPad, 0);
    ASSERT_TRUE(style->groupboxinfo);
    EXPECT_EQ(style->groupboxinfo->textOffsetX, 5);
    EXPECT_EQ(style->groupboxinfo->textOffsetY, 0);
    ASSERT_TRUE(style->menuinfo);
    EXPECT_EQ(style->menuinfo->itemHeight, 16);
    EXPECT_EQ(style->menuinfo->width, 24);
    EXPECT_EQ(style->menuinfo->reserved, 0);
    EXPECT_EQ(style->menuinfo->iconX, 5);
    EXPECT_EQ(style->menuinfo->separatorHeight, 3);
    EXPECT_EQ(style->menuinfo->borderWidth, 2);
    EXPECT_EQ(style->menuinfo->iconWidth, 21);
    EXPECT_EQ(style->menuinfo->font, CString(L"default"));
    EXPECT_FALSE(style->menuinfo->multiBg);
    ASSERT_TRUE(style->comboboxinfo);
    EXPECT_TRUE(SameRect(style->comboboxinfo->editMargin, 3, 3, 22, 3));
    EXPECT_TRUE(style->comboboxinfo->downListStyle.IsEmpty());
}

TEST(SettingsRecords, ListRecordsAndTheirDefaults)
{
    StyleDocument doc;
    auto style = doc.Style("<window><tabctrlinfo spinsize=\"12,14\" spinstyle=\"spin\"/><listboxinfo bDrawOver=\"true\"/>"
                           "<treectrlinfo/><listctrlinfo itemheight=\"30\" oddevenline=\"true\"/></window>");
    ASSERT_TRUE(style && style->tabctrlinfo && style->listboxinfo && style->treectrlinfo && style->listctrlinfo);
    EXPECT_EQ(style->tabctrlinfo->reserved, 0);
    EXPECT_EQ(style->tabctrlinfo->tabSpace, 4);
    EXPECT_EQ(style->tabctrlinfo->marginLeft, 0);
    EXPECT_EQ(style->tabctrlinfo->spinSize.x, 12);
    EXPECT_EQ(style->tabctrlinfo->spinSize.y, 14);
    EXPECT_EQ(style->tabctrlinfo->spinStyle, CString(L"spin"));
    EXPECT_TRUE(style->listboxinfo->drawOver);
    EXPECT_FALSE(style->listboxinfo->oddEvenLine);
    EXPECT_EQ(style->treectrlinfo->itemHeight, 23);
    EXPECT_EQ(style->treectrlinfo->levelPos, 16);
    EXPECT_FALSE(style->treectrlinfo->alwaysShowIcon);
    EXPECT_EQ(style->listctrlinfo->itemHeight, 30);
    EXPECT_TRUE(style->listctrlinfo->oddEvenLine);
}

TEST(SettingsRecords, IntegersThatDoNotParseTakeTheDefault)
{
    StyleDocument doc;
    auto style = doc.Style("<window><dialoginfo bordertop=\"wide\" captionheight=\"x\"/>"
                           "<scrollinfo width=\"\" height=\"abc\"/><menuinfo height=\"-\"/></window>");
    ASSERT_TRUE(style && style->dialoginfo && style->scrollinfo && style->menuinfo);
    EXPECT_EQ(style->dialoginfo->borderTop, 4);
    EXPECT_EQ(style->dialoginfo->captionHeight, kUnset);
    EXPECT_EQ(style->scrollinfo->width, 18);
    EXPECT_EQ(style->scrollinfo->height, 18);
    EXPECT_EQ(style->menuinfo->itemHeight, 16);
}

TEST(SettingsRecords, WindowRegionKeepsFiveShapesAndSysMenuThreeButtons)
{
    std::string text = "<window><windowregion type=\"ClipByColor\">";
    for (int i = 0; i < 7; ++i)
        text += "<shape type=\"ellipse\" combine=\"XOR\" left=\"" + std::to_string(i) + "\" roundsize=\"4,6\"/>";
    text += "</windowregion><sysmenu>";
    for (int i = 0; i < 4; ++i)
        text += "<sysbtn name=\"b" + std::to_string(i) + "\" label=\"l\" left=\"1\" top=\"2\" width=\"10\" height=\"5\"/>";
    text += "</sysmenu></window>";
    StyleDocument doc;
    auto style = doc.Style(text);
    ASSERT_TRUE(style && style->windowregion && style->sysmenu);
    EXPECT_EQ(style->windowregion->type, 0);
    EXPECT_EQ(style->windowregion->shapeCount, 5);
    EXPECT_EQ(style->windowregion->shapes[4].left, 4);
    EXPECT_EQ(style->windowregion->shapes[0].type, 2);
    EXPECT_EQ(style->windowregion->shapes[0].combineMode, RGN_XOR);
    EXPECT_EQ(style->windowregion->shapes[0].roundSize.y, 6);
    EXPECT_EQ(style->windowregion->shapes[0].width, kUnset);
    EXPECT_EQ(style->sysmenu->buttonCount, 3);
    EXPECT_EQ(style->sysmenu->buttons[2].name, CString(L"b2"));
    EXPECT_TRUE(SameRect(style->sysmenu->buttons[0].rect, 1, 2, 11, 7));

    auto shapes = doc.Style("<window><windowregion><shape combine=\"nand\"/></windowregion></window>");
    ASSERT_TRUE(shapes && shapes->windowregion);
    EXPECT_EQ(shapes->windowregion->type, 1);
    EXPECT_EQ(shapes->windowregion->shapes[0].combineMode, RGN_AND);
    EXPECT_EQ(shapes->windowregion->shapes[0].type, 0);
}

TEST(ScrollParts, DefaultGridOfEighteenPixelPartsWithAGapOfThree)
{
    StyleDocument doc;
    auto style = doc.Style("<window><scrollinfo/></window>");
    ASSERT_TRUE(style && style->scrollinfo);
    const RECT* parts = style->scrollinfo->parts;
    EXPECT_TRUE(SameRect(parts[20], 0, 0, 18, 18));      // rectangle 21: left arrow, normal
    EXPECT_TRUE(SameRect(parts[0], 0, 105, 18, 123));    // rectangle 1: up arrow, normal
    EXPECT_TRUE(SameRect(parts[40], 0, 210, 18, 228));   // rectangle 41: size grip
    EXPECT_TRUE(SameRect(parts[36], 0, 84, 17, 102));    // rectangle 37: horizontal track, one pixel narrower
    EXPECT_TRUE(SameRect(parts[3], 63, 105, 81, 123));   // rectangle 4: up arrow, disabled column
    EXPECT_TRUE(SameRect(parts[16], 0, 189, 18, 206));   // rectangle 17: vertical track, one pixel shorter
    EXPECT_TRUE(SameRect(style->scrollinfo->Part(UI_SBPART_HTHUMB, UI_SBSTATE_PRESSED), 42, 42, 60, 60));
}

TEST(ScrollParts, GivenSizesAndGap)
{
    StyleDocument doc;
    auto style = doc.Style("<window><scrollinfo width=\"10\" height=\"12\" interval=\"2\"/></window>");
    ASSERT_TRUE(style && style->scrollinfo);
    // Column 1 starts at 12, row 6 (down arrow) at 6 x 14.
    EXPECT_TRUE(SameRect(style->scrollinfo->parts[5], 12, 84, 22, 96));
}

TEST(ScrollParts, HugeSizesSaturateInsteadOfWrapping)
{
    StyleDocument doc;
    auto style = doc.Style("<window><scrollinfo width=\"2147483647\" height=\"2000000000\" interval=\"2000000000\"/></window>");
    ASSERT_TRUE(style && style->scrollinfo);
    for (const RECT& part : style->scrollinfo->parts) {
        EXPECT_GE(part.right, part.left);
        EXPECT_GE(part.bottom, part.top);
    }
}

} // namespace
