// File helpers of the image loaders: the whole content of a file, and a path's lower-cased extension.
#pragma once

#include <windows.h>
#include <vector>
#include "CString.h"

// Largest file or decoded bitmap that the image loaders accept; skin images are far smaller.
const size_t UI_MAX_IMAGE_BYTES = 64u << 20;

// Reads the whole file; false when it cannot be opened, is larger than UI_MAX_IMAGE_BYTES or reads short.
bool uiReadFileBytes(const CString& path, std::vector<BYTE>* bytes);

// ".png" for "C:\skin\Button.PNG"; empty when the file name has no extension.
CString uiGetLowerExtension(const CString& path);
