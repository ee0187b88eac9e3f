// The skin administrator over packed test skins: which entries are XML, styles by exact name with the
// first definition kept, commands, control classes, the message-box settings, errors 101, 102 and 112,
// the log that a manifest opens, images read lazily from the database, unloading.
#include <gtest/gtest.h>

#include <memory>

#include "SkinDatabaseFiles.h"
#include "SkinTestSupport.h"
#include "uiCommand.h"
#include "uiDrawRoutines.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiLogFile.h"
#include "uiMsgBoxSettings.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"
#include "uiStyle.h"

namespace {

bool HasStyle(const wchar_t* name)
{
    std::unique_ptr<uiStyle> style(uiGetSkinAdmin().FindStyle(name));
    return style != nullptr;
}

class SkinAdmin : public ::testing::Test {
protected:
    void SetUp() override { uiGetSkinAdmin().Unload(); }
    void TearDown() override { uiGetSkinAdmin().Unload(); }
};

TEST_F(SkinAdmin, FindStyleHandsOutANewCopyEachTime)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    std::unique_ptr<uiStyle> first(uiGetSkinAdmin().FindStyle(L"button.ok"));
    std::unique_ptr<uiStyle> second(uiGetSkinAdmin().FindStyle(L"button.ok"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(CString(L"button.ok"), first->name);
    first->name = L"changed";
    std::unique_ptr<uiStyle> third(uiGetSkinAdmin().FindStyle(L"button.ok"));
    EXPECT_EQ(CString(L"button.ok"), third->name);
}

TEST_F(SkinAdmin, StyleNamesAreExact)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    EXPECT_TRUE(HasStyle(L"dialog"));
    EXPECT_TRUE(HasStyle(L"Dialog"));
    EXPECT_TRUE(HasStyle(L"\u5bf9\u8bdd\u6846"));
    EXPECT_TRUE(HasStyle(L"second.list"));
    EXPECT_FALSE(HasStyle(L"DIALOG"));
    EXPECT_FALSE(HasStyle(L"button"));
    EXPECT_FALSE(HasStyle(L""));
}

// The skins give each duplicate a different number of rect items: one in the first "dialog".
int DialogItemCount()
{
    std::unique_ptr<uiStyle> style(uiGetSkinAdmin().FindStyle(L"dialog"));
    return style ? style->displayList.GetCount() : -1;
}

TEST_F(SkinAdmin, FirstStyleOfANameStays)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    EXPECT_EQ(1, DialogItemCount());
    const std::vector<BYTE> second = ReadSkinDatabaseFile(L"second.skindb");
    ASSERT_TRUE(uiGetSkinAdmin().LoadSkinDB(second.data(), static_cast<DWORD>(second.size())));
    EXPECT_EQ(1, DialogItemCount());
}

TEST_F(SkinAdmin, XmlEntriesAreThoseNamedWithLowerCaseXmlAnywhere)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    EXPECT_TRUE(HasStyle(L"from_xml_txt"));
    EXPECT_FALSE(HasStyle(L"from_caps"));
}

TEST_F(SkinAdmin, FirstCommandOfACodeStays)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    uiCommand* command = uiGetSkinAdmin().FindCommand(16); // written 0x10; "16" came second
    ASSERT_NE(nullptr, command);
    EXPECT_EQ(CString(L"cmd_strip"), command->GetPicFile());
    ASSERT_NE(nullptr, uiGetSkinAdmin().FindCommand(15)); // written 017, octal
    EXPECT_EQ(nullptr, uiGetSkinAdmin().FindCommand(17));
    EXPECT_EQ(nullptr, uiGetSkinAdmin().FindCommand(0));
}

TEST_F(SkinAdmin, MissingResourceGives112AndInstallsTheDefaultClasses)
{
    EXPECT_FALSE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"));
    EXPECT_EQ(UI_ERROR_RESOURCE_NOT_FOUND, uiGetSkinError());
    EXPECT_EQ(103, uiGetSkinAdmin().GetControlType(L"BUTTON"));
    EXPECT_EQ(106, uiGetSkinAdmin().GetControlType(L"Static"));
    EXPECT_EQ(119, uiGetSkinAdmin().GetControlType(L"msctls_progress32"));
    EXPECT_EQ(126, uiGetSkinAdmin().GetControlType(L"SysDateTimePick32"));
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"#32770"));
}

