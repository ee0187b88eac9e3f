#include "WaitUntil.h"

#include <cwchar>

namespace {

// TAVRIN_TIME_SCALE: how many times slower than natively the programs run here (under emulation, set
// by the scripts). A bound only guards against a hang, so it stretches by as much.
ULONGLONG TimeScale()
{
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"TAVRIN_TIME_SCALE", text, 16);
    const unsigned long scale = length > 0 && length < 16 ? std::wcstoul(text, nullptr, 10) : 1;
    return scale >= 1 && scale <= 100 ? scale : 1;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    static const ULONGLONG scale = TimeScale();
    const ULONGLONG deadline = GetTickCount64() + timeoutMs * scale;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(pollMs);
    }
    return true;
}
