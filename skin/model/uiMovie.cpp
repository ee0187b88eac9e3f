// Frame animation: a fixed 50 ms step per tick against the item's frame interval.
#include "uiMovie.h"

#include "uiDisplayAnimateItem.h"
#include "uiDisplayImage.h"
#include "uiImage.h"
#include "uiTimerWindow.h"

namespace {

// The timer window posts its tick every 50 ms; elapsed time counts in these steps, not measured time.
const int kTickStep = 50;

} // namespace

int uiMovie::Attach(HWND window, uiDisplayList* list)
{
    uiGetTimerWindow().AddWindow(window);
    m_window = window;
    m_list = list;
    if (m_list) {
        for (uiDisplayItem* item : m_list->GetItems()) {
            if (item->GetType() != UI_ITEM_ANIMATE)
                continue;
            auto* animate = static_cast<uiDisplayAnimateItem*>(item);
            if (animate->m_startAction == UI_TRIGGER_NONE)
                Start(animate);
        }
    }
    return 1;
}

int uiMovie::Start(uiDisplayAnimateItem* item)
{
    m_current = item;
    m_running = item->m_start;
    m_repeat = item->m_cycle;
    if (item->m_frameCount != UI_UNSET) {
        for (uiDisplayItem* frame : item->m_frames.GetItems()) {
            uiImage* image = frame->GetType() == UI_ITEM_IMAGE ? static_cast<uiDisplayImage*>(frame)->m_image : nullptr;
            if (image)
                image->SetFrameCount(item->m_frameCount);
        }
        m_frameCount = item->m_frameCount;
    } else {
        m_frameCount = item->m_frames.GetMaxFrameCount();
    }
    if (item->m_interval != UI_UNSET)
        m_interval = item->m_interval;
    if (!item->m_start)
        Stop();
    m_frameIndex = 0;
    return 1;
}

int uiMovie::OnMessage(UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_MOUSELEAVE:
        OnMouseTrigger(UI_TRIGGER_MOUSE_LEAVE);
        return 1;
    case UI_MSG_MOUSE_ENTER:
        OnMouseTrigger(UI_TRIGGER_MOUSE_ENTER);
        return 1;
    case UI_MSG_TIMER_TICK:
        OnTick();
        return 1;
    default:
        return 0;
    }
}

void uiMovie::Paint(HDC dc)
{
    if (m_current)
        m_current->m_frames.PaintImageFrame(dc, m_frameIndex);
}

void uiMovie::SetRect(const RECT& rect)
{
    if (m_current)
        m_current->CalcRect(rect);
}

void uiMovie::Select(int first, int last, BOOL start)
{
    if (!start) {
        if (m_current && m_current->m_index >= first && m_current->m_index <= last)
            m_current = nullptr;
        return;
    }
    if (!m_list)
        return;
    for (uiDisplayItem* item : m_list->GetItems()) {
        if (item->GetType() == UI_ITEM_ANIMATE && item->m_index >= first && item->m_index <= last) {
            Start(static_cast<uiDisplayAnimateItem*>(item));
            return;
        }
    }
}

void uiMovie::StartTimer()
{
    m_running = TRUE;
    uiGetTimerWindow().AddWindow(m_window);
}

void uiMovie::Stop()
{
    m_running = FALSE;
    uiGetTimerWindow().RemoveWindow(m_window);
}

void uiMovie::StopTimer()
{
    uiGetTimerWindow().RemoveWindow(m_window);
}

void uiMovie::Detach()
{
    StopTimer();
    m_list = nullptr;
    m_current = nullptr;
}

void uiMovie::SelectByTrigger(int trigger)
{
    if (m_list) {
        for (uiDisplayItem* item : m_list->GetItems()) {
            if (item->GetType() != UI_ITEM_ANIMATE)
                continue;
            auto* animate = static_cast<uiDisplayAnimateItem*>(item);
            if (animate->m_startAction == trigger) {
                Start(animate);
                return;
            }
        }
    }
    m_current = nullptr;
}

void uiMovie::OnMouseTrigger(int trigger)
{
    // A free-running animation ignores the mouse.
    if (m_current && m_current->m_startAction == UI_TRIGGER_NONE)
        return;
    Stop();
    SelectByTrigger(trigger);
    // Started even when nothing matched or the item says not to start: a triggered item always plays.
    StartTimer();
}

void uiMovie::OnTick()
{
    if (!m_running)
        return;
    if (!m_repeat && m_frameIndex + 1 == m_frameCount)
        return;
    // Compared before adding: an interval near the top of the range must not make elapsed wrap.
    if (static_cast<long long>(m_elapsed) + kTickStep < m_interval) {
        m_elapsed += kTickStep;
        return;
    }
    ++m_frameIndex;
    if (m_frameIndex >= m_frameCount)
        m_frameIndex = 0;
    InvalidateRect(m_window, nullptr, FALSE);
    m_elapsed = 0;
}
