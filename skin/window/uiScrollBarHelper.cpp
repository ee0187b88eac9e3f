// The scroll-bar helper: custom bars on a window, painted cell by cell from the skin's image grid.
#include "uiScrollBarHelper.h"

#include "uiCustomScrollBar.h"
#include "uiDisplayImage.h"
#include "uiScrollInfo.h"
#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

const wchar_t kBackgroundItem[] = L"scrollbar.bk.pic";

// Grid column of a part state of the custom-draw notification.
int ColumnOf(UINT state, bool vertical)
{
    switch (state) {
    case kCsbStateHot:
        return UI_SBSTATE_HOT;
    case kCsbStatePressed:
        return UI_SBSTATE_PRESSED;
    case kCsbStateDisabled:
        return UI_SBSTATE_DISABLED;
    default:
        // Vertical bars take the state 2 for disabled as well.
        return vertical && state == 2 ? UI_SBSTATE_DISABLED : UI_SBSTATE_NORMAL;
    }
}

}  // namespace

uiScrollBarHelper::uiScrollBarHelper() : m_styleName(L"scrollbar") {}

uiScrollBarHelper::~uiScrollBarHelper()
{
    delete m_style;
}

int uiScrollBarHelper::GridPart(int item, bool vertical)
{
    switch (item) {
    case kCsbPartFirstArrow:
        return vertical ? UI_SBPART_UPARROW : UI_SBPART_LEFTARROW;
    case kCsbPartSecondArrow:
        return vertical ? UI_SBPART_DOWNARROW : UI_SBPART_RIGHTARROW;
    case kCsbPartPageBefore:
    case kCsbPartPageAfter:
        return vertical ? UI_SBPART_VTRACK : UI_SBPART_HTRACK;
    case kCsbPartThumb:
        return vertical ? UI_SBPART_VTHUMB : UI_SBPART_HTHUMB;
    default:
        return -1;
    }
}

LRESULT uiScrollBarHelper::OnMessage(UINT msg, WPARAM, LPARAM lParam)
{
    if (!IsWindow(m_hwnd) || msg != WM_NOTIFY || !lParam)
        return 0;
    if (reinterpret_cast<const NMHDR*>(lParam)->code != kCsbCustomDrawCode)
        return 0;
    return OnCustomDraw(lParam);
}

BOOL uiScrollBarHelper::IsCustomDraw(UINT msg, LPARAM lParam)
{
    return msg == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->code == kCsbCustomDrawCode;
}

LRESULT uiScrollBarHelper::OnCustomDraw(LPARAM lParam) const
{
    const auto& info = *reinterpret_cast<const CustomSBDrawInfo*>(lParam);
    // Without the grid's cells nothing could be painted: the bars keep their built-in look.
    if (!m_scrollInfo)
        return 0;
    if (info.drawStage == kCsbStagePrePaint)
        return kCsbSkipDefault;
    if (info.drawStage != kCsbStagePart)
        return 0;
    if (info.bar == static_cast<UINT>(kCsbBarSizeBox)) {
        DrawPart(info.hdc, info.rect, m_scrollInfo->Part(UI_SBPART_SIZEGRIP, UI_SBSTATE_NORMAL));
        return 0;
    }
    if (info.bar != SB_HORZ && info.bar != SB_VERT)
        return 0;
    const bool vertical = info.bar == SB_VERT;
    const int part = GridPart(static_cast<int>(info.item), vertical);
    if (part < 0)
        return 0;
    const int column = ColumnOf(info.itemState, vertical);
    if (info.item != static_cast<UINT>(kCsbPartThumb)) {
        DrawPart(info.hdc, info.rect, m_scrollInfo->Part(part, column));
        return kCsbSkipDefault;
    }
    const int gripper = vertical ? UI_SBPART_VGRIPPER : UI_SBPART_HGRIPPER;
    PaintThumb(m_background, info.hdc, info.rect, m_scrollInfo->Part(part, column),
               m_scrollInfo->Part(gripper, column), m_split, vertical ? m_cellHeight : m_cellWidth, vertical);
    return kCsbSkipDefault;
}

BOOL uiScrollBarHelper::LoadStyle(const wchar_t* name)
{
    if (name)
        m_styleName = name;
    delete m_style;
    m_background = nullptr;
    m_scrollInfo = nullptr;
    m_style = uiGetSkinAdmin().FindStyle(m_styleName);
    return m_style != nullptr;
}

