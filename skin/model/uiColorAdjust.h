// Colour adjustment of a whole skin (hue shift, saturation, lightness) and the HSV conversions it uses.
#pragma once

#include <windows.h>

// Sets the process-wide adjustment read by uiAdjustColorValue; returns 1.
int uiSetColorAdjust(int hue, int saturation, int lightness);

// Adjusts a COLORREF (red in the low byte). The result carries red in bits 16-23 and blue in bits 0-7,
// the byte order of a DIB pixel; bits 24-31 are set when a lightness blend ran.
DWORD uiAdjustColorValue(COLORREF color);

// Channels 0-255 to hue (degrees), saturation and value (percent), truncated.
void uiRgbToHsv(int red, int green, int blue, int* hue, int* saturation, int* value);
// Hue (degrees), saturation and value (percent) to channels 0-255, truncated.
void uiHsvToRgb(int hue, int saturation, int value, int* red, int* green, int* blue);

// Swaps red and blue of a value in DIB pixel order into a COLORREF (top byte 0), and back.
inline COLORREF uiSwapRedBlue(DWORD value)
{
    return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
}
