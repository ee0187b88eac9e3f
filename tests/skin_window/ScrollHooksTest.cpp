// The hooking layer on the real USER32 under Wine and the scroll-bar redirection: calls through the
// import table reach the replacement while hooked and the system's code again after removal, with
// the function's bytes and page protection back as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ApiHook.h"
#include "ScrollTestWindow.h"
#include "uiScrollHooks.h"
#include "uiSkinEntry.h"

// An import thunk of this program: a jump through its import address table entry.
extern "C" void tavrin_range_thunk();
asm(".text\n"
    ".globl _tavrin_range_thunk\n"
    "_tavrin_range_thunk:\n"
    "    jmp *__imp__GetScrollRange@16\n");

namespace {

constexpr int kMarkedPos = 4242;
HWND g_marked = nullptr;
decltype(&::GetScrollPos) g_realGetScrollPos = nullptr;

int WINAPI MarkedGetScrollPos(HWND hwnd, int bar)
{
    return hwnd == g_marked ? kMarkedPos : g_realGetScrollPos(hwnd, bar);
}

BOOL WINAPI NoRange(HWND, int, LPINT, LPINT)
{
    return FALSE;
}

std::vector<BYTE> Head(const void* p)
{
    auto* b = static_cast<const BYTE*>(p);
    return std::vector<BYTE>(b, b + 16);
}

DWORD ProtectionOf(const void* p)
{
    MEMORY_BASIC_INFORMATION mbi{};
    VirtualQuery(p, &mbi, sizeof(mbi));
    return mbi.Protect;
}

int SystemPos(HWND hwnd)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    uiSysGetScrollInfo(hwnd, SB_VERT, &si);
    return si.nPos;
}

}  // namespace

TEST(HookUser32, AHookedFunctionIsReachedThroughTheImportTableAndRestoredAfterRemoval)
{
    ScrollTestWindow marked(40, 40, 120, 120, WS_VSCROLL);
    ScrollTestWindow plain(200, 40, 120, 120, WS_VSCROLL);
    SetScrollRange(plain.hwnd(), SB_VERT, 0, 50, FALSE);
    SetScrollPos(plain.hwnd(), SB_VERT, 17, FALSE);
    g_marked = marked.hwnd();

    g_realGetScrollPos = &::GetScrollPos;
    const BYTE* function = reinterpret_cast<const BYTE*>(g_realGetScrollPos);
    const std::vector<BYTE> before = Head(function);
    const DWORD protection = ProtectionOf(function);
    ASSERT_EQ(0, HookTransactionBegin());
    auto* variable = reinterpret_cast<PVOID*>(&g_realGetScrollPos);
    const auto replacement = reinterpret_cast<PVOID>(&MarkedGetScrollPos);
    ASSERT_EQ(0, HookAttach(variable, replacement));
    ASSERT_EQ(0, HookTransactionCommit());

    EXPECT_EQ(kMarkedPos, GetScrollPos(marked.hwnd(), SB_VERT));
    EXPECT_EQ(17, GetScrollPos(plain.hwnd(), SB_VERT));
    EXPECT_EQ(protection, ProtectionOf(function));

    ASSERT_EQ(0, HookTransactionBegin());
    ASSERT_EQ(0, HookDetach(variable, replacement));
    ASSERT_EQ(0, HookTransactionCommit());
    EXPECT_EQ(static_cast<const void*>(function), reinterpret_cast<const void*>(g_realGetScrollPos));
    EXPECT_EQ(before, Head(function));
    EXPECT_EQ(protection, ProtectionOf(function));
    EXPECT_EQ(0, GetScrollPos(marked.hwnd(), SB_VERT));
}

TEST(HookUser32, AnImportThunkIsFollowedToTheImportedFunction)
{
    const void* imported = reinterpret_cast<const void*>(&::GetScrollRange);
    const std::vector<BYTE> before = Head(imported);
    PVOID pointer = reinterpret_cast<PVOID>(&tavrin_range_thunk);
    ASSERT_EQ(0, HookTransactionBegin());
    ASSERT_EQ(0, HookAttach(&pointer, reinterpret_cast<PVOID>(&NoRange)));
    ASSERT_EQ(0, HookTransactionCommit());
    EXPECT_EQ(0xE9, static_cast<const BYTE*>(imported)[0]);
    EXPECT_NE(reinterpret_cast<PVOID>(&tavrin_range_thunk), pointer);
    int lo = 0;
    int hi = 0;
    ScrollTestWindow w(40, 40, 120, 120, WS_VSCROLL);
    EXPECT_FALSE(GetScrollRange(w.hwnd(), SB_VERT, &lo, &hi));

    ASSERT_EQ(0, HookTransactionBegin());
    ASSERT_EQ(0, HookDetach(&pointer, reinterpret_cast<PVOID>(&NoRange)));
    ASSERT_EQ(0, HookTransactionCommit());
    EXPECT_EQ(imported, pointer);
    EXPECT_EQ(before, Head(imported));
}

