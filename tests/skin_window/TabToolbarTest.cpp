// The tab control and the toolbar: tabs painted into the buffer from the first tab's margin, erasing
// that erases nothing, the toolbar's item states, its custom-draw answers and button texts read
// whole whatever their length, and another style in place of the old one on each.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ControlTestSupport.h"
#include "MiscTestSupport.h"
#include "SkinTestSupport.h"
#include "uiSkinEntry.h"
#include "uiSkinTabCtrl.h"
#include "uiSkinToolbarCtrl.h"
#include "uiTransparentHelper.h"

namespace {

const COLORREF kTab = RGB(0x20, 0x60, 0xC0), kTabBk = RGB(0xD8, 0xDC, 0xE0), kButton = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kToolbarBk = RGB(0xD0, 0xD8, 0xE0), kSpinUp = RGB(0, 0, 0x10);

class TabToolbar : public MiscSkin {
protected:
    HWND Tab()
    {
        const HWND tab = MakeControl(WC_TABCONTROLW, 0, {10, 10, 310, 110}, 117);
        for (const wchar_t* text : {L"一", L"二"}) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(text);
            SendMessageW(tab, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
        }
        return tab;
    }

    HWND Toolbar(const std::wstring& text)
    {
        const HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                             WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | TBSTYLE_FLAT |
                                                 TBSTYLE_LIST,
                                             10, 150, 300, 30, Host(), nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = 77;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(text.c_str());
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
        uiAttachParentSkin(toolbar);
        uiSkinWindow(toolbar, 122, nullptr, FALSE);
        return toolbar;
    }

    LRESULT CustomDraw(HWND from, DWORD stage, HDC dc, const RECT& rect, UINT state = 0)
    {
        NMCUSTOMDRAW draw = {};
        draw.hdr.hwndFrom = from;
        draw.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
        draw.hdr.code = NM_CUSTOMDRAW;
        draw.dwDrawStage = stage;
        draw.hdc = dc;
        draw.rc = rect;
        draw.uItemState = state;
        return SendMessageW(Host(), WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    }
};

TEST_F(TabToolbar, FirstTabStartsAtTheStylesMarginAndTheRestIsBackground)
{
    const HWND tab = Tab();
    uiSkinTabCtrl* skin = SkinOf<uiSkinTabCtrl>(tab);
    ASSERT_NE(skin, nullptr);
    PaintNow(tab);
    ASSERT_NE(skin->GetBufferDC(), nullptr);
    RECT first = {};
    SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int y = (first.top + first.bottom) / 2;
    // marginleft="6"
    EXPECT_EQ(GetPixel(skin->GetBufferDC(), 6, y), kTab);
    EXPECT_EQ(GetPixel(skin->GetBufferDC(), 5, y), kTabBk);
    // tabspace="8": the first tab's right edge comes in by 4.
    EXPECT_EQ(GetPixel(skin->GetBufferDC(), first.right - 5, y), kTab);
    EXPECT_EQ(GetPixel(skin->GetBufferDC(), first.right - 3, y), kTabBk);
    EXPECT_EQ(GetPixel(skin->GetBufferDC(), 290, 90), kTabBk);
}

TEST_F(TabToolbar, EraseOnTheTabControlErasesNothing)
{
    const HWND tab = Tab();
    PixelCanvas canvas(40, 40, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageW(tab, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.GetDC()), 0), 1);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(1, 2, 3));
}

TEST_F(TabToolbar, CheckedOrSelectedDrawsDownAndHotOrFocusDrawsOver)
{
    EXPECT_EQ(uiSkinToolbarCtrl::ItemState(CDIS_CHECKED | CDIS_HOT), 4);
    EXPECT_EQ(uiSkinToolbarCtrl::ItemState(CDIS_SELECTED), 4);
    EXPECT_EQ(uiSkinToolbarCtrl::ItemState(CDIS_HOT), 2);
    EXPECT_EQ(uiSkinToolbarCtrl::ItemState(CDIS_FOCUS), 2);
    EXPECT_EQ(uiSkinToolbarCtrl::ItemState(0), 1);
}

TEST_F(TabToolbar, ButtonTextsAreReadWholeWhateverTheirLength)
{
    const std::wstring longText(600, L'字');
    const HWND toolbar = Toolbar(longText);
    uiSkinToolbarCtrl* skin = SkinOf<uiSkinToolbarCtrl>(toolbar);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(std::wstring(skin->GetButtonText(77).GetString()), longText);
    EXPECT_TRUE(skin->GetButtonText(78).IsEmpty());
}

