// The installer's own skin, loaded as the executable loads it (resource "SKINDB" 2029, linked into
// this test): every style that the views pass is there with the records its documents give, and
// its looks paint the colours the skin's art was drawn in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "SkinTestSupport.h"
#include "uiDisplayAnimateItem.h"
#include "uiDisplayImage.h"
#include "uiDisplayText.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"
#include "uiStyle.h"

namespace {

// Every style name that the four views pass to the engine.
const wchar_t* const kViewStyles[] = {
    L"mainview.dialog", L"mainview.static.now", L"mainview.static.new", L"mainview.button",
    L"mainview.edit", L"installview.dialog", L"installview.btn.install", L"installview.checkbutton",
    L"installview.btn.option", L"progress.static.cancel", L"installview.btn.brower", L"standard.title",
    L"progress.dialog", L"progress.nor", L"progress.btn.min", L"progress.logining", L"standard.static",
    L"progress.title", L"progress_gif", L"finishview.dialog", L"finishview.btn.over"};

// The names the control factory falls back on when a window is skinned without a style.
const wchar_t* const kClassDefaults[] = {
    L"dialog", L"childdialog", L"button", L"checkbutton", L"radiobutton", L"static", L"edit", L"listbox",
    L"listctrl", L"combobox", L"scrollwindow", L"groupbox", L"scrollbar", L"sliderctrl", L"spinbutton",
    L"tabctrl", L"progress", L"treectrl", L"toolbarctrl", L"splitbutton", L"datetimectrl", L"headerctrl"};

// The flat buttons whose four looks are the quarters of one picture.
const wchar_t* const kFlatButtons[] = {L"mainview.button", L"installview.btn.install", L"installview.btn.brower",
                                       L"progress.btn.min", L"finishview.btn.over", L"sys.btn.close",
                                       L"sys.btn.min"};

// The primary button's colours by state, as the skin's art draws them.
const COLORREF kPrimaryNormal = RGB(0x1E, 0x6F, 0xD9);
const COLORREF kPrimaryOver = RGB(0x3A, 0x86, 0xEA);
const COLORREF kPrimaryDown = RGB(0x16, 0x59, 0xB8);
const COLORREF kPrimaryOff = RGB(0xA9, 0xC7, 0xEF);
const COLORREF kWhite = RGB(255, 255, 255);

using StylePtr = std::unique_ptr<uiStyle>;

class InstallerSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        uiSetSkinError(0);
        s_loaded = uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB");
        s_error = uiGetSkinError();
    }
    static void TearDownTestSuite() { uiGetSkinAdmin().Unload(); }

    static StylePtr Style(const wchar_t* name) { return StylePtr(uiGetSkinAdmin().FindStyle(name)); }

    static std::vector<uiDisplayImage*> Images(const uiDisplayList& list)
    {
        std::vector<uiDisplayImage*> images;
        for (uiDisplayItem* item : list.GetItems()) {
            if (item->GetType() == UI_ITEM_IMAGE)
                images.push_back(static_cast<uiDisplayImage*>(item));
        }
        return images;
    }

    // Lays the style out in a window of the given size and paints it for one state on white.
    static COLORREF PaintAndRead(uiStyle* style, int width, int height, DWORD state, int x, int y)
    {
        PixelCanvas canvas(width, height, kWhite);
        style->displayList.Layout({0, 0, width, height});
        style->displayList.Paint(canvas.GetDC(), state);
        return canvas.Pixel(x, y);
    }

    static BOOL s_loaded;
    static int s_error;
};

BOOL InstallerSkin::s_loaded = FALSE;
int InstallerSkin::s_error = 0;

TEST_F(InstallerSkin, LoadsFromTheEmbeddedResourceWithEveryDocumentRead)
{
    EXPECT_TRUE(s_loaded);
    EXPECT_EQ(0, s_error) << "101 or 102 would mean that a document failed";
    EXPECT_EQ(CString(L"Tavrin Installer"), uiGetSkinAdmin().GetTitle());
    EXPECT_EQ(CString(L"tavrin"), uiGetSkinAdmin().GetSkinFolder());
}

