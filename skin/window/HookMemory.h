// Guarded access to code and module headers for the hooking layer: VirtualQuery tells whether a
// range is committed and readable before anything reads it.
#pragma once

#include <windows.h>

bool HookIsReadable(const void* address, SIZE_T size);
// The NT headers of the module whose image contains address, or null (checked "MZ" and "PE").
const IMAGE_NT_HEADERS* HookModuleHeaders(const void* address, BYTE** imageBase);
