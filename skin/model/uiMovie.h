// The player of a window's animate items: picks the current item, counts its frames on the timer
// window's ticks, invalidates the window when the frame changes and paints the current frame.
#pragma once

#include <windows.h>

class uiDisplayList;
class uiDisplayAnimateItem;

// Sent to a skinned window when the mouse enters it.
const UINT UI_MSG_MOUSE_ENTER = 0xB101;

class uiMovie {
public:
    uiMovie() = default;
    uiMovie(const uiMovie&) = delete;
    uiMovie& operator=(const uiMovie&) = delete;
    // Leaves the timer registration alone: owners call StopTimer before their window goes.
    virtual ~uiMovie() = default;

    // Registers the window for ticks and starts every animate item without a trigger (the last stays current).
    int Attach(HWND window, uiDisplayList* list);
    int Start(uiDisplayAnimateItem* item);
    // Mouse leave, mouse enter and tick messages: 1 when handled, 0 for any other message.
    int OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void SetRect(const RECT& rect);
    // start set: plays the first animate item with an index in first..last; clear: drops the current
    // item when its index lies there.
    void Select(int first, int last, BOOL start);
    void StartTimer();
    void Stop();
    void StopTimer();
    // Unregisters the window and lets go of the list, whose items are about to go.
    void Detach();
    // Plays the first animate item of the trigger; none current when none matches.
    void SelectByTrigger(int trigger);

    uiDisplayAnimateItem* GetCurrentItem() const { return m_current; }
    int GetFrameIndex() const { return m_frameIndex; }
    int GetFrameCount() const { return m_frameCount; }
    int GetInterval() const { return m_interval; }
    BOOL IsRunning() const { return m_running; }

private:
    void OnMouseTrigger(int trigger);
    void OnTick();

    uiDisplayList* m_list = nullptr;
    uiDisplayAnimateItem* m_current = nullptr;
    int m_frameCount = 0;
    int m_interval = 100;
    int m_frameIndex = 0;
    int m_elapsed = 0;
    BOOL m_running = TRUE;
    BOOL m_repeat = TRUE;
    HWND m_window = nullptr;
};
