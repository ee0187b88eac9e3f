// The gallery under Wine: every control kind of the gallery's skin read back from the screen at a known
// point, in its normal look and in its hover or selected look, with the colours that the gallery's
// skin gives (tools/gallery/skin/main.xml), and the lists' rows with their texts. A picture of the
// gallery is saved as gallery.bmp in the test's working folder. Each test has a gallery window of its
// own, so that none depends on another.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ControlTestSupport.h"
#include "GalleryWindow.h"
#include "WindowCapture.h"

namespace {

COLORREF Hex(unsigned rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class Gallery : public testing::Test {
protected:
    static void SetUpTestSuite() { s_skinLoaded = gallery::LoadSkin(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_skinLoaded);
        ParkCursor();
        s_frame = gallery::CreateGalleryWindow(20, 20, false);
        ASSERT_NE(s_frame, nullptr);
        PaintNow(s_frame);
    }

    void TearDown() override
    {
        if (s_frame)
            DestroyWindow(s_frame);
        s_frame = nullptr;
        PumpPending();
    }

    static HWND Control(int id) { return GetDlgItem(s_frame, id); }

    // The screen pixel at a point of a window's rectangle.
    static COLORREF ScreenPixel(HWND window, int x, int y)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        HDC screen = GetDC(nullptr);
        const COLORREF color = GetPixel(screen, rect.left + x, rect.top + y);
        ReleaseDC(nullptr, screen);
        return color;
    }

    // Whether the point shows the colour within a generous wait. The wait of the probes that fail comes
    // from one budget for the whole run: a broken skin lists its failed probes within the test's
    // time-out, and a sound one never touches the budget.
    static testing::AssertionResult Shows(HWND window, int x, int y, COLORREF expected)
    {
        const ULONGLONG start = GetTickCount64();
        if (PumpUntil([&] { return ScreenPixel(window, x, y) == expected; }, s_failedWaitLeftMs))
            return testing::AssertionSuccess();
        s_failedWaitLeftMs -= static_cast<DWORD>(std::min<ULONGLONG>(s_failedWaitLeftMs, GetTickCount64() - start));
        char text[96];
        std::snprintf(text, sizeof(text), "(%d, %d) shows %06lx, not %06lx", x, y, RgbOf(ScreenPixel(window, x, y)),
                      RgbOf(expected));
        return testing::AssertionFailure() << text;
    }

    static unsigned long RgbOf(COLORREF color)
    {
        return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }

    // Whether the point of the window's client area shows the colour.
    static testing::AssertionResult ClientShows(HWND window, int x, int y, COLORREF expected)
    {
        POINT point = {x, y};
        ClientToScreen(window, &point);
        RECT rect = {};
        GetWindowRect(window, &rect);
        return Shows(window, point.x - rect.left, point.y - rect.top, expected);
    }

    static void HoverAt(HWND window, int x, int y)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        SetCursorPos(rect.left + x, rect.top + y);
        PumpPending();
    }

    // Whether the left end of a row (or cell) of a list shows text over the row's colour: some pixel
    // there lies nearer the skin's text colour than the row's. Smoothing lightens the glyphs' edges,
    // never all of a stroke.
    static testing::AssertionResult ShowsRowText(HWND list, const RECT& row, COLORREF rowColor)
    {
        const COLORREF text = Hex(0x101010);
        POINT origin = {row.left + 4, row.top};
        ClientToScreen(list, &origin);
        const int width = 24, height = row.bottom - row.top;
        auto textShows = [&] {
            HDC screen = GetDC(nullptr);
            HDC copy = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
            HGDIOBJ previous = SelectObject(copy, bitmap);
            BitBlt(copy, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
            bool found = false;
            for (int y = 0; y < height && !found; ++y) {
                for (int x = 0; x < width && !found; ++x) {
                    const COLORREF pixel = GetPixel(copy, x, y);
                    found = Distance(pixel, text) < Distance(pixel, rowColor);
                }
            }
            SelectObject(copy, previous);
            DeleteObject(bitmap);
            DeleteDC(copy);
            ReleaseDC(nullptr, screen);
            return found;
        };
        const ULONGLONG start = GetTickCount64();
        if (PumpUntil(textShows, s_failedWaitLeftMs))
            return testing::AssertionSuccess();
        s_failedWaitLeftMs -= static_cast<DWORD>(std::min<ULONGLONG>(s_failedWaitLeftMs, GetTickCount64() - start));
        return testing::AssertionFailure() << "no text at the left end of the row at y " << row.top;
    }

    static int Distance(COLORREF a, COLORREF b)
    {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b));
    }

    // The rows of a list from the skin's row looks, probed near their right ends: the selected row, an
    // unselected one, and that one under the mouse; each row shows its text at its left end.
    static void ExpectRowLooks(HWND list, const RECT& selected, const RECT& other)
    {
        EXPECT_TRUE(ClientShows(list, selected.right - 6, selected.top + 2, Hex(0x3070c0)));
        EXPECT_TRUE(ClientShows(list, other.right - 6, other.top + 2, Hex(0xf0f4f8)));
        EXPECT_TRUE(ShowsRowText(list, selected, Hex(0x3070c0)));
        EXPECT_TRUE(ShowsRowText(list, other, Hex(0xf0f4f8)));
        POINT point = {other.right - 6, other.top + 2};
        ClientToScreen(list, &point);
        SetCursorPos(point.x, point.y);
        EXPECT_TRUE(ClientShows(list, other.right - 6, other.top + 2, Hex(0xc8e0f8)));
    }

    static SIZE SizeOf(HWND window)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    static bool s_skinLoaded;
    static HWND s_frame;
    static DWORD s_failedWaitLeftMs;
};

