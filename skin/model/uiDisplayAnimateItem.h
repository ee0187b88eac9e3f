// A display item that holds the frames of an animation; uiMovie draws them, the item itself draws nothing.
#pragma once

#include "uiDisplayItem.h"
#include "uiDisplayList.h"

// What starts a triggered animation.
enum uiAnimateTrigger {
    UI_TRIGGER_NONE = 0,
    UI_TRIGGER_MOUSE_ENTER = 1,
    UI_TRIGGER_MOUSE_LEAVE = 2,
};

class uiDisplayAnimateItem : public uiDisplayItem {
public:
    uiDisplayAnimateItem();

    int Paint(HDC dc) override;
    uiDisplayItem* Clone() const override;
    // The item, then its frames against the item's rectangle.
    void CalcRect(const RECT& parent) override;

    int m_frameWidth = UI_UNSET;
    int m_frameHeight = UI_UNSET;
    BOOL m_inOneFile = TRUE;
    // Milliseconds per frame; UI_UNSET keeps the player's interval.
    int m_interval = 100;
    BOOL m_start = TRUE;
    // UI_UNSET: taken from the images.
    int m_frameCount = UI_UNSET;
    BOOL m_cycle = TRUE;
    int m_startAction = UI_TRIGGER_NONE;
    // Image items.
    uiDisplayList m_frames;
};
