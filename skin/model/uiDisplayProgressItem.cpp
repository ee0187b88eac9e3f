// The progress item: background, a step part cut to the position, and the percentage text.
#include "uiDisplayProgressItem.h"

#include <cstdlib>
#include "uiDisplayText.h"

namespace {

const wchar_t kBackground[] = L"progress.bk";
const wchar_t kStep[] = L"progress.step";
const wchar_t kText[] = L"progress.text";

} // namespace

uiDisplayProgressItem::uiDisplayProgressItem() : uiDisplayItem(UI_ITEM_PROGRESS)
{
}

int uiDisplayProgressItem::Paint(HDC dc)
{
    const RECT rect = GetRect();
    m_parts.PaintItemEx(dc, kBackground, &rect, UI_STATE_NORMAL | UI_STATE_OVER | UI_STATE_DOWN | UI_STATE_DISABLED);
    const int percent = GetPercent();

    uiDisplayItem* step = m_parts.FindItem(kStep);
    if (step && m_pos != 0) {
        const RECT full = step->GetRect();
        const int width = full.right - full.left;
        const float cut = static_cast<float>(width) / 100.0f * static_cast<float>(percent);
        RECT shortened = full;
        if (cut >= static_cast<float>(width) + 1.0f)
            shortened.right = full.right - 1;
        else if (cut > 0.0f)
            shortened.right = full.left + static_cast<int>(cut);
        else
            shortened.right = full.left;
        // A position at or below the minimum leaves no step: painting an empty or reversed rectangle
        // would still draw its outline, mirrored.
        if (shortened.right > shortened.left) {
            step->SetRectAndPaint(dc, shortened);
            // The next paint cuts from the laid-out width again, not from this one.
            step->m_x = full.left;
            step->m_w = width;
        }
    }

    uiDisplayItem* text = m_parts.FindItem(kText);
    if (text && text->GetType() == UI_ITEM_TEXT) {
        CString content;
        if (m_textFormat.Compare(L"%p%") == 0)
            content.Format(L"%d%%", percent);
        else if (m_textFormat.Compare(L"%p") == 0)
            content.Format(L"%d", percent);
        else if (m_textFormat.Compare(L"%v") == 0)
            content.Format(L"%d", m_pos);
        if (!content.IsEmpty()) {
            m_parts.SetText(kText, content);
            m_parts.PaintItem(dc, kText);
        }
    }
    return 1;
}

uiDisplayItem* uiDisplayProgressItem::Clone() const
{
    auto* copy = new uiDisplayProgressItem;
    CopyTo(copy);
    m_parts.CloneInto(&copy->m_parts);
    copy->m_min = m_min;
    copy->m_max = m_max;
    copy->m_pos = m_pos;
    copy->m_textFormat = m_textFormat;
    return copy;
}

void uiDisplayProgressItem::CalcRect(const RECT& parent)
{
    uiDisplayItem::CalcRect(parent);
    m_parts.Layout(GetRect());
}

int uiDisplayProgressItem::GetPercent()
{
    long long span = std::llabs(static_cast<long long>(m_max) - m_min);
    if (span == 0)
        span = 1;
    m_span = span > INT_MAX ? INT_MAX : static_cast<int>(span);
    const double percent = 100.0 / static_cast<double>(span) * (static_cast<double>(m_pos) - m_min);
    if (percent >= INT_MAX)
        return INT_MAX;
    if (percent <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(percent);
}