bool Gallery::s_skinLoaded = false;
HWND Gallery::s_frame = nullptr;
DWORD Gallery::s_failedWaitLeftMs = 60000;

TEST_F(Gallery, FrameShowsItsCaptionAndCloseButtonLightsUnderTheMouse)
{
    const int closeX = SizeOf(s_frame).cx - 34 + 13;
    EXPECT_TRUE(Shows(s_frame, 5, 15, Hex(0x3c5a82)));
    EXPECT_TRUE(Shows(s_frame, closeX, 15, Hex(0xb03030)));
    EXPECT_TRUE(Shows(s_frame, SizeOf(s_frame).cx - 62 + 13, 15, Hex(0x30a040)));
    HoverAt(s_frame, closeX, 15);
    EXPECT_TRUE(Shows(s_frame, closeX, 15, Hex(0xe05050)));
}

TEST_F(Gallery, EditShowsItsBorderAndTurnsGreenUnderTheMouse)
{
    const HWND edit = Control(gallery::kEdit);
    const int right = SizeOf(edit).cx - 1;
    EXPECT_TRUE(Shows(edit, 0, 0, Hex(0x5080b0)));
    EXPECT_TRUE(Shows(edit, right - 8, 12, Hex(0xf4f0e8)));
    HoverAt(edit, right - 8, 12);
    EXPECT_TRUE(Shows(edit, 0, 0, Hex(0x30a030)));
}

TEST_F(Gallery, EmptyEditShowsItsHintOnlyWithoutFocus)
{
    const HWND edit = Control(gallery::kEmptyEdit);
    EXPECT_TRUE(Shows(edit, 9, 9, Hex(0xc08000)));
    SetFocus(edit);
    EXPECT_TRUE(Shows(edit, 9, 9, Hex(0xf4f0e8)));
    SetFocus(s_frame);
    EXPECT_TRUE(Shows(edit, 9, 9, Hex(0xc08000)));
}

TEST_F(Gallery, SpinShowsBothHalvesAndLightsTheUpperOneUnderTheMouse)
{
    const HWND spin = Control(gallery::kSpin);
    const SIZE size = SizeOf(spin);
    EXPECT_TRUE(Shows(spin, size.cx / 2, 3, Hex(0x4060a0)));
    EXPECT_TRUE(Shows(spin, size.cx / 2, size.cy - 3, Hex(0xa06040)));
    HoverAt(spin, size.cx / 2, 3);
    EXPECT_TRUE(Shows(spin, size.cx / 2, 3, Hex(0x6080c0)));
    EXPECT_TRUE(Shows(spin, size.cx / 2, size.cy - 3, Hex(0xa06040)));
}

TEST_F(Gallery, DatePickerShowsItsFrameAndButtonAroundTheDate)
{
    const HWND date = Control(gallery::kDate);
    const SIZE size = SizeOf(date);
    EXPECT_TRUE(Shows(date, 1, 1, Hex(0xa050a0)));
    EXPECT_TRUE(Shows(date, size.cx - 10, size.cy / 2, Hex(0x703070)));
    // The date itself stays the control's own: the skin's frame colour does not cover it.
    EXPECT_NE(ScreenPixel(date, size.cx / 2 - 30, size.cy / 2 - 4), Hex(0xa050a0));
}

TEST_F(Gallery, ComboBoxesShowTheirDropButtonsAndLightThemUnderTheMouse)
{
    for (int id : {gallery::kDropDown, gallery::kDropList}) {
        const HWND combo = Control(id);
        const SIZE size = SizeOf(combo);
        EXPECT_TRUE(Shows(combo, size.cx - 10, size.cy / 2, Hex(0x6080a0))) << id;
        EXPECT_TRUE(Shows(combo, 0, 0, Hex(0x808080))) << id;
        HoverAt(combo, size.cx - 10, size.cy / 2);
        EXPECT_TRUE(Shows(combo, size.cx - 10, size.cy / 2, Hex(0xa0c0e0))) << id;
        ParkCursor();
    }
}

