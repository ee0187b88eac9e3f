// The skin database container: what the packer writes the reader gets back byte for byte, every
// damaged length or offset is refused with error 110 (a first word below 12 also with a log line, the
// others with the detail in the last error text only), and a second load leaves nothing behind that
// refers to the first one's index. Images come from it when first used; failed image loads report by
// kind and by source (entry or file).
#include <gtest/gtest.h>

#include "SkinDatabaseFiles.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiSkinAdmin.h"
#include "uiSkinError.h"
#include "uiSkinMemStream.h"
#include "uiStyle.h"

namespace {

std::vector<BYTE> ReadWholeEntry(const wchar_t* name)
{
    const int size = uiGetSkinAdmin().GetEntrySize(name);
    std::vector<BYTE> bytes(size > 0 ? size : 0);
    if (size > 0 && uiGetSkinAdmin().ReadEntry(name, bytes.data(), size) != size)
        bytes.clear();
    return bytes;
}

bool HasStyle(const wchar_t* name)
{
    std::unique_ptr<uiStyle> style(uiGetSkinAdmin().FindStyle(name));
    return style != nullptr;
}

class SkinContainer : public ::testing::Test {
protected:
    void TearDown() override { uiGetSkinAdmin().Unload(); }
};

TEST_F(SkinContainer, PackedFilesReadBackByteForByte)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    for (const wchar_t* file : {L"main.xml", L"extra.xml.txt", L"CAPS.XML", L"cmd.bmp"}) {
        const std::vector<BYTE> original = ReadSkinDatabaseFile(CString(L"src/basic/") + file);
        ASSERT_FALSE(original.empty());
        EXPECT_EQ(static_cast<int>(original.size()), uiGetSkinAdmin().GetEntrySize(CString(L"basic\\") + file));
        EXPECT_EQ(original, ReadWholeEntry(CString(L"basic\\") + file)) << CStringA(file).GetString();
    }
}

TEST_F(SkinContainer, TitleWithChineseTextComesBack)
{
    ASSERT_TRUE(LoadSkinDatabase(L"second.skindb"));
    EXPECT_EQ(CString(L"\u6d4b\u8bd5\u76ae\u80a4 second"), uiGetSkinAdmin().GetTitle());
}

TEST_F(SkinContainer, EntryNamesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    EXPECT_EQ(ReadWholeEntry(L"basic\\cmd.bmp"), ReadWholeEntry(L"BASIC\\CMD.BMP"));
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"cmd.bmp"));
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"basic\\missing.png"));
}

// A database loaded from memory (no resource load in this process yet) also serves its images.
TEST_F(SkinContainer, ImagesComeFromTheDatabaseWhenFirstUsed)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    uiImage* image = uiGetGdiAdmin().GetImage(L"cmd_strip");
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(96, image->GetWidth());
    EXPECT_EQ(8, image->GetHeight());
}

// Database entries that do not decode set error 100 for bitmaps alone and log nothing; files log a
// line for icons and bitmaps, and set error 100 for bitmaps alone; GIFs do neither.
TEST_F(SkinContainer, FailedImageLoadsReportByKindAndSource)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    LogCapture log;
    struct Case {
        const wchar_t* file;
        int entryError;
        int fileError;
        bool fileLogs;
    };
    for (const Case& c : {Case{L"broken.png", UI_ERROR_IMAGE_NOT_FOUND, UI_ERROR_IMAGE_NOT_FOUND, true},
                          Case{L"broken.ico", 0, 0, true}, Case{L"broken.gif", 0, 0, false}}) {
        SCOPED_TRACE(CStringA(c.file).GetString());
        uiSetSkinError(0);
        uiImage entry;
        entry.SetDbEntry(CString(L"basic\\") + c.file);
        EXPECT_FALSE(entry.Load());
        EXPECT_EQ(c.entryError, uiGetSkinError());
        uiSetSkinError(0);
        uiImage file;
        const CString path = SkinDatabasePath(CString(L"src/basic/") + c.file);
        ASSERT_TRUE(file.SetFile(path));
        EXPECT_FALSE(file.Load());
        EXPECT_EQ(c.fileError, uiGetSkinError());
        EXPECT_EQ(c.fileLogs, log.Contains(CString(L"Load Image failed. The file [") + path + L"] not found"));
    }
    EXPECT_FALSE(log.Contains(L"[basic\\")) << CStringA(log.Text().c_str()).GetString();
    uiSetSkinError(0);
    uiImage absent;
    absent.SetDbEntry(L"basic\\none.png");
    EXPECT_FALSE(absent.Load());
    EXPECT_EQ(0, uiGetSkinError());
}

TEST_F(SkinContainer, ReadEntryRefusesABufferOfAnotherSize)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    const int size = uiGetSkinAdmin().GetEntrySize(L"basic\\cmd.bmp");
    ASSERT_GT(size, 1);
    std::vector<BYTE> buffer(size + 16, 0xAB);
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", buffer.data(), size - 1));
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", buffer.data(), size + 16));
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", nullptr, size));
    EXPECT_EQ(std::vector<BYTE>(size + 16, 0xAB), buffer);
}

TEST_F(SkinContainer, NothingIsReadBeforeALoadOrAfterUnload)
{
    BYTE byte = 0;
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", &byte, 1));
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    uiGetSkinAdmin().Unload();
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"basic\\cmd.bmp"));
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", &byte, 1));
}

TEST_F(SkinContainer, ReferenceOfTheDamagedCasesIsSound)
{
    // The damaged containers differ from this one in one field each, so each refusal is that field's.
    ASSERT_TRUE(LoadSkinDatabase(L"bad/reference.skindb"));
    EXPECT_TRUE(HasStyle(L"bad.style"));
    EXPECT_EQ(CString(L"Ti"), uiGetSkinAdmin().GetTitle());
}

