// Waiting in tests on the thing itself, never on a guess of how long it takes.
#pragma once

#include <windows.h>

#include <functional>

// Polls the condition every pollMs until it holds; false once timeoutMs (times TAVRIN_TIME_SCALE, under
// emulation) has passed without it. The default minute is far more than a loaded machine needs.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 60000, DWORD pollMs = 20);
