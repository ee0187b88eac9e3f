// Custom-drawn scroll bars: a window given them by uiCsbInit keeps its own range, page, position
// and visibility per bar and has its bars drawn in its non-client area by the library, either by
// the built-in look or part by part through a WM_NOTIFY custom-draw notification to the window.
// Each uiCsb* counterpart of a USER32 scroll-bar function falls back to the system function for
// windows (or bar codes) that have no custom bar.
#pragma once

#include <windows.h>

// Bar flags.
constexpr UINT kCsbFirstArrowDisabled = 0x1;
constexpr UINT kCsbSecondArrowDisabled = 0x2;
constexpr UINT kCsbKeepThumb = 0x4;  // keep the bar and a thumb even when nothing can scroll
constexpr UINT kCsbShown = 0x8;      // the application asked for the bar

// Part codes; each is the scroll command its press sends.
constexpr int kCsbPartNone = -1;
constexpr int kCsbPartFirstArrow = 0;
constexpr int kCsbPartSecondArrow = 1;
constexpr int kCsbPartPageBefore = 2;
constexpr int kCsbPartPageAfter = 3;
constexpr int kCsbPartThumb = 5;
constexpr int kCsbItemSizeBox = 32;
constexpr int kCsbBarSizeBox = 3;

// The custom-draw notification and its stages and part states.
constexpr UINT kCsbCustomDrawCode = 0xFFFFF001;
constexpr UINT kCsbStagePrePaint = 1;
constexpr UINT kCsbStagePostPaint = 2;
constexpr UINT kCsbStagePart = 0x10001;
constexpr LRESULT kCsbSkipDefault = 4;  // stage-1 answer: parts come as notifications only
constexpr UINT kCsbStatePressed = 1;
constexpr UINT kCsbStateDisabled = 4;
constexpr UINT kCsbStateNormal = 32;
constexpr UINT kCsbStateHot = 64;

struct CustomSBBar {
    UINT flags;
    BOOL visibleNow;  // shown, and the last WM_NCCALCSIZE found room for it
    SCROLLINFO info;
    int arrowLength;  // negative: that many times the system metric
    int thickness;    // negative: that many times the system metric
    int barType;      // 0 horizontal, 1 vertical
    int style;        // 0 raised, 1 flat, 2 flat with hot tracking
    int minThumbSize;
    BOOL autoShow;  // uiCsbSetScrollInfo may show and hide the bar
};

struct CustomSBWnd {
    WNDPROC prevProc;
    CustomSBBar horz;
    CustomSBBar vert;
    BOOL thumbTracking;
    BOOL leftScrollBar;
    int borderLeft;
    int borderRight;
    int borderTop;
    int borderBottom;
    BOOL styleGuard;  // the scroll styles are taken away while the previous procedure runs
    BOOL trackCapture;
    BOOL verticalHitOnly;
};

// WM_NOTIFY payload of the custom-draw notification (48 bytes).
struct CustomSBDrawInfo {
    NMHDR hdr;
    UINT drawStage;
    HDC hdc;
    RECT rect;
    UINT item;
    UINT itemState;
    UINT bar;
};
static_assert(sizeof(CustomSBDrawInfo) == 48, "the notification's layout is fixed");

BOOL uiCsbInit(HWND hwnd);
HRESULT uiCsbUninit(HWND hwnd);
BOOL uiCsbIsEnabled(HWND hwnd);

BOOL uiCsbEnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL uiCsbGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int uiCsbGetScrollPos(HWND hwnd, int bar);
BOOL uiCsbGetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos);
int uiCsbSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int uiCsbSetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
BOOL uiCsbSetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL uiCsbShowScrollBar(HWND hwnd, int bar, BOOL show);

BOOL uiCsbShowBar(HWND hwnd, int bar, BOOL show);
BOOL uiCsbIsBarVisible(HWND hwnd, int bar);
BOOL uiCsbSetSize(HWND hwnd, int bar, int arrowLength, int thickness);
BOOL uiCsbSetStyle(HWND hwnd, int bar, int style);
BOOL uiCsbSetMinThumbSize(HWND hwnd, int bar, int size);
BOOL uiCsbSetTrackCapture(HWND hwnd, BOOL value);
BOOL uiCsbSetVerticalHitOnly(HWND hwnd, BOOL value);
BOOL uiCsbIsThumbTracking(HWND hwnd);
void uiCsbPaintNC(HWND hwnd);
void uiCsbPrintNC(HDC hdc, HWND hwnd);

// The bars' built-in looks of one part, for a control that draws a bar of its own as these bars would:
// the style as uiCsbSetStyle takes it, the arrow flags those of DrawFrameControl with DFC_SCROLL.
void uiCsbDrawArrowLook(HDC hdc, const RECT& rc, UINT flags, int style, bool pressed, bool hot);
void uiCsbDrawPageLook(HDC hdc, const RECT& rc, bool pressed);
void uiCsbDrawThumbLook(HDC hdc, const RECT& rc, int style, bool pressed, bool hot);

// The position clamped to the bar's reachable positions: nMin to nMax - max(nPage, 1) + 1.
int uiCsbClampPosition(const SCROLLINFO& si, int pos);
// Stores the range, page and position that info's mask names, as the bars take them: the page
// limited to the range, the position clamped.
void uiCsbStoreScrollInfo(SCROLLINFO& state, const SCROLLINFO& info);

LRESULT CALLBACK uiCsbWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
