// What the test skin's scroll-bar grid image holds (make_scroll_grid.py writes it): the colour of
// every cell, so that a pixel read back from a painted bar tells which cell, in which state, was
// drawn there.
#pragma once

#include <windows.h>

namespace grid {

constexpr int kCellWidth = 16;
constexpr int kCellHeight = 12;
constexpr int kSplit = 3;

// Rows of the grid.
constexpr int kLeftArrow = 0;
constexpr int kRightArrow = 1;
constexpr int kHorzThumb = 2;
constexpr int kHorzGripper = 3;
constexpr int kHorzTrack = 4;
constexpr int kUpArrow = 5;
constexpr int kDownArrow = 6;
constexpr int kVertThumb = 7;
constexpr int kVertGripper = 8;
constexpr int kVertTrack = 9;
constexpr int kSizeGrip = 10;

// Columns.
constexpr int kNormal = 0;
constexpr int kHot = 1;
constexpr int kPressed = 2;
constexpr int kDisabled = 3;

// Bands of the thumb cells: leading cap, middle, trailing cap; other cells are all middle.
constexpr int kLeadingCap = 0;
constexpr int kMiddle = 1;
constexpr int kTrailingCap = 2;

constexpr COLORREF Cell(int row, int column, int band = kMiddle)
{
    return RGB(20 * row + 10, 60 * column + 15, 100 * band + 20);
}

}  // namespace grid
