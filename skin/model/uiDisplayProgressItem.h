// A display item that draws a progress bar from its parts "progress.bk", "progress.step" and
// "progress.text" for a position within a range.
#pragma once

#include "uiDisplayItem.h"
#include "uiDisplayList.h"

class uiDisplayProgressItem : public uiDisplayItem {
public:
    uiDisplayProgressItem();

    int Paint(HDC dc) override;
    uiDisplayItem* Clone() const override;
    // The item, then its parts against the item's rectangle.
    void CalcRect(const RECT& parent) override;

    // The position as a whole percentage of the range (the span taken as 1 when it is 0).
    int GetPercent();

    uiDisplayList m_parts;
    int m_min = 0;
    int m_max = 100;
    int m_span = 100;
    int m_pos = 0;
    // "%p%", "%p" or "%v".
    CString m_textFormat = L"%p%";
};
