// Per-window state of the custom-drawn scroll bars and their entry points: the counterparts of
// the USER32 scroll-bar functions and the library's own setters.
#include "uiCsbInternal.h"
#include "uiScrollHooks.h"

#include <unordered_map>

namespace {

// Set for readers outside the library; the library finds the state in the process.
const wchar_t kStateProp[] = L"CustomSBSubclassPtr";

// The state of each window with custom bars. Asked on every message of such a window and on every
// call of the redirected USER32 scroll-bar functions, from any thread: kept in the process, since
// under Wine each window property read is a round trip to the window server.
class StateMap {
public:
    void Set(HWND hwnd, CustomSBWnd* sb)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_states[hwnd] = sb;
        ReleaseSRWLockExclusive(&m_lock);
    }
    CustomSBWnd* Find(HWND hwnd)
    {
        AcquireSRWLockShared(&m_lock);
        const auto found = m_states.find(hwnd);
        CustomSBWnd* sb = found == m_states.end() ? nullptr : found->second;
        ReleaseSRWLockShared(&m_lock);
        return sb;
    }
    void Erase(HWND hwnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_states.erase(hwnd);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CustomSBWnd*> m_states;
};

// Never destroyed: windows may still be asked about while the statics go at exit.
StateMap& States()
{
    static StateMap* const states = new StateMap;
    return *states;
}

// Codes that address custom bars: 0, 1 and 3 (both); others go to the system.
bool AddressesBars(int bar)
{
    return bar == SB_HORZ || bar == SB_VERT || bar == SB_BOTH;
}

// Calls fn for each bar addressed by a bar code (0, 1, or both for 3).
template <typename Fn>
void ForEachBar(CustomSBWnd* sb, int bar, Fn fn)
{
    if (bar == SB_HORZ || bar == SB_BOTH)
        fn(sb->horz, SB_HORZ);
    if (bar == SB_VERT || bar == SB_BOTH)
        fn(sb->vert, SB_VERT);
}

DWORD StyleBitOf(int bar)
{
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

bool SizeValueValid(int v)
{
    return v != 0 && v >= -8 && v <= 256;
}

}  // namespace

int uiCsbClampPosition(const SCROLLINFO& si, int pos)
{
    if (pos < si.nMin)
        pos = si.nMin;
    if (si.nPage > 1) {
        const int last = si.nMax - (static_cast<int>(si.nPage) - 1);
        if (pos > last)
            pos = last;
    } else if (pos > si.nMax) {
        pos = si.nMax;
    }
    return pos;
}

void uiCsbStoreScrollInfo(SCROLLINFO& state, const SCROLLINFO& info)
{
    if (info.fMask & SIF_RANGE) {
        state.nMin = info.nMin;
        state.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE) {
        const UINT span = static_cast<UINT>(state.nMax - state.nMin + 1);
        state.nPage = info.nPage < span ? info.nPage : span;
    }
    if (info.fMask & SIF_POS)
        state.nPos = uiCsbClampPosition(state, info.nPos);
}

CustomSBWnd* uiCsbGetState(HWND hwnd)
{
    CustomSBWnd* sb = hwnd ? States().Find(hwnd) : nullptr;
    // A window destroyed without its last message reaching the bars has lost them with its
    // property. For a window of this process the test asks the window server nothing.
    if (sb && !IsWindow(hwnd)) {
        States().Erase(hwnd);
        return nullptr;
    }
    return sb;
}

CustomSBBar* uiCsbBarOf(CustomSBWnd* sb, int bar)
{
    if (!sb)
        return nullptr;
    if (bar == SB_HORZ)
        return &sb->horz;
    if (bar == SB_VERT)
        return &sb->vert;
    return nullptr;
}

void uiCsbRedraw(HWND hwnd, bool frameChange)
{
    if (frameChange)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
}

bool uiCsbCanScroll(const CustomSBBar& bar)
{
    const SCROLLINFO& si = bar.info;
    return si.nMax >= static_cast<int>(si.nPage) && si.nMin < si.nMax && si.nMax != 0 &&
           si.nMax >= si.nPos;
}

int uiCsbDefaultMinThumbSize()
{
    const DWORD version = GetVersion();
    if ((version & 0x80000000u) != 0 || LOBYTE(LOWORD(version)) < 5)
        return 8;
    return 6;
}

BOOL uiCsbInit(HWND hwnd)
{
    if (uiCsbIsEnabled(hwnd))
        return FALSE;
    auto* sb = static_cast<CustomSBWnd*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(CustomSBWnd)));
    if (!sb)
        return FALSE;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        SCROLLINFO& si = uiCsbBarOf(sb, bar)->info;
        si.cbSize = sizeof(SCROLLINFO);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        uiSysGetScrollInfo(hwnd, bar, &si);
    }
    sb->leftScrollBar = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) ? TRUE : FALSE;
    sb->trackCapture = TRUE;
    sb->verticalHitOnly = FALSE;
    if (!SetPropW(hwnd, kStateProp, sb)) {
        HeapFree(GetProcessHeap(), 0, sb);
        return FALSE;
    }
    States().Set(hwnd, sb);
    const DWORD style = GetWindowLongW(hwnd, GWL_STYLE);
    ForEachBar(sb, SB_BOTH, [&](CustomSBBar& b, int bar) {
        b.autoShow = TRUE;
        if (style & StyleBitOf(bar))
            b.flags |= kCsbShown;
        b.barType = bar;
        b.style = 0;
        b.arrowLength = -1;
        b.thickness = -1;
        b.minThumbSize = uiCsbDefaultMinThumbSize();
    });
    sb->styleGuard = FALSE;
    sb->prevProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(uiCsbWndProc)));
    uiCsbRedraw(hwnd, true);
    return TRUE;
}

