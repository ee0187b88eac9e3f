// The skinned scroll-bar control: its look from the skin's image grid, drawn into an off-screen
// buffer of the window's size and copied to the window. A style without the grid's cells could paint
// nothing from its image: the bar then takes the custom bars' built-in look, as the scroll windows'
// bars do.
#include "uiSkinScrollBar.h"

#include "uiCustomScrollBar.h"
#include "uiDisplayImage.h"
#include "uiMemDC.h"
#include "uiScrollBarHelper.h"
#include "uiScrollInfo.h"
#include "uiStyle.h"

namespace {

const wchar_t kBackgroundItem[] = L"scrollbar.bk.pic";

}  // namespace

int uiSkinScrollBar::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    uiDisplayItem* item = m_style ? m_style->displayList.FindItem(kBackgroundItem) : nullptr;
    m_background = item && item->GetType() == UI_ITEM_IMAGE ? static_cast<uiDisplayImage*>(item) : nullptr;
    m_scrollInfo = m_style ? m_style->scrollinfo.get() : nullptr;
    if (m_scrollInfo) {
        m_cellHeight = m_scrollInfo->height;
        m_cellWidth = m_scrollInfo->width;
        m_split = m_scrollInfo->splitWidth;
    }
    return result;
}

RECT uiSkinScrollBar::GetCell(int part, int column) const
{
    if (!m_scrollInfo || column < UI_SBSTATE_NORMAL || column > UI_SBSTATE_DISABLED)
        return RECT{0, 0, 0, 0};
    const bool vertical = IsVertical() != FALSE;
    const int row = part == kGripper ? (vertical ? UI_SBPART_VGRIPPER : UI_SBPART_HGRIPPER)
                                     : uiScrollBarHelper::GridPart(part, vertical);
    return row < 0 ? RECT{0, 0, 0, 0} : m_scrollInfo->Part(row, column);
}

bool uiSkinScrollBar::EnsureBuffer(bool replace)
{
    if (m_buffer && !replace)
        return true;
    FreeCache();
    const RECT window = GetWindowRect();
    const SIZE size = {window.right - window.left, window.bottom - window.top};
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    HDC windowDC = GetWindowDC(m_hwnd);
    if (!windowDC)
        return false;
    // The window DC is given back at once, so the buffer must never copy itself back into it.
    auto* buffer = new uiMemDC(windowDC, RECT{0, 0, size.cx, size.cy}, TRUE);
    ReleaseDC(m_hwnd, windowDC);
    if (!buffer->GetDC() || !buffer->GetBitmap()) {
        delete buffer;
        return false;
    }
    m_buffer = buffer;
    m_lastSize = size;
    return true;
}

void uiSkinScrollBar::DrawCell(const RECT& dest, const RECT& source)
{
    if (m_buffer)
        uiScrollBarHelper::DrawCell(m_background, m_buffer->GetDC(), dest, source);
}

HDC uiSkinScrollBar::BuiltInLookDC() const
{
    return m_buffer && !m_scrollInfo ? m_buffer->GetDC() : nullptr;
}

void uiSkinScrollBar::DrawTrack()
{
    if (HDC dc = BuiltInLookDC())
        uiCsbDrawPageLook(dc, m_trackRect, false);
    else
        DrawCell(m_trackRect, GetCell(2, UI_SBSTATE_NORMAL));
}

void uiSkinScrollBar::PaintThumb(int column)
{
    const RECT thumb = GetPartRect(5);
    if (!m_buffer || IsRectEmpty(&thumb))
        return;
    if (HDC dc = BuiltInLookDC()) {
        uiCsbDrawThumbLook(dc, thumb, uiScrollBarHelper::kBarStyle, column == UI_SBSTATE_PRESSED,
                           column == UI_SBSTATE_HOT);
        return;
    }
    const bool vertical = IsVertical() != FALSE;
    uiScrollBarHelper::PaintThumb(m_background, m_buffer->GetDC(), thumb, GetCell(5, column),
                                  GetCell(kGripper, column), m_split, vertical ? m_cellHeight : m_cellWidth,
                                  vertical);
}

void uiSkinScrollBar::DrawArrow(int part, int column)
{
    HDC dc = BuiltInLookDC();
    if (!dc) {
        DrawCell(GetPartRect(part), GetCell(part, column));
        return;
    }
    const bool first = part == 0;
    const UINT flags = IsVertical() ? (first ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                    : (first ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
    uiCsbDrawArrowLook(dc, GetPartRect(part), flags, uiScrollBarHelper::kBarStyle, column == UI_SBSTATE_PRESSED,
                       column == UI_SBSTATE_HOT);
}

void uiSkinScrollBar::CopyToWindow()
{
    if (!m_buffer)
        return;
    HDC dc = GetDC(m_hwnd);
    if (!dc)
        return;
    m_buffer->BlitTo(dc);
    ReleaseDC(m_hwnd, dc);
}

void uiSkinScrollBar::Draw(int column)
{
    if (!EnsureBuffer(false))
        return;
    DrawTrack();
    PaintThumb(column);
    CopyToWindow();
}

void uiSkinScrollBar::DrawArrowNow(int part, int column)
{
    if (!EnsureBuffer(false))
        return;
    DrawArrow(part, column);
    CopyToWindow();
}

void uiSkinScrollBar::OnPaint()
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(m_hwnd, &paint);
    if (dc && EnsureBuffer(false)) {
        DrawArrow(0, UI_SBSTATE_NORMAL);
        DrawArrow(1, UI_SBSTATE_NORMAL);
        DrawTrack();
        PaintThumb(UI_SBSTATE_NORMAL);
        m_buffer->BlitTo(dc);
    }
    EndPaint(m_hwnd, &paint);
}
