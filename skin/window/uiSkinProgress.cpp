// The skinned progress bar.
#include "uiSkinProgress.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>

#include "uiDisplayItem.h"
#include "uiDisplayList.h"
#include "uiMemDC.h"
#include "uiStyle.h"
#include "uiWindowHelpers.h"

int uiSkinProgress::ApplyStyle()
{
    const int result = uiSkinBase::ApplyStyle();
    m_bkItem = m_displayList ? m_displayList->FindItem(L"progress.bk") : nullptr;
    m_stepItem = m_displayList ? m_displayList->FindItem(L"progress.step") : nullptr;
    const uiProgressInfo* info = m_style ? m_style->progressinfo.get() : nullptr;
    m_padX = info ? info->leftPad : 0;
    m_padY = info ? info->topPad : 0;
    UpdateInnerRect();
    m_transparent.Follow(m_hwnd, HasTransparentBk());
    return result;
}

void uiSkinProgress::OnAttached()
{
    UpdateRange();
}

void uiSkinProgress::UpdateInnerRect()
{
    RECT rect = GetWindowRect();
    uiRectToOrigin(m_hwnd, &rect);
    m_innerRect = {rect.left + m_padX, rect.top + m_padY, rect.right - m_padX, rect.bottom - m_padY};
}

void uiSkinProgress::UpdateRange()
{
    PBRANGE range = {};
    SendMessageW(m_hwnd, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    m_low = range.iLow;
    m_high = range.iHigh;
    // Widened: the two ends of a 32-bit range may lie further apart than an int holds.
    const long long span = std::llabs(static_cast<long long>(m_high) - m_low);
    m_range = span == 0 ? 1 : static_cast<int>(span > INT_MAX ? INT_MAX : span);
    m_pos = static_cast<int>(SendMessageW(m_hwnd, PBM_GETPOS, 0, 0));
    wchar_t text[16] = {};
    swprintf(text, 16, L"%d%%", GetPercent());
    SetWindowTextW(m_hwnd, text);
}

int uiSkinProgress::GetPercent() const
{
    // A reversed range, or a position that the control let past an end, must not paint outside the bar.
    const double percent = 100.0 / m_range * (static_cast<double>(m_pos) - m_low);
    if (percent <= 0.0)
        return 0;
    if (percent >= 100.0)
        return 100;
    return static_cast<int>(percent);
}

RECT uiSkinProgress::StepRect(int percent, BOOL vertical) const
{
    RECT step = m_innerRect;
    if (vertical) {
        const float height = static_cast<float>(m_innerRect.bottom - m_innerRect.top);
        const LONG edge = step.bottom - static_cast<LONG>(height / 100.0f * static_cast<float>(percent));
        if (edge > step.top)
            step.top = edge;
    } else {
        const float width = static_cast<float>(m_innerRect.right - m_innerRect.left);
        const LONG edge = step.left + static_cast<LONG>(width / 100.0f * static_cast<float>(percent));
        if (edge < step.right)
            step.right = edge;
    }
    return step;
}

LRESULT uiSkinProgress::PaintBar()
{
    PAINTSTRUCT paint = {};
    BeginPaint(m_hwnd, &paint);
    if (!m_bkItem) {
        EndPaint(m_hwnd, &paint);
        return 0;
    }
    const BOOL vertical = (GetStyle() & PBS_VERTICAL) != 0;
    HDC windowDC = GetWindowDC(m_hwnd);
    RECT rect = GetWindowRect();
    uiRectToOrigin(m_hwnd, &rect);
    {
        uiMemDC memory(windowDC, rect, TRUE);
        if (m_transparent.IsAttached())
            m_transparent.PaintParentBk(memory, m_hwnd);
        m_bkItem->SetRectAndPaint(memory, rect);
        const int percent = GetPercent();
        if (m_innerRect.right > m_innerRect.left && percent != 0 && m_stepItem)
            m_stepItem->SetRectAndPaint(memory, StepRect(percent, vertical));
        memory.Flush();
    }
    EndPaint(m_hwnd, &paint);
    ReleaseDC(m_hwnd, windowDC);
    return 1;
}

LRESULT uiSkinProgress::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        UpdateInnerRect();
        break;
    case WM_PAINT:
    case WM_NCPAINT:
        return PaintBar();
    case WM_ERASEBKGND:
        return 1;
    case PBM_SETRANGE:
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE32: {
        const LRESULT result = DefaultProc(msg, wParam, lParam);
        UpdateRange();
        Invalidate(nullptr, TRUE);
        return result;
    }
    default:
        break;
    }
    return uiSkinBase::WindowProc(msg, wParam, lParam);
}

void uiSkinProgress::ForgetStyle()
{
    m_bkItem = nullptr;
    m_stepItem = nullptr;
    uiSkinBase::ForgetStyle();
}