bool uiCsbDetach(HWND hwnd)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb)
        return false;
    uiCsbForgetWindow(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sb->prevProc));
    States().Erase(hwnd);
    RemovePropW(hwnd, kStateProp);
    HeapFree(GetProcessHeap(), 0, sb);
    return true;
}

HRESULT uiCsbUninit(HWND hwnd)
{
    if (!uiCsbDetach(hwnd))
        return E_FAIL;
    uiCsbRedraw(hwnd, true);
    return S_OK;
}

BOOL uiCsbIsEnabled(HWND hwnd)
{
    return uiCsbGetState(hwnd) ? TRUE : FALSE;
}

BOOL uiCsbEnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb || !AddressesBars(static_cast<int>(bar)))
        return uiSysEnableScrollBar(hwnd, bar, arrows);
    const UINT wanted = arrows & (kCsbFirstArrowDisabled | kCsbSecondArrowDisabled);
    BOOL changed = TRUE;
    ForEachBar(sb, static_cast<int>(bar), [&](CustomSBBar& b, int) {
        if ((b.flags & (kCsbFirstArrowDisabled | kCsbSecondArrowDisabled)) == wanted)
            changed = FALSE;
        b.flags = (b.flags & ~(kCsbFirstArrowDisabled | kCsbSecondArrowDisabled)) | wanted;
    });
    return changed;
}

BOOL uiCsbGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (!info)
        return FALSE;
    CustomSBBar* b = uiCsbBarOf(uiCsbGetState(hwnd), bar);
    if (!b)
        return uiSysGetScrollInfo(hwnd, bar, info);
    BOOL copied = FALSE;
    if (info->fMask & SIF_PAGE) {
        info->nPage = b->info.nPage;
        copied = TRUE;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = b->info.nPos;
        copied = TRUE;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = b->info.nTrackPos;
        copied = TRUE;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = b->info.nMin;
        info->nMax = b->info.nMax;
        copied = TRUE;
    }
    return copied;
}

int uiCsbGetScrollPos(HWND hwnd, int bar)
{
    CustomSBBar* b = uiCsbBarOf(uiCsbGetState(hwnd), bar);
    return b ? b->info.nPos : uiSysGetScrollPos(hwnd, bar);
}

BOOL uiCsbGetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    if (!minPos || !maxPos)
        return FALSE;
    CustomSBBar* b = uiCsbBarOf(uiCsbGetState(hwnd), bar);
    if (!b)
        return uiSysGetScrollRange(hwnd, bar, minPos, maxPos);
    *minPos = b->info.nMin;
    *maxPos = b->info.nMax;
    return TRUE;
}

int uiCsbSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    if (!info)
        return 0;
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    CustomSBBar* b = uiCsbBarOf(sb, bar);
    if (!b)
        return uiSysSetScrollInfo(hwnd, bar, info, redraw);
    SCROLLINFO& si = b->info;
    uiCsbStoreScrollInfo(si, *info);

    const bool wanted = (info->fMask & SIF_DISABLENOSCROLL) || (b->flags & kCsbKeepThumb) ||
                        (si.nPage != 0 && si.nMin < si.nMax && si.nMax >= static_cast<int>(si.nPage));
    bool frameChange = false;
    if (b->autoShow && wanted && !b->visibleNow) {
        uiCsbShowBar(hwnd, bar, TRUE);
        frameChange = true;
    } else if (b->autoShow && !wanted && b->visibleNow) {
        uiCsbShowBar(hwnd, bar, FALSE);
        frameChange = true;
    }
    if (redraw && !sb->thumbTracking)
        uiCsbRedraw(hwnd, frameChange);
    return si.nPos;
}

int uiCsbSetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    CustomSBBar* b = uiCsbBarOf(sb, bar);
    if (!b)
        return uiSysSetScrollPos(hwnd, bar, pos, redraw);
    const int previous = b->info.nPos;
    b->info.nPos = uiCsbClampPosition(b->info, pos);
    if (redraw && !sb->thumbTracking)
        uiCsbRedraw(hwnd, false);
    return previous;
}

BOOL uiCsbSetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    CustomSBBar* b = uiCsbBarOf(sb, bar);
    if (!b)
        return uiSysSetScrollRange(hwnd, bar, minPos, maxPos, redraw);
    if (sb->thumbTracking)
        return b->info.nPos;
    b->info.nMin = minPos;
    b->info.nMax = maxPos;
    if (redraw)
        uiCsbRedraw(hwnd, false);
    return TRUE;
}

BOOL uiCsbShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb || !AddressesBars(bar))
        return uiSysShowScrollBar(hwnd, bar, show);
    DWORD style = GetWindowLongW(hwnd, GWL_STYLE);
    bool hidden = false;
    ForEachBar(sb, bar, [&](CustomSBBar& b, int which) {
        b.autoShow = show;
        if (!show && (b.flags & kCsbShown)) {
            b.flags &= ~kCsbShown;
            style &= ~StyleBitOf(which);
            hidden = true;
        }
    });
    if (hidden) {
        SetWindowLongW(hwnd, GWL_STYLE, style);
        if (!sb->thumbTracking)
            uiCsbRedraw(hwnd, true);
    }
    return TRUE;
}

BOOL uiCsbShowBar(HWND hwnd, int bar, BOOL show)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb || !AddressesBars(bar))
        return uiSysShowScrollBar(hwnd, bar, show);
    DWORD style = GetWindowLongW(hwnd, GWL_STYLE);
    ForEachBar(sb, bar, [&](CustomSBBar& b, int which) {
        if (show == 1)
            b.flags |= kCsbShown;
        else
            b.flags &= ~kCsbShown;
        if (show)
            style |= StyleBitOf(which);
        else
            style &= ~StyleBitOf(which);
    });
    SetWindowLongW(hwnd, GWL_STYLE, style);
    uiCsbRedraw(hwnd, true);
    return TRUE;
}

BOOL uiCsbIsBarVisible(HWND hwnd, int bar)
{
    CustomSBBar* b = uiCsbBarOf(uiCsbGetState(hwnd), bar);
    return b ? b->visibleNow : FALSE;
}

BOOL uiCsbSetSize(HWND hwnd, int bar, int arrowLength, int thickness)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb || !SizeValueValid(arrowLength) || !SizeValueValid(thickness))
        return FALSE;
    ForEachBar(sb, bar, [&](CustomSBBar& b, int) {
        b.arrowLength = arrowLength;
        b.thickness = thickness;
    });
    uiCsbRedraw(hwnd, true);
    return TRUE;
}

BOOL uiCsbSetStyle(HWND hwnd, int bar, int style)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb)
        return FALSE;
    ForEachBar(sb, bar, [&](CustomSBBar& b, int) { b.style = style; });
    uiCsbRedraw(hwnd, false);
    return TRUE;
}

BOOL uiCsbSetMinThumbSize(HWND hwnd, int bar, int size)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb)
        return FALSE;
    const int value = size == -1 ? uiCsbDefaultMinThumbSize() : size;
    ForEachBar(sb, bar, [&](CustomSBBar& b, int) { b.minThumbSize = value; });
    return TRUE;
}

BOOL uiCsbSetTrackCapture(HWND hwnd, BOOL value)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb)
        return FALSE;
    sb->trackCapture = value;
    return TRUE;
}

BOOL uiCsbSetVerticalHitOnly(HWND hwnd, BOOL value)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    if (!sb)
        return FALSE;
    sb->verticalHitOnly = value;
    return TRUE;
}

BOOL uiCsbIsThumbTracking(HWND hwnd)
{
    CustomSBWnd* sb = uiCsbGetState(hwnd);
    return sb ? sb->thumbTracking : FALSE;
}
