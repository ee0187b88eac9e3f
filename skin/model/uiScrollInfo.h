// Scroll-bar settings of a style (element "scrollinfo"): the size of one part image and the gap between
// parts in the skin's scroll-bar image grid, and the 41 part rectangles computed from them.
#pragma once

#include <windows.h>

// Columns of the grid: the states of a part.
enum uiScrollPartState { UI_SBSTATE_NORMAL = 0, UI_SBSTATE_HOT = 1, UI_SBSTATE_PRESSED = 2, UI_SBSTATE_DISABLED = 3 };

// First rectangle of each part, in the record's order; a part's four states follow it.
enum uiScrollPart {
    UI_SBPART_UPARROW = 0,
    UI_SBPART_DOWNARROW = 4,
    UI_SBPART_VTHUMB = 8,
    UI_SBPART_VGRIPPER = 12,
    UI_SBPART_VTRACK = 16,
    UI_SBPART_LEFTARROW = 20,
    UI_SBPART_RIGHTARROW = 24,
    UI_SBPART_HTHUMB = 28,
    UI_SBPART_HGRIPPER = 32,
    UI_SBPART_HTRACK = 36,
    UI_SBPART_SIZEGRIP = 40,
};

struct uiScrollInfo {
    static const int PartCount = 41;

    int width = 18;
    int height = 18;
    int interval = 3;
    int splitWidth = 3;
    RECT parts[PartCount] = {};

    // Recomputes the part rectangles from the width, height and gap.
    void ComputeParts();
    // The rectangle of a part (uiScrollPart) in a state (uiScrollPartState).
    const RECT& Part(int part, int state) const { return parts[part + (part == UI_SBPART_SIZEGRIP ? 0 : state)]; }
};