class DamagedContainer : public SkinContainer, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(DamagedContainer, IsRefusedWithError110)
{
    LogCapture log;
    uiSetSkinError(0);
    EXPECT_FALSE(LoadSkinDatabase(CString(L"bad/") + GetParam() + L".skindb"));
    EXPECT_EQ(UI_ERROR_SKINDB_INVALID, uiGetSkinError());
    // Only the format line is logged; every other refusal keeps its detail out of the log.
    if (CString(GetParam()) == L"first_word_below_12") {
        EXPECT_TRUE(log.Contains(L"error: SkinDB format invlaid")) << CStringA(log.Text().c_str()).GetString();
    } else {
        EXPECT_FALSE(log.Contains(L"error:")) << CStringA(log.Text().c_str()).GetString();
    }
    EXPECT_FALSE(HasStyle(L"bad.style"));
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"bad\\a.xml"));
}

INSTANTIATE_TEST_SUITE_P(EveryField, DamagedContainer,
    ::testing::Values(L"short_header", L"first_word_below_12", L"index_longer_than_data", L"index_too_short_for_title",
                      L"title_length_0", L"title_length_260", L"title_past_block", L"title_not_terminated",
                      L"entry_size_zero", L"entry_size_below_fixed_part", L"entry_size_past_block",
                      L"name_without_terminator", L"offset_plus_size_wraps", L"data_past_container",
                      L"wrong_password"));

TEST_F(SkinContainer, FirstWordBelow12LogsTheFormatLine)
{
    LogCapture log;
    EXPECT_FALSE(LoadSkinDatabase(L"bad/first_word_below_12.skindb"));
    EXPECT_TRUE(log.Contains(L"error: SkinDB format invlaid []\r\n"));
}

TEST_F(SkinContainer, BadTitleReportsTheWrongPasswordText)
{
    for (const wchar_t* name : {L"bad/title_length_260.skindb", L"bad/title_not_terminated.skindb", L"bad/wrong_password.skindb"}) {
        EXPECT_FALSE(LoadSkinDatabase(name));
        EXPECT_EQ(CString(L"check CRC failed, Wrong password?"), uiGetSkinAdmin().GetLastErrorText());
    }
}

TEST_F(SkinContainer, FailedSecondLoadDropsTheEntriesOfTheFirst)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    const std::vector<BYTE> bad = ReadSkinDatabaseFile(L"bad/entry_size_past_block.skindb");
    EXPECT_FALSE(uiGetSkinAdmin().LoadSkinDB(bad.data(), static_cast<DWORD>(bad.size())));
    // The entries of the first load described its stream, which is gone: none of them is readable now.
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"basic\\cmd.bmp"));
    BYTE byte = 0;
    EXPECT_EQ(0, uiGetSkinAdmin().ReadEntry(L"basic\\cmd.bmp", &byte, 1));
    // What the first load parsed stays.
    EXPECT_TRUE(HasStyle(L"dialog"));
}

TEST_F(SkinContainer, SecondLoadReplacesEntriesAndKeepsFirstDefinitions)
{
    ASSERT_TRUE(LoadSkinDatabase(L"basic.skindb"));
    const std::vector<BYTE> second = ReadSkinDatabaseFile(L"second.skindb");
    ASSERT_TRUE(uiGetSkinAdmin().LoadSkinDB(second.data(), static_cast<DWORD>(second.size())));
    EXPECT_EQ(ReadSkinDatabaseFile(L"src/second/note.txt"), ReadWholeEntry(L"second\\note.txt"));
    EXPECT_EQ(0, uiGetSkinAdmin().GetEntrySize(L"basic\\cmd.bmp"));
    EXPECT_TRUE(HasStyle(L"second.only"));
    EXPECT_TRUE(HasStyle(L"button.ok"));
}

TEST(SkinMemStream, ReadPastTheEndCopiesNothing)
{
    const BYTE bytes[] = {1, 2, 3, 4, 5};
    uiSkinMemStream stream;
    stream.Create(bytes, sizeof(bytes));
    BYTE out[8] = {};
    DWORD done = 99;
    EXPECT_TRUE(stream.Read(out, 3, &done));
    EXPECT_EQ(3u, done);
    EXPECT_FALSE(stream.Read(out, 3, &done));
    EXPECT_EQ(0u, done);
    EXPECT_FALSE(stream.Read(out, 0xFFFFFFFF, &done));
    EXPECT_TRUE(stream.Read(out, 2, &done));
    EXPECT_EQ(4, out[0]);
    EXPECT_EQ(5, out[1]);
}

TEST(SkinMemStream, SeekStaysInsideTheData)
{
    const BYTE bytes[] = {1, 2, 3, 4, 5};
    uiSkinMemStream stream;
    stream.Create(bytes, sizeof(bytes));
    EXPECT_EQ(4, stream.Seek(4, 0));
    EXPECT_EQ(-1, stream.Seek(5, 0)); // exactly the size
    EXPECT_EQ(-1, stream.Seek(1, 1));
    EXPECT_EQ(-1, stream.Seek(-5, 1));
    EXPECT_EQ(-1, stream.Seek(0, 2));
    EXPECT_EQ(2, stream.Seek(-2, 1)); // the failed seeks left the position at 4
    BYTE out = 0;
    DWORD done = 0;
    EXPECT_TRUE(stream.Read(&out, 1, &done));
    EXPECT_EQ(3, out);
}

} // namespace