TEST_F(SkinAdmin, ControlClassesOfTheSkinRemapAndAdd)
{
    uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2030), L"SKINDB"); // the defaults
    const std::vector<BYTE> bytes = ReadSkinDatabaseFile(L"basic.skindb");
    ASSERT_TRUE(uiGetSkinAdmin().LoadSkinDB(bytes.data(), static_cast<DWORD>(bytes.size())));
    EXPECT_EQ(105, uiGetSkinAdmin().GetControlType(L"BUTTON")); // the last CtrlClass of a name wins
    EXPECT_EQ(119, uiGetSkinAdmin().GetControlType(L"MyPanel2"));
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"MyPanel")); // stored with capitals, never found
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"mypanel"));
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"oddclass"));
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"notype"));
    EXPECT_EQ(107, uiGetSkinAdmin().GetControlType(L"edit"));
}

TEST_F(SkinAdmin, LoadsTheDatabaseResourceOfTheExecutable)
{
    uiSetSkinError(0);
    ASSERT_TRUE(uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB"));
    EXPECT_EQ(0, uiGetSkinError());
    EXPECT_TRUE(HasStyle(L"from_resource"));
    EXPECT_EQ(108, uiGetSkinAdmin().GetControlType(L"resourceclass"));
    EXPECT_EQ(106, uiGetSkinAdmin().GetControlType(L"static"));
    EXPECT_EQ(CString(L"resource"), uiGetSkinAdmin().GetTitle());
}

TEST_F(SkinAdmin, UnloadEmptiesEverythingAndKeepsNoDefaults)
{
    uiGetSkinAdmin().LoadFromResource(MAKEINTRESOURCEW(2029), L"SKINDB");
    const std::vector<BYTE> bytes = ReadSkinDatabaseFile(L"basic.skindb");
    ASSERT_TRUE(uiGetSkinAdmin().LoadSkinDB(bytes.data(), static_cast<DWORD>(bytes.size())));
    EXPECT_TRUE(uiGetSkinAdmin().Unload());
    EXPECT_FALSE(HasStyle(L"dialog"));
    EXPECT_EQ(nullptr, uiGetSkinAdmin().FindCommand(16));
    EXPECT_EQ(-1, uiGetSkinAdmin().GetControlType(L"button"));
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"basic\\cmd.bmp"));
    EXPECT_EQ(nullptr, uiGetGdiAdmin().GetFont(L"default"));
}

TEST_F(SkinAdmin, FirstXmlFailingStillLoadsTheRestWith101)
{
    LogCapture log;
    uiSetSkinError(0);
    EXPECT_TRUE(LoadSkinDatabase(L"partial.skindb"));
    EXPECT_EQ(UI_ERROR_XML_FAILED, uiGetSkinError());
    EXPECT_TRUE(log.Contains(L"error: One of the XMLs parse failed.\r\n"));
    EXPECT_TRUE(HasStyle(L"partial.good"));
    EXPECT_FALSE(HasStyle(L"partial.broken"));
}

TEST_F(SkinAdmin, DocumentWithoutManifestLogsAndEndsWith101)
{
    LogCapture log;
    EXPECT_TRUE(LoadSkinDatabase(L"nomanifest.skindb"));
    EXPECT_EQ(UI_ERROR_XML_FAILED, uiGetSkinError());
    EXPECT_TRUE(log.Contains(L"error:  XML parse failed. []\r\n"));
    EXPECT_FALSE(HasStyle(L"nomanifest.style"));
}

TEST_F(SkinAdmin, SoundSkinLeavesNoErrorCode)
{
    uiSetSkinError(0);
    EXPECT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    EXPECT_EQ(0, uiGetSkinError());
    EXPECT_EQ(CString(L"basic"), uiGetSkinAdmin().GetSkinFolder());
}

