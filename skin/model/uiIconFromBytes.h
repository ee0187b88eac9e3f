// Icons from the bytes of an .ico file. The icon directory is read here: the image closest to the
// requested size (then the deepest colour) is chosen among the entries that lie inside the bytes.
#pragma once

#include <windows.h>

// True when one icon or cursor image (a PNG, or a bitmap header with its colour and mask bitmaps) lies
// wholly inside size bytes, so that the system reads nothing beyond them.
bool uiIconImageFits(const BYTE* image, size_t size);

// width and height 0 ask for the system's icon size. Null when no usable image exists.
HICON uiCreateIconFromBytes(const BYTE* bytes, size_t length, int width, int height);