TEST_F(TabToolbar, ToolbarAnswersItsOwnCustomDrawAndPaintsTheButton)
{
    const HWND toolbar = Toolbar(L"保存");
    PixelCanvas canvas(300, 30, RGB(1, 2, 3));
    RECT button = {};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(CustomDraw(toolbar, CDDS_PREPAINT, canvas.GetDC(), {0, 0, 300, 30}), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(CustomDraw(toolbar, CDDS_ITEMPREPAINT, canvas.GetDC(), button), CDRF_SKIPDEFAULT);
    EXPECT_EQ(canvas.Pixel(button.left + 1, button.top + 1), kButton);
    EXPECT_EQ(CustomDraw(toolbar, CDDS_POSTPAINT, canvas.GetDC(), button), 0);
}

TEST_F(TabToolbar, ToolbarBackgroundComesFromItsItem)
{
    const HWND toolbar = Toolbar(L"保存");
    PixelCanvas canvas(300, 30, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageW(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.GetDC()), 0), 1);
    EXPECT_EQ(canvas.Pixel(250, 15), RGB(0xD0, 0xD8, 0xE0));
}


TEST_F(TabToolbar, AToolbarWhoseStyleWentPaintsNeitherBackgroundNorButtons)
{
    const HWND toolbar = Toolbar(L"保存");
    auto* skin = SkinOf<uiSkinToolbarCtrl>(toolbar);
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->SkinWindow(toolbar, L"no.such.style", TRUE, FALSE));

    PixelCanvas canvas(300, 30, RGB(1, 2, 3));
    EXPECT_EQ(SendMessageW(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.GetDC()), 0), 1);
    EXPECT_EQ(canvas.Pixel(250, 15), RGB(1, 2, 3));
    RECT button = {};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    CustomDraw(toolbar, CDDS_ITEMPREPAINT, canvas.GetDC(), button);
    EXPECT_EQ(canvas.Pixel(button.left + 1, button.top + 1), RGB(1, 2, 3));
}

TEST_F(TabToolbar, AReplacingStyleBringsItsOwnMarginSpinSkinAndTransparency)
{
    const HWND tab = Tab();
    // Tabs enough for the scroll arrows.
    for (int i = 0; i < 12; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"一二三四五");
        SendMessageW(tab, TCM_INSERTITEMW, 99, reinterpret_cast<LPARAM>(&item));
    }
    // The system gives the arrows the id 1; Wine gives them none.
    const HWND spin = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(spin, nullptr);
    SetWindowLongPtrW(spin, GWLP_ID, 1);
    auto* tabSkin = SkinOf<uiSkinTabCtrl>(tab);
    const HWND toolbar = Toolbar(L"保存");
    auto* toolbarSkin = SkinOf<uiSkinToolbarCtrl>(toolbar);
    ASSERT_NE(tabSkin, nullptr);
    ASSERT_NE(toolbarSkin, nullptr);

    struct Case {
        const wchar_t* tabStyle;
        const wchar_t* toolbarStyle;
        int margin;
        bool spinSkinned;
        bool transparent;
    };
    for (const Case& c : {Case{L"tabctrl.wide", L"toolbarctrl.clear", 20, true, true},
                          Case{L"tabctrl", L"toolbarctrl", 6, false, false}}) {
        SCOPED_TRACE(c.tabStyle);
        ASSERT_TRUE(tabSkin->SkinWindow(tab, c.tabStyle, TRUE, FALSE));
        ASSERT_TRUE(toolbarSkin->SkinWindow(toolbar, c.toolbarStyle, TRUE, FALSE));
        PaintNow(tab);
        RECT first = {};
        SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        const int y = (first.top + first.bottom) / 2;
        EXPECT_EQ(GetPixel(tabSkin->GetBufferDC(), c.margin, y), kTab);
        EXPECT_NE(GetPixel(tabSkin->GetBufferDC(), c.margin - 1, y), kTab);
        EXPECT_EQ(uiHasTransparentTag(tab) != FALSE, c.transparent);

        // The spin wears the spin style's look only while the tab's style names one.
        EXPECT_EQ(uiGetHandleMap()->Find(spin) != nullptr, c.spinSkinned);
        RECT spinRect = {};
        GetClientRect(spin, &spinRect);
        PaintNow(spin);
        EXPECT_EQ(WindowPixel(spin, 2, spinRect.bottom / 2) == kSpinUp, c.spinSkinned);

        // A transparent toolbar shows its parent's background, not its item.
        EXPECT_EQ(uiHasTransparentTag(toolbar) != FALSE, c.transparent);
        PixelCanvas canvas(300, 30, RGB(1, 2, 3));
        SendMessageW(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.GetDC()), 0);
        EXPECT_EQ(canvas.Pixel(250, 15) == kToolbarBk, !c.transparent);
    }
}

}  // namespace