TEST_F(Gallery, SliderFillsItsChannelUpToTheThumb)
{
    const HWND slider = Control(gallery::kSlider);
    const SIZE size = SizeOf(slider);
    RECT thumb = {};
    SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int channelY = size.cy - 17 + 1;
    EXPECT_TRUE(Shows(slider, 12, channelY, Hex(0x30a030)));
    EXPECT_TRUE(Shows(slider, size.cx - 12, channelY, Hex(0x909090)));
    EXPECT_TRUE(Shows(slider, (thumb.left + thumb.right) / 2, thumb.top + 2, Hex(0x2040a0)));
    SendMessageW(slider, TBM_SETPOS, TRUE, 90);
    EXPECT_TRUE(Shows(slider, size.cx - 40, channelY, Hex(0x30a030)));
    SendMessageW(slider, TBM_SETPOS, TRUE, 50);
}

TEST_F(Gallery, TabsShowTheSelectedOneInBlue)
{
    const HWND tab = Control(gallery::kTab);
    RECT first = {}, second = {};
    SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_TRUE(Shows(tab, first.left + 6, first.top + 2, Hex(0x2060c0)));
    EXPECT_TRUE(Shows(tab, second.left + 6, second.top + 2, Hex(0xa0a4a8)));
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    InvalidateRect(tab, nullptr, FALSE);
    EXPECT_TRUE(Shows(tab, second.left + 6, second.top + 2, Hex(0x2060c0)));
    EXPECT_TRUE(Shows(tab, first.left + 6, first.top + 2, Hex(0xa0a4a8)));
    SendMessageW(tab, TCM_SETCURSEL, 0, 0);
    InvalidateRect(tab, nullptr, FALSE);
}

TEST_F(Gallery, GroupBoxFrameStartsHalfATextLineLow)
{
    const HWND group = Control(gallery::kGroup);
    const SIZE size = SizeOf(group);
    EXPECT_TRUE(Shows(group, 0, size.cy / 2, Hex(0xe0a030)));
    EXPECT_TRUE(Shows(group, size.cx / 2, size.cy - 1, Hex(0xe0a030)));
    // Above the frame lies the frame window's background.
    EXPECT_TRUE(Shows(group, size.cx - 4, 1, Hex(0x283848)));
}

TEST_F(Gallery, ToolbarButtonsLightUnderTheMouse)
{
    const HWND toolbar = Control(gallery::kToolbar);
    RECT button = {};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(Shows(toolbar, button.left + 3, button.top + 3, Hex(0xc0c0c0)));
    EXPECT_TRUE(Shows(toolbar, SizeOf(toolbar).cx - 4, 4, Hex(0xd0d8e0)));
    HoverAt(toolbar, button.left + 3, button.top + 3);
    EXPECT_TRUE(Shows(toolbar, button.left + 3, button.top + 3, Hex(0x80c080)));
}

TEST_F(Gallery, ButtonShowsItsFaceAndLightsUnderTheMouse)
{
    const HWND button = Control(gallery::kButton);
    EXPECT_TRUE(Shows(button, 4, 4, Hex(0x5070a0)));
    HoverAt(button, 4, 4);
    EXPECT_TRUE(Shows(button, 4, 4, Hex(0x7090c0)));
}

TEST_F(Gallery, TreeShowsItsRowsAndTheSelectedOne)
{
    const HWND tree = Control(gallery::kTree);
    const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    ASSERT_NE(selected, nullptr);
    // The item goes in where the rectangle comes out.
    RECT selectedRow = {}, rootRow = {};
    memcpy(&selectedRow, &selected, sizeof(selected));
    memcpy(&rootRow, &root, sizeof(root));
    SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&selectedRow));
    SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rootRow));
    EXPECT_TRUE(ClientShows(tree, selectedRow.right - 10, selectedRow.top + 3, Hex(0x3070c0)));
    EXPECT_TRUE(ClientShows(tree, rootRow.right - 10, rootRow.top + 3, Hex(0xf0f4f8)));
}

TEST_F(Gallery, ListViewHeaderShowsItsBackground)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(Control(gallery::kListView), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(Shows(header, SizeOf(header).cx - 4, 3, Hex(0xc8d0d8)));
}

TEST_F(Gallery, ListBoxRowsShowTheirTextsAndTheirSelectedAndHoverLooks)
{
    const HWND list = Control(gallery::kListBox);
    RECT first = {}, selected = {};
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&selected));
    ExpectRowLooks(list, selected, first);
}

TEST_F(Gallery, ListViewRowsShowTheirTextsAndTheirSelectedAndHoverLooks)
{
    const HWND list = Control(gallery::kListView);
    RECT first = {LVIR_BOUNDS, 0, 0, 0}, selected = {LVIR_BOUNDS, 0, 0, 0}, size = {1, LVIR_LABEL, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&selected));
    SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&size));
    // Each cell has a look of its own: the second column shows its text too.
    EXPECT_TRUE(ShowsRowText(list, size, Hex(0xf0f4f8)));
    ExpectRowLooks(list, selected, first);
}

TEST_F(Gallery, PictureIsSaved)
{
    DeleteFileW(L"gallery.bmp");
    ASSERT_TRUE(CaptureWindowToBmp(s_frame, L"gallery.bmp"));
    EXPECT_NE(GetFileAttributesW(L"gallery.bmp"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
