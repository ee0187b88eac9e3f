// The small services of the skin engine: the timer window's ticks, the optional system functions and
// the message-box settings.
#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "uiApiLoader.h"
#include "uiGdiAdmin.h"
#include "uiMsgBoxSettings.h"
#include "uiTimerWindow.h"
#include "uiXmlReader.h"

namespace {

// A top-level window of this thread that the timer window can post to.
class TestWindow {
public:
    explicit TestWindow(bool visible)
        : m_window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 10, 10, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~TestWindow() { DestroyWindow(m_window); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};

// Pumps this thread's messages, counting ticks per window, until the target has received count more
// ticks. The bound only keeps a broken timer from hanging the test.
bool WaitForTicks(HWND target, int count, std::map<HWND, int>* ticks)
{
    const int goal = (*ticks)[target] + count;
    while ((*ticks)[target] < goal) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 60000, QS_ALLINPUT) == WAIT_TIMEOUT)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == UI_MSG_TIMER_TICK) {
                EXPECT_EQ(0u, message.wParam);
                EXPECT_EQ(0, message.lParam);
                ++(*ticks)[message.hwnd];
            } else {
                DispatchMessageW(&message);
            }
        }
    }
    return true;
}

class TimerWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_timer.Create()); }
    void TearDown() override { m_timer.Destroy(); }
    uiTimerWindow m_timer;
    std::map<HWND, int> m_ticks;
};

TEST_F(TimerWindow, RegisteredVisibleWindowGetsTicks)
{
    TestWindow window(true);
    EXPECT_TRUE(m_timer.AddWindow(window.Handle()));
    EXPECT_TRUE(m_timer.IsRunning());
    EXPECT_TRUE(WaitForTicks(window.Handle(), 3, &m_ticks));
}

TEST_F(TimerWindow, SameWindowIsRegisteredOnce)
{
    TestWindow window(false);
    EXPECT_TRUE(m_timer.AddWindow(window.Handle()));
    EXPECT_FALSE(m_timer.AddWindow(window.Handle()));
    EXPECT_TRUE(m_timer.RemoveWindow(window.Handle()));
    EXPECT_FALSE(m_timer.RemoveWindow(window.Handle()));
}

TEST_F(TimerWindow, HiddenWindowGetsNoTicksUntilShown)
{
    TestWindow visible(true);
    TestWindow hidden(false);
    ASSERT_TRUE(m_timer.AddWindow(hidden.Handle()));
    ASSERT_TRUE(m_timer.AddWindow(visible.Handle()));
    // Each tick is posted to both in the same pass, so three ticks at the visible window would have
    // brought some to the hidden one.
    ASSERT_TRUE(WaitForTicks(visible.Handle(), 3, &m_ticks));
    EXPECT_EQ(0, m_ticks[hidden.Handle()]);
    ShowWindow(hidden.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(WaitForTicks(hidden.Handle(), 2, &m_ticks));
}

TEST_F(TimerWindow, LastRemovalStopsAndNewRegistrationRestarts)
{
    TestWindow window(true);
    ASSERT_TRUE(m_timer.AddWindow(window.Handle()));
    ASSERT_TRUE(m_timer.RemoveWindow(window.Handle()));
    EXPECT_FALSE(m_timer.IsRunning());
    ASSERT_TRUE(m_timer.AddWindow(window.Handle()));
    EXPECT_TRUE(m_timer.IsRunning());
    EXPECT_TRUE(WaitForTicks(window.Handle(), 2, &m_ticks));
}

TEST_F(TimerWindow, DestroyForgetsRegistrations)
{
    TestWindow window(false);
    ASSERT_TRUE(m_timer.AddWindow(window.Handle()));
    m_timer.Destroy();
    EXPECT_FALSE(m_timer.IsRunning());
    EXPECT_EQ(nullptr, m_timer.GetHandle());
    EXPECT_FALSE(m_timer.RemoveWindow(window.Handle()));
}

TEST(ApiLoader, FindsTheFunctionsAndForgetsThemOnUnload)
{
    EXPECT_TRUE(uiApiLoader::Load());
    EXPECT_NE(nullptr, uiApiLoader::AlphaBlend);
    EXPECT_NE(nullptr, uiApiLoader::GradientFill);
    EXPECT_NE(nullptr, uiApiLoader::_TrackMouseEvent);
    EXPECT_NE(nullptr, uiApiLoader::InitCommonControlsEx);
    EXPECT_NE(nullptr, uiApiLoader::MonitorFromWindow);
    EXPECT_NE(nullptr, uiApiLoader::msimg32);
    EXPECT_NE(nullptr, uiApiLoader::comctl32);
    EXPECT_TRUE(uiApiLoader::Unload());
    EXPECT_EQ(nullptr, uiApiLoader::AlphaBlend);
    EXPECT_EQ(nullptr, uiApiLoader::_TrackMouseEvent);
    EXPECT_EQ(nullptr, uiApiLoader::msimg32);
    EXPECT_EQ(nullptr, uiApiLoader::comctl32);
}

class MsgBoxSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        uiMsgBoxSettings::Instance() = uiMsgBoxSettings();
        uiGetGdiAdmin().Clear();
    }
    void TearDown() override { uiGetGdiAdmin().Clear(); }

    static void Load(const char* xml)
    {
        TiXmlDocument document;
        ASSERT_TRUE(uiXmlLoadMemory(document, xml, strlen(xml)));
        uiMsgBoxSettings::Instance().LoadXml(document.RootElement());
    }
};

