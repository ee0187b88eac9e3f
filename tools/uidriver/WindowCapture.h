// A picture of a window as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

// Copied from the screen where the window lies: what the user sees, other windows on top included (a
// window of another process cannot paint into this process's device context under Wine, so PrintWindow
// is no road). False on any failure, with its reason in *why when given.
bool CaptureWindowToBmp(HWND window, const std::wstring& path, std::wstring* why = nullptr);
