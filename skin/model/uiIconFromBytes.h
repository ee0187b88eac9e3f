// Icons from the bytes of an .ico file: the system chooses the image for the requested size among the
// entries that lie inside the bytes.
#pragma once

#include <windows.h>

// True when one icon or cursor image (a PNG, or a bitmap header with its colour and mask bitmaps) lies
// wholly inside size bytes, so that the system reads nothing beyond them.
bool uiIconImageFits(const BYTE* image, size_t size);

// width and height 0 take the image nearest the system's icon size, at its own size. Null when no
// usable image exists.
HICON uiCreateIconFromBytes(const BYTE* bytes, size_t length, int width, int height);