TEST_F(InstallerSkin, HandCursorComesFromTheDatabaseAsOneSharedCursor)
{
    ASSERT_TRUE(s_loaded);
    const HCURSOR hand = uiGetGdiAdmin().GetCursor(L"hand");
    ASSERT_NE(hand, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    EXPECT_EQ(uiGetGdiAdmin().GetCursor(L"#hand"), hand);
    EXPECT_EQ(uiGetGdiAdmin().GetCursor(L"pointer"), nullptr);
}

TEST_F(InstallerSkin, EveryStyleTheViewsPassIsFound)
{
    for (const wchar_t* name : kViewStyles) {
        StylePtr style = Style(name);
        ASSERT_NE(nullptr, style) << name;
        EXPECT_EQ(CString(name), style->name);
    }
}

TEST_F(InstallerSkin, EveryClassDefaultIsFound)
{
    for (const wchar_t* name : kClassDefaults)
        EXPECT_NE(nullptr, Style(name)) << name;
}

TEST_F(InstallerSkin, CaptionedDialogsDrawTheirOwnCaptionWithCloseAndMinimiseButtons)
{
    StylePtr main = Style(L"mainview.dialog");
    ASSERT_NE(nullptr, main->dialoginfo);
    EXPECT_EQ(86, main->dialoginfo->captionHeight);
    EXPECT_EQ(0, main->dialoginfo->clientStartY);
    EXPECT_EQ(0, main->dialoginfo->borderLeft);
    ASSERT_NE(nullptr, main->sysmenu);
    ASSERT_EQ(1, main->sysmenu->buttonCount);
    EXPECT_EQ(CString(L"close"), main->sysmenu->buttons[0].name);
    EXPECT_EQ(CString(L"sys.btn.close"), main->sysmenu->buttons[0].label);
    const RECT close = main->sysmenu->buttons[0].rect;
    EXPECT_EQ(-40, close.left);
    EXPECT_EQ(0, close.right) << "a right edge of 0 is the window's right edge";
    EXPECT_EQ(32, close.bottom);

    StylePtr install = Style(L"installview.dialog");
    ASSERT_NE(nullptr, install->sysmenu);
    ASSERT_EQ(2, install->sysmenu->buttonCount);
    EXPECT_EQ(CString(L"minimise"), install->sysmenu->buttons[0].name);
    EXPECT_EQ(CString(L"sys.btn.min"), install->sysmenu->buttons[0].label);
    EXPECT_EQ(-80, install->sysmenu->buttons[0].rect.left);
    EXPECT_EQ(-40, install->sysmenu->buttons[0].rect.right);
    EXPECT_EQ(200, install->dialoginfo->captionHeight);

    StylePtr finish = Style(L"finishview.dialog");
    ASSERT_NE(nullptr, finish->dialoginfo);
    EXPECT_EQ(230, finish->dialoginfo->captionHeight);
    EXPECT_EQ(nullptr, finish->sysmenu);
}

TEST_F(InstallerSkin, ViewDialogsHaveRoundedRegions)
{
    for (const wchar_t* name : {L"mainview.dialog", L"installview.dialog", L"progress.dialog", L"finishview.dialog"}) {
        StylePtr style = Style(name);
        ASSERT_NE(nullptr, style->property) << name;
        EXPECT_TRUE(style->property->hasClipColor) << "no region is built without a clip colour";
        ASSERT_NE(nullptr, style->windowregion);
        EXPECT_EQ(UI_REGION_SHAPES, style->windowregion->type);
        ASSERT_EQ(1, style->windowregion->shapeCount);
        EXPECT_EQ(UI_SHAPE_ROUNDRECT, style->windowregion->shapes[0].type);
        EXPECT_EQ(8, style->windowregion->shapes[0].roundSize.x);
    }
}

TEST_F(InstallerSkin, FlatButtonsHaveOneQuarterOfTheirPicturePerState)
{
    for (const wchar_t* name : kFlatButtons) {
        StylePtr style = Style(name);
        std::vector<uiDisplayImage*> images = Images(style->displayList);
        ASSERT_EQ(4u, images.size()) << name;
        std::multiset<DWORD> masks;
        for (uiDisplayImage* image : images) {
            masks.insert(image->GetStateMask());
            EXPECT_EQ(UI_PAINT_4IN, image->m_paintMode);
            ASSERT_NE(nullptr, image->m_image);
            EXPECT_EQ(0, image->m_image->GetWidth() % 4);
        }
        EXPECT_EQ((std::multiset<DWORD>{UI_STATE_NORMAL, UI_STATE_OVER, UI_STATE_DOWN, UI_STATE_DISABLED}), masks)
            << name;
    }
}

TEST_F(InstallerSkin, PrimaryButtonPaintsTheColourOfEachState)
{
    const std::pair<DWORD, COLORREF> looks[] = {{UI_STATE_NORMAL, kPrimaryNormal}, {UI_STATE_OVER, kPrimaryOver},
                                                {UI_STATE_DOWN, kPrimaryDown}, {UI_STATE_DISABLED, kPrimaryOff}};
    StylePtr style = Style(L"mainview.button");
    for (const auto& look : looks)
        EXPECT_EQ(look.second, PaintAndRead(style.get(), 87, 30, look.first, 6, 15)) << look.first;
    StylePtr large = Style(L"installview.btn.install");
    EXPECT_EQ(kPrimaryOff, PaintAndRead(large.get(), 190, 63, UI_STATE_DISABLED, 180, 50));
}

TEST_F(InstallerSkin, ButtonCornersAreRoundedOverTheBackground)
{
    StylePtr style = Style(L"finishview.btn.over");
    const COLORREF corner = PaintAndRead(style.get(), 194, 58, UI_STATE_NORMAL, 0, 0);
    EXPECT_GT(GetRValue(corner), 200) << "the corner pixel shows the white background, not the blue face";
    EXPECT_EQ(kPrimaryNormal, PaintAndRead(style.get(), 194, 58, UI_STATE_NORMAL, 4, 4));
}

TEST_F(InstallerSkin, CheckBoxShowsItsCheckState)
{
    StylePtr style = Style(L"installview.checkbutton");
    EXPECT_EQ(kWhite, PaintAndRead(style.get(), 84, 20, UI_STATE_NORMAL, 2, 12));
    EXPECT_EQ(kPrimaryNormal, PaintAndRead(style.get(), 84, 20, UI_STATE_CHECKED, 2, 12));
    EXPECT_EQ(kPrimaryDown, PaintAndRead(style.get(), 84, 20, UI_STATE_CHECKED_DOWN, 2, 12));
}

TEST_F(InstallerSkin, ProgressBarPaintsTrackAndStep)
{
    StylePtr style = Style(L"progress.nor");
    uiDisplayItem* track = style->displayList.FindItem(L"progress.bk");
    uiDisplayItem* step = style->displayList.FindItem(L"progress.step");
    ASSERT_NE(nullptr, track);
    ASSERT_NE(nullptr, step);
    EXPECT_EQ(UI_ITEM_IMAGE, track->GetType());
    EXPECT_EQ(UI_ITEM_IMAGE, step->GetType());

    // As the progress bar paints at 50 percent: the track over the whole bar, the step over half.
    PixelCanvas canvas(509, 16, RGB(0, 0, 0));
    track->SetRectAndPaint(canvas.GetDC(), {0, 0, 509, 16});
    step->SetRectAndPaint(canvas.GetDC(), {0, 0, 254, 16});
    const COLORREF done = canvas.Pixel(100, 8);
    EXPECT_GT(GetBValue(done), 200);
    EXPECT_LT(GetRValue(done), 70);
    EXPECT_EQ(RGB(0xE4, 0xE9, 0xF0), canvas.Pixel(400, 8)) << "the track beyond the step";
    EXPECT_EQ(kWhite, canvas.Pixel(400, 1)) << "above the thin track";
}

TEST_F(InstallerSkin, ProgressDialogShowsOneOfItsFourPicturesAtATime)
{
    StylePtr style = Style(L"progress.dialog");
    auto visiblePictures = [&] {
        std::vector<int> shown;
        for (uiDisplayImage* image : Images(style->displayList)) {
            if (image->IsVisible() && image->m_index >= 1 && image->m_index <= 4)
                shown.push_back(image->m_index);
        }
        return shown;
    };
    // The view's start, then its phases 2 to 4.
    style->displayList.ShowItemsByIndex(2, 4, FALSE);
    style->displayList.ShowItemsByIndex(1, 1, TRUE);
    EXPECT_EQ(std::vector<int>{1}, visiblePictures());
    for (int phase = 2; phase <= 4; ++phase) {
        for (int item = 1; item <= 4; ++item)
            style->displayList.ShowItemsByIndex(item, item, item == phase);
        EXPECT_EQ(std::vector<int>{phase}, visiblePictures());
    }

    PixelCanvas canvas(549, 370, RGB(0, 0, 0));
    style->displayList.Layout({0, 0, 549, 370});
    style->displayList.Paint(canvas.GetDC(), UI_STATE_NORMAL);
    const COLORREF picture = canvas.Pixel(40, 40);
    EXPECT_GT(GetBValue(picture), GetRValue(picture) + 100) << "a blue picture above the bar";
    EXPECT_EQ(RGB(0xC9, 0xD2, 0xDE), canvas.Pixel(0, 300)) << "the frame's left edge";
    EXPECT_EQ(RGB(0xC9, 0xD2, 0xDE), canvas.Pixel(300, 369)) << "the frame's bottom edge";
}

TEST_F(InstallerSkin, EveryPictureAndFontTheViewsUseLoads)
{
    std::vector<StylePtr> styles;
    for (const wchar_t* name : kViewStyles)
        styles.push_back(Style(name));
    for (const wchar_t* name : kClassDefaults)
        styles.push_back(Style(name));
    int pictures = 0;
    for (const StylePtr& style : styles) {
        ASSERT_NE(nullptr, style);
        std::vector<uiDisplayImage*> images = Images(style->displayList);
        for (uiDisplayItem* item : style->animateList.GetItems()) {
            std::vector<uiDisplayImage*> frames = Images(static_cast<uiDisplayAnimateItem*>(item)->m_frames);
            images.insert(images.end(), frames.begin(), frames.end());
        }
        for (uiDisplayImage* image : images) {
            ASSERT_NE(nullptr, image->m_image) << style->name.GetString();
            EXPECT_GT(image->m_image->GetWidth(), 0) << style->name.GetString();
            ++pictures;
        }
        for (uiDisplayItem* item : style->displayList.GetItems()) {
            if (item->GetType() == UI_ITEM_TEXT) {
                EXPECT_NE(nullptr, static_cast<uiDisplayText*>(item)->m_font) << style->name.GetString();
            }
        }
    }
    EXPECT_GE(pictures, 40);
    EXPECT_NE(nullptr, uiGetGdiAdmin().GetFont(L"default"));
}

// Where the views place their transparent texts, the dialog's look must give them the background
// their colours were chosen for: white titles on the blue picture, grey and blue texts on white.
TEST_F(InstallerSkin, ViewTextsLandOnTheBackgroundTheirColoursNeed)
{
    enum Ground { Blue, White };
    struct Place { int x, y, w, h; Ground ground; };
    struct View { const wchar_t* dialog; int width, height; std::vector<Place> texts; };
    const View views[] = {
        {L"mainview.dialog", 430, 318, {{20, 100, 150, 20, White}, {260, 100, 150, 20, White}}},
        {L"installview.dialog", 549, 415,
         {{15, 15, 300, 35, Blue}, {10, 345, 84, 20, White}, {94, 348, 80, 20, White}, {469, 345, 75, 20, White},
          {10, 382, 70, 20, White}}},
        {L"progress.dialog", 549, 370,
         {{20, 10, 200, 30, Blue}, {20, 278, 190, 18, White}, {363, 278, 180, 18, White}, {20, 328, 60, 20, White}}},
        {L"finishview.dialog", 549, 370, {{15, 15, 300, 35, Blue}}},
    };
    for (const View& view : views) {
        StylePtr style = Style(view.dialog);
        PixelCanvas canvas(view.width, view.height, kWhite);
        style->displayList.Layout({0, 0, view.width, view.height});
        style->displayList.Paint(canvas.GetDC(), UI_STATE_NORMAL);
        for (const Place& place : view.texts) {
            for (const POINT& p : {POINT{place.x + 1, place.y + 1}, POINT{place.x + place.w - 2, place.y + place.h - 2},
                                   POINT{place.x + place.w / 2, place.y + place.h / 2}}) {
                const COLORREF ground = canvas.Pixel(p.x, p.y);
                if (place.ground == White)
                    EXPECT_EQ(kWhite, ground) << view.dialog << " at " << p.x << "," << p.y;
                else
                    EXPECT_GT(GetBValue(ground), GetRValue(ground) + 80) << view.dialog << " at " << p.x << "," << p.y;
            }
        }
    }
}

TEST_F(InstallerSkin, LinksAndButtonsShowTheHandCursor)
{
    EXPECT_NE(nullptr, uiGetGdiAdmin().GetCursor(L"hand")) << "the cursor file decodes from the database";
    for (const wchar_t* name : {L"progress.static.cancel", L"mainview.button", L"installview.btn.install",
                                L"finishview.btn.over"}) {
        StylePtr style = Style(name);
        ASSERT_NE(nullptr, style->property);
        EXPECT_EQ(CString(L"hand"), style->property->cursor) << name;
    }
}

TEST_F(InstallerSkin, BusyBarStripesWalkHalfAPeriodInFourFrames)
{
    StylePtr style = Style(L"progress_gif");
    ASSERT_EQ(1, style->animateList.GetCount());
    auto* animation = static_cast<uiDisplayAnimateItem*>(style->animateList.GetItems().front());
    EXPECT_EQ(8, animation->m_frameCount);
    EXPECT_EQ(50, animation->m_interval) << "one frame on every tick of the timer window";
    std::vector<uiDisplayImage*> frames = Images(animation->m_frames);
    ASSERT_EQ(1u, frames.size());
    frames[0]->m_image->SetFrameCount(animation->m_frameCount);

    // Stripes 16 pixels apart that move 2 pixels a frame: four frames later light and dark swap.
    PixelCanvas canvas(509, 16, kWhite);
    frames[0]->CalcRect({0, 0, 509, 16});
    int swapped = 0;
    for (int x = 100; x < 116; ++x) {
        frames[0]->PaintFrame(canvas.GetDC(), 0);
        const COLORREF first = canvas.Pixel(x, 8);
        frames[0]->PaintFrame(canvas.GetDC(), 4);
        const COLORREF later = canvas.Pixel(x, 8);
        if (std::abs(GetRValue(first) - GetRValue(later)) > 40)
            ++swapped;
    }
    EXPECT_GE(swapped, 10);
    EXPECT_EQ(kWhite, canvas.Pixel(200, 1)) << "above the thin bar";
}

TEST_F(InstallerSkin, RichEditClassesAreSkinnedAsScrollingWindows)
{
    EXPECT_EQ(124, uiGetSkinAdmin().GetControlType(L"RichEdit20W"));
    EXPECT_EQ(124, uiGetSkinAdmin().GetControlType(L"RichEdit50W"));
    EXPECT_EQ(103, uiGetSkinAdmin().GetControlType(L"Button"));
}

}  // namespace