TEST_F(SkinAdmin, MessageBoxSettingsComeWithTheSkin)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(CString(L"dialog"), settings.dialogStyle);
    EXPECT_EQ(CString(L"\u786e\u5b9a"), settings.captions[UI_CAPTION_OK]);
    EXPECT_EQ(CString(L"\u53d6\u6d88"), settings.captions[UI_CAPTION_CANCEL]);
}

// The font and icons belong to the GDI tables: unloading the skin frees them, so the settings must
// not point at them any more.
TEST_F(SkinAdmin, MessageBoxSettingsLetGoOfTheFontAndIconsOnUnload)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    ASSERT_NE(nullptr, settings.font);
    ASSERT_NE(nullptr, settings.iconInformation);
    uiGetSkinAdmin().Unload();
    EXPECT_EQ(nullptr, settings.font);
    EXPECT_EQ(nullptr, settings.iconInformation);
    EXPECT_EQ(nullptr, settings.iconError);
    EXPECT_EQ(nullptr, settings.iconQuestion);
    EXPECT_EQ(nullptr, settings.iconWarning);
}

TEST_F(SkinAdmin, ManifestAsksForTheLogBesideTheExecutable)
{
    uiLogFile::Instance().Close();
    ASSERT_TRUE(LoadSkinDatabase(L"logged.skindb"));
    uiLogFile& log = uiLogFile::Instance();
    EXPECT_TRUE(log.IsOpen());
    EXPECT_EQ(2, log.GetLevel());
    EXPECT_EQ(40960u, log.GetSizeLimit());
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(0, log.GetPath().CompareNoCase(CString(module) + L".uilog")) << CStringA(log.GetPath()).GetString();
    log.Close();
    log.SetLevel(UI_LOG_ERROR);
    DeleteFileW(CString(module) + L".uilog");
}

// The four frames of the command strip, left to right (make_skin_databases.py).
const COLORREF kFrames[] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200), RGB(200, 200, 30)};

TEST_F(SkinAdmin, CommandDrawsTheFrameOfItsState)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    uiCommand* command = uiGetSkinAdmin().FindCommand(16);
    ASSERT_NE(nullptr, command);
    const struct {
        int state;
        COLORREF colour;
    } kCases[] = {{1, kFrames[0]}, {2, kFrames[1]}, {0x80, kFrames[3]}};
    for (const auto& c : kCases) {
        PixelCanvas canvas(40, 20, RGB(255, 255, 255));
        EXPECT_EQ(1, command->Draw(canvas.GetDC(), 4, 2, c.state));
        // A 96-pixel strip draws 24 x 8 pixels.
        EXPECT_EQ(c.colour, canvas.Pixel(4, 2)) << c.state;
        EXPECT_EQ(c.colour, canvas.Pixel(27, 9)) << c.state;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(28, 2)) << c.state;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(4, 10)) << c.state;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(3, 2)) << c.state;
    }
}

TEST_F(SkinAdmin, CommandOfAnotherStateDrawsNothing)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    PixelCanvas canvas(40, 20, RGB(255, 255, 255));
    for (int state : {0, 4, 0x100})
        EXPECT_EQ(1, uiGetSkinAdmin().FindCommand(16)->Draw(canvas.GetDC(), 0, 0, state));
    for (int x = 0; x < 40; x += 3)
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x, 4));
}

TEST(SkinCommand, CommandWithoutPictureDrawsNothing)
{
    TiXmlDocument document;
    document.Parse("<command code=\"5\" picfile=\"Z:\\\\no\\\\such\\\\strip.bmp\"/>");
    std::unique_ptr<uiCommand> command(uiCommand::CreateFromXml(document.RootElement()));
    ASSERT_NE(nullptr, command);
    EXPECT_EQ(5, command->GetCode());
    PixelCanvas canvas(8, 8, RGB(1, 2, 3));
    EXPECT_EQ(1, command->Draw(canvas.GetDC(), 0, 0, 1));
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0));
}

} // namespace
