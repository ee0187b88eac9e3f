// The skinned date-time picker: the control paints its text itself; the skin paints the frame and
// the drop-down button area around it, and keeps repainting them while the calendar is open.
#pragma once

#include <windows.h>

#include "uiSkinBase.h"

class uiSkinDateTimeCtrl : public uiSkinBase {
public:
    uiSkinDateTimeCtrl();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnReflectedNotify(uiReflectInfo* info, NMHDR* header) override;
    void OnAttached() override;

    void PaintFrame();
    BOOL IsDroppedDown() const { return m_droppedDown; }

private:
    BOOL IsTimePicker() const;
    void PaintSkin(HDC dc, const RECT& rect);
    LRESULT OnTimer(WPARAM id);

    BOOL m_droppedDown = FALSE;
    int m_cursorCount = 0;
    UINT_PTR m_timerId = 100;
};
