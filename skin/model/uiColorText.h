// The skin's colour text: hexadecimal digits ("#1e90ff", "1e90ff") or an rgb triple ("RGB(14,62,94)").
#pragma once

#include <windows.h>
#include "CString.h"

// Parses any text into a colour value; always 1 (malformed text still yields a value).
int uiParseColor(const CString& text, COLORREF* value);
