// The installer's own skin database, as the build packs it: it loads without a failing document, every
// style name that the views pass is found, and the records and items that its XML gives come with them.
#include <gtest/gtest.h>

#include <memory>

#include "uiGdiAdmin.h"
#include "uiImageFile.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"
#include "uiStyle.h"
#include "uiStyleRecords.h"

namespace {

class InstallerSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        uiGetSkinAdmin().Unload();
        CString path = CString(L"Z:") + CString(INSTALLER_SKIN_DB);
        path.Replace(L'/', L'\\');
        std::vector<BYTE> bytes;
        ASSERT_TRUE(uiReadFileBytes(path, &bytes)) << CStringA(path).GetString();
        uiSetSkinError(0);
        ASSERT_TRUE(uiGetSkinAdmin().LoadSkinDB(bytes.data(), static_cast<DWORD>(bytes.size())));
    }
    void TearDown() override { uiGetSkinAdmin().Unload(); }

    static std::unique_ptr<uiStyle> Style(const wchar_t* name)
    {
        return std::unique_ptr<uiStyle>(uiGetSkinAdmin().FindStyle(name));
    }
};

TEST_F(InstallerSkin, HandCursorComesFromTheDatabaseOnceAndGoesWithTheSkin)
{
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
    uiGetSkinAdmin().Unload();
    EXPECT_EQ(uiGetGdiAdmin().GetCursor(L"hand"), nullptr);
}

TEST_F(InstallerSkin, EveryDocumentLoads)
{
    EXPECT_EQ(0, uiGetSkinError());
    EXPECT_EQ(CString(L"tavrin"), uiGetSkinAdmin().GetSkinFolder());
}

TEST_F(InstallerSkin, EveryStyleTheViewsNameIsFound)
{
    for (const wchar_t* name : {
             L"mainview.dialog", L"mainview.static.now", L"mainview.static.new", L"mainview.button", L"mainview.edit",
             L"installview.dialog", L"installview.btn.install", L"installview.checkbutton", L"installview.btn.option",
             L"installview.btn.brower", L"progress.dialog", L"progress.nor", L"progress.btn.min", L"progress.logining",
             L"progress.static.cancel", L"progress.title", L"progress_gif", L"finishview.dialog", L"finishview.btn.over",
             L"standard.title", L"standard.static", L"dialog", L"button", L"static", L"progress"})
        EXPECT_NE(nullptr, Style(name)) << CStringA(name).GetString();
}

TEST_F(InstallerSkin, StylesCarryTheRecordsAndItemsOfTheirXml)
{
    const std::unique_ptr<uiStyle> main = Style(L"mainview.dialog");
    ASSERT_TRUE(main && main->dialoginfo);
    EXPECT_EQ(86, main->dialoginfo->captionHeight);
    // progress.nor inherits the bar's record and its two parts.
    const std::unique_ptr<uiStyle> bar = Style(L"progress.nor");
    ASSERT_TRUE(bar);
    EXPECT_NE(nullptr, bar->progressinfo);
    EXPECT_EQ(2, bar->displayList.GetCount());
    const std::unique_ptr<uiStyle> animation = Style(L"progress_gif");
    ASSERT_TRUE(animation);
    EXPECT_EQ(1, animation->animateList.GetCount());
}

TEST_F(InstallerSkin, ControlClassesAndFontsComeWithTheSkin)
{
    EXPECT_EQ(124, uiGetSkinAdmin().GetControlType(L"RichEdit20W"));
    EXPECT_NE(nullptr, uiGetGdiAdmin().GetFont(L"default"));
    EXPECT_GT(uiGetSkinAdmin().GetEntrySize(L"tavrin\\progress_step.png"), 0);
}

} // namespace
