// The UI driver's command line: a verb, the window it acts on and the verb's options.
#pragma once

#include "WindowFinder.h"

#include <string>

struct DriverOptions {
    std::wstring verb;
    WindowQuery window;
    int controlId = -1;  // -1: the window itself
    int state = -1;      // check box state wanted: 0 or 1
    DWORD timeoutMs = 5000;
    int value = -1;      // progress position for setpos, pages for scroll, virtual key for key
    POINT at = {-1, -1};  // a point of the window's screen area for press, as a shot shows it
    std::wstring out;     // picture file
    std::wstring button;  // message-box button: ok, cancel, yes, no, retry, ignore, abort
    std::wstring error;  // set when the command line is wrong
};

DriverOptions ParseDriverOptions(int argc, wchar_t** argv);

// The usage text.
const wchar_t* DriverUsage();
