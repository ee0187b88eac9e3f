// Geometry of the custom-drawn scroll bars: sizes from the system metrics, bar and size-box
// rectangles, the thumb arithmetic and the part hit test. The horizontal form is the only one;
// vertical bars are mirrored at the diagonal before and after.
#include "uiCsbInternal.h"

namespace {

int Scaled(int field, int metric)
{
    return field < 0 ? -field * GetSystemMetrics(metric) : field;
}

int VisibleThickness(const CustomSBBar& bar)
{
    return bar.visibleNow ? uiCsbThickness(bar) : 0;
}

}  // namespace

int uiCsbThickness(const CustomSBBar& bar)
{
    return Scaled(bar.thickness, bar.barType == SB_HORZ ? SM_CYHSCROLL : SM_CXVSCROLL);
}

int uiCsbArrowLength(const CustomSBBar& bar)
{
    return Scaled(bar.arrowLength, bar.barType == SB_HORZ ? SM_CXHSCROLL : SM_CYVSCROLL);
}

RECT uiCsbFlip(const RECT& rc)
{
    return RECT{rc.top, rc.left, rc.bottom, rc.right};
}

RECT uiCsbBarRect(HWND hwnd, const CustomSBWnd& sb, int bar)
{
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    const int vThick = VisibleThickness(sb.vert);
    const int hThick = VisibleThickness(sb.horz);
    RECT rc{};
    if (bar == SB_HORZ) {
        rc.left = wr.left + sb.borderLeft + (sb.leftScrollBar ? vThick : 0);
        rc.right = wr.right - sb.borderRight - (sb.leftScrollBar ? 0 : vThick);
        rc.bottom = wr.bottom - sb.borderBottom;
        rc.top = rc.bottom - hThick;
    } else {
        rc.top = wr.top + sb.borderTop;
        rc.bottom = wr.bottom - sb.borderBottom - hThick;
        if (sb.leftScrollBar) {
            rc.left = wr.left + sb.borderLeft;
            rc.right = rc.left + vThick;
        } else {
            rc.right = wr.right - sb.borderRight;
            rc.left = rc.right - vThick;
        }
    }
    return rc;
}

bool uiCsbSizeBoxRect(HWND hwnd, const CustomSBWnd& sb, RECT* box)
{
    if (!sb.horz.visibleNow || !sb.vert.visibleNow)
        return false;
    const RECT h = uiCsbBarRect(hwnd, sb, SB_HORZ);
    const int vThick = uiCsbThickness(sb.vert);
    box->top = h.top;
    box->bottom = h.bottom;
    if (sb.leftScrollBar) {
        box->right = h.left;
        box->left = h.left - vThick;
    } else {
        box->left = h.right;
        box->right = h.right + vThick;
    }
    return true;
}

CsbThumb uiCsbGetThumb(const CustomSBBar& bar, int left, int right)
{
    const SCROLLINFO& si = bar.info;
    const int a = uiCsbArrowLength(bar);
    const int range = si.nMax - si.nMin;
    const int track = (right - left) - 2 * a;
    CsbThumb thumb{left + a, 0};
    if (si.nPage == 0) {
        thumb.size = a;
    } else if (range + 1 > 0) {
        thumb.size = MulDiv(static_cast<int>(si.nPage), track, range + 1);
        if (thumb.size < bar.minThumbSize)
            thumb.size = bar.minThumbSize;
    }
    if (range + 1 > 0) {
        const int page = si.nPage > 1 ? static_cast<int>(si.nPage) : 1;
        const int span = range - page + 1;
        int offset = span != 0 ? MulDiv(si.nPos - si.nMin, track - thumb.size, span) : 0;
        if (offset > track - thumb.size)
            offset = track - thumb.size;
        if (offset < 0)
            offset = 0;
        thumb.start += offset;
    }
    return thumb;
}

int uiCsbHitTestBar(const CustomSBBar& bar, const RECT& rc, POINT pt)
{
    if (pt.y < rc.top || pt.y > rc.bottom - 1)
        return kCsbPartNone;
    const int width = rc.right - rc.left;
    const int a = uiCsbArrowLength(bar);
    const int f = 2 * a < width ? a : width / 2;
    if (pt.x >= rc.left && pt.x <= rc.left + f - 1)
        return kCsbPartFirstArrow;
    if (pt.x >= rc.right - f && pt.x <= rc.right - 1)
        return kCsbPartSecondArrow;
    const CsbThumb thumb = uiCsbGetThumb(bar, rc.left, rc.right);
    if (thumb.size >= width - 2 * a)
        return kCsbPartNone;
    if (pt.x >= thumb.start && pt.x < thumb.start + thumb.size)
        return kCsbPartThumb;
    if (pt.x >= rc.left + f && pt.x < thumb.start)
        return kCsbPartPageBefore;
    if (pt.x >= thumb.start + thumb.size && pt.x < rc.right - f)
        return kCsbPartPageAfter;
    return kCsbPartNone;
}