BOOL uiScrollBarHelper::Attach(HWND hwnd)
{
    uiHelper::Attach(hwnd, TRUE);
    if (!m_style && !LoadStyle(nullptr)) {
        uiHelper::Attach(nullptr, FALSE);
        return FALSE;
    }
    LoadLayout();
    uiCsbInit(hwnd);
    uiCsbSetStyle(hwnd, SB_BOTH, kBarStyle);
    uiCsbSetSize(hwnd, SB_BOTH, m_cellHeight, m_cellWidth);
    return TRUE;
}

void uiScrollBarHelper::LoadLayout()
{
    if (!m_style)
        return;
    uiDisplayItem* item = m_style->displayList.FindItem(kBackgroundItem);
    m_background = item && item->GetType() == UI_ITEM_IMAGE ? static_cast<uiDisplayImage*>(item) : nullptr;
    m_scrollInfo = m_style->scrollinfo.get();
    if (m_scrollInfo) {
        m_cellWidth = m_scrollInfo->width;
        m_cellHeight = m_scrollInfo->height;
        m_split = m_scrollInfo->splitWidth;
    }
}

BOOL uiScrollBarHelper::Detach()
{
    if (m_hwnd)
        uiCsbUninit(m_hwnd);
    delete m_style;
    m_style = nullptr;
    m_background = nullptr;
    m_scrollInfo = nullptr;
    uiHelper::Attach(nullptr, FALSE);
    return TRUE;
}

void uiScrollBarHelper::DrawPart(HDC dc, const RECT& dest, const RECT& source) const
{
    DrawCell(m_background, dc, dest, source);
}

void uiScrollBarHelper::DrawCell(uiDisplayImage* image, HDC dc, const RECT& dest, const RECT& source)
{
    if (image)
        image->PaintInRect(dc, dest, &source);
}

void uiScrollBarHelper::PaintThumb(uiDisplayImage* image, HDC dc, const RECT& rect, const RECT& cell,
                                   const RECT& gripper, int split, int gripperLength, bool vertical)
{
    // Worked in the vertical form; a horizontal thumb exchanges x and y on the way in and out.
    auto flip = [vertical](const RECT& r) { return vertical ? r : RECT{r.top, r.left, r.bottom, r.right}; };
    const RECT area = flip(rect);
    const RECT source = flip(cell);
    auto draw = [&](int top, int bottom, int sourceTop, int sourceBottom) {
        DrawCell(image, dc, flip(RECT{area.left, top, area.right, bottom}),
                 flip(RECT{source.left, sourceTop, source.right, sourceBottom}));
    };
    draw(area.top, area.top + split, source.top, source.top + split);
    draw(area.top + split, area.bottom - split, source.top + split, source.bottom - split);
    const int middle = (area.bottom - area.top) - 2 * split;
    if (gripperLength < middle) {
        const int start = area.top + split + middle / 2 - gripperLength / 2;
        DrawCell(image, dc, flip(RECT{area.left, start, area.right, start + gripperLength}), gripper);
    }
    draw(area.bottom - split, area.bottom, source.bottom - split, source.bottom);
}

void uiScrollBarHelper::Redraw() const
{
    if (m_hwnd)
        uiCsbPaintNC(m_hwnd);
}

void uiScrollBarHelper::SetTrackCapture(BOOL value) const
{
    uiCsbSetTrackCapture(m_hwnd, value);
}

void uiScrollBarHelper::SetVerticalHitOnly(BOOL value) const
{
    uiCsbSetVerticalHitOnly(m_hwnd, value);
}

SCROLLINFO uiScrollBarHelper::ReadScrollInfo(int bar) const
{
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hwnd, bar, &info);
    if (info.nMin == 0 && info.nMax == 100 && info.nPage == 0)
        info.nMax = 0;
    return info;
}

void uiScrollBarHelper::FixEmptyRange(int bar) const
{
    const SCROLLINFO info = ReadScrollInfo(bar);
    if (info.nMin == 0 && info.nMax == 0)
        uiCsbSetScrollInfo(m_hwnd, bar, &info, TRUE);
}

void uiScrollBarHelper::SyncScrollInfo(int bar) const
{
    const SCROLLINFO info = ReadScrollInfo(bar);
    uiCsbSetScrollInfo(m_hwnd, bar, &info, TRUE);
}

void uiScrollBarHelper::HideEmptyBar(int bar)
{
    if (bar != SB_HORZ && bar != SB_VERT)
        return;
    BOOL& hidden = bar == SB_HORZ ? m_horizontalHidden : m_verticalHidden;
    const SCROLLINFO info = ReadScrollInfo(bar);
    if (info.nMax > info.nMin) {
        hidden = FALSE;
    } else if (uiCsbIsBarVisible(m_hwnd, bar)) {
        hidden = TRUE;
        uiCsbShowScrollBar(m_hwnd, bar, FALSE);
    }
}