class Redirection : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetScrollRange(plain.hwnd(), SB_VERT, 0, 50, FALSE);
        SetScrollPos(plain.hwnd(), SB_VERT, 12, FALSE);
        ASSERT_TRUE(uiCsbInit(custom.hwnd()));
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = 99;
        si.nPage = 10;
        si.nPos = 30;
        uiCsbSetScrollInfo(custom.hwnd(), SB_VERT, &si, TRUE);
        user32Before = Head(reinterpret_cast<const void*>(&::GetScrollPos));
        ASSERT_EQ(1, uiInstallScrollHooks());
    }
    void TearDown() override { uiRemoveScrollHooks(); }

    ScrollTestWindow custom{40, 40, 150, 150};
    ScrollTestWindow plain{250, 40, 150, 150, WS_VSCROLL};
    std::vector<BYTE> user32Before;
};

TEST_F(Redirection, SystemCallsReachTheCustomBarsOnlyForWindowsThatHaveThem)
{
    EXPECT_EQ(30, GetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(12, GetScrollPos(plain.hwnd(), SB_VERT));

    SetScrollPos(custom.hwnd(), SB_VERT, 95, TRUE);
    EXPECT_EQ(90, uiCsbGetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(0, SystemPos(custom.hwnd()));

    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(custom.hwnd(), SB_VERT, &si));
    EXPECT_EQ(99, si.nMax);
    int lo = 0;
    int hi = 0;
    ASSERT_TRUE(GetScrollRange(plain.hwnd(), SB_VERT, &lo, &hi));
    EXPECT_EQ(50, hi);

    ShowScrollBar(custom.hwnd(), SB_VERT, FALSE);
    EXPECT_FALSE(uiCsbIsBarVisible(custom.hwnd(), SB_VERT));
}

TEST_F(Redirection, FallbacksOfWindowsWithCustomBarsDoNotLoop)
{
    // A bar code without a custom bar goes to the system's own code through the saved pointer.
    EXPECT_EQ(0, GetScrollPos(custom.hwnd(), SB_CTL));
    EXPECT_TRUE(EnableScrollBar(plain.hwnd(), SB_VERT, ESB_DISABLE_BOTH));
}

TEST_F(Redirection, InstallingTwiceChangesNothingAndRemovalRestoresTheSystemFunctions)
{
    const std::vector<BYTE> hooked = Head(reinterpret_cast<const void*>(&::GetScrollPos));
    EXPECT_NE(user32Before, hooked);
    EXPECT_EQ(1, uiInstallScrollHooks());
    EXPECT_EQ(hooked, Head(reinterpret_cast<const void*>(&::GetScrollPos)));

    EXPECT_EQ(1, uiRemoveScrollHooks());
    EXPECT_EQ(user32Before, Head(reinterpret_cast<const void*>(&::GetScrollPos)));
    EXPECT_EQ(reinterpret_cast<const void*>(&::GetScrollPos), reinterpret_cast<const void*>(uiSysGetScrollPos));
    EXPECT_EQ(0, GetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(30, uiCsbGetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(12, GetScrollPos(plain.hwnd(), SB_VERT));
}

// The entry functions install and remove the redirection: calls through this program's import table
// reach the custom bars only while a skin is loaded.
TEST(SkinEntryRedirection, ScrollCallsReachTheCustomBarsOnlyBetweenLoadSkinAndExitSkin)
{
    ScrollTestWindow custom(40, 40, 150, 150);
    ASSERT_TRUE(uiCsbInit(custom.hwnd()));
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 30;
    uiCsbSetScrollInfo(custom.hwnd(), SB_VERT, &si, TRUE);
    EXPECT_EQ(0, GetScrollPos(custom.hwnd(), SB_VERT));

    ASSERT_EQ(1, uiLoadSkin(MAKEINTRESOURCEW(2029), L"SKINDB"));
    EXPECT_EQ(30, GetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(30, SetScrollPos(custom.hwnd(), SB_VERT, 55, TRUE));
    EXPECT_EQ(55, uiCsbGetScrollPos(custom.hwnd(), SB_VERT));
    SCROLLINFO read{};
    read.cbSize = sizeof(read);
    read.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(custom.hwnd(), SB_VERT, &read));
    EXPECT_EQ(99, read.nMax);
    EXPECT_EQ(10u, read.nPage);
    EXPECT_EQ(55, read.nPos);
    int lo = -1;
    int hi = -1;
    ASSERT_TRUE(GetScrollRange(custom.hwnd(), SB_VERT, &lo, &hi));
    EXPECT_EQ(0, lo);
    EXPECT_EQ(99, hi);
    EXPECT_EQ(0, SystemPos(custom.hwnd()));

    uiExitSkin();
    EXPECT_EQ(0, GetScrollPos(custom.hwnd(), SB_VERT));
    SetScrollRange(custom.hwnd(), SB_VERT, 0, 20, FALSE);
    SetScrollPos(custom.hwnd(), SB_VERT, 7, FALSE);
    EXPECT_EQ(7, SystemPos(custom.hwnd()));
    EXPECT_EQ(7, GetScrollPos(custom.hwnd(), SB_VERT));
    EXPECT_EQ(55, uiCsbGetScrollPos(custom.hwnd(), SB_VERT));
}