// The font's line height and average character width on the screen (its own font for null), from
// the rectangle that DrawText calculates for the alphabet: the oracle of the conversions.
void MeasureFont(HFONT font, int* height, int* averageWidth)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    RECT rect = {0, 0, 0, 0};
    DrawTextW(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1, &rect,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (previous)
        SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    *height = rect.bottom - rect.top;
    *averageWidth = (rect.right / 26 + 1) / 2;
}

TEST_F(MsgBoxSettings, SpacesBecomeDialogUnitsOfTheFont)
{
    TiXmlDocument gdi;
    const char kFonts[] = "<theme><uifont><font id=\"msg\" fontface=\"Tahoma\" fontsize=\"16\"/></uifont></theme>";
    ASSERT_TRUE(uiXmlLoadMemory(gdi, kFonts, sizeof(kFonts) - 1));
    uiGetGdiAdmin().LoadGdiXml(gdi.RootElement(), L"", L"", L"");
    HFONT font = uiGetGdiAdmin().GetFont(L"msg");
    ASSERT_NE(nullptr, font);
    int height = 0, averageWidth = 0;
    MeasureFont(font, &height, &averageWidth);
    ASSERT_GT(height, 0);
    ASSERT_GT(averageWidth, 0);

    Load("<messagebox><font id=\"msg\"/><button width=\"80\" height=\"-1\"/>"
         "<space buttonSpace=\"40\" verticalSpace=\"16\" topSpace=\"-1\" bottomSpace=\"7\"/></messagebox>");
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(font, settings.font);
    EXPECT_EQ(height, settings.charHeight);
    EXPECT_EQ(averageWidth, settings.averageCharWidth);
    EXPECT_EQ(80, settings.buttonWidth);
    EXPECT_EQ(0, settings.buttonHeight);
    EXPECT_EQ(40 * 4 / averageWidth, settings.buttonSpace);
    EXPECT_EQ(16 * 8 / height, settings.verticalSpace);
    EXPECT_EQ(0, settings.topSpace);
    EXPECT_EQ(8, settings.iconSpace);
    EXPECT_EQ(7, settings.bottomSpace);
}

TEST_F(MsgBoxSettings, UnknownFontFallsBackToTheDefaultFont)
{
    TiXmlDocument gdi;
    const char kFonts[] = "<theme><uifont><font id=\"default\" fontface=\"Tahoma\" fontsize=\"12\"/></uifont></theme>";
    ASSERT_TRUE(uiXmlLoadMemory(gdi, kFonts, sizeof(kFonts) - 1));
    uiGetGdiAdmin().LoadGdiXml(gdi.RootElement(), L"", L"", L"");
    Load("<messagebox><font id=\"nosuchfont\"/></messagebox>");
    EXPECT_EQ(uiGetGdiAdmin().GetFont(L"default"), uiMsgBoxSettings::Instance().font);
}

TEST_F(MsgBoxSettings, WithoutAnyFontTheDisplaysOwnFontGivesTheUnits)
{
    int height = 0, averageWidth = 0;
    MeasureFont(nullptr, &height, &averageWidth);
    ASSERT_GT(height, 0);
    Load("<messagebox><font id=\"nosuchfont\"/><space verticalSpace=\"16\"/></messagebox>");
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(nullptr, settings.font);
    EXPECT_EQ(height, settings.charHeight);
    EXPECT_EQ(averageWidth, settings.averageCharWidth);
    EXPECT_EQ(16 * 8 / height, settings.verticalSpace);
}

TEST_F(MsgBoxSettings, VerticalSpaceWithoutAFontDividesNothing)
{
    Load("<messagebox><space verticalSpace=\"16\" topSpace=\"4\" leftSpace=\"10\"/></messagebox>");
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(0, settings.charHeight);
    EXPECT_EQ(0, settings.verticalSpace);
    EXPECT_EQ(0, settings.topSpace);
    EXPECT_EQ(10 * 4 / 2, settings.leftSpace);
}

// Pixel values from a damaged skin are converted without wrapping: the product is taken wide and the
// dialog units stop at the end of the range.
TEST_F(MsgBoxSettings, HugeSpacesNeitherWrapNorOverflow)
{
    Load("<messagebox><space leftSpace=\"1000000000\" buttonSpace=\"2000000000\" iconSpace=\"-2000000000\"/></messagebox>");
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(2000000000, settings.leftSpace);
    EXPECT_EQ(INT_MAX, settings.buttonSpace);
    EXPECT_EQ(INT_MIN, settings.iconSpace);
}

TEST_F(MsgBoxSettings, CaptionsAndStyleAreReadByName)
{
    Load("<messagebox><dialogstyle id=\"msgdialog\"/><lang><YesToAll value=\"A\"/><Abort value=\"B\"/>"
         "<NoSuchCaption value=\"C\"/></lang></messagebox>");
    const uiMsgBoxSettings& settings = uiMsgBoxSettings::Instance();
    EXPECT_EQ(CString(L"msgdialog"), settings.dialogStyle);
    EXPECT_EQ(CString(L"A"), settings.captions[UI_CAPTION_YESTOALL]);
    EXPECT_EQ(CString(L"B"), settings.captions[UI_CAPTION_ABORT]);
    EXPECT_EQ(CString(L""), settings.captions[UI_CAPTION_OK]);
}

} // namespace
